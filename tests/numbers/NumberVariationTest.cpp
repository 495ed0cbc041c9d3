#include <gtest/gtest.h>

#include <vector>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "core/Refresh.h"
#include "core/menus/MenuBar.h"
#include "core/numbers/NumberChooser.h"
#include "core/numbers/NumberVariation.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;
using test::AppFixture;

constexpr int16_t kKeyDigit2 = 50;

std::vector<int16_t> Stack(const Program& p) {
  return {p.Modes.ModeStack.begin() + 1, p.Modes.ModeStack.begin() + p.Modes.Depth + 1};
}

bool Checked(const Program& p, std::string_view item) {
  return FindMenuItem(p.Menu, item)->Checked;
}

// A measured number between two independent ones: the chooser of the
// variation must skip it and keep the others' own indices.
struct VariationFigure : AppFixture {
  int16_t a, b, m, measured, n, point;
  VariationFigure() {
    ResetFigure(P.Fig, 20);
    a = AddFreePoint(P.Fig, 0, 0);
    b = AddFreePoint(P.Fig, 6, 0);
    m = AddNumber(P.Fig, 1);
    measured = AddStep(P.Fig, "ND2P", {{kClassPoint, a}, {kClassPoint, b}});
    n = AddNumber(P.Fig, 1);
    point = AddStep(P.Fig, "PN",
                    {{kClassPoint, a}, {kClassPoint, b}, {kSlotNumber, m}, {kSlotNumber, n}});
    Redraw(P);
  }
};

TEST(NumberVariation, ChoosingListsIndependentNumbersAndCancelLeavesBothModes) {
  AppFixture empty;
  EXPECT_EQ(RunMenuCommand(empty.P, "mnuDeformVar").Status, CommandStatus::kDone);
  EXPECT_EQ(Stack(empty.P), (std::vector<int16_t>{2}));
  EXPECT_FALSE(empty.P.SelNum.Shown);

  VariationFigure f;
  ASSERT_EQ(f.P.Fig.NumTable[f.measured].NumFlag, kFalse);
  RunMenuCommand(f.P, "mnuDeformVar");
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2, 22, 63}));
  const NumberChooser& chooser = f.P.SelNum;
  EXPECT_TRUE(chooser.Shown);
  ASSERT_EQ(chooser.NumList.Lines.size(), 2u);
  EXPECT_EQ(chooser.NumList.Lines[1].substr(0, 3), " 3:");
  EXPECT_EQ(chooser.Cmd_OK.Caption, "変化させる");
  EXPECT_EQ(chooser.Cmd_Cancel.Caption, "元に戻る");
  EXPECT_FALSE(chooser.NewNum.Visible);
  EXPECT_FALSE(chooser.Text1.Visible);
  EXPECT_FALSE(chooser.Reset.Visible);
  EXPECT_FALSE(chooser.Cmd_OK.Enabled);  // nothing chosen yet
  SelNumOK(f.P);
  EXPECT_TRUE(chooser.Shown);

  SelNumSelectLine(f.P, 1);
  EXPECT_TRUE(chooser.Cmd_OK.Enabled);
  EXPECT_TRUE(chooser.Reset.Visible);
  EXPECT_EQ(SelNumLineIndex(chooser), f.n);
  EXPECT_TRUE(SelNumKey(f.P, "NumList", kKeyEscape));
  EXPECT_FALSE(chooser.Shown);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
}

