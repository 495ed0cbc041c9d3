#include <gtest/gtest.h>

#include "app/KeyDispatch.h"
#include "core/Refresh.h"
#include "core/construct/PDconst01.h"
#include "core/pick/PDSelObj.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;
using test::AppFixture;

constexpr double kPixel = kDefaultPixelSize;

// A line element from (-10, 0) to (10, 0), made by no step.
int16_t AddLineAlongX(Figure& fig, int16_t lineKind) {
  ReserveElement(fig, kClassLine);
  int16_t line = fig.ElemCount[kClassLine];
  fig.LnTable[line] = LnRec{-10, 0, 10, 0, kTrue, lineKind, 1, 0, 7, 0, "1", 0, 0, 0};
  return line;
}

int16_t AddDependentPoint(Figure& fig, double x, double y) {
  int16_t index = AddFreePoint(fig, x, y);
  fig.PtTable[index].BoundMode = 0;
  return index;
}

// Every redraw refreshes the free points ready for a drag; that must not put
// the first one's name back on the panel while the mouse is elsewhere.
TEST(Picking, TheNamePanelTellsOnlyWhatIsUnderTheMouse) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  int16_t a = AddFreePoint(f.P.Fig, 0, 0);
  Redraw(f.P);
  EXPECT_EQ(f.P.Status.Panel(12).Text, "");
  MouseMove(f.P, {.X = 0, .Y = 0});
  EXPECT_EQ(f.P.Status.Panel(12).Text, "点" + f.P.Fig.PtTable[a].Name);
  MouseMove(f.P, {.X = 50, .Y = 50});
  EXPECT_EQ(f.P.Status.Panel(12).Text, "");
  Redraw(f.P);
  EXPECT_EQ(f.P.Status.Panel(12).Text, "");
}

TEST(Picking, HoverWeights) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  int16_t line = AddLineAlongX(fig, 0);
  // A dependent point 6 pixels above the mouse beats the line 1 pixel below.
  int16_t near = AddDependentPoint(fig, 0, 7 * kPixel);
  ObjRef found = HoverPick(f.P, 0, 1 * kPixel);
  EXPECT_EQ(found, (ObjRef{kClassPoint, near}));
  EXPECT_EQ(f.P.Status.Panel(12).Text, "点" + fig.PtTable[near].Name);
  EXPECT_EQ(f.P.Pick.Cursor, kCursorArrow);  // dependent: not draggable

  // Without the point the line is found at 1 pixel.
  fig.PtTable[near].Exists = 0;
  EXPECT_EQ(HoverPick(f.P, 0, 1 * kPixel), (ObjRef{kClassLine, line}));
  // A segment is measured to its end, not to its carrier line.
  fig.LnTable[line].LineKind = 1;
  EXPECT_EQ(HoverPick(f.P, 10 + 2 * kPixel, kPixel), (ObjRef{kClassLine, line}));
  EXPECT_EQ(HoverPick(f.P, 10 + 4 * kPixel, 0).Index, 0);  // 3 x 4 px = 12 px
  fig.LnTable[line].Exists = 0;

  // A movable point 15 pixels away is found, a dependent one is not.
  int16_t movable = AddFreePoint(fig, 5, 5);
  EXPECT_EQ(HoverPick(f.P, 5 + 15 * kPixel, 5), (ObjRef{kClassPoint, movable}));
  EXPECT_EQ(f.P.Pick.Cursor, kCursorSizeAll);
  EXPECT_EQ(f.P.Pick.HoverObj, (ObjRef{kClassPoint, movable}));
  ASSERT_EQ(f.P.Draw.Highlights.size(), 1u);
  EXPECT_EQ(f.P.Draw.Highlights[0].Mark, kMarkHover);
  int16_t fixed = AddDependentPoint(fig, -5, -5);
  EXPECT_EQ(HoverPick(f.P, -5 + 15 * kPixel, -5).Index, 0);
  EXPECT_EQ(HoverPick(f.P, -5 + 9 * kPixel, -5), (ObjRef{kClassPoint, fixed}));
  EXPECT_EQ(f.P.Pick.HoverObj.Index, 0);  // the hover highlight went
  EXPECT_TRUE(f.P.Draw.Highlights.empty());
  EXPECT_EQ(f.P.Status.Panel(12).Text, "点" + fig.PtTable[fixed].Name);
  HoverPick(f.P, 50, 50);
  EXPECT_EQ(f.P.Status.Panel(12).Text, "");

  // Easy menu: only points, and no 0.7 for the undeformable ones.
  fig.LnTable[line].Exists = kTrue;
  fig.LnTable[line].LineKind = 0;
  EXPECT_EQ(HoverPick(f.P, -3, kPixel), (ObjRef{kClassLine, line}));
  f.P.Config.MenuEasy = -1;
  EXPECT_EQ(HoverPick(f.P, -3, kPixel).Index, 0);
  EXPECT_EQ(HoverPick(f.P, 5 + 15 * kPixel, 5), (ObjRef{kClassPoint, movable}));
}

