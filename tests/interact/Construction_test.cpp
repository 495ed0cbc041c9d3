#include <gtest/gtest.h>

#include <set>

#include "app/FileCommands.h"
#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/menus/MenuBar.h"
#include "core/menus/StatusBar.h"
#include "core/numbers/ExpressionInput.h"
#include "core/numbers/NumberChooser.h"
#include "core/pick/PDSelObj.h"
#include "engine/GeoObj05.h"
#include "engine/Math05.h"
#include "files/PDio05.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;
using test::AppFixture;

InputEvent Click(double x, double y) { return {.X = x, .Y = y, .Button = kButtonLeft}; }

// What an abandoned construction must leave exactly as it was.
struct TablesBefore {
  int StepCount;
  std::array<int, 11> ElemCount;
  std::vector<std::string> Kinds;
  std::vector<StepRefs> In, Out;
  explicit TablesBefore(const Figure& fig) : StepCount(fig.StepCount), ElemCount(fig.ElemCount) {
    for (int s = 0; s <= fig.StepCount + 1 && s < static_cast<int>(fig.StepIn.size()); ++s) {
      Kinds.emplace_back(s <= UpperBound(fig.StepKind) ? StepKindText(fig, s) : "");
      In.push_back(fig.StepIn[s]);
      Out.push_back(fig.StepOut[s]);
    }
  }
  void ExpectSame(const Figure& fig) const {
    EXPECT_EQ(fig.StepCount, StepCount);
    EXPECT_EQ(fig.ElemCount, ElemCount);
    for (size_t s = 0; s < In.size(); ++s) {
      EXPECT_EQ(StepKindText(fig, static_cast<int16_t>(s)), Kinds[s]) << "row " << s;
      EXPECT_TRUE(fig.StepIn[s] == In[s]) << "row " << s;
      EXPECT_TRUE(fig.StepOut[s] == Out[s]) << "row " << s;
    }
  }
};

void AddPointsByClicks(AppFixture& f, std::initializer_list<WorldPoint> points) {
  ASSERT_EQ(RunMenuCommand(f.P, "mnuPnewFreeP").Status, CommandStatus::kDone);
  for (WorldPoint pt : points) MouseDown(f.P, Click(pt.X, pt.Y));
  EXPECT_EQ(KeyDown(f.P, kKeyEscape, false), KeyResult::kHandled);  // the waiting point goes
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
}

// Picks the candidate nearest to (x, y): a first click makes it current
// unless it is already, the next accepts it.
void PickAt(AppFixture& f, double x, double y) {
  const PickState& pick = f.P.Pick;
  int16_t pos = PickNearest(f.P, x, y);
  if (pos == 0 || pick.PickList[static_cast<size_t>(pos)] != pick.PickCur) {
    MouseDown(f.P, Click(x, y));
  }
  MouseDown(f.P, Click(x, y));
}

