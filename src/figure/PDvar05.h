// The figure store: construction steps and the four element tables.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "figure/Codes.h"
#include "figure/PDtype05.h"
#include "figure/TableAllocator.h"

namespace plandra {

using StepRefs = std::array<ObjRef, 6>;  // slot 0 unused

// An angle measurement's mark, kept for the renderer: the arc at Vertex from
// the ray towards From, turned by Degrees counterclockwise. One mark per
// measuring step, replaced when the step is measured again.
struct AngleMark {
  int Step = 0;
  double VertexX = 0, VertexY = 0;
  double FromX = 0, FromY = 0;
  double ToX = 0, ToY = 0;
  double Degrees = 0;
};

// Tables are one-based; index 0 exists and is never used. A table's upper
// bound is its size minus one and grows as the store's rules say. Counts and
// step numbers are int although the file holds them in 16 bits: none passes
// kMaxCount, and no loop over them can wrap.
struct Figure {
  int StoreCapacity = 0;
  int StepCount = 0;
  std::vector<std::string> StepKind;  // written only through SetStepKind
  std::vector<Kind> StepKindId;       // decoded StepKind, same bounds
  Table<StepRefs> StepIn;
  Table<StepRefs> StepOut;
  std::vector<int16_t> StepState;
  std::vector<int16_t> StepRev;
  std::vector<int> CurOut;
  std::array<int, 11> ElemCount{};

  Table<NumRec> NumTable, NumTablePrev;
  Table<PtRec> PtTable, PtTablePrev;
  Table<LnRec> LnTable, LnTablePrev;
  Table<CirRec> CirTable, CirTablePrev;

  // Recompute pass.
  int PassCount = 0;
  bool LastPass = false;
  int CurStep = 0;
  std::string CurKind;

  // Angle marks registered by the measurements during a recompute.
  std::vector<AngleMark> AngleMarks;
  bool AngleMarkRecording = true;

  // True when some step's kind code begins with "PO"; set by reading files.
  int16_t ComplexOpsUsed = 0;
};

template <class T, class Allocator>
int UpperBound(const std::vector<T, Allocator>& table) {
  return static_cast<int>(table.size()) - 1;
}

void ResetFigure(Figure& fig, int capacity);
void ClearFigure(Figure& fig);
void ClearElement(Figure& fig, ObjRef ref);
// Both refuse (return false, store unchanged) past kMaxCount.
bool ReserveElement(Figure& fig, int cls);
bool AppendStep(Figure& fig);
// The Exists field of an element, null when the reference names none. Inline
// with one switch: the marking sweeps read and set it for every step, many
// times a drag or a sample.
template <class Store>
auto* ExistsField(Store& fig, ObjRef ref) {
  using Field = std::conditional_t<std::is_const_v<Store>, const int16_t, int16_t>;
  auto in = [i = ref.Index](auto& table) -> Field* {
    return i >= 0 && i < static_cast<int>(table.size()) ? &table[static_cast<size_t>(i)].Exists
                                                        : nullptr;
  };
  switch (ref.Class) {
    case kClassNumber: return in(fig.NumTable);
    case kClassPoint: return in(fig.PtTable);
    case kClassLine: return in(fig.LnTable);
    case kClassCircle: return in(fig.CirTable);
    default: return static_cast<Field*>(nullptr);
  }
}
inline int16_t GetExists(const Figure& fig, ObjRef ref) {
  const int16_t* field = ExistsField(fig, ref);
  return field != nullptr ? *field : int16_t{0};
}
inline void SetExists(Figure& fig, ObjRef ref, int16_t value) {
  if (int16_t* field = ExistsField(fig, ref)) *field = value;
}
void SetStepOutputsExists(Figure& fig, int step, int16_t value);
void SetElementName(Figure& fig, ObjRef ref, std::string_view text);
void SnapshotTables(Figure& fig);

// Writes a step's kind text and its decoded id together.
void SetStepKind(Figure& fig, int step, std::string_view code);
std::string_view StepKindText(const Figure& fig, int step);  // trimmed

// Grows every table to hold at least the given capacity, keeping contents;
// used by merging.
void GrowFigure(Figure& fig, int capacity);
// Makes the table of class cls hold at least count elements.
void EnsureElementCapacity(Figure& fig, int cls, int count);

// The upper bound of the table of class cls (0..3); -1 for any other class.
int TableUpperBound(const Figure& fig, int cls);

// True when ref names an element within the counts (class taken mod 100).
bool RefInRange(const Figure& fig, ObjRef ref);
// A point index within the count and the table.
bool PointIndexValid(const Figure& fig, int index);

// Default name of a point at index i as ClearElement gives it.
std::string DefaultPointName(int index);

}  // namespace plandra
