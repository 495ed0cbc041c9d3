#include <gtest/gtest.h>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "core/attributes/PDAttribute.h"
#include "core/attributes/PasteFit.h"
#include "core/construct/PDconst01.h"
#include "core/pick/PDSelObj.h"
#include "figure/EventMark.h"
#include "files/PDio05.h"
#include "files/PDio05_text.h"
#include "labels/Labels05.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AppFixture;

// A line element from (-10, 0) to (10, 0), made by no step.
int16_t AddLineAlongX(Figure& fig, std::string name) {
  ReserveElement(fig, kClassLine);
  int16_t line = fig.ElemCount[kClassLine];
  fig.LnTable[line] = LnRec{-10, 0, 10, 0, kTrue, 0, 1, 0, 7, 0, std::move(name), 0, 0, 0};
  return line;
}

int16_t AddCircle(Figure& fig, double r, std::string name) {
  ReserveElement(fig, kClassCircle);
  int16_t circle = fig.ElemCount[kClassCircle];
  fig.CirTable[circle] = CirRec{0, 0, r, kTrue, 7, 0, std::move(name)};
  return circle;
}

std::vector<int16_t> Stack(const Program& p) {
  return {p.Modes.ModeStack.begin() + 1, p.Modes.ModeStack.begin() + p.Modes.Depth + 1};
}

void RightClick(Program& p, double x, double y) {
  MouseDown(p, InputEvent{.X = x, .Y = y, .Button = kButtonRight});
}

const MenuItem& Item(const Program& p, std::string_view name) {
  return *FindMenuItem(p.Menu, name);
}

struct AttributeTest : ::testing::Test {
  AppFixture f;
  Program& p = f.P;
  Figure& fig = f.P.Fig;
  void SetUp() override { ResetFigure(fig, 20); }
};

TEST_F(AttributeTest, PointDialogFromTheContextMenu) {
  int16_t a = AddFreePoint(fig, 0, 0);
  fig.PtTable[a].Mark = 20;  // no position of the mark list
  fig.PtTable[a].Color = 3;
  RightClick(p, 0, 0);
  EXPECT_EQ(p.Build.MenuTarget, (ObjRef{kClassPoint, a}));
  EXPECT_EQ(p.Window.PopupMenu, "mnuEdit2_point");
  EXPECT_EQ(RunMenuCommand(p, "mnuEdit2_point_Edit").Status, CommandStatus::kDone);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditPoint}));
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kPoint);
  PtAttributeModel& m = p.Attr.Point;
  EXPECT_EQ(m.Texts.Caption, "点の属性の設定");
  EXPECT_EQ(m.TextName, "A");
  EXPECT_EQ(m.ComboClr.ListIndex, 3);
  EXPECT_EQ(m.ComboClr.Items[3], "黄");
  EXPECT_EQ(m.ComboKind.ListIndex, -1);
  EXPECT_TRUE(m.ComboIndependent.Visible);
  EXPECT_EQ(m.ComboIndependent.ListIndex, 0);
  EXPECT_FALSE(m.Combo_Event.Visible);  // event recognition is off

  // Nothing typed can make the figure file unreadable.
  m.TextName = "  P!\"q\"\r\nr  ";
  m.ComboClr.ListIndex = -1;
  m.ComboIndependent.ListIndex = 1;  // 不可能
  int beeps = f.Host.Beeps;
  PtAttributeOK(p);
  const PtRec& pt = fig.PtTable[a];
  EXPECT_EQ(pt.Name, "P！＂q＂  r");
  EXPECT_EQ(pt.Color, kColorBlack);
  EXPECT_EQ(pt.Mark, 0);
  EXPECT_EQ(pt.BoundMode, 1);
  // The extra pop of the edit mode finds the stack at its bottom.
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Host.Beeps, beeps + 1);

  // Not offered any more for moving or binding.
  EXPECT_EQ(RunMenuCommand(p, "mnuEboundedPt").Status, CommandStatus::kDone);
  EXPECT_EQ(p.Pick.PickCount, 0);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Host.Beeps, beeps + 2);

  // Names are cut to the width of the field.
  RightClick(p, 0, 0);
  RunMenuCommand(p, "mnuEdit2_point_Edit");
  p.Attr.Point.TextName = std::string(45, 'x');
  PtAttributeOK(p);
  EXPECT_EQ(pt.Name, std::string(40, 'x'));

  // An event point from a file keeps its marker and target: the dialog shows
  // the name before the marker, and a "!" typed there still becomes "！".
  SetElementName(fig, {kClassPoint, a}, "B !!Hello");
  EditAttributes(p, {kClassPoint, a});
  EXPECT_EQ(p.Attr.Point.TextName, "B");
  p.Attr.Point.TextName = "C!";
  PtAttributeOK(p);
  EXPECT_EQ(pt.Name, "C！!!Hello");
}

