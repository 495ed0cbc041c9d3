// The traces elements leave while the figure is deformed with the locus
// switch on: the lists, what a move adds to them, and their drawing. The
// window and the web viewer keep them alike.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "figure/PDtype05.h"
#include "figure/PDvar05.h"
#include "view/PDDraw05.h"

namespace plandra {

constexpr int kTraceStartSize = 200;
constexpr int kTraceGrowth = 50;
// Traces kept of each class; past it each new trace takes the oldest one's place.
constexpr int kMaxTraces = kMaxCount;

struct LocusState {
  int16_t LocusOn = kFalse;
  // 1-based like the element tables; the sizes grow in blocks of 50 up to
  // kMaxTraces. A full list is a ring: its oldest trace is at TraceFirst.
  std::vector<PtRec> TracePts;
  std::vector<LnRec> TraceLns;
  std::vector<CirRec> TraceCirs;
  std::array<int, 4> TraceCount{};  // by class: 1 points, 2 lines, 3 circles
  std::array<int, 4> TraceFirst{1, 1, 1, 1};
  int LocusNum = 0;  // the number chosen with mnuLocusSetN; 0 none
  // Changes whenever the lists change other than by a new trace at the end,
  // so that a picture kept of them is not taken for theirs.
  uint64_t TraceGeneration = 0;

  LocusState();
};

// Empty lists of 200 entries each.
void ClearTraces(LocusState& locus);
// A copy of the record, whatever its locus colour (event scripts use it); a
// full list drops its oldest trace for it.
void AppendTracePoint(LocusState& locus, const PtRec& pt);
// A copy of an existing element in its locus colour, when that colour is set.
void KeepTrace(LocusState& locus, const Figure& fig, ObjRef ref);
// The dragged point's record as drawn at the previous step: its mark then,
// and its locus colour then when one was set.
PtRec DrawnBefore(const PtRec& pt, int16_t markBefore, int16_t styleBefore);
// The dragged point where it stands, drawn as at the previous step.
void KeepDraggedPointTrace(LocusState& locus, const Figure& fig, int point, int16_t markBefore,
                           int16_t styleBefore);

// The places of the traced elements before a move, so that the elements the
// move carried leave a trace where the redraw put them.
struct TraceWatch {
  std::vector<ObjRef> Refs;
  std::vector<std::array<double, 4>> Places;
};
// The excluded point is traced by the move itself.
TraceWatch WatchTracedElements(const Figure& fig, int excludedPoint);
// The watched elements whose place the move changed.
std::vector<ObjRef> MovedElements(const Figure& fig, const TraceWatch& watch);

// The traces of a list from the oldest to the newest, less the first from.
template <class Rec, class Visit>
void ForEachTrace(const std::vector<Rec>& list, int count, int first, int from, Visit visit) {
  for (int k = from > 0 ? from : 0; k < count; ++k) {
    visit(list[static_cast<size_t>((first - 1 + k) % count + 1)]);
  }
}

// The traces of each class past from[class], in their stored colour,
// beneath the elements of a frame.
void DrawTraces(const LocusState& locus, RenderContext& r, const std::array<int, 4>& from);
// What the kept beginning of a frame needs to know of the traces.
TraceListState TraceStateOf(const LocusState& locus);
// A frame's trace layer drawn from the lists, which must outlive it.
void WireTraceLayer(RenderLayers& layers, const LocusState& locus);

}  // namespace plandra
