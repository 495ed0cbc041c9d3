#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/drag/PDdeform05.h"
#include "core/pick/PDSelObj.h"
#include "support/AppFixture.h"
#include "support/RecordingSurface.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddStep;
using test::AppFixture;

constexpr double kPixel = kDefaultPixelSize;

InputEvent Left(double x, double y, int16_t shift = 0) {
  return {.X = x, .Y = y, .Button = kButtonLeft, .Shift = shift};
}

int16_t AddLineThrough(Figure& fig, int16_t a, int16_t b, int16_t lineKind = 0) {
  int16_t line = AddStep(fig, "L1", {{kClassPoint, a}, {kClassPoint, b}});
  fig.LnTable[line].LineKind = lineKind;
  fig.LnTable[line].Color = kColorBlack;
  return line;
}

int16_t AddCircleThrough(Figure& fig, int16_t centre, int16_t onCircle) {
  return AddStep(fig, "C2", {{kClassPoint, centre}, {kClassPoint, onCircle}});
}

int16_t AddBoundPoint(Figure& fig, int16_t hostClass, int16_t host, double param) {
  int16_t index = test::AddPointOnHost(fig, {hostClass, host}, param);
  fig.PtTable[index].Mark = kMarkCircle;
  return index;
}

std::vector<int16_t> Stack(const ModeState& modes) {
  return {modes.ModeStack.begin() + 1, modes.ModeStack.begin() + modes.Depth + 1};
}

// Picks a point in mode 13 or 62: the first click makes it current, the
// second accepts it.
void ChoosePoint(AppFixture& f, const PtRec& pt) {
  MouseDown(f.P, Left(pt.X, pt.Y));
  MouseDown(f.P, Left(pt.X, pt.Y));
}

struct Fixture : AppFixture {
  Fixture() { ResetFigure(P.Fig, 40); }
  Figure& Fig() { return P.Fig; }
};

TEST(Deform, PixelSnapping) {
  EXPECT_NEAR(SnapToPixel(0.12, 0.05), 0.15, 1e-12);
  EXPECT_NEAR(SnapToPixel(-0.12, 0.05), -0.15, 1e-12);
  EXPECT_EQ(SnapToPixel(0, 0.05), 0);
  EXPECT_EQ(SnapToPixel(0.12, 0), 0.12);
  EXPECT_NEAR(SnapToPixel(-3, 0.05), -3, 1e-12);
}

TEST(Deform, FreePointDragFromTheStandardMode) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 4, 0);
  int16_t line = AddLineThrough(fig, a, b);
  test::RecordingSurface surface{641, 481};
  f.P.Canvas = &surface;
  SetScreen(f.P);
  Redraw(f.P);
  // The small ring of the dragged mark around the point, drawn at a move.
  auto draggedRings = [&] {
    int rings = 0;
    for (const test::SurfaceCall& c : surface.Of(test::CallKind::kCircle)) {
      if (std::fabs(c.X1 - fig.PtTable[a].X) < 1e-9 && std::fabs(c.X2 - 2.5 * kPixel) < 1e-9)
        ++rings;
    }
    return rings;
  };

  MouseDown(f.P, Left(0.1, 0.1));
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeDrag}));
  EXPECT_EQ(f.P.Deform.DraggedPoint, a);
  EXPECT_EQ(f.P.Deform.FirstMoveFlag, kTrue);
  surface.Calls.clear();
  MouseMove(f.P, Left(1.02, 2.02));
  EXPECT_POINT_NEAR(1.05, 2.05, fig.PtTable[a], 1e-9);
  EXPECT_NEAR(fig.LnTable[line].X1, 1.05, 1e-9);  // the construction follows
  EXPECT_NEAR(fig.LnTable[line].Y1, 2.05, 1e-9);
  EXPECT_EQ(draggedRings(), 1);                 // drawn enlarged
  EXPECT_EQ(fig.PtTable[a].Mark, kMarkCircle);  // the figure keeps its own mark
  EXPECT_EQ(f.P.Draw.DraggedPoint, 0);
  EXPECT_EQ(f.P.Deform.DragMarkPrev, kMarkDragged);
  surface.Calls.clear();
  Redraw(f.P);
  EXPECT_EQ(draggedRings(), 0);  // an ordinary redraw draws its own mark
  EXPECT_EQ(f.P.Deform.FirstMoveFlag, 0);

  MouseMove(f.P, {.X = 5, .Y = 5});  // no button held: nothing moves
  EXPECT_POINT_NEAR(1.05, 2.05, fig.PtTable[a], 1e-9);
  int redraws = f.Redraws();
  MouseUp(f.P, Left(5, 5));
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Redraws(), redraws + 1);
  EXPECT_EQ(f.Host.Beeps, 0);
}