TEST_F(AttributeTest, TheEventControlsBuildTheNameWhileRecognitionIsOn) {
  int16_t a = AddFreePoint(fig, 0, 0);
  p.Events.EventMode = kEventModeOn;
  SetElementName(fig, {kClassPoint, a}, "A!@notes");
  EditAttributes(p, {kClassPoint, a});
  PtAttributeModel& m = p.Attr.Point;
  EXPECT_TRUE(m.Combo_Event.Visible);
  EXPECT_EQ(m.TextName, "A");
  EXPECT_EQ(m.Combo_Event.ListIndex, kEventMemo);
  EXPECT_EQ(m.Combo_Event.Items[kEventMemo], "text(拡張子不要)");
  EXPECT_EQ(m.Text_Event, "notes");

  m.Combo_Event.ListIndex = kEventDocument;
  m.Text_Event = " handout.pdf  ";
  PtAttributeOK(p);
  const PtRec& pt = fig.PtTable[a];
  EXPECT_EQ(pt.Name, "A!#handout.pdf");
  EXPECT_EQ(pt.EventKind, kEventDocument);
  EXPECT_EQ(pt.EventText, "handout.pdf");

  // Without a name the point begins with its marker: hidden, with its event.
  EditAttributes(p, {kClassPoint, a});
  m.TextName = "";
  m.Combo_Event.ListIndex = kEventMessage;
  m.Text_Event = "Well done";
  PtAttributeOK(p);
  EXPECT_EQ(pt.Name, "!!Well done");
  EXPECT_EQ(pt.EventKind, kEventMessage + kEventHidden);
  EditAttributes(p, {kClassPoint, a});
  EXPECT_EQ(m.Combo_Event.ListIndex, kEventMessage);

  // "なし" drops the event and its target.
  m.TextName = "B";
  m.Combo_Event.ListIndex = kEventNone;
  PtAttributeOK(p);
  EXPECT_EQ(pt.Name, "B");
  EXPECT_EQ(pt.EventKind, kEventNone);
}

TEST_F(AttributeTest, ConstructedPointKeepsBoundModeAndCancelWritesNothing) {
  int16_t a = AddFreePoint(fig, 0, 0);
  fig.PtTable[a].BoundMode = 0;
  EditAttributes(p, {kClassPoint, a});
  PtAttributeModel& m = p.Attr.Point;
  EXPECT_FALSE(m.ComboIndependent.Visible);
  EXPECT_EQ(m.ComboIndependent.ListIndex, -1);
  m.ComboIndependent.ListIndex = 1;
  PtAttributeOK(p);
  EXPECT_EQ(fig.PtTable[a].BoundMode, 0);

  int16_t color = fig.PtTable[a].Color;
  EditAttributes(p, {kClassPoint, a});
  p.Attr.Point.TextName = "Z";
  p.Attr.Point.ComboClr.ListIndex = color == 1 ? 2 : 1;
  PtAttributeCancel(p);
  EXPECT_EQ(fig.PtTable[a].Name, "A");
  EXPECT_EQ(fig.PtTable[a].Color, color);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));

  int beeps = f.Host.Beeps;
  TakePendingDialog(p.Attr);
  EditAttributes(p, {kClassPoint, 9});  // no such point
  EXPECT_EQ(f.Host.Beeps, beeps + 1);
  EXPECT_EQ(p.Attr.Pending, AttributeDialog::kNone);
}