TEST(Construction, NinePointCircleByClicks) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {4, 0}, {0, 3}});
  const Figure& fig = f.P.Fig;
  ASSERT_EQ(fig.StepCount, 3);
  ASSERT_EQ(fig.ElemCount[kClassPoint], 3);
  for (int16_t s = 1; s <= 3; ++s) EXPECT_EQ(StepKindText(fig, s), "PNEW");
  EXPECT_POINT_NEAR(4, 0, fig.PtTable[2], 1e-12);
  EXPECT_EQ(fig.PtTable[2].BoundMode, -1);
  EXPECT_EQ(fig.PtTable[2].Mark, kMarkCross);

  ASSERT_EQ(RunMenuCommand(f.P, "mnuC9pt").Status, CommandStatus::kDone);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModePickConstruct);
  // The first point is current already: one click on it accepts it.
  MouseDown(f.P, Click(0.1, 0.1));
  EXPECT_EQ(fig.StepIn[4][1].Index, 1);
  // Far from every candidate the nearest allowed one is still taken, and
  // the first click only makes it current.
  EXPECT_EQ(f.P.Pick.PickCur, (ObjRef{kClassPoint, 2}));
  MouseDown(f.P, Click(1, 40));
  EXPECT_EQ(f.P.Pick.PickCur, (ObjRef{kClassPoint, 3}));
  EXPECT_EQ(fig.StepIn[4][2].Index, 0);
  PickAt(f, 4, 0);
  PickAt(f, 0, 3);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  ASSERT_EQ(fig.StepCount, 4);
  EXPECT_EQ(StepKindText(fig, 4), "C7");
  ASSERT_EQ(fig.ElemCount[kClassCircle], 1);
  // Right triangle: the nine-point centre is the midpoint of the circumcentre
  // (2, 1.5) and the orthocentre (0, 0); the radius is half the circumradius.
  EXPECT_NEAR(fig.CirTable[1].CX, 1.0, 1e-9);
  EXPECT_NEAR(fig.CirTable[1].CY, 0.75, 1e-9);
  EXPECT_NEAR(fig.CirTable[1].R, 1.25, 1e-9);
  EXPECT_TRUE(f.P.Draw.Highlights.empty());
}

TEST(Construction, PerpendicularFootMacroAndUndo) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {4, 0}, {1, 3}});
  StartConstruction(f.P, "L1");
  PickAt(f, 0, 0);
  PickAt(f, 4, 0);
  const Figure& fig = f.P.Fig;
  ASSERT_EQ(fig.ElemCount[kClassLine], 1);
  TablesBefore before(fig);

  ASSERT_EQ(RunMenuCommand(f.P, "mnuSPLperpendicular").Status, CommandStatus::kDone);
  MouseDown(f.P, Click(2, 0));  // the only line is current
  PickAt(f, 1, 3);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  ASSERT_EQ(fig.StepCount, 8);
  EXPECT_EQ(StepKindText(fig, 5), "L3+");
  EXPECT_EQ(StepKindText(fig, 6), "L3");
  EXPECT_EQ(StepKindText(fig, 7), "PC1");
  EXPECT_EQ(StepKindText(fig, 8), "L3+");
  EXPECT_EQ(fig.LnTable[2].LineKind, 1);
  // One foot only, the "PC1" one: "L3" has its line and an empty second slot.
  ASSERT_EQ(fig.ElemCount[kClassPoint], 4);
  EXPECT_EQ(fig.StepOut[6][2].Index, 0);
  EXPECT_TRUE(Defined(fig.LnTable[2].Exists));
  EXPECT_POINT_NEAR(1, 0, fig.PtTable[4], 1e-9);
  EXPECT_EQ(fig.PtTable[4].Mark, kMarkCross);
  // It stays so through a save and a read.
  bool lost = false;
  Figure reread;
  ASSERT_EQ(FigFileParse(reread, FigFileText(fig, lost), 'R', "foot.pd4").Status,
            FigFileStatus::kOk);
  RecomputeAll(reread);
  EXPECT_TRUE(Defined(reread.LnTable[2].Exists));
  EXPECT_POINT_NEAR(1, 0, reread.PtTable[4], 1e-9);

  RunMenuCommand(f.P, "mnuCundo");
  before.ExpectSame(fig);
}

