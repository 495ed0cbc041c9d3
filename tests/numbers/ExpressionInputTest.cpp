#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainCommands.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "core/numbers/ExpressionInput.h"
#include "core/numbers/NumberInput.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddNumber;
using test::AppFixture;

struct ExpressFixture : AppFixture {
  ExpressFixture() {
    ResetFigure(P.Fig, 20);
    AddNumber(P.Fig, 10);
    AddNumber(P.Fig, 2);
    AddNumber(P.Fig, 3);
  }
  const ExpressionInput& Dialog() const { return P.Express; }
  void Take(int line) {
    ExpressSelectLine(P, line);
    ExpressTakeNumber(P);
  }
};

void ExpectNumberExpected(const ExpressionInput& d) {
  EXPECT_EQ(d.State, ExpressState::kNumberExpected);
  EXPECT_TRUE(d.NumList.Enabled && d.NumSelectOK.Enabled && d.cmdAddNum.Enabled);
  EXPECT_FALSE(d.cmdOpAdd.Enabled || d.cmdOpPower.Enabled || d.cmdInputEnd.Enabled);
  EXPECT_TRUE(d.cmdReInput.Enabled && d.cmdCancel.Enabled);
  EXPECT_FALSE(d.Text1.Visible || d.LabelNewNumCheck.Visible || d.cmdNewNumOK.Visible);
}

void ExpectOperatorExpected(const ExpressionInput& d) {
  EXPECT_EQ(d.State, ExpressState::kOperatorExpected);
  EXPECT_FALSE(d.NumList.Enabled || d.NumSelectOK.Enabled || d.cmdAddNum.Enabled);
  EXPECT_TRUE(d.cmdOpMinus.Enabled && d.cmdOpMulti.Enabled && d.cmdInputEnd.Enabled);
  EXPECT_EQ(d.Focus, "cmdInputEnd");
}

TEST(ExpressionInput, BuildsADifferenceOfAProductThroughItsStates) {
  ExpressFixture f;
  EXPECT_EQ(RunMenuCommand(f.P, "mnuMcalc").Status, CommandStatus::kDone);
  const ExpressionInput& d = f.Dialog();
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeNumExpression);
  ASSERT_TRUE(d.Shown);
  ExpectNumberExpected(d);
  EXPECT_EQ(d.NumList.Lines.size(), 3u);
  EXPECT_EQ(d.NumList.Selected, 0);
  EXPECT_EQ(d.Focus, "NumList");

  EXPECT_TRUE(ExpressKey(f.P, "NumList", kKeyEnter, ""));
  ExpectOperatorExpected(d);
  f.Take(1);  // a second operand in a row is refused
  ExpressOperator(f.P, '+');
  EXPECT_EQ(d.ExpByNum, "N1+");
  EXPECT_TRUE(ExpressKey(f.P, "NumList", kKeyRight, ""));
  EXPECT_EQ(d.Focus, "NumSelectOK");
  ExpressKey(f.P, "NumSelectOK", kKeyEnter, "");
  EXPECT_TRUE(ExpressKey(f.P, "cmdInputEnd", 0, "*"));
  ExpectNumberExpected(d);
  f.Take(2);
  EXPECT_EQ(d.ExpByNum, "N1+N1*N3");
  EXPECT_EQ(d.LabelExpress.Caption, " 10+ 10* 3");

  ExpressKey(f.P, "cmdReInput", 0, "");  // not a key of that button
  Init(f.P);                             // cmdReInput starts again
  EXPECT_EQ(d.ExpByNum, "");
  EXPECT_EQ(d.LabelExpress.Caption, "");
  f.Take(0);
  ExpressOperator(f.P, '-');
  f.Take(1);
  ExpressOperator(f.P, '*');
  f.Take(2);
  EXPECT_EQ(d.ExpByNum, "N1-N2*N3");
  EXPECT_TRUE(ExpressKey(f.P, "cmdInputEnd", 0, "="));

  const Figure& fig = f.P.Fig;
  EXPECT_FALSE(d.Shown);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_EQ(StepKindText(fig, fig.StepCount), "CALC");
  EXPECT_DOUBLE_EQ(fig.NumTable[4].Value, 4);  // 10 - 2 * 3
  EXPECT_EQ(TrimRight(fig.NumTable[4].Name), " 10- 2* 3");

  // Repeating the last command opens the dialog again.
  RunMenuCommand(f.P, "mnuCredo");
  EXPECT_TRUE(d.Shown);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeNumExpression);
}