// A finger covers more than a mouse's tip: it takes a point from farther
// off, up to its own reach and no farther.
TEST(Deform, AFingerTakesAPointFromFartherThanAMouse) {
  Fixture f;
  int16_t a = AddFreePoint(f.Fig(), 0, 0);
  SetScreen(f.P);
  Redraw(f.P);
  auto pressAt = [&](double pixels, bool finger) {
    InputEvent press = Left(pixels * kPixel, 0);
    press.Finger = finger;
    MouseDown(f.P, press);
    const bool dragging = f.P.Deform.DraggedPoint == a && Stack(f.P.Modes).size() == 2;
    MouseUp(f.P, press);
    f.P.Deform.DraggedPoint = 0;
    return dragging;
  };
  EXPECT_FALSE(pressAt(30, false));  // a free point is taken within 20 pixels
  EXPECT_TRUE(pressAt(30, true));
  EXPECT_TRUE(pressAt(39, true));
  EXPECT_FALSE(pressAt(41, true));
}

TEST(Deform, PointOnASegmentIsHeldAtItsEnds) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 4, 0);
  int16_t segment = AddLineThrough(fig, a, b, 1);
  int16_t on = AddBoundPoint(fig, kClassLine, segment, 1);
  Redraw(f.P);
  RunMenuCommand(f.P, "mnuDeform1Pt");
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeDeform, kModePickDeform}));
  EXPECT_EQ(f.P.Status.Panel(kModePanel).Text, "選択");
  ChoosePoint(f, fig.PtTable[on]);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeDeform}));
  EXPECT_EQ(f.P.Deform.DraggedPoint, on);
  EXPECT_TRUE(f.P.Draw.Highlights.empty());  // the candidate marks are gone

  MouseDown(f.P, Left(2.02, 3));  // a press moves too: to the projection
  EXPECT_POINT_NEAR(2.05, 0, fig.PtTable[on], 1e-9);
  EXPECT_NEAR(fig.PtTable[on].Param, 2.05, 1e-9);
  MouseMove(f.P, Left(6.02, 1));
  EXPECT_POINT_NEAR(4, 0, fig.PtTable[on], 1e-9);
  EXPECT_NEAR(fig.PtTable[on].Param, 4, 1e-9);
  EXPECT_EQ(f.Host.Beeps, 1);
  MouseMove(f.P, Left(-3.02, 0));
  EXPECT_POINT_NEAR(0, 0, fig.PtTable[on], 1e-9);
  EXPECT_EQ(f.Host.Beeps, 2);
  MouseUp(f.P, Left(-3, 0));
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeDeform);  // mode 6 stays after the release
}

TEST(Deform, WholeLineDragKeepsTheOffsets) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 4, 0);
  int16_t line = AddLineThrough(fig, a, b);
  // Through two freely movable points, the line itself can be taken.
  Redraw(f.P);
  EXPECT_EQ(fig.LnTable[line].Draggable, kTrue);
  MouseDown(f.P, Left(2, 0.05));
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeDrag);
  EXPECT_EQ(f.P.Deform.DraggedLine, (ObjRef{kClassLine, line}));
  EXPECT_EQ(f.P.Deform.DraggedPoint, 0);
  MouseMove(f.P, Left(3.02, 1.02));
  EXPECT_POINT_NEAR(1.05, 1.0, fig.PtTable[a], 1e-9);
  EXPECT_POINT_NEAR(5.05, 1.0, fig.PtTable[b], 1e-9);
  EXPECT_NEAR(fig.LnTable[line].Y1, 1.0, 1e-9);
  EXPECT_NEAR(fig.LnTable[line].X2, 5.05, 1e-9);
  MouseUp(f.P, Left(3, 1));
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);

  // A point that cannot be moved freely holds the line.
  fig.PtTable[b].BoundMode = 0;
  Redraw(f.P);
  EXPECT_EQ(fig.LnTable[line].Draggable, kFalse);
  MouseDown(f.P, Left(3, 1.05));
  EXPECT_NE(CurrentMode(f.P.Modes), kModeDrag);
  MouseMove(f.P, Left(4, 2));
  EXPECT_POINT_NEAR(5.05, 1.0, fig.PtTable[b], 1e-9);
}