TEST(Construction, EqualPartsWithOneOnlyBrackets) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {6, 0}});
  int16_t one = AddNumber(f.P.Fig, 1);
  StartConstruction(f.P, "pneq ");
  PickAt(f, 0, 0);
  PickAt(f, 6, 0);
  AcceptInput(f.P, {kClassNumber, one});  // what the number dialog answers
  const Figure& fig = f.P.Fig;
  ASSERT_EQ(fig.StepCount, 4);
  EXPECT_EQ(StepKindText(fig, 3), "PNEQ");
  EXPECT_EQ(StepKindText(fig, 4), "PNEQ");
  EXPECT_EQ(fig.ElemCount[kClassPoint], 2);

  // n = 3 makes two division points; undo takes them and their numbers.
  int16_t three = AddNumber(f.P.Fig, 3);
  TablesBefore before(fig);
  StartConstruction(f.P, "PNEQ");
  PickAt(f, 0, 0);
  PickAt(f, 6, 0);
  AcceptInput(f.P, {kClassNumber, three});
  ASSERT_EQ(fig.StepCount, 8);
  EXPECT_EQ(StepKindText(fig, 6), "PN");
  EXPECT_POINT_NEAR(2, 0, fig.PtTable[3], 1e-9);
  EXPECT_POINT_NEAR(4, 0, fig.PtTable[4], 1e-9);
  EXPECT_EQ(fig.ElemCount[kClassNumber], three + 4);
  UndoLastConstruction(f.P);
  before.ExpectSame(fig);
}

TEST(Construction, AbandonedConstructionsLeaveTablesAsBefore) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {4, 0}, {0, 3}});
  const Figure& fig = f.P.Fig;
  TablesBefore before(fig);

  // Escape after the first of three inputs.
  StartConstruction(f.P, "P1");
  PickAt(f, 0, 0);
  EXPECT_EQ(fig.StepIn[4][1].Index, 1);
  EXPECT_EQ(KeyDown(f.P, kKeyEscape, false), KeyResult::kHandled);
  before.ExpectSame(fig);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);

  f.Host.Messages.clear();
  StartConstruction(f.P, "PC1");  // needs two lines, there are none
  before.ExpectSame(fig);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0].Text,
            "「交点（２直線）」の元にするものが足りません。まず,それを作ってください。");
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  f.P.Lang.Language = "English";
  StartConstruction(f.P, "PC1");
  f.P.Lang.Language = "Japanese";
  ASSERT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(f.Host.Messages[1].Text,
            "\"Intersection (two lines)\": the figure lacks the elements it is built from. "
            "Please make them first.");
  before.ExpectSame(fig);

  // Escape while polygon vertices are gathered withdraws the polygon.
  int16_t three = AddNumber(f.P.Fig, 3);
  TablesBefore withNumber(fig);
  StartConstruction(f.P, "LPGN");
  AcceptInput(f.P, {kClassNumber, three});
  PickAt(f, 0, 0);
  PickAt(f, 4, 0);
  EXPECT_EQ(fig.ElemCount[kClassLine], 1);
  KeyDown(f.P, kKeyEscape, false);
  withNumber.ExpectSame(fig);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);

  // Escape in the add-point mode drops the waiting point only.
  RunMenuCommand(f.P, "mnuPnewFreeP");
  KeyDown(f.P, kKeyEscape, false);
  withNumber.ExpectSame(fig);
}

// Three points by clicks, the number 3 and the polygon through them.
void BuildTrianglePolygon(AppFixture& f) {
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {4, 0}, {0, 3}});
  int16_t three = AddNumber(f.P.Fig, 3);
  RunMenuCommand(f.P, "mnuSpolygon");
  AcceptInput(f.P, {kClassNumber, three});
  PickAt(f, 0, 0);
  PickAt(f, 4, 0);
  PickAt(f, 0, 3);
}

TEST(Construction, PolygonByVertices) {
  AppFixture f;
  BuildTrianglePolygon(f);
  const Figure& fig = f.P.Fig;
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  ASSERT_EQ(fig.StepCount, 8);
  const char* kinds[] = {"LPGN", "L1", "L1", "L1", "LPGN"};
  for (int16_t s = 4; s <= 8; ++s) EXPECT_EQ(StepKindText(fig, s), kinds[s - 4]) << s;
  EXPECT_EQ(fig.StepIn[7][1].Index, 3);
  EXPECT_EQ(fig.StepIn[7][2].Index, 1);
  EXPECT_EQ(fig.ElemCount[kClassLine], 3);
  UndoLastConstruction(f.P);
  EXPECT_EQ(fig.StepCount, 3);
  EXPECT_EQ(fig.ElemCount[kClassLine], 0);
}