TEST(ExpressionInput, AConstantStaysWhenTheDialogIsCancelled) {
  ExpressFixture f;
  mnuMcalc(f.P);
  const ExpressionInput& d = f.Dialog();
  ExpressAddNum(f.P);
  EXPECT_EQ(d.State, ExpressState::kTypingConstant);
  EXPECT_TRUE(d.Text1.Visible && d.LabelNewNumCheck.Visible && d.cmdNewNumOK.Visible);
  EXPECT_FALSE(d.NumList.Enabled || d.cmdOpAdd.Enabled || d.cmdInputEnd.Enabled);
  EXPECT_FALSE(d.cmdReInput.Enabled);
  EXPECT_TRUE(d.cmdCancel.Enabled);
  EXPECT_EQ(d.Focus, "Text1");
  ExpressText1Changed(f.P, "7.5cm");
  EXPECT_EQ(d.LabelNewNumCheck.Caption, " 7.5");
  ExpressKey(f.P, "Text1", kKeyUp, "");
  EXPECT_EQ(d.Text1.Caption, " 8.5");
  ExpressKey(f.P, "Text1", kKeyEnter, "");
  ExpectOperatorExpected(d);
  EXPECT_EQ(d.ExpByNum, "N4");
  EXPECT_EQ(d.NumList.Lines.size(), 4u);
  EXPECT_EQ(f.P.Fig.NumTable[4].NumFlag, kTrue);

  int16_t steps = f.P.Fig.StepCount;
  ExpressKey(f.P, "cmdInputEnd", kKeyEscape, "");
  EXPECT_FALSE(d.Shown);
  EXPECT_EQ(d.ExpByNum, "");
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_EQ(f.P.Fig.StepCount, steps);
  EXPECT_EQ(f.P.Fig.ElemCount[kClassNumber], 4);
  EXPECT_DOUBLE_EQ(f.P.Fig.NumTable[4].Value, 8.5);
}

TEST(ExpressionInput, AnExpressionLongerThanItsFieldIsRefusedAndTheDialogStays) {
  ExpressFixture f;
  for (int i = 0; i < 9; ++i) AddNumber(f.P.Fig, i);  // numbers 4..12
  mnuMcalc(f.P);
  f.Take(11);
  while (f.Dialog().ExpByNum.size() <= 70) {
    ExpressOperator(f.P, '+');
    f.Take(11);
  }
  int16_t steps = f.P.Fig.StepCount;
  ExpressInputEnd(f.P);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_TRUE(f.Dialog().Shown);
  EXPECT_EQ(f.P.Fig.StepCount, steps);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeNumExpression);
  ExpressCancel(f.P);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
}

TEST(NumberInput, DecimalsAndPenWidthAreClampedAndZeroEmptiesTheField) {
  AppFixture f;
  const NumberInput& d = f.P.NumInput;
  RunMenuCommand(f.P, "mnuKeta");
  ASSERT_TRUE(d.Shown);
  EXPECT_EQ(d.Label1.Caption, "測定値の\n小数点以下の表示桁数\n(0 - 14程度)");
  EXPECT_EQ(d.Text1.Caption, "2");
  EXPECT_EQ(d.Focus, "Text1");
  std::vector<int16_t> stored;
  for (const char* typed : {"25", "-3", "7"}) {
    RunMenuCommand(f.P, "mnuKeta");
    NumInputTextChanged(f.P, typed);
    NumInputOK(f.P);
    stored.push_back(f.P.Config.KetaDecimal);
  }
  EXPECT_EQ(stored, (std::vector<int16_t>{20, 0, 7}));
  EXPECT_FALSE(d.Shown);

  RunMenuCommand(f.P, "mnuKeta");
  NumInputTextChanged(f.P, "0");
  EXPECT_EQ(d.Text1.Caption, "");
  NumInputKey(f.P, "Text1", kKeyEnter);
  EXPECT_EQ(f.P.Config.KetaDecimal, 0);
  mnuKeta(f.P);
  EXPECT_EQ(d.Text1.Caption, "");  // the current 0 shows as nothing
  NumInputKey(f.P, "Text1", kKeyUp);
  NumInputKey(f.P, "Text1", kKeyUp);
  EXPECT_EQ(d.Text1.Caption, "2");
  NumInputKey(f.P, "Text1", kKeyDown);
  NumInputKey(f.P, "Text1", kKeyDown);
  EXPECT_EQ(d.Text1.Caption, "");
  NumInputKey(f.P, "Text1", kKeyEscape);
  EXPECT_EQ(d.Focus, "CancelButton");
  EXPECT_TRUE(d.Shown);
  NumInputKey(f.P, "CancelButton", kKeyEnter);
  EXPECT_FALSE(d.Shown);

  std::vector<int16_t> widths;
  for (const char* typed : {"0", "12", "4.9"}) {
    RunMenuCommand(f.P, "mnuWidth");
    EXPECT_EQ(d.Label1.Caption, "線の太さの設定\n(1から10)");
    NumInputTextChanged(f.P, typed);
    NumInputOK(f.P);
    widths.push_back(f.P.Config.DrawWidth);
  }
  EXPECT_EQ(widths, (std::vector<int16_t>{1, 10, 4}));
  RunMenuCommand(f.P, "mnuWidth");
  NumInputTextChanged(f.P, "9");
  NumInputCancel(f.P);
  EXPECT_EQ(f.P.Config.DrawWidth, 4);

  Load_PDNum(f.P, "?", "NoSuchSetting", 1, 1);
  NumInputOK(f.P);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0].Text, "Error :NoSuchSetting");
  EXPECT_FALSE(d.Shown);
}

}  // namespace
}  // namespace plandra
