#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include "app/MainCommands.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "qt/dialogs/PDExpress.h"
#include "qt/dialogs/PDSelNum.h"
#include "qt/dialogs/pdNumInput.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;
using test::AppFixture;

// Shown and enabled as the dialog's own layout shows it.
bool Shown(QWidget* widget) { return !widget->isHidden(); }

struct NumbersFixture : AppFixture {
  NumbersFixture() {
    ResetFigure(P.Fig, 20);
    WireNumberChooser(P);
    AddFreePoint(P.Fig, 0, 0);
    AddFreePoint(P.Fig, 6, 0);
  }
};

TEST(PDSelNumWindow, VariationFaceAndTheValueChangedInPlace) {
  NumbersFixture f;
  AddNumber(f.P.Fig, 1);
  AddStep(f.P.Fig, "ND2P", {{kClassPoint, 1}, {kClassPoint, 2}});
  AddNumber(f.P.Fig, 2);
  PDSelNum dialog(f.P);
  RunMenuCommand(f.P, "mnuDeformVar");
  dialog.Mirror();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QString("数値の選択"));
  EXPECT_EQ(dialog.NumList()->count(), 2);
  EXPECT_TRUE(dialog.NumList()->item(1)->text().startsWith(" 3:"));
  EXPECT_EQ(dialog.Control("Cmd_OK")->text(), QString("変化させる"));
  EXPECT_EQ(dialog.Control("Cmd_Cancel")->text(), QString("元に戻る"));
  EXPECT_FALSE(dialog.Control("Cmd_OK")->isEnabled());
  EXPECT_FALSE(Shown(dialog.Control("NewNum")));
  EXPECT_FALSE(Shown(dialog.Control("Reset")));
  EXPECT_FALSE(Shown(dialog.Text1()));
  EXPECT_FALSE(Shown(dialog.Control("NewNumOK")));

  dialog.NumList()->setCurrentRow(1);
  EXPECT_TRUE(dialog.Control("Cmd_OK")->isEnabled());
  ASSERT_TRUE(Shown(dialog.Control("Reset")));
  QTest::mouseClick(dialog.Control("Reset"), Qt::LeftButton);
  EXPECT_TRUE(Shown(dialog.ResetText()));
  EXPECT_EQ(dialog.ResetText()->text(), QString(" 2"));
  EXPECT_FALSE(Shown(dialog.Control("Cmd_OK")));
  dialog.ResetText()->selectAll();
  QTest::keyClicks(dialog.ResetText(), "7");
  QTest::keyClick(dialog.ResetText(), Qt::Key_Return);
  EXPECT_DOUBLE_EQ(f.P.Fig.NumTable[3].Value, 7);
  EXPECT_EQ(dialog.NumList()->item(1)->text(), QString(" 3: =  7"));
  EXPECT_TRUE(Shown(dialog.Control("Cmd_OK")));
  EXPECT_FALSE(Shown(dialog.Control("ResetOK")));

  QTest::mouseClick(dialog.Control("Cmd_OK"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeNumVariation);
  EXPECT_EQ(f.P.Var.VarTarget, (ObjRef{kClassNumber, 3}));
}