TEST_F(AttributeTest, F2PickThenOk) {
  AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 5, 0);
  EXPECT_EQ(RunMenuCommand(p, "mnuEbasicPt").Status, CommandStatus::kDone);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditPoint, kModePickEdit}));
  EXPECT_EQ(p.Pick.PickCur, (ObjRef{kClassPoint, 1}));
  // A click moves the candidate; a second click on it accepts.
  MouseDown(p, InputEvent{.X = 5, .Y = 0, .Button = kButtonLeft});
  EXPECT_EQ(p.Pick.PickCur, (ObjRef{kClassPoint, b}));
  EXPECT_EQ(p.Attr.Pending, AttributeDialog::kNone);
  MouseDown(p, InputEvent{.X = 5, .Y = 0, .Button = kButtonLeft});
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditPoint, kModeEditPoint}));
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kPoint);
  EXPECT_EQ(p.Attr.Point.Target, (ObjRef{kClassPoint, b}));
  int beeps = f.Host.Beeps;
  p.Attr.Point.ComboLocus.ListIndex = 4;
  PtAttributeOK(p);
  EXPECT_EQ(fig.PtTable[b].Style, 4);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Host.Beeps, beeps);

  // Enter accepts as well; Escape leaves the pick and the edit mode.
  ShowFullMenu(p.Menu);
  EXPECT_EQ(RunMenuCommand(p, "mnuLocusSetP").Status, CommandStatus::kDone);
  KeyDown(p, kKeyEnter, false);
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kPoint);
  EXPECT_EQ(p.Attr.Point.Target, (ObjRef{kClassPoint, 1}));
  PtAttributeCancel(p);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  RunMenuCommand(p, "mnuEbasicPt");
  EXPECT_EQ(KeyDown(p, kKeyEscape, false), KeyResult::kHandled);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(p.Attr.Pending, AttributeDialog::kNone);

  // Nothing of the class: the edit mode does not stay behind.
  RunMenuCommand(p, "mnuEbasicCircle");
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Host.Beeps, beeps + 1);
}

TEST_F(AttributeTest, LineAndCircleDialogs) {
  int16_t line = AddLineAlongX(fig, "g");
  fig.LnTable[line].LineKind = 9;  // no position of the kind list
  int16_t circle = AddCircle(fig, 3, "c");
  RunMenuCommand(p, "mnuEbasicLine");
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditLine, kModePickEdit}));
  KeyDown(p, kKeyEnter, false);
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kLine);
  LineAttributeModel& lm = p.Attr.Line;
  EXPECT_EQ(lm.TextName, "g");
  EXPECT_EQ(lm.ComboClr.Items[3], "点線(太線→黄)");
  EXPECT_EQ(lm.ComboKind.Items.size(), 8u);
  EXPECT_EQ(lm.ComboKind.ListIndex, -1);
  lm.TextName = " AB!\"CDEFGHIJKL ";
  LineAttributeOK(p);
  EXPECT_EQ(fig.LnTable[line].Name, "AB!＂CDEFGH");  // 10 characters; "!" kept
  EXPECT_EQ(fig.LnTable[line].LineKind, 0);
  EXPECT_EQ(fig.LnTable[line].Color, 7);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));

  RightClick(p, 3, 0.01);  // on the circle and the line's end: the circle is nearer
  ASSERT_EQ(p.Build.MenuTarget, (ObjRef{kClassCircle, circle}));
  RunMenuCommand(p, "mnuEdit2_point_Edit");
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditCircle}));
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kCircle);
  CircleAttributeModel& cm = p.Attr.Circle;
  EXPECT_EQ(cm.ComboClr.ListIndex, 7);
  cm.TextName = "k\n1";
  cm.ComboClr.ListIndex = 2;
  cm.ComboLocus.ListIndex = 6;
  CircleAttributeOK(p);
  EXPECT_EQ(fig.CirTable[circle].Name, "k 1");
  EXPECT_EQ(fig.CirTable[circle].Color, 2);
  EXPECT_EQ(fig.CirTable[circle].Style, 6);
}