TEST(NumberVariation, ArrowKeysVaryTheNumberAndTheFigureFollows) {
  VariationFigure f;
  const Figure& fig = f.P.Fig;
  EXPECT_POINT_NEAR(3, 0, fig.PtTable[f.point], 1e-9);
  RunMenuCommand(f.P, "mnuDeformVar");
  SelNumSelectLine(f.P, 0);
  SelNumOK(f.P);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2, 22}));
  EXPECT_EQ(f.P.Var.VarTarget, (ObjRef{kClassNumber, f.m}));
  EXPECT_EQ(f.P.Var.VarFirstKey, kTrue);

  EXPECT_EQ(KeyDown(f.P, kKeyUp, false), KeyResult::kHandled);
  EXPECT_EQ(f.P.Var.VarFirstKey, kFalse);
  EXPECT_DOUBLE_EQ(fig.NumTable[f.m].Value, 1.5);
  EXPECT_POINT_NEAR(3.6, 0, fig.PtTable[f.point], 1e-9);
  // The number is not drawn, so the status bar names it with its value.
  const std::string& shown = f.P.Status.Panel(12).Text;
  EXPECT_NE(shown.find(std::string(TrimRight(fig.NumTable[f.m].Name))), std::string::npos) << shown;
  EXPECT_NE(shown.find("1.50"), std::string::npos) << shown;
  KeyDown(f.P, kKeyDown, false);
  KeyDown(f.P, kKeyDown, false);
  EXPECT_POINT_NEAR(2, 0, fig.PtTable[f.point], 1e-9);
  EXPECT_DOUBLE_EQ(fig.NumTable[f.n].Value, 1);  // only the target varies

  // Digits set the step; Enter changes nothing; Escape ends the variation.
  KeyDown(f.P, kKeyDigit2, false);
  EXPECT_DOUBLE_EQ(f.P.Config.DeltaVar, 0.1);
  EXPECT_TRUE(Checked(f.P, "mnuOdeformVarNarrow"));
  KeyDown(f.P, kKeyEnter, false);
  EXPECT_DOUBLE_EQ(fig.NumTable[f.m].Value, 0.5);
  KeyDown(f.P, kKeyUp, false);
  EXPECT_NEAR(fig.NumTable[f.m].Value, 0.6, 1e-12);
  KeyDown(f.P, '0', false);
  EXPECT_DOUBLE_EQ(f.P.Config.DeltaVar, 0.5);
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_EQ(Stack(f.P), (std::vector<int16_t>{2}));
  EXPECT_EQ(f.P.Status.Panel(12).Text, "");
}

TEST(NumberVariation, ValueChangedInPlaceFromTheChooser) {
  VariationFigure f;
  RunMenuCommand(f.P, "mnuDeformVar");
  NumberChooser& chooser = f.P.SelNum;
  SelNumSelectLine(f.P, 1);
  SelNumReset(f.P);
  EXPECT_EQ(chooser.ResetText.Caption, " 1");
  EXPECT_TRUE(chooser.ResetOK.Visible);
  EXPECT_FALSE(chooser.Cmd_OK.Visible);
  EXPECT_EQ(chooser.Focus, "ResetText");
  chooser.ResetText.Caption = "3";
  EXPECT_TRUE(SelNumKey(f.P, "ResetText", kKeyEnter));
  EXPECT_DOUBLE_EQ(f.P.Fig.NumTable[f.n].Value, 3);
  EXPECT_EQ(chooser.NumList.Lines[1], " 3: =  3");
  EXPECT_TRUE(chooser.Cmd_OK.Visible);
  EXPECT_FALSE(chooser.ResetText.Visible);
  EXPECT_EQ(chooser.Focus, "Cmd_OK");
  // Point at 6 * 1 / (1 + 3).
  EXPECT_POINT_NEAR(1.5, 0, f.P.Fig.PtTable[f.point], 1e-9);
}

TEST(NumberVariation, StepCommandsClampTheManualStepAndMoveTheCheckMark) {
  AppFixture f;
  RunMenuCommand(f.P, "mnuOdeformVarWide");
  EXPECT_DOUBLE_EQ(f.P.Config.DeltaVar, 1.0);
  EXPECT_TRUE(Checked(f.P, "mnuOdeformVarWide"));
  EXPECT_FALSE(Checked(f.P, "mnuOdeformVarManual"));

  f.Host.InputAnswers = {"100", "150", "0", "-1", "2.5", std::nullopt, ""};
  std::vector<double> steps;
  for (int i = 0; i < 7; ++i) {
    RunMenuCommand(f.P, "mnuOdeformVarManual");
    steps.push_back(f.P.Config.DeltaVar);
  }
  EXPECT_EQ(steps, (std::vector<double>{100, 100, 0.5, 0.5, 2.5, 2.5, 0.5}));
  EXPECT_EQ(f.Host.Prompts.back(), "0より大きく100以下の数を入力してください");
  EXPECT_TRUE(Checked(f.P, "mnuOdeformVarStandard"));
  RunMenuCommand(f.P, "mnuOdeformVarNarrow");
  EXPECT_TRUE(Checked(f.P, "mnuOdeformVarNarrow"));
  EXPECT_FALSE(Checked(f.P, "mnuOdeformVarStandard"));
}

}  // namespace
}  // namespace plandra