TEST(Picking, LeftClickOffTheElementsShowsTheMovablePoints) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  AddDependentPoint(fig, 0, 0);
  MouseDown(f.P, InputEvent{.X = 5, .Y = 5, .Button = kButtonLeft});
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_EQ(f.Host.Beeps, 0);  // no movable point: nothing to show, no mode popped
  EXPECT_TRUE(f.P.Draw.Highlights.empty());
  AddFreePoint(fig, 1, 0);
  AddFreePoint(fig, 2, 0);
  MouseDown(f.P, InputEvent{.X = 5, .Y = 5, .Button = kButtonLeft});
  ASSERT_EQ(f.P.Draw.Highlights.size(), 2u);
  EXPECT_EQ(f.P.Draw.Highlights[0].Mark, kMarkHover);
  EXPECT_EQ(f.P.Draw.Highlights[0].Color, kColorBlack);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
}

TEST(Picking, EqualWeightsKeepTheLowerIndex) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  int16_t first = AddDependentPoint(fig, 2 * kPixel, 0);
  AddDependentPoint(fig, -2 * kPixel, 0);
  EXPECT_EQ(HoverPick(f.P, 0, 0), (ObjRef{kClassPoint, first}));
}

TEST(Picking, CyclingWrapsAndSkipsExcluded) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  for (int i = 0; i < 4; ++i) AddFreePoint(fig, i, 0);
  StartConstruction(f.P, "P1");
  PickState& pick = f.P.Pick;
  ASSERT_EQ(pick.PickCount, 4);
  EXPECT_EQ(pick.PickPos, 1);
  KeyDown(f.P, kKeyUp, false);
  EXPECT_EQ(pick.PickPos, 4);  // Up on entry 1 wraps to the last
  KeyDown(f.P, kKeyDown, false);
  EXPECT_EQ(pick.PickPos, 1);  // Down on the last wraps to 1
  ASSERT_EQ(f.P.Draw.Highlights.size(), 1u);
  EXPECT_EQ(f.P.Draw.Highlights[0].Color, kColorRed);
  KeyDown(f.P, kKeyEnter, false);  // point 1 taken: now excluded
  EXPECT_EQ(pick.PickCur, (ObjRef{kClassPoint, 2}));
  KeyDown(f.P, kKeyUp, false);
  EXPECT_EQ(pick.PickPos, 4);
  KeyDown(f.P, kKeyDown, false);
  EXPECT_EQ(pick.PickPos, 2);  // entry 1 is skipped
  // A click on the taken point finds the nearest allowed one, the current
  // candidate: it is accepted.
  MouseDown(f.P, InputEvent{.X = 0, .Y = 0, .Button = kButtonLeft});
  EXPECT_EQ(f.P.Fig.StepIn[5][2].Index, 2);
  EXPECT_EQ(pick.PickPos, 3);
  // The chosen input is marked in blue, the candidate in red.
  int blue = 0;
  for (const HighlightEntry& e : f.P.Draw.Highlights) blue += e.Color == kColorBlue;
  EXPECT_EQ(blue, 2);
}

TEST(Picking, LineKindFilterAndTwoLinesRefused) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  AddLineAlongX(fig, 0);
  AddFreePoint(fig, 0, 5);
  int16_t steps = fig.StepCount;
  StartConstruction(f.P, "PC1");  // two lines needed, one exists
  EXPECT_EQ(fig.StepCount, steps);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0].Text,
            "「交点（２直線）」の元にするものが足りません。まず,それを作ってください。");
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);

  // A perpendicular bisector needs a segment: a whole line does not count.
  StartConstruction(f.P, "L4");
  f.P.Build.ParentLineKind[1] = 1;
  KeyDown(f.P, kKeyEscape, false);
  f.P.Build.RepeatFlag = true;
  StartConstruction(f.P, "L4");
  EXPECT_EQ(fig.StepCount, steps);
  EXPECT_EQ(f.Host.Messages.size(), 3u);
}

TEST(Picking, FreePointAndVertexLists) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  AddFreePoint(fig, 0, 0);
  AddDependentPoint(fig, 1, 0);
  AddFreePoint(fig, 2, 0);
  BuildFreePointPickList(f.P);
  ASSERT_EQ(f.P.Pick.PickCount, 2);
  EXPECT_EQ(f.P.Pick.PickList[2], (ObjRef{kClassPoint, 3}));
  EXPECT_TRUE(f.P.Draw.Highlights.empty());  // the standard mode shows no candidate

  f.P.Build.PolyVertexNo = 2;
  f.P.Build.PolyVertices = {0, 1, 0};
  BuildVertexPickList(f.P);
  EXPECT_EQ(f.P.Pick.PickCount, 3);
  EXPECT_TRUE(IsExcluded(f.P.Pick, {kClassPoint, 1}));
  EXPECT_EQ(f.P.Pick.PickCur, (ObjRef{kClassPoint, 2}));
}

// The redraw keeps the movable points listed in the standard mode; a figure
// with none leaves the mode and the list alone.
TEST(Picking, RedrawRefreshesTheMovablePoints) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  Figure& fig = f.P.Fig;
  AddDependentPoint(fig, 1, 0);
  Redraw(f.P);
  EXPECT_EQ(f.P.Pick.PickCount, 0);
  EXPECT_EQ(f.P.Modes.Depth, 1);
  EXPECT_EQ(f.Host.Beeps, 0);
  AddFreePoint(fig, 2, 0);
  Redraw(f.P);
  ASSERT_EQ(f.P.Pick.PickCount, 1);
  EXPECT_EQ(f.P.Pick.PickList[1], (ObjRef{kClassPoint, 2}));
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
}

}  // namespace
}  // namespace plandra
