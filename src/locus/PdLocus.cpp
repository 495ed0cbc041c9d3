#include "locus/PdLocus.h"

#include <algorithm>
#include <atomic>
#include <memory>

#include "app/MainModel.h"
#include "app/MenuBar.h"
#include "app/Program.h"
#include "app/Refresh.h"
#include "app/TranslatedText.h"
#include "locus/MeasureRecord.h"
#include "locus/SampledLocusCurves.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::string_view kLocusOnText = "軌";
constexpr std::string_view kLocusOffText = "×軌";

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

// The traces of a list from the oldest to the newest, less the first from.
template <class Rec, class Draw>
void ForEachTrace(const std::vector<Rec>& list, int count, int first, int from, Draw draw) {
  for (int k = std::max(from, 0); k < count; ++k) {
    draw(list[static_cast<size_t>((first - 1 + k) % count + 1)]);
  }
}

template <class Rec>
void ResetList(std::vector<Rec>& list) {
  list.assign(static_cast<size_t>(kTraceStartSize) + 1, Rec{});
}

// A copy in its locus colour, kept when that colour is set.
template <class Rec>
void KeepTrace(LocusState& locus, std::vector<Rec>& list, int cls, const Rec& rec) {
  if (rec.Style == kColorNone) return;
  Rec copy = rec;
  copy.Color = rec.Style;
  AppendTrace(locus, list, cls, copy);
}

void KeepTraceOf(LocusState& locus, const Figure& fig, ObjRef ref) {
  switch (ref.BaseClass()) {
    case kClassPoint: KeepTrace(locus, locus.TracePts, kClassPoint, fig.PtTable[ref.Index]); break;
    case kClassLine: KeepTrace(locus, locus.TraceLns, kClassLine, fig.LnTable[ref.Index]); break;
    default: KeepTrace(locus, locus.TraceCirs, kClassCircle, fig.CirTable[ref.Index]); break;
  }
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
void WatchClass(const std::vector<Rec>& table, int cls, int count, int excluded, const Figure& fig,
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

void AddTrace(Program& p, ObjRef ref) {
  if (!RefInRange(p.Fig, ref) || ref.BaseClass() < kClassPoint || ref.Index < 1) return;
  if (GetExists(p.Fig, ref) == 0) return;
  bool on = p.Locus.LocusOn != kFalse;
  DrawElement(p, ref, on ? kOverrideLocus : kOverrideErase, kSourceCurrent);
  if (on) KeepTraceOf(p.Locus, p.Fig, ref);
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

void WireLocusLayer(Program& p) {
  p.Layers.DrawTraces = [&locus = p.Locus](RenderContext& r, const std::array<int, 4>& from) {
    DrawTraces(locus, r, from);
  };
  p.Layers.TraceState = [&locus = p.Locus] { return TraceStateOf(locus); };
  // The curves are kept with the layer that draws them, from frame to frame.
  p.Layers.DrawSampledLoci = [curves = std::make_shared<SampledLocusCurves>()](RenderContext& r) {
    DrawSampledLoci(*curves, r);
  };
}

TraceWatch WatchTracedElements(const Program& p, int excludedPoint) {
  TraceWatch watch;
  if (p.Locus.LocusOn == kFalse) return watch;
  const Figure& fig = p.Fig;
  WatchClass(fig.PtTable, kClassPoint, fig.ElemCount[kClassPoint], excludedPoint, fig, watch);
  WatchClass(fig.LnTable, kClassLine, fig.ElemCount[kClassLine], 0, fig, watch);
  WatchClass(fig.CirTable, kClassCircle, fig.ElemCount[kClassCircle], 0, fig, watch);
  return watch;
}

void TraceMovedElements(Program& p, const TraceWatch& watch) {
  for (size_t i = 0; i < watch.Refs.size(); ++i) {
    if (PlaceOf(p.Fig, watch.Refs[i]) != watch.Places[i]) AddTrace(p, watch.Refs[i]);
  }
}

void ShowLocusSwitch(Program& p) {
  bool on = p.Locus.LocusOn != kFalse;
  StatusPanel& panel = p.Status.Panel(kLocusPanel);
  panel.Text = Translate(p.Lang, on ? kLocusOnText : kLocusOffText);
  panel.Bevel = on ? PanelBevel::kInset : PanelBevel::kRaised;
  if (MenuItem* item = FindMenuItem(p.Menu, "mnuLocusSW")) item->Checked = on;
}

void ToggleLocus(Program& p) {
  p.Locus.LocusOn = p.Locus.LocusOn != kFalse ? kFalse : kTrue;
  ShowLocusSwitch(p);
  if (p.Locus.LocusOn != kFalse) {
    RearmRecordReport(p.Record);
    RecordCommand(p, "open");
  } else {
    RecordCommand(p, "close");
  }
  RefreshModeDisplay(p);
}

void mnuLocusReset(Program& p) {
  ResetLocus(p);
  Redraw(p);
}

void ResetLocus(Program& p) {
  ClearTraces(p.Locus);
  RecordCommand(p, "new");
}

void mnuLocusSetN(Program& p) {
  ModePush(p.Modes, kModeNumTrace, HostOf(p));
  RefreshModeDisplay(p);
  if (p.Build.OpenNumberDialog) {
    p.Build.OpenNumberDialog(p);
    return;
  }
  // No number chooser to answer: leave at once rather than wait in mode 71.
  ModePop(p.Modes, HostOf(p));
  RefreshModeDisplay(p);
  HostOf(p).Beep();
}

void mnuLocusNumClear(Program& p) { p.Locus.LocusNum = 0; }

}  // namespace plandra