// Redo brings back exactly what undo took, point, macro and measurement
// alike, and only while nothing else changed.
TEST(Construction, RedoBringsBackWhatUndoTook) {
  AppFixture f;
  BuildTrianglePolygon(f);
  StartConstruction(f.P, "ND2P");
  AcceptInput(f.P, {kClassPoint, 1});
  AcceptInput(f.P, {kClassPoint, 2});
  bool lost = false;
  const std::string whole = FigFileText(f.P.Fig, lost);
  auto redoEnabled = [&] {
    RefreshModeDisplay(f.P);
    return FindMenuItem(f.P.Menu, "mnuCredoUndone")->Enabled;
  };
  EXPECT_FALSE(redoEnabled());
  for (int i = 0; i < 3; ++i) UndoLastConstruction(f.P);
  EXPECT_EQ(f.P.Fig.StepCount, 2);
  EXPECT_TRUE(redoEnabled());
  for (int i = 0; i < 3; ++i) RunMenuCommand(f.P, "mnuCredoUndone");
  EXPECT_EQ(FigFileText(f.P.Fig, lost), whole);
  EXPECT_FALSE(redoEnabled());

  // A new step after an undo ends what can be redone.
  UndoLastConstruction(f.P);
  StartConstruction(f.P, "ND2P");
  AcceptInput(f.P, {kClassPoint, 2});
  AcceptInput(f.P, {kClassPoint, 3});
  EXPECT_FALSE(redoEnabled());
  // So does a drag: redo then says so and leaves the figure as it is.
  UndoLastConstruction(f.P);
  f.P.Fig.PtTable[1].X = 1;
  const std::string dragged = FigFileText(f.P.Fig, lost);
  RunMenuCommand(f.P, "mnuCredoUndone");
  EXPECT_EQ(FigFileText(f.P.Fig, lost), dragged);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_FALSE(redoEnabled());
}

TEST(Construction, SetAfterStartingAndRepeat) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {4, 0}, {0, 3}});
  RunMenuCommand(f.P, "mnuS2P");
  PickAt(f, 0, 0);
  PickAt(f, 4, 0);
  const Figure& fig = f.P.Fig;
  ASSERT_EQ(fig.ElemCount[kClassLine], 1);
  EXPECT_EQ(fig.LnTable[1].LineKind, 1);
  // The repeat keeps the segment style.
  RunMenuCommand(f.P, "mnuCredo");
  PickAt(f, 0, 3);
  PickAt(f, 4, 0);
  ASSERT_EQ(fig.ElemCount[kClassLine], 2);
  EXPECT_EQ(fig.LnTable[2].LineKind, 1);
  RunMenuCommand(f.P, "mnuH2P");
  PickAt(f, 0, 0);
  PickAt(f, 0, 3);
  EXPECT_EQ(fig.LnTable[3].LineKind, 2);
}

TEST(Construction, BoundPointWaitsForItsDrag) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  f.Host.Messages.clear();
  RunMenuCommand(f.P, "mnuPboundL");
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0].Text, "元にする対象がありません。キャンセルします。");
  AddPointsByClicks(f, {{0, 0}, {4, 0}});
  StartConstruction(f.P, "L1");
  PickAt(f, 0, 0);
  PickAt(f, 4, 0);
  RunMenuCommand(f.P, "mnuPboundL");
  MouseDown(f.P, Click(2, 0));  // the only line, current: accepted
  const Figure& fig = f.P.Fig;
  EXPECT_EQ(CurrentMode(f.P.Modes), kModePlacePoint);
  EXPECT_EQ(StepKindText(fig, fig.StepCount), "PBND");
  ASSERT_EQ(f.P.Deform.DraggedPoint, 3);
  EXPECT_EQ(fig.PtTable[3].HostClass, kClassLine);
  EXPECT_EQ(fig.PtTable[3].HostIndex, 1);
  EXPECT_EQ(fig.PtTable[3].Exists, kTrue);
  EXPECT_POINT_NEAR(0, 0, fig.PtTable[3], 1e-9);  // Param 0: the line's first point
}