TEST(Deform, LineCircleCrossingsKeepTheirIdentityWhenTheLineTurns) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t a = AddFreePoint(fig, -3, 0);
  int16_t b = AddFreePoint(fig, 1, 0);
  int16_t centre = AddFreePoint(fig, 0, 0);
  int16_t rim = AddFreePoint(fig, 0, 2);
  int16_t line = AddLineThrough(fig, a, b);
  int16_t circle = AddCircleThrough(fig, centre, rim);
  int16_t first = AddStep(fig, "PC2", {{kClassLine, line}, {kClassCircle, circle}});
  int16_t pc2Step = fig.StepCount;
  Redraw(f.P);
  EXPECT_POINT_NEAR(2, 0, fig.PtTable[first], 1e-9);  // further along A -> B
  EXPECT_POINT_NEAR(-2, 0, fig.PtTable[first + 1], 1e-9);

  MouseDown(f.P, Left(-3, 0));
  ASSERT_EQ(f.P.Deform.DraggedPoint, a);
  // A passes B: the line's direction turns, each crossing stays where it was.
  for (double x : {-2.02, -1.02, 0.02, 0.52, 2.02, 3.02}) {
    MouseMove(f.P, Left(x, 0));
    EXPECT_POINT_NEAR(2, 0, fig.PtTable[first], 1e-9) << x;
    EXPECT_POINT_NEAR(-2, 0, fig.PtTable[first + 1], 1e-9) << x;
  }
  EXPECT_LT(fig.LnTable[line].DX, 0);
  EXPECT_EQ(fig.StepRev[pc2Step], kTrue);
}

TEST(Deform, ShiftDragLandsOnTheGridOrTheNearestIndependentLine) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t moving = AddFreePoint(fig, 8, 8);
  int16_t a = AddFreePoint(fig, -10, 0);
  int16_t b = AddFreePoint(fig, 10, 0);
  int16_t c = AddFreePoint(fig, 0, -10);
  int16_t d = AddFreePoint(fig, 0, 10);
  int16_t e = AddFreePoint(fig, 3, 3);
  int16_t r = AddFreePoint(fig, 3, 4);
  AddLineThrough(fig, a, b);
  AddLineThrough(fig, c, d);
  AddCircleThrough(fig, e, r);
  int16_t carried = AddLineThrough(fig, moving, e);  // depends on the dragged point
  Redraw(f.P);

  RunMenuCommand(f.P, "mnuOSDeformCross");
  EXPECT_EQ(f.P.Config.SDeformKind, kSnapGrid);
  EXPECT_EQ(f.P.Status.Panel(kShiftPanel).Text, "→格子点");
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuOSDeformCross")->Checked);
  MouseDown(f.P, Left(8, 8));
  ASSERT_EQ(f.P.Deform.DraggedPoint, moving);
  EXPECT_EQ(f.P.Deform.IndependentTable[kClassLine][carried], kFalse);
  EXPECT_EQ(f.P.Deform.IndependentTable[kClassLine][1], kTrue);
  MouseMove(f.P, Left(5.3, 6.6, kShiftKey));
  EXPECT_EQ(fig.PtTable[moving].X, 5);  // exactly on the grid point
  EXPECT_EQ(fig.PtTable[moving].Y, 7);
  MouseMove(f.P, Left(-1.3, -2.6, kShiftKey));
  EXPECT_EQ(fig.PtTable[moving].X, -1);
  EXPECT_EQ(fig.PtTable[moving].Y, -3);

  // The options are out of reach while dragging.
  EXPECT_EQ(RunMenuCommand(f.P, "mnuOSDeformLC").Status, CommandStatus::kDisabled);
  MouseUp(f.P, Left(-1, -3));
  RunMenuCommand(f.P, "mnuOSDeformLC");
  EXPECT_EQ(f.P.Status.Panel(kShiftPanel).Text, "→線/円");
  MouseDown(f.P, Left(-1, -3));
  MouseMove(f.P, Left(3.62, 1.92, kShiftKey));  // the circle is nearer than the x axis
  EXPECT_NEAR(std::hypot(fig.PtTable[moving].X - 3, fig.PtTable[moving].Y - 3), 1, 1e-9);
  EXPECT_LT(fig.PtTable[moving].Y, 2.2);
  MouseUp(f.P, Left(0, 0));
  RunMenuCommand(f.P, "mnuOSDeformL");
  EXPECT_EQ(f.P.Config.SDeformKind, kSnapLine);
  MouseDown(f.P, Left(fig.PtTable[moving].X, fig.PtTable[moving].Y));
  // The line through the point and (3, 3) is not offered: it follows the point.
  MouseMove(f.P, Left(3.62, 1.92, kShiftKey));
  EXPECT_POINT_NEAR(3.65, 0, fig.PtTable[moving], 1e-9);
  f.P.Window.ShiftSwitch = kTrue;  // the sticky Shift does the same
  MouseMove(f.P, Left(0.42, 7.02));
  EXPECT_POINT_NEAR(0, 7.05, fig.PtTable[moving], 1e-9);
}