TEST_F(AttributeTest, NumberDialogDependentAndIndependent) {
  int16_t free = AddNumber(fig, 2.5);
  int16_t measured = AddNumber(fig, -1.25);
  fig.NumTable[measured].NumFlag = 0;
  fig.NumTable[measured].NumShow = kNumHidden;
  fig.NumTable[measured].Name = "AB  ";

  // Without a number chooser the command does not wait in mode 40.
  int beeps = f.Host.Beeps;
  RunMenuCommand(p, "mnuEbasicNum");
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Host.Beeps, beeps + 1);

  int chooserOpened = 0;
  p.Build.OpenNumberDialog = [&](Program&) { ++chooserOpened; };
  RunMenuCommand(p, "mnuEbasicNum");
  EXPECT_EQ(chooserOpened, 1);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditNumber, kModePickEdit}));
  AcceptEditPick(p, {kClassNumber, measured});
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditNumber}));
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kNumber);
  NumAttributeModel& m = p.Attr.Number;
  EXPECT_EQ(m.TextName, "AB");
  EXPECT_EQ(m.TextAttr, "従属変数");
  EXPECT_EQ(m.TextVal, "-1.25");
  EXPECT_FALSE(m.TextValEnabled);
  EXPECT_TRUE(m.OptionsEnabled);
  EXPECT_TRUE(m.OptionNotVisible);
  EXPECT_FALSE(m.OptionVisible);
  m.OptionNotVisible = false;
  m.OptionVisible = true;
  m.TextName = " d\"1\" ";
  NumAttributeOK(p);
  EXPECT_EQ(fig.NumTable[measured].NumShow, kNumShown);
  EXPECT_EQ(fig.NumTable[measured].Name, "d＂1＂");
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.Host.Beeps, beeps + 1);  // the number dialog pushes no mode of its own

  RunMenuCommand(p, "mnuEbasicNum");
  AcceptEditPick(p, {kClassNumber, free});
  NumAttributeModel& n = p.Attr.Number;
  EXPECT_EQ(n.TextAttr, "独立変数");
  EXPECT_EQ(n.TextVal, " 2.5");
  EXPECT_TRUE(n.TextValEnabled);
  EXPECT_FALSE(n.OptionsEnabled);
  n.TextVal = " 7.5cm";
  n.OptionNotVisible = true;
  NumAttributeOK(p);
  EXPECT_EQ(fig.NumTable[free].Value, 7.5);
  EXPECT_EQ(fig.NumTable[free].NumShow, kNumShown);  // not the independent number's
  RunMenuCommand(p, "mnuEbasicNum");
  AcceptEditPick(p, {kClassNumber, free});
  p.Attr.Number.TextVal = "abc";
  NumAttributeOK(p);
  EXPECT_EQ(fig.NumTable[free].Value, 0);

  // The chooser cancelled.
  RunMenuCommand(p, "mnuEbasicNum");
  AcceptEditPick(p, {});
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
}

