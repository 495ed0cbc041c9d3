// The map steps in the figure: their references, their inputs and outputs,
// and where their matrices are shown.
#include <array>

#include "engine/MapEval.h"

namespace plandra {
namespace {

// A map step with its continuation holds at most 5 + 4 inputs and 5 + 5
// outputs.
// Fixed arrays: the recompute runs at every mouse move.
struct MapRefs {
  std::array<ObjRef, 9> In{};
  size_t InCount = 0;
  std::array<ObjRef, 10> Out{};
  size_t OutCount = 0;
};

using MapPoints = std::array<MapPt, 9>;

// Inputs and outputs carried by the continuation step of each kind.
int ContinuationInputs(Kind kind) { return kind == Kind::PT6 ? 2 : 4; }

bool HasContinuation(const Figure& fig, int step) {
  return step + 1 <= fig.StepCount && fig.StepKindId[step + 1] == Kind::PT62;
}

template <size_t N>
void AddSlots(const StepRefs& refs, int count, std::array<ObjRef, N>& into, size_t& used) {
  for (int k = 1; k <= count && used < N; ++k) into[used++] = refs[k];
}

MapRefs GatherRefs(const Figure& fig, int step, Kind kind) {
  MapRefs refs;
  AddSlots(fig.StepIn[step], 5, refs.In, refs.InCount);
  AddSlots(fig.StepOut[step], 5, refs.Out, refs.OutCount);
  if (kind != Kind::PT5 && HasContinuation(fig, step)) {
    AddSlots(fig.StepIn[step + 1], ContinuationInputs(kind), refs.In, refs.InCount);
    AddSlots(fig.StepOut[step + 1], 5, refs.Out, refs.OutCount);
  }
  return refs;
}

bool ReadPoint(const Figure& fig, ObjRef ref, MapPt& pt) {
  if (ref.BaseClass() != kClassPoint || !RefInRange(fig, ref)) return false;
  const PtRec& rec = fig.PtTable[ref.Index];
  if (rec.Exists == 0) return false;
  pt = {rec.X, rec.Y};
  return true;
}

bool ReadPoints(const Figure& fig, const MapRefs& refs, MapPoints& pts) {
  for (size_t k = 0; k < refs.InCount; ++k) {
    if (!ReadPoint(fig, refs.In[k], pts[k])) return false;
  }
  return true;
}

PtRec* ImageRecord(Figure& fig, const MapRefs& refs) {
  ObjRef ref = refs.Out[0];
  if (ref.BaseClass() != kClassPoint || !RefInRange(fig, ref)) return nullptr;
  return &fig.PtTable[ref.Index];
}

NumRec* EntryRecord(Figure& fig, const MapRefs& refs, size_t entry) {
  if (entry + 1 >= refs.OutCount) return nullptr;
  ObjRef ref = refs.Out[entry + 1];
  if (ref.BaseClass() != kClassNumber || !RefInRange(fig, ref)) return nullptr;
  return &fig.NumTable[ref.Index];
}

void MarkOutputsMissing(Figure& fig, const MapRefs& refs) {
  if (PtRec* image = ImageRecord(fig, refs)) image->Exists = kFalse;
  for (size_t e = 0; e + 1 < refs.OutCount; ++e) {
    if (NumRec* entry = EntryRecord(fig, refs, e)) entry->Exists = kFalse;
  }
}

void WriteResult(Figure& fig, const MapRefs& refs, const MapResult& result) {
  if (PtRec* image = ImageRecord(fig, refs)) {
    image->Exists = result.ImageExists ? kTrue : kFalse;
    if (result.ImageExists) {
      image->X = result.Image.X;
      image->Y = result.Image.Y;
    }
  }
  if (!result.EntriesValid) return;
  for (int i = 1; i <= result.A.Rows; ++i) {
    for (int j = 1; j <= result.A.Cols; ++j) {
      NumRec* entry = EntryRecord(fig, refs, static_cast<size_t>((i - 1) * result.A.Cols + j - 1));
      if (entry == nullptr) continue;
      entry->Value = result.A(i, j);
      entry->Exists = kTrue;
    }
  }
}

MapResult ApplyMap(Kind kind, const MapPoints& p) {
  switch (kind) {
    case Kind::PT5: return MapLinear(p[0], p[1], p[2], p[3], p[4]);
    case Kind::PT6: return MapAffine(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
    default: return MapProjective(p[0], {p[1], p[2], p[3], p[4]}, {p[5], p[6], p[7], p[8]});
  }
}

size_t InputCount(Kind kind) { return kind == Kind::PT5 ? 5 : 5 + ContinuationInputs(kind); }

void ShowMatrices(const Figure& fig, Kind kind, const MapResult& result,
                  const MatrixDisplay* display) {
  if (display == nullptr || !display->Show) return;
  if (kind == Kind::PT7) display->Show("M2=", result.FQ);
  bool mapStepInLastPass = ShowsFinalMatrix(DecodeKind(fig.CurKind));
  if (display->MatrixShowSwitch != kFalse && mapStepInLastPass && result.EntriesValid) {
    display->Show("M=", result.A);
  }
}

}  // namespace

void EvalTransformStep(Figure& fig, int step, const MatrixDisplay* display) {
  if (step < 1 || step > fig.StepCount) return;
  Kind kind = fig.StepKindId[step];
  if (kind != Kind::PT5 && kind != Kind::PT6 && kind != Kind::PT7) return;
  MapRefs refs = GatherRefs(fig, step, kind);
  MapPoints points{};
  if (refs.InCount != InputCount(kind) || !ReadPoints(fig, refs, points)) {
    MarkOutputsMissing(fig, refs);
    return;
  }
  MapResult result = ApplyMap(kind, points);
  WriteResult(fig, refs, result);
  ShowMatrices(fig, kind, result, display);
}

}  // namespace plandra
