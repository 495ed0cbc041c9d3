#include <gtest/gtest.h>

#include <vector>

#include "app/MainCommands.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/numbers/NumberChooser.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AppFixture;

std::vector<int16_t> Stack(const Program& p) {
  return {p.Modes.ModeStack.begin() + 1, p.Modes.ModeStack.begin() + p.Modes.Depth + 1};
}

struct ChooserFixture : AppFixture {
  int16_t a, b;
  ChooserFixture() {
    ResetFigure(P.Fig, 20);
    WireNumberChooser(P);
    a = AddFreePoint(P.Fig, 0, 0);
    b = AddFreePoint(P.Fig, 6, 0);
  }
  const NumberChooser& Chooser() const { return P.SelNum; }
  // Starts a construction over the two points and stops at its number slot.
  void StartOnPoints(std::string_view kind) {
    StartConstruction(P, kind);
    AcceptInput(P, {kClassPoint, a});
    AcceptInput(P, {kClassPoint, b});
  }
};

TEST(NumberChooser, EqualPartsTakeTheirNumberFromTheNewNumberFace) {
  ChooserFixture f;
  f.StartOnPoints("PNEQ");
  const NumberChooser& chooser = f.Chooser();
  ASSERT_TRUE(chooser.Shown);
  EXPECT_EQ(chooser.Text1.Caption, "2");
  EXPECT_EQ(chooser.Label3.Caption, " 2");
  EXPECT_TRUE(chooser.Text1.Visible);
  EXPECT_TRUE(chooser.NewNumOK.Visible);
  EXPECT_FALSE(chooser.NumList.Visible);
  EXPECT_FALSE(chooser.Cmd_OK.Visible);
  EXPECT_EQ(chooser.Focus, "Text1");
  EXPECT_TRUE(SelNumKey(f.P, "Text1", kKeyUp));
  EXPECT_EQ(chooser.Text1.Caption, " 3");
  EXPECT_TRUE(SelNumKey(f.P, "Text1", kKeyEnter));

  const Figure& fig = f.P.Fig;
  EXPECT_FALSE(chooser.Shown);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
  EXPECT_EQ(fig.NumTable[1].NumFlag, kTrue);
  EXPECT_DOUBLE_EQ(fig.NumTable[1].Value, 3);
  ASSERT_EQ(fig.ElemCount[kClassPoint], 4);
  EXPECT_POINT_NEAR(2, 0, fig.PtTable[3], 1e-9);
  EXPECT_POINT_NEAR(4, 0, fig.PtTable[4], 1e-9);
  EXPECT_EQ(StepKindText(fig, fig.StepCount), "PNEQ");
}

TEST(NumberChooser, CancelAndNewNumberCancelWithdrawTheConstruction) {
  ChooserFixture f;
  int16_t steps = f.P.Fig.StepCount;
  f.StartOnPoints("PNEQ");
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2, 17, 15}));
  SelNumNewNumCancel(f.P);
  EXPECT_EQ(f.P.Fig.StepCount, steps);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));

  AddNumber(f.P.Fig, 4);
  StartConstruction(f.P, "C1");
  AcceptInput(f.P, {kClassPoint, f.a});
  // The radius of a circle is typed: Text1 keeps what it had (nothing).
  EXPECT_TRUE(f.Chooser().Text1.Visible);
  EXPECT_EQ(f.Chooser().Text1.Caption, "");
  SelNumExistingFace(f.P);
  EXPECT_TRUE(f.Chooser().NumList.Visible);
  EXPECT_EQ(f.Chooser().NumList.Selected, 0);
  EXPECT_TRUE(f.Chooser().Cmd_OK.Enabled);
  EXPECT_EQ(f.Chooser().Focus, "NumList");
  SelNumCancel(f.P);
  EXPECT_EQ(f.P.Fig.StepCount, steps);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.P.Fig.ElemCount[kClassCircle], 0);
}