TEST_F(AttributeTest, ContextMenuItems) {
  int16_t a = AddFreePoint(fig, 0, 0);
  fig.PtTable[a].Name = "P";
  RightClick(p, 0, 0);
  EXPECT_EQ(Item(p, "mnuEdit2_point_Edit").Caption, "編集:点 P");
  EXPECT_EQ(Item(p, "mnuEdit2_point_Bounded").Caption, "束縛条件の編集:点 P");
  EXPECT_EQ(Item(p, "mnuEdit2_point_Deform").Caption, "キーボード変形:点 P");
  EXPECT_TRUE(Item(p, "mnuEdit2_point_Bounded").Visible);
  EXPECT_TRUE(Item(p, "mnuEdit2_point_Deform").Visible);
  EXPECT_FALSE(Item(p, "mnuEdit2_point_Set_Free").Visible);
  EXPECT_EQ(RunMenuCommand(p, "mnuEdit2_point_Set_Free").Status, CommandStatus::kDisabled);

  int16_t line = AddLineAlongX(fig, "g");
  fig.PtTable[a].HostClass = kClassLine;
  fig.PtTable[a].HostIndex = line;
  p.Window.PopupMenu.clear();
  RightClick(p, 0, 0);
  EXPECT_EQ(p.Window.PopupMenu, "mnuEdit2_point");
  EXPECT_TRUE(Item(p, "mnuEdit2_point_Set_Free").Visible);
  EXPECT_EQ(Item(p, "mnuEdit2_point_Set_Free").Caption, "フリーにする:点 P");
  EXPECT_EQ(RunMenuCommand(p, "mnuEdit2_point_Set_Free").Status, CommandStatus::kDone);
  EXPECT_EQ(fig.PtTable[a].HostClass, 0);
  EXPECT_EQ(fig.PtTable[a].HostIndex, 0);

  fig.PtTable[a].BoundMode = 0;  // dependent: only the edit item
  RightClick(p, 0, 0);
  EXPECT_TRUE(Item(p, "mnuEdit2_point_Edit").Visible);
  EXPECT_FALSE(Item(p, "mnuEdit2_point_Bounded").Visible);
  EXPECT_FALSE(Item(p, "mnuEdit2_point_Set_Free").Visible);
  EXPECT_FALSE(Item(p, "mnuEdit2_point_Deform").Visible);

  RightClick(p, 5, 0.01);
  EXPECT_EQ(p.Build.MenuTarget, (ObjRef{kClassLine, line}));
  EXPECT_EQ(Item(p, "mnuEdit2_point_Edit").Caption, "編集:線 g");
  EXPECT_FALSE(Item(p, "mnuEdit2_point_Bounded").Visible);
  EXPECT_FALSE(Item(p, "mnuEdit2_point_Deform").Visible);
  AddCircle(fig, 8, "c");
  RightClick(p, 0, 8.01);
  EXPECT_EQ(Item(p, "mnuEdit2_point_Edit").Caption, "編集:円 c");

  // Off every element, or with the easy menu: a redraw and no menu.
  p.Window.PopupMenu.clear();
  int redraws = f.Redraws();
  RightClick(p, 30, 30);
  EXPECT_EQ(p.Window.PopupMenu, "");
  EXPECT_GT(f.Redraws(), redraws);
  p.Config.MenuEasy = -1;
  fig.PtTable[a].BoundMode = -1;
  redraws = f.Redraws();
  RightClick(p, 0, 0);
  EXPECT_EQ(p.Window.PopupMenu, "");
  EXPECT_GT(f.Redraws(), redraws);

  // The captions follow the language.
  p.Config.MenuEasy = 0;
  p.Lang.Language = "English";
  RightClick(p, 0, 0);
  EXPECT_EQ(Item(p, "mnuEdit2_point_Edit").Caption, "Edit:Point P");
  EXPECT_EQ(RunMenuCommand(p, "mnuEdit2_point_Edit").Status, CommandStatus::kDone);
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kPoint);
  EXPECT_EQ(p.Attr.Point.Texts.Caption, "Point attributes");
  EXPECT_EQ(p.Attr.Point.Texts.CommandOK, "OK");
}

TEST_F(AttributeTest, BindingToALineThenPlacing) {
  int16_t a = AddFreePoint(fig, 0, 5);
  int16_t line = AddLineAlongX(fig, "g");
  RightClick(p, 0, 5);
  EXPECT_EQ(RunMenuCommand(p, "mnuEdit2_point_Bounded").Status, CommandStatus::kDone);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditBinding}));
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kBinding);
  SelGeoKindBoundedModel& m = p.Attr.Binding;
  EXPECT_EQ(m.ListKind.Items, (std::vector<std::string>{"フリーにする", "他の点と一致させる",
                                                        "直線上に取る", "円上に取る"}));
  EXPECT_EQ(m.ListKind.ListIndex, 0);
  m.ListKind.ListIndex = kClassLine;
  SelGeoKindBoundedOK(p);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModePickBindHost}));
  EXPECT_EQ(fig.PtTable[a].HostClass, 0);  // written with the host
  EXPECT_EQ(p.Pick.PickCur, (ObjRef{kClassLine, line}));
  KeyDown(p, kKeyEnter, false);
  EXPECT_EQ(fig.PtTable[a].HostClass, kClassLine);
  EXPECT_EQ(fig.PtTable[a].HostIndex, line);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModePlacePoint}));
  EXPECT_EQ(p.Deform.DraggedPoint, a);
  EXPECT_NEAR(fig.PtTable[a].Y, 0, test::kNear);  // the redraw put it on its host
  ModePop(p.Modes, f.Host);

  // The binding dialog shows the host class; Escape in the host pick keeps it.
  RightClick(p, fig.PtTable[a].X, 0);
  RunMenuCommand(p, "mnuEdit2_point_Bounded");
  EXPECT_EQ(p.Attr.Binding.ListKind.ListIndex, kClassLine);
  p.Attr.Binding.ListKind.ListIndex = kClassPoint;
  SelGeoKindBoundedOK(p);
  KeyDown(p, kKeyEscape, false);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(fig.PtTable[a].HostClass, kClassLine);
  EXPECT_EQ(fig.PtTable[a].HostIndex, line);

  // No circle to take the point on.
  RunMenuCommand(p, "mnuEdit2_point_Bounded");
  p.Attr.Binding.ListKind.ListIndex = kClassCircle;
  SelGeoKindBoundedOK(p);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0].Text, kNoHostText);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(fig.PtTable[a].HostClass, kClassLine);

  // Free again through the dialog.
  RunMenuCommand(p, "mnuEdit2_point_Bounded");
  p.Attr.Binding.ListKind.ListIndex = 0;
  SelGeoKindBoundedOK(p);
  EXPECT_EQ(fig.PtTable[a].HostClass, 0);
  EXPECT_EQ(fig.PtTable[a].HostIndex, 0);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
}

