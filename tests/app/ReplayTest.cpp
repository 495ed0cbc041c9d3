#include <gtest/gtest.h>

#include "app/FigDataView.h"
#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "app/Replay.h"
#include "core/MainModel.h"
#include "core/ViewCommands.h"
#include "support/AppFixture.h"
#include "support/RecordingSurface.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

constexpr RgbColor kRed{255, 0, 0};

class ReplayTest : public ::testing::Test {
 protected:
  ReplayTest() {
    p.Canvas = &surface;
    ResetFigure(p.Fig, 200);
    SetScreen(p);
  }

  int16_t SlowTimer() { return static_cast<int16_t>(app.Host.Timers[TimerId::kDrawSlow]); }

  // Circles are the marks of the free points (mark 2).
  size_t PointMarksDrawn() const { return surface.Of(CallKind::kCircle).size(); }

  AppFixture app;
  Program& p = app.P;
  RecordingSurface surface;
};

TEST_F(ReplayTest, AConstructedFirstPointShowsNoFreePointsAtTheStart) {
  int16_t a = AddNumber(p.Fig, 1);
  int16_t b = AddNumber(p.Fig, 2);
  int16_t built = AddStep(p.Fig, "PXY", {{kClassNumber, a}, {kClassNumber, b}});
  PtRec& pt = p.Fig.PtTable[built];
  pt.X = 1;
  pt.Y = 2;
  pt.Exists = kTrue;
  pt.Mark = kMarkSquare;
  AddFreePoint(p.Fig, 3, 4);
  surface.Calls.clear();

  EXPECT_EQ(RunMenuCommand(p, "mnuFigData_Redraw").Status, CommandStatus::kDone);
  EXPECT_EQ(CurrentMode(p.Modes), kModeReplay);
  EXPECT_EQ(SlowTimer(), 500);
  EXPECT_EQ(PointMarksDrawn(), 0u);  // the free point 2 waits for its step
  ASSERT_FALSE(surface.Of(CallKind::kBox).empty());
  EXPECT_EQ(surface.Of(CallKind::kBox).back().Color, kRed);  // step 1 in red
  EXPECT_EQ(p.Status.Panel(kLocusPanel).Text, StepText(p.Fig, p.Lang, 1));
  EXPECT_FALSE(p.Status.Panel(kLocusPanel).Text.empty());
  uint32_t redraws = p.Draw.RedrawCount;

  // The next tick shows the last step and ends with a full redraw.
  OnTimer(p, TimerId::kDrawSlow);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(SlowTimer(), 0);
  EXPECT_FALSE(p.Window.ReplayTimerOn);
  EXPECT_EQ(p.Status.Panel(kLocusPanel).Text, "×軌");  // the switch again
  EXPECT_EQ(p.Draw.RedrawCount, redraws + 1);
  EXPECT_GE(PointMarksDrawn(), 1u);
}

TEST_F(ReplayTest, FreePointsFirstAndAFigureWithoutStepsEndsAtOnce) {
  AddFreePoint(p.Fig, 0, 0);
  AddFreePoint(p.Fig, 1, 0);
  ReplayFigure(p, 1);
  // Both free points at the start, then step 1's point again in red.
  EXPECT_EQ(PointMarksDrawn(), 3u);
  EXPECT_EQ(surface.Of(CallKind::kCircle).back().Color, kRed);
  ReplayFigure(p, -1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);

  ResetFigure(p.Fig, 200);
  uint32_t redraws = p.Draw.RedrawCount;
  int16_t depth = p.Modes.Depth;
  ReplayFigure(p, 1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Modes.Depth, depth);
  EXPECT_EQ(SlowTimer(), 0);
  EXPECT_EQ(p.Draw.RedrawCount, redraws + 1);
  EXPECT_EQ(app.Host.Beeps, 0);
}

TEST_F(ReplayTest, KeysEndOrStepTheReplay) {
  for (int i = 0; i < 4; ++i) AddFreePoint(p.Fig, i, 0);
  ReplayFigure(p, 1);
  EXPECT_EQ(KeyDown(p, 'A', false), KeyResult::kHandled);
  EXPECT_EQ(SlowTimer(), 0);  // stepping by hand from now on
  EXPECT_EQ(p.Draw.ReplayStep, 2);
  EXPECT_EQ(CurrentMode(p.Modes), kModeReplay);
  EXPECT_EQ(p.Status.Panel(kLocusPanel).Text, StepText(p.Fig, p.Lang, 2));

  uint32_t redraws = p.Draw.RedrawCount;
  KeyDown(p, kKeyEscape, false);
  EXPECT_EQ(p.Draw.ReplayStep, 4);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Draw.RedrawCount, redraws + 1);
  // A tick left over after the end only stops the timer.
  app.Host.Timers[TimerId::kDrawSlow] = 300;
  OnTimer(p, TimerId::kDrawSlow);
  EXPECT_EQ(SlowTimer(), 0);
  EXPECT_EQ(p.Draw.ReplayStep, 4);
  EXPECT_EQ(app.Host.Beeps, 0);
}

TEST_F(ReplayTest, IntervalZeroRunsAtThreeHundredMilliseconds) {
  AddFreePoint(p.Fig, 0, 0);
  AddFreePoint(p.Fig, 1, 0);
  p.Config.RedrawSlow = 0;
  ReplayFigure(p, 1);
  EXPECT_EQ(SlowTimer(), 300);
  EXPECT_TRUE(p.Window.ReplayTimerOn);
  p.Config.RedrawSlow = 1000;
  ReplayFigure(p, -1);
  ReplayFigure(p, 1);
  EXPECT_EQ(SlowTimer(), 1000);

  // Started again from the help menu while it runs: one mode entry only.
  int16_t depth = p.Modes.Depth;
  EXPECT_EQ(RunMenuCommand(p, "mnuFigData_Redraw").Status, CommandStatus::kDone);
  EXPECT_EQ(p.Modes.Depth, depth);
  EXPECT_EQ(p.Draw.ReplayStep, 1);
  ReplayFigure(p, -1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Modes.Depth, depth - 1);
}

}  // namespace
}  // namespace plandra::test