TEST(Construction, EscapeWithdrawsABoundPointUntilItsPlacingClick) {
  AppFixture f;
  ResetFigure(f.P.Fig, 20);
  AddPointsByClicks(f, {{0, 0}, {4, 0}});
  StartConstruction(f.P, "L1");
  PickAt(f, 0, 0);
  PickAt(f, 4, 0);
  MarkFigureSaved(f.P);
  const Figure& fig = f.P.Fig;
  TablesBefore before(fig);

  // Escape while it slides, arrow keys or not: as if never started.
  RunMenuCommand(f.P, "mnuPboundL");
  MouseDown(f.P, Click(2, 0));
  ASSERT_EQ(CurrentMode(f.P.Modes), kModePlacePoint);
  EXPECT_FALSE(FigureChanged(f.P));
  KeyDown(f.P, kKeyRight, false);
  KeyDown(f.P, kKeyEscape, false);
  before.ExpectSame(fig);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_FALSE(FigureChanged(f.P));

  // After the click that places it, Escape ends the placing and keeps it.
  RunMenuCommand(f.P, "mnuPboundL");
  MouseDown(f.P, Click(2, 0));
  MouseDown(f.P, Click(3, 0));
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(fig.StepCount, before.StepCount + 1);
  EXPECT_EQ(fig.ElemCount[kClassPoint], 3);
  EXPECT_TRUE(FigureChanged(f.P));

  // A re-bound point slides in the same mode; Escape leaves every step.
  TablesBefore placed(fig);
  f.P.Build.MenuTarget = ObjRef::Of(kClassPoint, 3);
  RunMenuCommand(f.P, "mnuEdit2_point_Bounded");
  ASSERT_EQ(TakePendingDialog(f.P.Attr), AttributeDialog::kBinding);
  f.P.Attr.Binding.ListKind.ListIndex = kClassLine;
  SelGeoKindBoundedOK(f.P);
  KeyDown(f.P, kKeyEnter, false);
  ASSERT_EQ(CurrentMode(f.P.Modes), kModePlacePoint);
  KeyDown(f.P, kKeyEscape, false);
  placed.ExpectSame(fig);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(Construction, AddPointKeys) {
  test::AppFixture f;
  ResetFigure(f.P.Fig, 20);
  NewFreePoint(f.P);
  const Figure& fig = f.P.Fig;
  ObjRef waiting = f.P.Build.NewPointRef;
  ASSERT_EQ(waiting, (ObjRef{kClassPoint, 1}));
  EXPECT_EQ(fig.PtTable[1].Mark, kMarkCircle);
  ASSERT_EQ(f.P.Draw.Highlights.size(), 1u);
  EXPECT_EQ(f.P.Draw.Highlights[0].Color, kColorBlack);  // the add-point candidate colour
  MouseDown(f.P, {.X = 3, .Y = 2, .Button = kButtonLeft});
  ASSERT_EQ(fig.ElemCount[kClassPoint], 2);
  double step = 10 * kDefaultPixelSize;
  KeyDown(f.P, kKeyRight, false);
  KeyDown(f.P, kKeyUp, false);
  KeyDown(f.P, kKeyUp, false);
  EXPECT_POINT_NEAR(step, 2 * step, fig.PtTable[2], 1e-12);
  KeyDown(f.P, kKeyH, false);
  EXPECT_POINT_NEAR(0, 0, fig.PtTable[2], 1e-12);
  KeyDown(f.P, kKeyLeft, false);
  KeyDown(f.P, kKeyEnter, false);  // placed where it stands
  EXPECT_POINT_NEAR(-step, 0, fig.PtTable[2], 1e-12);
  EXPECT_EQ(fig.PtTable[2].Mark, kMarkCross);
  EXPECT_EQ(fig.StepCount, 3);  // the third point waits
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeAddPoint);
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(fig.StepCount, 2);
  EXPECT_EQ(fig.ElemCount[kClassPoint], 2);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_TRUE(f.P.Draw.Highlights.empty());
  // Undo takes the last point and its step.
  UndoLastConstruction(f.P);
  EXPECT_EQ(fig.StepCount, 1);
  EXPECT_EQ(fig.ElemCount[kClassPoint], 1);
  EXPECT_POINT_NEAR(3, 2, fig.PtTable[1], 1e-12);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(Construction, RegularPolygonAndAngleSections) {
  test::AppFixture f;
  ResetFigure(f.P.Fig, 40);
  Figure& fig = f.P.Fig;
  int16_t a = test::AddFreePoint(fig, 0, 0);
  int16_t b = test::AddFreePoint(fig, 1, 0);
  int16_t c = test::AddFreePoint(fig, 0, 1);
  int16_t four = test::AddNumber(fig, 4);
  TablesBefore before(fig);
  StartConstruction(f.P, "LRGN");
  AcceptInput(f.P, {kClassNumber, four});
  AcceptInput(f.P, {kClassPoint, a});
  AcceptInput(f.P, {kClassPoint, b});
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  // Opening, two rotations, four sides, closing.
  ASSERT_EQ(fig.StepCount, before.StepCount + 8);
  EXPECT_EQ(fig.ElemCount[kClassLine], 4);
  EXPECT_POINT_NEAR(1, -1, fig.PtTable[4], 1e-9);
  EXPECT_POINT_NEAR(0, -1, fig.PtTable[5], 1e-9);
  EXPECT_EQ(fig.PtTable[4].Mark, kMarkPixel);
  UndoLastConstruction(f.P);
  before.ExpectSame(fig);

  // Three sections of the right angle at a: two half-lines.
  int16_t three = test::AddNumber(fig, 3);
  StartConstruction(f.P, "LH2+");
  AcceptInput(f.P, {kClassPoint, b});
  AcceptInput(f.P, {kClassPoint, a});
  AcceptInput(f.P, {kClassPoint, c});
  AcceptInput(f.P, {kClassNumber, three});
  ASSERT_EQ(fig.ElemCount[kClassLine], 2);
  EXPECT_EQ(fig.LnTable[1].LineKind, 2);
  EXPECT_EQ(fig.LnTable[2].LineKind, 2);
  EXPECT_EQ(fig.ElemCount[kClassNumber], three + 4);
  EXPECT_EQ(fig.NumTable[three + 1].Value, 3);
  EXPECT_EQ(fig.NumTable[three + 2].Value, 1);
}

// Every kind with a number output, and the calculated number, leaves no
// number behind when undone: a left-over number keeps a frozen label.
TEST(Construction, UndoTakesTheNumberOfEveryNumberKind) {
  AppFixture f;
  Figure& fig = f.P.Fig;
  ResetFigure(fig, 40);
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 3, 0);
  int16_t c = AddFreePoint(fig, 0, 4);
  int16_t d = AddFreePoint(fig, 5, 5);
  AddStep(fig, "L1", {{kClassPoint, a}, {kClassPoint, b}});
  AddStep(fig, "L1", {{kClassPoint, c}, {kClassPoint, d}});
  AddStep(fig, "C2", {{kClassPoint, a}, {kClassPoint, b}});
  AddStep(fig, "C2", {{kClassPoint, d}, {kClassPoint, c}});
  AddNumber(fig, 30);
  AddNumber(fig, 2);
  RecomputeAll(fig);
  int checked = 0;
  for (int id = 0; id < static_cast<int>(Kind::kCount); ++id) {
    const KindInfo& info = KindInfoOf(static_cast<Kind>(id));
    if (info.OutClass[0] != kSlotNumber || info.Id == Kind::CALC) continue;
    TablesBefore before(fig);
    StartConstruction(f.P, info.Code);
    std::array<int16_t, 4> used{};
    for (int16_t cls : info.InClass) {
      if (cls == kSlotNone) break;
      AcceptInput(f.P, {cls, ++used[static_cast<size_t>(cls % 100)]});
    }
    ASSERT_EQ(fig.ElemCount[kClassNumber], before.ElemCount[kClassNumber] + 1) << info.Code;
    UndoLastConstruction(f.P);
    before.ExpectSame(fig);
    ++checked;
  }
  EXPECT_GE(checked, 20);

  TablesBefore before(fig);
  mnuMcalc(f.P);
  ExpressTakeNumber(f.P);
  ExpressOperator(f.P, '*');
  ExpressTakeNumber(f.P);
  ExpressInputEnd(f.P);
  ASSERT_EQ(StepKindText(fig, fig.StepCount), "CALC");
  ASSERT_EQ(fig.ElemCount[kClassNumber], before.ElemCount[kClassNumber] + 1);
  UndoLastConstruction(f.P);
  before.ExpectSame(fig);
  EXPECT_EQ(TrimRight(fig.NumTable[3].Expr), "");
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

// Points, lines of each kind, circles and numbers: enough for every kind's inputs.
void BuildEveryKindOfInput(test::AppFixture& f) {
  Figure& fig = f.P.Fig;
  ResetFigure(fig, 60);
  const WorldPoint places[] = {{0, 0}, {4, 0}, {0, 3}, {-3, 1}, {2, -2}, {-1, -3}};
  for (WorldPoint pt : places) test::AddFreePoint(fig, pt.X, pt.Y);
  for (int16_t kind = 0; kind <= 2; ++kind) {
    for (int16_t k = 0; k < 2; ++k) {
      auto from = static_cast<int16_t>(1 + (kind * 2 + k) % 6);
      auto to = static_cast<int16_t>(1 + (kind * 2 + k + 1) % 6);
      int16_t line = test::AddStep(fig, "L1", {test::PointRef(from), test::PointRef(to)});
      fig.LnTable[line].LineKind = kind;
    }
  }
  test::AddStep(fig, "C2", {test::PointRef(1), test::PointRef(2)});
  test::AddStep(fig, "C2", {test::PointRef(3), test::PointRef(4)});
  test::AddNumber(fig, 3);
  test::AddNumber(fig, 4);
  WireNumberChooser(f.P);
  Redraw(f.P);
  RefreshModeDisplay(f.P);
}

// One more input of whatever the state in force waits for; false when it
// waits for nothing this walk can give.
bool GiveOneInput(test::AppFixture& f) {
  Program& p = f.P;
  const int16_t mode = CurrentMode(p.Modes);
  if (p.Attr.Pending == AttributeDialog::kBinding) {
    p.Attr.Pending = AttributeDialog::kNone;
    p.Attr.Binding.ListKind.ListIndex = kClassLine;  // "直線上に取る"
    SelGeoKindBoundedOK(p);
    return true;
  }
  if (p.SelNum.Shown) {
    SelNumSelectLine(p, 0);
    SelNumOK(p);
    return true;
  }
  switch (mode) {
    case kModeAddPoint: MouseDown(p, Click(1.5, 2.5)); return true;
    case kModePlacePoint: KeyDown(p, kKeyEnter, false); return true;
    case kModePickConstruct:
    case kModePickBindPoint:
    case kModePickBindHost:
      if (p.Pick.PickCur.Index == 0) KeyDown(p, kKeyDown, false);
      KeyDown(p, kKeyEnter, false);
      return true;
    default: return false;
  }
}

// Escape, or a click on the mode panel, where the user is; a modal dialog
// takes the Escape itself.
void LeaveBy(test::AppFixture& f, bool modePanel) {
  if (f.P.Attr.Pending == AttributeDialog::kBinding) {
    f.P.Attr.Pending = AttributeDialog::kNone;
    SelGeoKindBoundedCancel(f.P);
  } else if (modePanel) {
    StatusPanelClick(f.P, kModePanel);
  } else {
    KeyDown(f.P, kKeyEscape, false);
  }
}

// Every construction command of the command table, left by Escape (or the
// mode panel) before any pick, with a candidate highlighted and after each
// input accepted: the standard mode is back with every menu, no step is left
// half made and no dialog waits for the abandoned construction.
TEST(Construction, EscapeLeavesEveryConstructionStateForTheStandardMode) {
  std::vector<std::string> commands{"mnuPnewFreeP", "mnuPboundL", "mnuPboundC",
                                    "mnuMcalc",     "mnuCredo",   "mnuEboundedPt"};
  {
    test::AppFixture f;
    ForEachMenuItem(f.P.Menu.Items, [&commands](MenuItem& item) {
      if (item.Action == "StartConstruction") commands.push_back(item.Name);
    });
  }
  ASSERT_GT(commands.size(), 60u);
  int left = 0;  // the states left, so that a walk that reached nothing cannot pass
  std::set<int16_t> modesLeft;
  for (const std::string& command : commands) {
    for (int inputs = 0; inputs <= 6; ++inputs) {
      bool reached = true;
      for (bool modePanel : {false, true}) {
        test::AppFixture f;
        BuildEveryKindOfInput(f);
        const int steps = f.P.Fig.StepCount;
        f.Host.Messages.clear();
        ASSERT_EQ(RunMenuCommand(f.P, command).Status, CommandStatus::kDone) << command;
        EXPECT_TRUE(f.Host.Messages.empty()) << command << ": " << f.Host.Messages[0].Text;
        for (int k = 0; k < inputs && reached; ++k) {
          reached = CurrentMode(f.P.Modes) != kModeStandard && GiveOneInput(f);
        }
        if (!reached || CurrentMode(f.P.Modes) == kModeStandard) {
          reached = false;
          break;
        }
        // A candidate made current and highlighted, as the mouse does.
        if (modePanel && f.P.Pick.PickCount > 1) KeyDown(f.P, kKeyDown, false);
        const std::string where = command + " after " + std::to_string(inputs) + " input(s), " +
                                  (modePanel ? "mode panel" : "Escape") + ", mode " +
                                  std::to_string(CurrentMode(f.P.Modes));
        ++left;
        modesLeft.insert(CurrentMode(f.P.Modes));
        LeaveBy(f, modePanel);
        const Program& p = f.P;
        EXPECT_EQ(p.Modes.Depth, 1) << where;
        EXPECT_EQ(CurrentMode(p.Modes), kModeStandard) << where;
        for (const MenuItem& menu : p.Menu.Items) EXPECT_TRUE(menu.Enabled) << where << menu.Name;
        EXPECT_FALSE(p.SelNum.Shown) << where;
        EXPECT_FALSE(p.Express.Shown) << where;
        EXPECT_TRUE(p.Draw.Highlights.empty()) << where;
        const Figure& fig = p.Fig;
        if (fig.StepCount > steps) {
          for (size_t slot = 1; slot <= 5; ++slot) {
            const ObjRef& in = fig.StepIn[static_cast<size_t>(fig.StepCount)][slot];
            EXPECT_TRUE(in.Class == 0 || in.Index != 0) << where << " slot " << slot;
          }
        }
      }
      if (!reached) break;
    }
  }
  EXPECT_GE(left, 400);
  EXPECT_EQ(modesLeft, (std::set<int16_t>{kModePickConstruct, kModeNumExpression, kModeAddPoint,
                                          kModePlacePoint, kModeEditBinding, kModePickBindPoint,
                                          kModePickBindHost}));
}

}  // namespace
}  // namespace plandra