TEST_F(AttributeTest, BindingToAPointFromTheMenuPick) {
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 4, 4);
  EXPECT_EQ(RunMenuCommand(p, "mnuEboundedPt").Status, CommandStatus::kDone);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditBinding, kModePickBindPoint}));
  KeyDown(p, kKeyEnter, false);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2, kModeEditBinding}));
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kBinding);
  EXPECT_EQ(p.Build.BindTarget, (ObjRef{kClassPoint, a}));
  p.Attr.Binding.ListKind.ListIndex = kClassPoint;
  SelGeoKindBoundedOK(p);
  KeyDown(p, kKeyDown, false);
  EXPECT_EQ(p.Pick.PickCur, (ObjRef{kClassPoint, b}));
  KeyDown(p, kKeyEnter, false);
  EXPECT_EQ(fig.PtTable[a].HostClass, kClassPoint);
  EXPECT_EQ(fig.PtTable[a].HostIndex, b);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));  // no position setting on a point
  EXPECT_NEAR(fig.PtTable[a].X, 4, test::kNear);

  // Cancel and Escape in the point pick end the binding edit.
  RunMenuCommand(p, "mnuEboundedPt");
  KeyDown(p, kKeyEnter, false);
  SelGeoKindBoundedCancel(p);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  RunMenuCommand(p, "mnuEboundedPt");
  KeyDown(p, kKeyEscape, false);
  EXPECT_EQ(Stack(p), (std::vector<int16_t>{2}));
  EXPECT_EQ(fig.PtTable[a].HostIndex, b);
}

TEST_F(AttributeTest, StorableNames) {
  EXPECT_EQ(StorableName(" a!b ", NameField::kPoint), "a！b");
  EXPECT_EQ(StorableName(" a!b ", NameField::kLineOrCircle), "a!b");
  EXPECT_EQ(StorableName("x\r\ny\"", NameField::kLineOrCircle), "x  y＂");
  EXPECT_EQ(StorableName("\n", NameField::kPoint), "");
}

