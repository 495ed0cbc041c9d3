#include "core/locus/PdLocus.h"

#include <memory>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/language/TranslatedText.h"
#include "core/locus/MeasureRecord.h"
#include "core/menus/MenuBar.h"
#include "curves/SampledLocusCurves.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::string_view kLocusOnText = "軌";
constexpr std::string_view kLocusOffText = "×軌";

}  // namespace

void AddTrace(Program& p, ObjRef ref) {
  if (!RefInRange(p.Fig, ref) || ref.BaseClass() < kClassPoint || ref.Index < 1) return;
  if (GetExists(p.Fig, ref) == 0) return;
  bool on = p.Locus.LocusOn != kFalse;
  DrawElement(p, ref, on ? kOverrideLocus : kOverrideErase, kSourceCurrent);
  if (on) KeepTrace(p.Locus, p.Fig, ref);
}

void WireLocusLayer(Program& p, double locusWorkPerFrame) {
  WireTraceLayer(p.Layers, p.Locus);
  // The curves are kept with the layer that draws them, from frame to frame.
  auto curves = std::make_shared<SampledLocusCurves>();
  SetFrameWork(*curves, locusWorkPerFrame);
  p.Layers.DrawSampledLoci = [curves](RenderContext& r) { DrawSampledLoci(*curves, r); };
  p.Layers.SampledLociUnfinished = [curves] { return curves->Unfinished; };
}

TraceWatch WatchTracedElements(const Program& p, int excludedPoint) {
  if (p.Locus.LocusOn == kFalse) return {};
  return WatchTracedElements(p.Fig, excludedPoint);
}

void TraceMovedElements(Program& p, const TraceWatch& watch) {
  for (ObjRef moved : MovedElements(p.Fig, watch)) AddTrace(p, moved);
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