TEST(Deform, ShiftDragWithOnlyDependentLinesIsAPlainDrag) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t moving = AddFreePoint(fig, 0, 0);
  int16_t other = AddFreePoint(fig, 4, 0);
  AddLineThrough(fig, moving, other);
  Redraw(f.P);
  f.P.Config.SDeformKind = kSnapLine;
  MouseDown(f.P, Left(0, 0));
  MouseMove(f.P, Left(1.02, 3.02, kShiftKey));
  EXPECT_POINT_NEAR(1.05, 3.05, fig.PtTable[moving], 1e-9);
}

TEST(Deform, SeveralPointsMoveTogether) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 2, 0);
  int16_t c = AddFreePoint(fig, 0, 2);
  int16_t line = AddLineThrough(fig, a, c);
  int16_t on = AddBoundPoint(fig, kClassLine, line, 1);
  Redraw(f.P);

  RunMenuCommand(f.P, "mnuDeformPts");
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeMultiDeform, kModePickMulti}));
  KeyDown(f.P, kKeyEscape, false);  // nothing chosen: both modes end
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_TRUE(f.P.Draw.Highlights.empty());

  RunMenuCommand(f.P, "mnuDeformPts");
  KeyDown(f.P, kKeyEnter, false);  // the current candidate, a
  EXPECT_EQ(f.P.Deform.MultiCount, 1);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeMultiDeform, kModePickMulti}));
  EXPECT_EQ(f.P.Pick.PickCur, (ObjRef{kClassPoint, b}));  // the next allowed point
  // A chosen point is no candidate any more: a click on it finds the nearest other.
  MouseDown(f.P, Left(0, 0));
  EXPECT_EQ(f.P.Pick.PickCur, (ObjRef{kClassPoint, on}));
  MouseDown(f.P, Left(0, 0));
  ChoosePoint(f, fig.PtTable[c]);
  EXPECT_EQ(f.P.Deform.MultiCount, 3);
  EXPECT_EQ(f.P.Deform.MultiPoints[2], on);
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeMultiDeform}));
  ASSERT_EQ(f.P.Draw.Highlights.size(), 4u);
  for (const HighlightEntry& entry : f.P.Draw.Highlights) {
    EXPECT_EQ(entry.Mark, entry.Ref.Index == b ? kMarkCircle : kMarkSquare) << entry.Ref.Index;
  }

  MouseDown(f.P, Left(1.02, 1.02));
  EXPECT_POINT_NEAR(1.05, 1.05, fig.PtTable[a], 1e-9);  // the first follows the mouse
  EXPECT_POINT_NEAR(1.05, 3.05, fig.PtTable[c], 1e-9);  // the others keep their offsets
  EXPECT_POINT_NEAR(2, 0, fig.PtTable[b], 1e-9);
  // Projected onto its host as it stood, then carried along with it.
  EXPECT_NEAR(fig.PtTable[on].Param, 2.05, 1e-9);
  EXPECT_POINT_NEAR(1.05, 3.1, fig.PtTable[on], 1e-9);
  KeyDown(f.P, kKeyRight, false);
  EXPECT_POINT_NEAR(1.55, 1.05, fig.PtTable[a], 1e-9);
  EXPECT_POINT_NEAR(1.55, 3.05, fig.PtTable[c], 1e-9);
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_TRUE(f.P.Draw.Highlights.empty());
}