TEST(NumberChooser, ExistingNumbersFillSlotsOneAfterAnother) {
  ChooserFixture f;
  AddNumber(f.P.Fig, 2);
  AddNumber(f.P.Fig, -1);
  StartConstruction(f.P, "PXY");
  const NumberChooser& chooser = f.Chooser();
  ASSERT_TRUE(chooser.Shown);
  EXPECT_TRUE(chooser.NumList.Visible);
  EXPECT_FALSE(chooser.Text1.Visible);
  EXPECT_EQ(chooser.NumList.Lines[0], " 1: =    2.00");
  SelNumOK(f.P);
  EXPECT_TRUE(chooser.Shown);  // the second slot asks again
  SelNumSelectLine(f.P, 1);
  EXPECT_TRUE(SelNumKey(f.P, "NumList", kKeyEnter));
  EXPECT_FALSE(chooser.Shown);
  const Figure& fig = f.P.Fig;
  EXPECT_POINT_NEAR(2, -1, fig.PtTable[fig.ElemCount[kClassPoint]], 1e-9);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
}

TEST(NumberChooser, PolygonVertexPickingFollowsItsNumber) {
  ChooserFixture f;
  AddFreePoint(f.P.Fig, 0, 5);
  StartConstruction(f.P, "LPGN");
  EXPECT_EQ(f.Chooser().Text1.Caption, "3");
  SelNumNewNumOK(f.P);
  EXPECT_EQ(StepKindText(f.P.Fig, f.P.Fig.StepCount), "LPG+");
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2, 17, 15}));
  EXPECT_EQ(f.P.Pick.PickCount, 3);
}

TEST(NumberChooser, AttributeChoiceGoesToMenuTarget) {
  ChooserFixture f;
  AddNumber(f.P.Fig, 1);
  int16_t second = AddNumber(f.P.Fig, 2);
  ModePush(f.P.Modes, 41, f.Host);
  ModePush(f.P.Modes, kModePickEdit, f.Host);
  ShowNumberChooser(f.P);
  const NumberChooser& chooser = f.Chooser();
  EXPECT_TRUE(chooser.NumList.Visible);
  EXPECT_FALSE(chooser.NewNum.Visible);
  EXPECT_FALSE(chooser.Text1.Visible);
  EXPECT_FALSE(chooser.NewNumOK.Visible);
  EXPECT_TRUE(chooser.Command1.Enabled);
  SelNumSelectLine(f.P, 1);
  SelNumOK(f.P);
  // The number's attribute dialog waits to open over the edit mode.
  EXPECT_EQ(f.P.Build.MenuTarget, (ObjRef{kClassNumber, second}));
  EXPECT_EQ(TakePendingDialog(f.P.Attr), AttributeDialog::kNumber);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2, 41}));

  ModePush(f.P.Modes, kModePickEdit, f.Host);
  ShowNumberChooser(f.P);
  SelNumCancel(f.P);  // both edit modes go
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
  EXPECT_EQ(TakePendingDialog(f.P.Attr), AttributeDialog::kNone);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

// The number edit command from the menu to the stored value: the chooser
// hands its choice to the number's attribute dialog.
TEST(NumberChooser, EditANumberFromTheMenu) {
  ChooserFixture f;
  AddNumber(f.P.Fig, 1);
  int16_t second = AddNumber(f.P.Fig, 2);
  ASSERT_EQ(RunMenuCommand(f.P, "mnuEbasicNum").Status, CommandStatus::kDone);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2, 41, kModePickEdit}));
  SelNumSelectLine(f.P, 1);
  SelNumOK(f.P);
  ASSERT_EQ(TakePendingDialog(f.P.Attr), AttributeDialog::kNumber);
  f.P.Attr.Number.TextName = "k";
  f.P.Attr.Number.TextVal = "7.5";
  NumAttributeOK(f.P);
  EXPECT_EQ(f.P.Fig.NumTable[second].Name, "k");
  EXPECT_EQ(f.P.Fig.NumTable[second].Value, 7.5);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
}

}  // namespace
}  // namespace plandra
