#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/events/PDevent.h"
#include "figure/EventMark.h"
#include "labels/Labels05.h"
#include "qt/ZEvav.h"
#include "qt/dialogs/CircleAttribute.h"
#include "qt/dialogs/LineAttribute.h"
#include "qt/dialogs/NumAttribute.h"
#include "qt/dialogs/PtAttribute.h"
#include "qt/dialogs/SelGeoKindBounded.h"
#include "qt/drawing/QtSurface.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AppFixture;

template <class Widget>
Widget* Control(QWidget& dialog, const char* name) {
  auto* widget = dialog.findChild<Widget*>(name);
  EXPECT_NE(widget, nullptr) << name;
  return widget;
}

struct AttributeDialogsTest : ::testing::Test {
  AppFixture f;
  Program& p = f.P;
  Figure& fig = f.P.Fig;
  void SetUp() override { ResetFigure(fig, 20); }
  // A new free point "A" whose dialog is to open while event recognition is on.
  int16_t EditNewEventPoint() {
    int16_t a = test::AddFreePoint(fig, 0, 0);
    p.Events.EventMode = kEventModeOn;
    EditAttributes(p, {kClassPoint, a});
    return a;
  }
};

TEST_F(AttributeDialogsTest, PtAttributeMirrorsAndAnswers) {
  int16_t a = test::AddFreePoint(fig, 0, 0);
  fig.PtTable[a].Mark = 20;
  fig.PtTable[a].Color = 5;
  EditAttributes(p, {kClassPoint, a});
  PtAttribute dialog(p);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString("点の属性の設定"));
  auto* name = Control<QLineEdit>(dialog, "TextName");
  EXPECT_EQ(name->text(), QString("A"));
  auto* color = Control<QComboBox>(dialog, "ComboClr");
  EXPECT_EQ(color->count(), 8);
  EXPECT_EQ(color->currentIndex(), 5);
  EXPECT_EQ(Control<QComboBox>(dialog, "ComboKind")->currentIndex(), -1);
  EXPECT_EQ(Control<QComboBox>(dialog, "ComboKind")->itemText(5), QString("Δ"));
  EXPECT_TRUE(Control<QComboBox>(dialog, "ComboIndependent")->isVisible());
  EXPECT_EQ(Control<QLabel>(dialog, "LabelIndependent")->text(), QString("変形時の選択"));
  EXPECT_FALSE(Control<QComboBox>(dialog, "Combo_Event")->isVisible());
  EXPECT_FALSE(Control<QLineEdit>(dialog, "Text_Event")->isVisible());
  EXPECT_FALSE(Control<QLabel>(dialog, "Label_Event")->isVisible());
  EXPECT_EQ(dialog.OKButton()->objectName(), QString("CommandOK"));
  EXPECT_EQ(dialog.OKButton()->text(), QString("設定"));
  EXPECT_EQ(dialog.CancelButton()->text(), QString("キャンセル"));

  name->setText("Q!\"");
  Control<QComboBox>(dialog, "ComboIndependent")->setCurrentIndex(1);
  QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(fig.PtTable[a].Name, "Q！＂");
  EXPECT_EQ(fig.PtTable[a].Mark, 0);
  EXPECT_EQ(fig.PtTable[a].Color, 5);
  EXPECT_EQ(fig.PtTable[a].BoundMode, 1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

TEST_F(AttributeDialogsTest, PtAttributeMakesEventPointsWhileRecognitionIsOn) {
  int16_t a = EditNewEventPoint();
  PtAttribute dialog(p);
  dialog.show();
  auto* kind = Control<QComboBox>(dialog, "Combo_Event");
  auto* contents = Control<QLineEdit>(dialog, "Text_Event");
  EXPECT_TRUE(kind->isVisible());
  EXPECT_TRUE(contents->isVisible());
  EXPECT_TRUE(Control<QLabel>(dialog, "Label_Event")->isVisible());
  EXPECT_EQ(kind->count(), 8);
  EXPECT_EQ(kind->currentIndex(), 0);
  kind->setCurrentIndex(kEventMessage);
  contents->setText("Well done");
  QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  EXPECT_EQ(fig.PtTable[a].Name, "A!!Well done");
  EXPECT_EQ(fig.PtTable[a].EventKind, kEventMessage);
}

TEST_F(AttributeDialogsTest, PtAttributeOfAConstructedPointAndEscape) {
  int16_t a = test::AddFreePoint(fig, 0, 0);
  fig.PtTable[a].BoundMode = 0;
  EditAttributes(p, {kClassPoint, a});
  ASSERT_EQ(CurrentMode(p.Modes), kModeEditPoint);
  PtAttribute dialog(p);
  dialog.show();
  EXPECT_FALSE(Control<QComboBox>(dialog, "ComboIndependent")->isVisible());
  EXPECT_FALSE(Control<QLabel>(dialog, "LabelIndependent")->isVisible());
  Control<QLineEdit>(dialog, "TextName")->setText("Z");
  QTest::keyClick(&dialog, Qt::Key_Escape);
  EXPECT_FALSE(dialog.isVisible());
  EXPECT_EQ(fig.PtTable[a].Name, "A");
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

TEST_F(AttributeDialogsTest, LineAndCircleAttribute) {
  ReserveElement(fig, kClassLine);
  fig.LnTable[1] = LnRec{-1, 0, 1, 0, kTrue, 2, 1, 0, 7, 0, "g", 0, 0, 0};
  EditAttributes(p, {kClassLine, 1});
  LineAttribute line(p);
  line.show();
  EXPECT_EQ(line.windowTitle(), QString("直線の属性の設定"));
  auto* kind = Control<QComboBox>(line, "ComboKind");
  EXPECT_EQ(kind->currentIndex(), 2);
  EXPECT_EQ(kind->itemText(7), QString("半直線←"));
  EXPECT_EQ(Control<QComboBox>(line, "ComboLocus")->itemText(3), QString("点線(太線→黄)"));
  kind->setCurrentIndex(1);
  Control<QLineEdit>(line, "TextName")->setText("ABCDEFGHIJKL");
  QTest::mouseClick(line.OKButton(), Qt::LeftButton);
  EXPECT_EQ(fig.LnTable[1].LineKind, 1);
  EXPECT_EQ(fig.LnTable[1].Name, "ABCDEFGHIJ");

  ReserveElement(fig, kClassCircle);
  fig.CirTable[1] = CirRec{0, 0, 2, kTrue, 4, 1, "c"};
  EditAttributes(p, {kClassCircle, 1});
  CircleAttribute circle(p);
  circle.show();
  EXPECT_EQ(circle.windowTitle(), QString("円の属性の設定"));
  EXPECT_EQ(Control<QComboBox>(circle, "ComboClr")->currentIndex(), 4);
  EXPECT_EQ(Control<QComboBox>(circle, "ComboLocus")->currentIndex(), 1);
  Control<QComboBox>(circle, "ComboLocus")->setCurrentIndex(6);
  QTest::mouseClick(circle.OKButton(), Qt::LeftButton);
  EXPECT_EQ(fig.CirTable[1].Style, 6);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

TEST_F(AttributeDialogsTest, NumAttributeStates) {
  int16_t measured = test::AddNumber(fig, 3);
  fig.NumTable[measured].NumFlag = 0;
  fig.NumTable[measured].NumShow = kNumHidden;
  EditAttributes(p, {kClassNumber, measured});
  {
    NumAttribute dialog(p);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QString("変数の属性の設定"));
    auto* attr = Control<QLineEdit>(dialog, "TextAttr");
    EXPECT_EQ(attr->text(), QString("従属変数"));
    EXPECT_TRUE(attr->isReadOnly());
    EXPECT_FALSE(Control<QLineEdit>(dialog, "TextVal")->isEnabled());
    auto* shown = Control<QRadioButton>(dialog, "OptionVisible");
    auto* hidden = Control<QRadioButton>(dialog, "OptionNotVisible");
    EXPECT_TRUE(hidden->isChecked());
    EXPECT_TRUE(shown->isEnabled());
    EXPECT_EQ(shown->text(), QString("表示"));
    QTest::mouseClick(shown, Qt::LeftButton);
    QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
    EXPECT_EQ(fig.NumTable[measured].NumShow, kNumShown);
  }
  int16_t free = test::AddNumber(fig, 1.5);
  EditAttributes(p, {kClassNumber, free});
  NumAttribute dialog(p);
  dialog.show();
  EXPECT_EQ(Control<QLineEdit>(dialog, "TextAttr")->text(), QString("独立変数"));
  auto* value = Control<QLineEdit>(dialog, "TextVal");
  EXPECT_TRUE(value->isEnabled());
  EXPECT_EQ(value->text(), QString(" 1.5"));
  EXPECT_FALSE(Control<QRadioButton>(dialog, "OptionVisible")->isEnabled());
  value->setText("-4.25");
  QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  EXPECT_EQ(fig.NumTable[free].Value, -4.25);
}

TEST_F(AttributeDialogsTest, NamesTheProgramRenewsAreShownNotOffered) {
  using test::PointRef;
  int16_t a = test::AddFreePoint(fig, 0, 0);
  int16_t b = test::AddFreePoint(fig, 4, 0);
  int16_t c = test::AddFreePoint(fig, 0, 3);
  int16_t ab = test::AddStep(fig, "L1", {PointRef(a), PointRef(b)});
  int16_t perpendicular = test::AddStep(fig, "L3", {{kClassLine, ab}, PointRef(c)});
  int16_t distance = test::AddStep(fig, "ND2P", {PointRef(a), PointRef(c)});
  int16_t typed = test::AddNumber(fig, 2);
  auto nameOf = [&](ObjRef ref, auto&& dialogOf) {
    EditAttributes(p, ref);
    auto dialog = dialogOf();
    auto* name = Control<QLineEdit>(*dialog, "TextName");
    auto* note = dialog->template findChild<QLabel*>("TextNameNote");
    std::string shown = note ? FromQString(note->text()) : "";
    EXPECT_EQ(name->isReadOnly(), note != nullptr) << shown;
    dialog->reject();
    return shown;
  };
  auto line = [&] { return std::make_unique<LineAttribute>(p); };
  auto number = [&] { return std::make_unique<NumAttribute>(p); };
  EXPECT_EQ(nameOf({kClassLine, ab}, line), "2点の名前に従います");
  EXPECT_EQ(nameOf({kClassLine, perpendicular}, line), "");
  EXPECT_EQ(nameOf({kClassNumber, distance}, number), "元にした対象の名前に従います");
  EXPECT_EQ(nameOf({kClassNumber, typed}, number), "");
  p.Lang.Language = "English";
  EXPECT_EQ(nameOf({kClassLine, ab}, line), "follows the names of its points");
  EXPECT_EQ(nameOf({kClassNumber, distance}, number), "follows the names of its inputs");
}

// Typing past what a name field holds in the file is refused as it is
// typed, and the counter beside the field says what is left, so that what
// the dialog stores is all that was typed.
TEST_F(AttributeDialogsTest, NameFieldsTakeNoMoreThanTheFileHolds) {
  int16_t a = EditNewEventPoint();
  {
    PtAttribute dialog(p);
    dialog.show();
    auto* kind = Control<QComboBox>(dialog, "Combo_Event");
    auto* contents = Control<QLineEdit>(dialog, "Text_Event");
    auto* left = Control<QLabel>(dialog, "Text_EventRoom");
    kind->setCurrentIndex(kEventMessageBox);
    EXPECT_EQ(left->text(), QString("残り38文字"));  // "A" and "!"
    QTest::keyClicks(contents, QString(45, 'x'));
    EXPECT_EQ(contents->text(), QString(38, 'x'));
    EXPECT_EQ(left->text(), QString("残り0文字"));
    EXPECT_EQ(Control<QLabel>(dialog, "TextNameRoom")->text(), QString("残り0文字"));
    auto* name = Control<QLineEdit>(dialog, "TextName");
    name->end(false);
    QTest::keyClicks(name, "BC");
    EXPECT_EQ(name->text(), QString("A"));
    // A paste takes what fits and says so; a character at a time is refused.
    contents->setText(QString(36, 'x'));
    contents->setCursorPosition(1);
    contents->insert(QString::fromUtf8("あいう"));
    EXPECT_EQ(contents->text(), QString("x") + QString::fromUtf8("あい") + QString(35, 'x'));
    EXPECT_EQ(left->text(), QString::fromUtf8("残り0文字 (入る分だけ貼り付けました)"));
    QTest::keyClick(contents, Qt::Key_Backspace);  // the next edit clears the note
    EXPECT_EQ(left->text(), QString("残り1文字"));
    QTest::keyClicks(contents, "yz");
    EXPECT_EQ(left->text(), QString("残り0文字"));
    // A two-character marker would push the text out: the kind stays.
    const int beeps = f.Host.Beeps;
    kind->setCurrentIndex(kEventMessage);
    EXPECT_EQ(kind->currentIndex(), kEventMessageBox);
    EXPECT_GT(f.Host.Beeps, beeps);
    QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  }
  EXPECT_EQ(fig.PtTable[a].EventText, "x" + std::string("あy") + std::string(35, 'x'));
  EXPECT_EQ(fig.PtTable[a].EventKind, kEventMessageBox);

  ReserveElement(fig, kClassLine);
  fig.LnTable[1] = LnRec{-1, 0, 1, 0, kTrue, 2, 1, 0, 7, 0, "", 0, 0, 0};
  EditAttributes(p, {kClassLine, 1});
  {
    LineAttribute line(p);
    line.show();
    QTest::keyClicks(Control<QLineEdit>(line, "TextName"), "ABCDEFGHIJKL");
    EXPECT_EQ(Control<QLabel>(line, "TextNameRoom")->text(), QString("残り0文字"));
    QTest::mouseClick(line.OKButton(), Qt::LeftButton);
  }
  EXPECT_EQ(fig.LnTable[1].Name, "ABCDEFGHIJ");

  int16_t n = test::AddNumber(fig, 1);
  EditAttributes(p, {kClassNumber, n});
  {
    NumAttribute number(p);
    number.show();
    auto* name = Control<QLineEdit>(number, "TextName");
    QTest::keyClicks(name, QString(39, 'n') + "x_@");
    EXPECT_EQ(name->text(), QString(39, 'n') + "x");
    EXPECT_EQ(Control<QLabel>(number, "TextNameRoom")->text(), QString("残り0文字"));
    QTest::mouseClick(number.OKButton(), Qt::LeftButton);
  }
  EXPECT_EQ(fig.NumTable[n].Name, std::string(39, 'n') + "x");
}

TEST_F(AttributeDialogsTest, SelGeoKindBoundedTakesTheHostClass) {
  int16_t a = test::AddFreePoint(fig, 0, 3);
  ReserveElement(fig, kClassLine);
  fig.LnTable[1] = LnRec{-1, 0, 1, 0, kTrue, 0, 1, 0, 7, 0, "g", 0, 0, 0};
  EditBinding(p, {kClassPoint, a});
  ASSERT_EQ(TakePendingDialog(p.Attr), AttributeDialog::kBinding);
  SelGeoKindBounded dialog(p);
  dialog.show();
  auto* list = Control<QListWidget>(dialog, "ListKind");
  ASSERT_EQ(list->count(), 4);
  EXPECT_EQ(list->item(2)->text(), QString("直線上に取る"));
  EXPECT_EQ(list->currentRow(), 0);
  EXPECT_EQ(dialog.OKButton()->objectName(), QString("cmdOK"));
  list->setCurrentRow(2);
  QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  EXPECT_EQ(CurrentMode(p.Modes), kModePickBindHost);
  EXPECT_EQ(p.Pick.PickCur, (ObjRef{kClassLine, 1}));
}

// The window pops the hidden pop-up of the menu bar up as it stands after
// the right click.
TEST_F(AttributeDialogsTest, ObjectMenuIsAMenuOfTheWindow) {
  int16_t a = test::AddFreePoint(fig, 0, 0);
  ShowObjectMenu(p, {kClassPoint, a});
  QtSurface surface(50, 50);
  ZEvav window(surface);
  window.Mirror(p);
  QAction* popup = window.MenuAction(std::string(kObjectMenu));
  ASSERT_NE(popup, nullptr);
  ASSERT_NE(popup->menu(), nullptr);
  EXPECT_FALSE(popup->isVisible());
  QAction* edit = window.MenuAction("mnuEdit2_point_Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_TRUE(popup->menu()->actions().contains(edit));
  EXPECT_EQ(edit->text(), QString("編集:点 A"));
  EXPECT_TRUE(edit->isEnabled());
  EXPECT_FALSE(window.MenuAction("mnuEdit2_point_Set_Free")->isVisible());
}

}  // namespace
}  // namespace plandra