TEST(Deform, KeysMoveAPointAlongItsCircle) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t centre = AddFreePoint(fig, 0, 0);
  int16_t rim = AddFreePoint(fig, 0, 2);
  int16_t circle = AddCircleThrough(fig, centre, rim);
  int16_t on = AddBoundPoint(fig, kClassCircle, circle, 1.0);
  Redraw(f.P);
  f.P.Config.Delta = 0;  // as a settings file may hold it
  f.P.Build.MenuTarget = {kClassPoint, on};
  RunMenuCommand(f.P, "mnuEdit2_point_Deform");
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeDeform}));
  EXPECT_EQ(f.P.Status.Panel(12).Bevel, PanelBevel::kRaised);

  KeyDown(f.P, kKeyUp, false);
  EXPECT_EQ(f.P.Config.Delta, 10);  // 0 is stored as 10 at the first key step
  EXPECT_NEAR(fig.PtTable[on].Param, 1.5, 1e-9);
  EXPECT_POINT_NEAR(2 * std::cos(0.75), 2 * std::sin(0.75), fig.PtTable[on], 1e-9);
  KeyDown(f.P, kKeyLeft, false);
  EXPECT_NEAR(fig.PtTable[on].Param, 1.0, 1e-9);

  KeyDown(f.P, kKeyS, false);
  EXPECT_EQ(f.P.Config.Delta, 1);
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuOdeformNarrow")->Checked);
  KeyDown(f.P, kKeyRight, false);
  EXPECT_NEAR(fig.PtTable[on].Param, 1.05, 1e-9);
  KeyDown(f.P, kKeyF, false);
  EXPECT_EQ(f.P.Config.Delta, 20);
  KeyDown(f.P, kKey0 + 3, false);
  EXPECT_EQ(f.P.Config.Delta, 60);
  KeyDown(f.P, kKeyM, false);
  EXPECT_EQ(f.P.Config.Delta, 10);
  KeyDown(f.P, kKeyA, false);
  EXPECT_EQ(f.P.Config.AxisShow, kTrue);
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuOAxis")->Checked);

  f.Host.InputAnswers = {"25", "99", std::nullopt};
  RunMenuCommand(f.P, "mnuOdeformManual");
  EXPECT_EQ(f.P.Config.Delta, 25);
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuOdeformManual")->Checked);
  EXPECT_EQ(f.Host.Prompts.back(), "1から60までの数を入力してください");
  RunMenuCommand(f.P, "mnuOdeformManual");
  EXPECT_EQ(f.P.Config.Delta, 25);  // out of range: refused
  EXPECT_EQ(f.Host.Beeps, 1);
  RunMenuCommand(f.P, "mnuOdeformStandard");
  EXPECT_EQ(f.P.Config.Delta, 10);

  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.P.Deform.DraggedPoint, 0);
}

