#include "curves/TraceLists.h"

#include <algorithm>
#include <atomic>

namespace plandra {
namespace {

// Generations are never reused, not even by another program object's lists,
// so that no surface can take a picture it kept for traces of today.
uint64_t NewTraceGeneration() {
  static std::atomic<uint64_t> last{0};
  return ++last;
}

// The list keeps its entry 0 unused and grows by one block up to kMaxTraces;
// after that the newest trace takes the place of the oldest, so a long
// lesson with the switch on keeps drawing without end of memory.
template <class Rec>
void AppendTrace(LocusState& locus, std::vector<Rec>& list, int cls, const Rec& rec) {
  int& count = locus.TraceCount[cls];
  int& first = locus.TraceFirst[cls];
  if (count >= kMaxTraces) {
    list[static_cast<size_t>(first)] = rec;
    first = first % kMaxTraces + 1;
    locus.TraceGeneration = NewTraceGeneration();
    return;
  }
  ++count;
  if (static_cast<size_t>(count) >= list.size()) {
    list.resize(std::min(list.size() + kTraceGrowth, static_cast<size_t>(kMaxTraces) + 1));
  }
  list[static_cast<size_t>(count)] = rec;
}

template <class Rec>
void ResetList(std::vector<Rec>& list) {
  list.assign(static_cast<size_t>(kTraceStartSize) + 1, Rec{});
}

// A copy in its locus colour, kept when that colour is set.
template <class Rec>
void KeepInLocusColor(LocusState& locus, std::vector<Rec>& list, int cls, const Rec& rec) {
  if (rec.Style == kColorNone) return;
  Rec copy = rec;
  copy.Color = rec.Style;
  AppendTrace(locus, list, cls, copy);
}

// Where an element is drawn. Exists is left out: the dependency marking of a
// move's first step writes its own marks there.
std::array<double, 4> PlaceOf(const Figure& fig, ObjRef ref) {
  switch (ref.BaseClass()) {
    case kClassPoint: {
      const PtRec& pt = fig.PtTable[ref.Index];
      return {pt.X, pt.Y, 0, 0};
    }
    case kClassLine: {
      const LnRec& ln = fig.LnTable[ref.Index];
      return {ln.X1, ln.Y1, ln.DX, ln.DY};
    }
    default: {
      const CirRec& cir = fig.CirTable[ref.Index];
      return {cir.CX, cir.CY, cir.R, 0};
    }
  }
}

template <class Rec>
void WatchClass(const Table<Rec>& table, int cls, int count, int excluded, const Figure& fig,
                TraceWatch& watch) {
  for (int i = 1; i <= count && static_cast<size_t>(i) < table.size(); ++i) {
    if (table[static_cast<size_t>(i)].Style == kColorNone ||
        (cls == kClassPoint && i == excluded)) {
      continue;
    }
    watch.Refs.push_back(ObjRef::Of(cls, i));
    watch.Places.push_back(PlaceOf(fig, watch.Refs.back()));
  }
}

}  // namespace

LocusState::LocusState() { ClearTraces(*this); }

void ClearTraces(LocusState& locus) {
  ResetList(locus.TracePts);
  ResetList(locus.TraceLns);
  ResetList(locus.TraceCirs);
  locus.TraceCount = {};
  locus.TraceFirst = {1, 1, 1, 1};
  locus.TraceGeneration = NewTraceGeneration();
}

void AppendTracePoint(LocusState& locus, const PtRec& pt) {
  AppendTrace(locus, locus.TracePts, kClassPoint, pt);
}

void KeepTrace(LocusState& locus, const Figure& fig, ObjRef ref) {
  if (!RefInRange(fig, ref) || ref.BaseClass() < kClassPoint || ref.Index < 1) return;
  if (GetExists(fig, ref) == 0) return;
  switch (ref.BaseClass()) {
    case kClassPoint:
      KeepInLocusColor(locus, locus.TracePts, kClassPoint, fig.PtTable[ref.Index]);
      break;
    case kClassLine:
      KeepInLocusColor(locus, locus.TraceLns, kClassLine, fig.LnTable[ref.Index]);
      break;
    default: KeepInLocusColor(locus, locus.TraceCirs, kClassCircle, fig.CirTable[ref.Index]); break;
  }
}

void KeepDraggedPointTrace(LocusState& locus, const Figure& fig, int point, int16_t markBefore,
                           int16_t styleBefore) {
  if (!PointIndexValid(fig, point) || GetExists(fig, ObjRef::Of(kClassPoint, point)) == 0) return;
  KeepInLocusColor(locus, locus.TracePts, kClassPoint,
                   DrawnBefore(fig.PtTable[point], markBefore, styleBefore));
}

PtRec DrawnBefore(const PtRec& pt, int16_t markBefore, int16_t styleBefore) {
  PtRec drawn = pt;
  drawn.Mark = markBefore;
  if (styleBefore != 0) drawn.Style = styleBefore;
  return drawn;
}

TraceWatch WatchTracedElements(const Figure& fig, int excludedPoint) {
  TraceWatch watch;
  WatchClass(fig.PtTable, kClassPoint, fig.ElemCount[kClassPoint], excludedPoint, fig, watch);
  WatchClass(fig.LnTable, kClassLine, fig.ElemCount[kClassLine], 0, fig, watch);
  WatchClass(fig.CirTable, kClassCircle, fig.ElemCount[kClassCircle], 0, fig, watch);
  return watch;
}

std::vector<ObjRef> MovedElements(const Figure& fig, const TraceWatch& watch) {
  std::vector<ObjRef> moved;
  for (size_t i = 0; i < watch.Refs.size(); ++i) {
    if (PlaceOf(fig, watch.Refs[i]) != watch.Places[i]) moved.push_back(watch.Refs[i]);
  }
  return moved;
}

void DrawTraces(const LocusState& locus, RenderContext& r, const std::array<int, 4>& from) {
  const std::array<int, 4>& count = locus.TraceCount;
  const std::array<int, 4>& first = locus.TraceFirst;
  ForEachTrace(locus.TracePts, count[kClassPoint], first[kClassPoint], from[kClassPoint],
               [&r](const PtRec& pt) { DrawPointMark(r, pt); });
  ForEachTrace(locus.TraceLns, count[kClassLine], first[kClassLine], from[kClassLine],
               [&r](const LnRec& ln) { DrawLine(r, ln); });
  ForEachTrace(locus.TraceCirs, count[kClassCircle], first[kClassCircle], from[kClassCircle],
               [&r](const CirRec& cir) { DrawCircle(r, cir); });
}

TraceListState TraceStateOf(const LocusState& locus) {
  TraceListState state{locus.TraceGeneration, locus.TraceCount, false};
  // A blinking mark changes colour at every frame: such traces are drawn anew.
  ForEachTrace(locus.TracePts, locus.TraceCount[kClassPoint], locus.TraceFirst[kClassPoint], 0,
               [&state](const PtRec& pt) {
                 state.Animated |= pt.Mark >= kMarkBlinkFirst && pt.Mark <= kMarkBlinkLast;
               });
  return state;
}

void WireTraceLayer(RenderLayers& layers, const LocusState& locus) {
  layers.DrawTraces = [&locus](RenderContext& r, const std::array<int, 4>& from) {
    DrawTraces(locus, r, from);
  };
  layers.TraceState = [&locus] { return TraceStateOf(locus); };
}

}  // namespace plandra