// Every kind of character the name fields take comes back from the file as
// the dialog stored it, whole: a number's hiding mark and expression are not
// taken from its name, a point's event not from its event text, and nothing
// turns into "?" only when saved.
TEST_F(AttributeTest, TypedNamesComeBackFromTheFile) {
  const std::vector<std::string> typed = {
      "AB12",   "x_1",        "a@b",   "_@_",        "q\"z",      "a,b;c=d'",   "\\(1+2)*3",
      "p<q>&r", "角の二等分", "ｶﾀｶﾅ",  "ＡＢ１＠＿", "tab\there", "line\nnext", "café",
      "smile😀", " trimmed ",  "Hi!_x", "Go!!now!%",  "@home"};
  p.Events.EventMode = kEventModeOn;
  const int16_t a = AddFreePoint(fig, 0, 0);
  const int16_t line = AddLineAlongX(fig, "g");
  const int16_t circle = AddCircle(fig, 2, "c");
  const int16_t operand = AddNumber(fig, 1.5);
  const int16_t shown = AddNumber(fig, 3);
  fig.NumTable[shown].NumFlag = kFalse;
  fig.NumTable[shown].Expr = "N" + std::to_string(operand) + "*N" + std::to_string(operand);
  // The text typed as the element's name (and as the point's message).
  auto typeName = [&](ObjRef ref, const std::string& text) {
    EditAttributes(p, ref);
    switch (ref.BaseClass()) {
      case kClassNumber:
        p.Attr.Number.TextName = text;
        NumAttributeOK(p);
        break;
      case kClassPoint:
        p.Attr.Point.TextName = text;
        p.Attr.Point.Combo_Event.ListIndex = kEventMessage;
        p.Attr.Point.Text_Event = text;
        PtAttributeOK(p);
        break;
      case kClassLine:
        p.Attr.Line.TextName = text;
        LineAttributeOK(p);
        break;
      default:
        p.Attr.Circle.TextName = text;
        CircleAttributeOK(p);
        break;
    }
  };
  test::TempDir dir;
  for (const std::string& text : typed) {
    SCOPED_TRACE(text);
    for (ObjRef ref :
         {ObjRef{kClassNumber, shown}, ObjRef{kClassNumber, operand}, ObjRef{kClassPoint, a},
          ObjRef{kClassLine, line}, ObjRef{kClassCircle, circle}}) {
      typeName(ref, text);
    }

    // Only replaced, character for character: nothing typed is lost.
    const size_t kept = CharCountBefore(Trim(text), Trim(text).size());
    EXPECT_EQ(CharCountBefore(fig.NumTable[shown].Name, fig.NumTable[shown].Name.size()), kept);
    EXPECT_EQ(CharCountBefore(fig.LnTable[line].Name, fig.LnTable[line].Name.size()), kept);
    EXPECT_EQ(fig.PtTable[a].EventKind, kEventMessage);

    ASSERT_EQ(FigFileCore(fig, dir / "names.pd5", 'W').Status, FigFileStatus::kOk);
    Figure back;
    ResetFigure(back, 20);
    ASSERT_EQ(FigFileCore(back, dir / "names.pd5", 'R').Status, FigFileStatus::kOk);
    for (int16_t n : {operand, shown}) {
      EXPECT_EQ(back.NumTable[n].Name, fig.NumTable[n].Name);
      EXPECT_EQ(back.NumTable[n].NumShow, fig.NumTable[n].NumShow);
      EXPECT_EQ(back.NumTable[n].Expr, fig.NumTable[n].Expr);
    }
    EXPECT_EQ(back.NumTable[shown].NumShow, kNumShown);
    EXPECT_EQ(back.PtTable[a].Name, fig.PtTable[a].Name);
    EXPECT_EQ(back.PtTable[a].EventKind, kEventMessage);
    EXPECT_EQ(back.PtTable[a].EventText, fig.PtTable[a].EventText);
    EXPECT_EQ(back.LnTable[line].Name, fig.LnTable[line].Name);
    EXPECT_EQ(back.CirTable[circle].Name, fig.CirTable[circle].Name);
  }
}

// What a field keeps of a paste is cut at whole characters, even where the
// pasted run and the text beside it share their first bytes.
TEST(PasteFit, APasteKeepsWhatFitsInWholeCharacters) {
  auto atMost = [](size_t characters) {
    return [characters](const std::string& text) {
      size_t n = 0;
      for (char c : text) n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
      return n <= characters;
    };
  };
  // "あ" and "い" differ only in their last byte.
  std::optional<FittedPaste> fitted = FitPaste("い", "あいい", atMost(2));
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted->Text, "あい");
  EXPECT_EQ(fitted->CursorBytes, std::string("あ").size());
  fitted = FitPaste("xい", "xいあいう", atMost(3));
  ASSERT_TRUE(fitted);
  EXPECT_EQ(fitted->Text, "xいあ");
  EXPECT_EQ(fitted->CursorBytes, fitted->Text.size());
  EXPECT_FALSE(FitPaste("ab", "abう", atMost(2)));    // one key typed: refused whole
  EXPECT_FALSE(FitPaste("ab", "abうえ", atMost(2)));  // not even its first fits
  EXPECT_FALSE(FitPaste("a", "abc", atMost(3)));      // fits as pasted
}

}  // namespace
}  // namespace plandra