TEST(PDSelNumWindow, NewNumberFaceOfAConstruction) {
  NumbersFixture f;
  PDSelNum dialog(f.P);
  StartConstruction(f.P, "PNEQ");
  AcceptInput(f.P, {kClassPoint, 1});
  AcceptInput(f.P, {kClassPoint, 2});
  dialog.Mirror();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_FALSE(Shown(dialog.NumList()));
  EXPECT_FALSE(Shown(dialog.Control("Cmd_OK")));
  for (const char* name : {"NewNumOK", "NewNumCancel", "Command2", "Command3", "NewNum"}) {
    EXPECT_TRUE(Shown(dialog.Control(name))) << name;
  }
  EXPECT_EQ(dialog.Text1()->text(), QString("2"));
  EXPECT_EQ(dialog.findChild<QLabel*>("Label2")->text(), QString("確認 :"));
  EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), QString(" 2"));
  QTest::keyClick(dialog.Text1(), Qt::Key_Up);
  EXPECT_EQ(dialog.Text1()->text(), QString(" 3"));
  QTest::mouseClick(dialog.Control("Command3"), Qt::LeftButton);
  QTest::mouseClick(dialog.Control("Command3"), Qt::LeftButton);
  EXPECT_EQ(dialog.findChild<QLabel*>("Label3")->text(), QString(" 1"));

  // The other face lists what there is (nothing yet) and back again.
  QTest::mouseClick(dialog.Control("Command1"), Qt::LeftButton);
  EXPECT_TRUE(Shown(dialog.NumList()));
  EXPECT_FALSE(Shown(dialog.Text1()));
  QTest::mouseClick(dialog.Control("NewNum"), Qt::LeftButton);
  EXPECT_TRUE(Shown(dialog.Text1()));
  dialog.Text1()->selectAll();
  QTest::keyClicks(dialog.Text1(), "2");
  QTest::mouseClick(dialog.Control("NewNumOK"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(f.P.Fig.ElemCount[kClassPoint], 3);  // the midpoint
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);

  int16_t steps = f.P.Fig.StepCount;
  StartConstruction(f.P, "PNEQ");
  AcceptInput(f.P, {kClassPoint, 1});
  AcceptInput(f.P, {kClassPoint, 2});
  dialog.Mirror();
  QTest::keyClick(dialog.Text1(), Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(f.P.Fig.StepCount, steps);
}

TEST(PDExpressWindow, ControlsFollowTheStates) {
  NumbersFixture f;
  AddNumber(f.P.Fig, 10);
  AddNumber(f.P.Fig, 4);
  PDExpress dialog(f.P);
  mnuMcalc(f.P);
  dialog.Mirror();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QString("数式の入力"));
  auto enabled = [&](const char* name) { return dialog.Control(name)->isEnabled(); };
  EXPECT_TRUE(dialog.NumList()->isEnabled());
  EXPECT_EQ(dialog.NumList()->currentRow(), 0);
  EXPECT_TRUE(enabled("NumSelectOK") && enabled("cmdAddNum") && enabled("cmdReInput"));
  EXPECT_FALSE(enabled("cmdOpAdd") || enabled("cmdOpPower") || enabled("cmdInputEnd"));
  EXPECT_FALSE(Shown(dialog.Text1()) || Shown(dialog.Control("cmdNewNumOK")));
  EXPECT_EQ(dialog.Control("cmdOpMulti")->text(), QString("×"));

  QTest::keyClick(dialog.NumList(), Qt::Key_Return);
  EXPECT_FALSE(dialog.NumList()->isEnabled() || enabled("NumSelectOK"));
  EXPECT_TRUE(enabled("cmdOpDiv") && enabled("cmdInputEnd"));
  QTest::keyClicks(dialog.Control("cmdInputEnd"), "/");
  EXPECT_EQ(dialog.LabelExpress()->text(), QString(" 10/"));
  EXPECT_TRUE(dialog.NumList()->isEnabled());

  QTest::mouseClick(dialog.Control("cmdAddNum"), Qt::LeftButton);
  EXPECT_TRUE(Shown(dialog.Text1()) && Shown(dialog.Control("cmdNewNumOK")));
  EXPECT_FALSE(enabled("cmdReInput") || enabled("cmdAddNum") || enabled("cmdOpAdd"));
  EXPECT_TRUE(enabled("cmdCancel"));
  QTest::keyClicks(dialog.Text1(), "8");
  EXPECT_EQ(dialog.findChild<QLabel*>("LabelNewNumCheck")->text(), QString(" 8"));
  QTest::keyClick(dialog.Text1(), Qt::Key_Return);
  EXPECT_FALSE(Shown(dialog.Text1()));
  EXPECT_EQ(dialog.NumList()->count(), 3);
  EXPECT_EQ(dialog.LabelExpress()->text(), QString(" 10/ 8"));
  QTest::mouseClick(dialog.Control("cmdInputEnd"), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  const Figure& fig = f.P.Fig;
  EXPECT_EQ(StepKindText(fig, fig.StepCount), "CALC");
  EXPECT_DOUBLE_EQ(fig.NumTable[fig.ElemCount[kClassNumber]].Value, 1.25);
}

// Keys only, to whatever control has the focus: number, Enter, operator,
// number, Enter, Enter builds the expression. Disabling the focused control
// must not send the focus to "Enter again" or to Cancel.
TEST(PDExpressWindow, KeysAloneBuildTheExpression) {
  NumbersFixture f;
  AddNumber(f.P.Fig, 10);
  AddNumber(f.P.Fig, 4);
  PDExpress dialog(f.P);
  mnuMcalc(f.P);
  dialog.Mirror();
  dialog.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&dialog));
  dialog.Mirror();
  auto focused = [] { return QApplication::focusWidget(); };
  ASSERT_EQ(focused(), dialog.NumList());
  QTest::keyClick(focused(), Qt::Key_Return);
  EXPECT_EQ(focused(), dialog.Control("cmdInputEnd"));
  QTest::keyClicks(focused(), "*");
  EXPECT_EQ(dialog.LabelExpress()->text(), QString(" 10*"));
  EXPECT_EQ(focused(), dialog.NumList());
  QTest::keyClick(focused(), Qt::Key_Down);
  QTest::keyClick(focused(), Qt::Key_Return);
  EXPECT_EQ(dialog.LabelExpress()->text(), QString(" 10* 4"));
  QTest::keyClick(focused(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  const Figure& fig = f.P.Fig;
  ASSERT_EQ(StepKindText(fig, fig.StepCount), "CALC");
  EXPECT_DOUBLE_EQ(fig.NumTable[fig.ElemCount[kClassNumber]].Value, 40);
}

TEST(pdNumInputWindow, TypedDecimalsAndCancel) {
  AppFixture f;
  pdNumInput dialog(f.P);
  RunMenuCommand(f.P, "mnuKeta");
  dialog.Mirror();
  ASSERT_TRUE(dialog.isVisible());
  EXPECT_EQ(dialog.windowTitle(), QString("数値入力"));
  EXPECT_EQ(dialog.Label1()->text(), QString("測定値の\n小数点以下の表示桁数\n(0 - 14程度)"));
  EXPECT_EQ(dialog.Text1()->text(), QString("2"));
  EXPECT_EQ(dialog.Control("CancelButton")->text(), QString("ｷｬﾝｾﾙ"));
  dialog.Text1()->selectAll();
  QTest::keyClicks(dialog.Text1(), "0");
  EXPECT_EQ(dialog.Text1()->text(), QString());
  QTest::keyClicks(dialog.Text1(), "25");
  QTest::keyClick(dialog.Text1(), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(f.P.Config.KetaDecimal, 20);

  RunMenuCommand(f.P, "mnuWidth");
  dialog.Mirror();
  QTest::mouseClick(dialog.Control("Command1"), Qt::LeftButton);
  EXPECT_EQ(dialog.Text1()->text(), QString("2"));
  QTest::keyClick(dialog.Text1(), Qt::Key_Escape);
  EXPECT_TRUE(dialog.isVisible());
  QTest::keyClick(dialog.Control("CancelButton"), Qt::Key_Return);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(f.P.Config.DrawWidth, 1);
}

}  // namespace
}  // namespace plandra
