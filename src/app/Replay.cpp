#include "app/Replay.h"

#include "app/FigDataView.h"
#include "app/KeyDispatch.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/locus/PdLocus.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr int16_t kForceRed = 21;  // override: colour 1 whatever the element's own

void DrawStepOutputs(Program& p, int step, int16_t colorOverride) {
  if (step < 1 || step > p.Fig.StepCount) return;
  for (int slot = 1; slot <= 5; ++slot) {
    ObjRef out = p.Fig.StepOut[static_cast<size_t>(step)][static_cast<size_t>(slot)];
    // Numbers have no picture of their own.
    if (out.Index == 0 || out.BaseClass() < kClassPoint || out.BaseClass() > kClassCircle) continue;
    DrawElement(p, ObjRef{out.BaseClass(), out.Index}, colorOverride, kSourceCurrent);
  }
}

// The leading run of movable points; the first constructed point ends it.
void DrawLeadingFreePoints(Program& p) {
  for (int i = 1; i <= p.Fig.ElemCount[kClassPoint]; ++i) {
    if (p.Fig.PtTable[static_cast<size_t>(i)].BoundMode == 0) break;
    DrawElement(p, ObjRef::Of(kClassPoint, i), 0, kSourceCurrent);
  }
}

void StartReplay(Program& p) {
  p.Draw.ReplayStep = 1;
  if (p.Canvas) p.Canvas->Clear();
  // The help menu stays open during the replay: starting again restarts it
  // on the same mode entry, so that its end pops the only one.
  if (CurrentMode(p.Modes) != kModeReplay) ModePush(p.Modes, kModeReplay, *p.Host);
  RefreshModeDisplay(p);
  DrawLeadingFreePoints(p);
  int interval = p.Config.RedrawSlow > 0 ? p.Config.RedrawSlow : kReplayFallbackIntervalMs;
  p.Host->SetTimer(TimerId::kDrawSlow, interval);
  p.Window.ReplayTimerOn = true;
}

void EndReplay(Program& p) {
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
  p.Host->SetTimer(TimerId::kDrawSlow, 0);
  p.Window.ReplayTimerOn = false;
  ShowLocusSwitch(p);
  Redraw(p);
}

}  // namespace

void ReplayFigure(Program& p, int argument) {
  DrawState& draw = p.Draw;
  if (argument == 1) {
    StartReplay(p);
  } else if (argument == 0) {
    // A tick that arrives after the replay ended has nothing to show.
    if (CurrentMode(p.Modes) != kModeReplay) return;
    ++draw.ReplayStep;
  } else if (argument == -1) {
    if (CurrentMode(p.Modes) != kModeReplay) return;
    draw.ReplayStep = p.Fig.StepCount;
  } else {
    return;
  }
  DrawStepOutputs(p, draw.ReplayStep - 1, 0);
  bool inRange = draw.ReplayStep >= 1 && draw.ReplayStep <= p.Fig.StepCount;
  p.Status.Panel(kLocusPanel).Text = inRange ? StepText(p.Fig, p.Lang, draw.ReplayStep) : "";
  DrawStepOutputs(p, draw.ReplayStep, kForceRed);
  if (draw.ReplayStep >= p.Fig.StepCount) EndReplay(p);
}

void mnuFigData_Redraw(Program& p) { ReplayFigure(p, 1); }

void ReplayKeyDown(Program& p, int16_t key) {
  if (key == kKeyEscape) {
    ReplayFigure(p, -1);
    return;
  }
  if (p.Window.ReplayTimerOn) {
    p.Host->SetTimer(TimerId::kDrawSlow, 0);
    p.Window.ReplayTimerOn = false;
  }
  ReplayFigure(p, 0);
}

}  // namespace plandra