TEST(Deform, ShiftedKeyStepsFromGridPointToGridPoint) {
  Fixture f;
  Figure& fig = f.Fig();
  int16_t pt = AddFreePoint(fig, 0.3, 0.3);
  Redraw(f.P);
  f.P.Config.SDeformKind = kSnapGrid;
  f.P.Build.MenuTarget = {kClassPoint, pt};
  RunMenuCommand(f.P, "mnuEdit2_point_Deform");
  KeyDown(f.P, kKeyUp, true);
  EXPECT_EQ(fig.PtTable[pt].X, 0);
  EXPECT_EQ(fig.PtTable[pt].Y, 1);
  KeyDown(f.P, kKeyRight, true);
  EXPECT_EQ(fig.PtTable[pt].X, 1);
  EXPECT_EQ(fig.PtTable[pt].Y, 1);
  KeyDown(f.P, kKeyRight, false);  // without Shift: one deformation step
  EXPECT_POINT_NEAR(1.5, 1, fig.PtTable[pt], 1e-9);
}

TEST(Deform, ModeStacksAfterEscapeAndRelease) {
  Fixture f;
  Figure& fig = f.Fig();
  RunMenuCommand(f.P, "mnuDeform1Pt");  // no points: nothing happens
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  int16_t a = AddFreePoint(fig, 1, 1);
  Redraw(f.P);

  RunMenuCommand(f.P, "mnuDeform1Pt");
  EXPECT_FALSE(f.P.Draw.Highlights.empty());  // the movable points are marked
  KeyDown(f.P, kKeyEscape, false);            // in the choice: both modes end
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_TRUE(f.P.Draw.Highlights.empty());

  RunMenuCommand(f.P, "mnuDeform1Pt");
  KeyDown(f.P, kKeyEnter, false);  // the current candidate accepted
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2, kModeDeform}));
  EXPECT_EQ(f.P.Deform.DraggedPoint, a);
  EXPECT_FALSE(FindMenuItem(f.P.Menu, "mnuDeform")->Enabled);
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuOption")->Enabled);
  MouseMove(f.P, Left(-2.02, -2.02));
  EXPECT_POINT_NEAR(-2.05, -2.05, fig.PtTable[a], 1e-9);
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.P.Deform.DraggedPoint, 0);

  // A point set into place (mode 30) stays where Enter leaves it.
  ModePush(f.P.Modes, kModePlacePoint, f.Host);
  f.P.Deform.DraggedPoint = a;
  MouseDown(f.P, Left(3.02, 3.02));
  KeyDown(f.P, kKeyDown, false);
  KeyDown(f.P, kKeyEnter, false);
  EXPECT_EQ(Stack(f.P.Modes), (std::vector<int16_t>{2}));
  EXPECT_POINT_NEAR(3.05, 2.55, fig.PtTable[a], 1e-9);
  EXPECT_EQ(f.Host.Beeps, 0);
}

TEST(Deform, TimingRunReportsOnTheSurface) {
  Fixture f;
  test::RecordingSurface surface;
  f.P.Canvas = &surface;
  SetScreen(f.P);
  Figure& fig = f.Fig();
  int16_t a = AddFreePoint(fig, 1, 2);
  AddFreePoint(fig, 3, 2);
  f.P.Build.MenuTarget = {kClassPoint, 2};
  RunMenuCommand(f.P, "mnuEdit2_point_Deform");
  int redraws = f.Redraws();
  surface.Calls.clear();
  KeyDown(f.P, kKeyB, false);
  EXPECT_EQ(f.Redraws(), redraws + 100);
  EXPECT_POINT_NEAR(1, 2, fig.PtTable[a], 1e-9);  // 25 rounds come back
  EXPECT_EQ(f.P.Deform.DraggedPoint, 2);
  std::vector<test::SurfaceCall> texts = surface.Of(test::CallKind::kText);
  ASSERT_FALSE(texts.empty());
  const test::SurfaceCall& report = texts.back();
  EXPECT_NEAR(report.X1, 1 - f.P.View.HalfWidth, 1e-9);
  EXPECT_NEAR(report.Y1, f.P.View.HalfHeight - 1, 1e-9);
  EXPECT_TRUE(report.Text.ends_with("(100回の変形)")) << report.Text;
  EXPECT_GE(std::stod(report.Text), 0.0);

  fig.PtTable[1].BoundMode = 0;  // point 1 not movable: no run
  KeyDown(f.P, kKeyB, false);
  EXPECT_EQ(f.Redraws(), redraws + 100);
}

}  // namespace
}  // namespace plandra
