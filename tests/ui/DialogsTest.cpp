#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <memory>

#include "app/FigDataView.h"
#include "app/MainCommands.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/attributes/PDAttribute.h"
#include "core/dialogs/LanguageDialog.h"
#include "core/macros/ViewerText.h"
#include "core/numbers/NumberChooser.h"
#include "qt/QtPlatform.h"
#include "qt/QtTitleFit.h"
#include "qt/dialogs/CircleAttribute.h"
#include "qt/dialogs/LineAttribute.h"
#include "qt/dialogs/NewConstchk.h"
#include "qt/dialogs/NumAttribute.h"
#include "qt/dialogs/PDExpress.h"
#include "qt/dialogs/PDLanguage.h"
#include "qt/dialogs/PDSelNum.h"
#include "qt/dialogs/PDfrmAbout.h"
#include "qt/dialogs/PtAttribute.h"
#include "qt/dialogs/SelGeoKindBounded.h"
#include "qt/dialogs/pdNumInput.h"
#include "qt/drawing/QtSurface.h"
#include "qt/windows/TextViewer.h"
#include "qt/windows/frmMemo.h"
#include "qt/windows/frmMsg.h"
#include "support/AppFixture.h"
#include "support/FigureBuilder.h"
#include "support/ScriptedPlatform.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

// Types text that has no key code of its own, as an input method does.
void TypeText(QWidget* widget, const QString& text) {
  QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, text, Qt::NoModifier);
}

NewChoice ChoiceAfterKey(const QString& text, int key = Qt::Key_unknown) {
  LangState lang;
  NewConstchk dialog(lang);
  dialog.show();
  QWidget* target = dialog.focusWidget() != nullptr ? dialog.focusWidget() : &dialog;
  if (key == Qt::Key_unknown) {
    TypeText(target, text);
  } else {
    QTest::keyClick(target, static_cast<Qt::Key>(key));
  }
  EXPECT_FALSE(dialog.isVisible()) << text.toStdString();
  return dialog.Choice();
}

TEST(NewConstchk, TextsFocusAndButtons) {
  LangState lang;
  NewConstchk dialog(lang);
  dialog.show();
  EXPECT_EQ(dialog.windowTitle(), QString("新規作図の確認"));
  EXPECT_EQ(dialog.findChild<QLabel*>("Label1")->text(),
            QString("現在の図は失われますが,新しい図を作図しますか。"));
  EXPECT_EQ(dialog.YesButton()->text(), QString("はい(Y)"));
  EXPECT_EQ(dialog.SaveButton()->text(), QString("保存しておく(S)"));
  EXPECT_EQ(dialog.CancelButton()->text(), QString("キャンセル(Esc)"));
  EXPECT_EQ(dialog.focusWidget(), dialog.SaveButton());
  QTest::mouseClick(dialog.SaveButton(), Qt::LeftButton);
  EXPECT_EQ(dialog.Choice(), NewChoice::kSave);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);

  LangState english;
  english.Language = "English";
  NewConstchk translated(english);
  EXPECT_NE(translated.windowTitle(), QString("新規作図の確認"));
  EXPECT_FALSE(translated.windowTitle().isEmpty());
}

TEST(NewConstchk, KeysChooseInEveryInputForm) {
  for (const char* yes : {"y", "Y", "ﾗ", "ラ", "Ｙ"}) {
    EXPECT_EQ(ChoiceAfterKey(QString::fromUtf8(yes)), NewChoice::kYes) << yes;
  }
  for (const char* save : {"s", "S", "Ｓ", "シ", "ｼ"}) {
    EXPECT_EQ(ChoiceAfterKey(QString::fromUtf8(save)), NewChoice::kSave) << save;
  }
  EXPECT_EQ(ChoiceAfterKey(QString(), Qt::Key_Escape), NewChoice::kCancel);
  // Enter keeps the figure: it presses the focused save button.
  EXPECT_EQ(ChoiceAfterKey(QString(), Qt::Key_Return), NewChoice::kSave);

  LangState lang;
  NewConstchk dialog(lang);
  dialog.show();
  TypeText(dialog.focusWidget(), "x");  // other keys do nothing
  EXPECT_TRUE(dialog.isVisible());
}

TEST(PDfrmAbout, CaptionVersionAndButtons) {
  LangState lang;
  PDfrmAbout about(lang);
  EXPECT_EQ(about.windowTitle(), QString("Plandra Winのﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_EQ(about.VersionLabel()->text(), QString("ver.") + PLANDRA_VERSION);
  EXPECT_EQ(about.SysInfoButton()->text(), QString("システム情報"));
  EXPECT_TRUE(SystemInformationText().contains(qVersion()));
  about.show();
  QTest::mouseClick(about.OkButton(), Qt::LeftButton);
  EXPECT_EQ(about.result(), QDialog::Accepted);
  EXPECT_FALSE(about.isVisible());
}

// Window managers cut a title wider than its window short: every dialog is
// made wide enough for its title, when shown and when retitled.
TEST(TitleFit, DialogsAreAsWideAsTheirTitles) {
  TitleFit fit;
  LangState english;
  english.Language = "English";
  PDfrmAbout about(english);
  EXPECT_EQ(about.windowTitle(), QString("About Plandra Win"));
  about.show();
  EXPECT_GE(about.width(), TitleWidth(about.windowTitle()));

  QDialog plain;
  plain.setWindowTitle("Tiny");
  plain.resize(40, 30);
  plain.show();
  EXPECT_GE(plain.width(), TitleWidth(plain.windowTitle()));
  const int narrow = plain.width();
  plain.setWindowTitle(QString::fromUtf8("作図手続きと幾何的対象のデータ Plandra Win"));
  EXPECT_GE(plain.width(), TitleWidth(plain.windowTitle()));
  EXPECT_GT(plain.width(), narrow);
}

// Every dialog and text window of the program, each open on an element of its kind.
std::vector<std::unique_ptr<QWidget>> EveryDialog(Program& p) {
  ResetFigure(p.Fig, 20);
  const int16_t point = test::AddFreePoint(p.Fig, 0, 0);
  const int16_t other = test::AddFreePoint(p.Fig, 3, 0);
  const int16_t line = test::AddStep(p.Fig, "L1", {test::PointRef(point), test::PointRef(other)});
  const int16_t circle = test::AddStep(p.Fig, "C1", {test::PointRef(point), test::PointRef(other)});
  const int16_t number = test::AddNumber(p.Fig, 2);
  std::vector<std::unique_ptr<QWidget>> dialogs;
  dialogs.push_back(std::make_unique<TextViewer>(p.Viewer, p.Lang, [](const std::string&) {}));
  WireNumberChooser(p);
  RunMenuCommand(p, "mnuDeformVar");  // titled as the user opens it
  dialogs.push_back(std::make_unique<PDSelNum>(p));
  dialogs.push_back(std::make_unique<PDExpress>(p));
  dialogs.push_back(std::make_unique<pdNumInput>(p));
  dialogs.push_back(std::make_unique<frmMsg>(p.Lang, nullptr));
  dialogs.push_back(std::make_unique<frmMemo>(p, CoreRunner{}, nullptr));
  dialogs.push_back(std::make_unique<PDfrmAbout>(p.Lang));
  dialogs.push_back(std::make_unique<PDLanguage>(p, PDLanguageActions{}));
  dialogs.push_back(std::make_unique<NewConstchk>(p.Lang));
  const std::pair<ObjRef, std::function<QDialog*()>> attributes[] = {
      {{kClassPoint, point}, [&p] { return new PtAttribute(p); }},
      {{kClassLine, line}, [&p] { return new LineAttribute(p); }},
      {{kClassCircle, circle}, [&p] { return new CircleAttribute(p); }},
      {{kClassNumber, number}, [&p] { return new NumAttribute(p); }}};
  for (const auto& [element, make] : attributes) {
    EditAttributes(p, element);
    dialogs.emplace_back(make());
  }
  EditBinding(p, {kClassPoint, other});
  dialogs.push_back(std::make_unique<SelGeoKindBounded>(p));
  return dialogs;
}

// Whatever a dialog shows after it opened, in either language and after the
// dialogs' font changed, every button and label has the room its text needs.
TEST(DialogTexts, EveryButtonAndLabelShowsItsWholeText) {
  TitleFit fit;
  const QFont standard = QApplication::font("QDialog");
  QFont wide = standard;
  wide.setFamily(ResolveFontFamily("ＭＳ ゴシック"));
  for (const char* language : {"Japanese", "English"}) {
    test::AppFixture app;
    app.P.Lang.Language = language;
    for (const std::unique_ptr<QWidget>& dialog : EveryDialog(app.P)) {
      QApplication::setFont(standard, "QDialog");
      // Open, each has a title; a long one fixes a minimum width.
      if (dialog->windowTitle().isEmpty()) dialog->setWindowTitle("Plandra Win");
      dialog->show();
      QApplication::processEvents();
      QApplication::setFont(wide, "QDialog");
      for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) button->show();
      for (QLabel* label : dialog->findChildren<QLabel*>()) label->show();
      QApplication::processEvents();
      const std::string where = std::string(language) + " " + typeid(*dialog).name() + " ";
      for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        EXPECT_GE(button->width(), button->sizeHint().width())
            << where << button->text().toStdString();
      }
      for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (label->wordWrap()) continue;
        EXPECT_GE(label->width(), label->sizeHint().width())
            << where << label->text().toStdString();
      }
    }
  }
  QApplication::setFont(standard, "QDialog");
}

struct LanguageFixture {
  test::TempDir dir;
  test::ScriptedPlatform host;
  Program program;
  int applied = 0;
  std::vector<std::string> fonts;
  LanguageFixture() {
    program.Host = &host;
    program.Folders.Folder = dir.Path();
    program.Lang.Language = "English";
  }
  PDLanguageActions Actions() {
    return {[this] { ++applied; }, [this](const std::string& font) { fonts.push_back(font); }};
  }
};

TEST(PDLanguage, OkStoresTheChoiceAndAppliesIt) {
  LanguageFixture f;
  PDLanguage dialog(f.program, f.Actions());
  ASSERT_EQ(dialog.Combo1()->count(), 3);
  EXPECT_EQ(dialog.Combo1()->itemText(2), QString("Manual(use dic_pd4.txt)"));
  EXPECT_EQ(dialog.Combo1()->currentIndex(), 1);  // the current language
  dialog.show();
  dialog.Combo1()->setCurrentIndex(2);
  QTest::mouseClick(dialog.OKButton(), Qt::LeftButton);
  EXPECT_EQ(f.program.Lang.Language, "Manual");
  EXPECT_EQ(f.program.Config.Language, "Manual");
  EXPECT_EQ(f.applied, 1);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  const std::string saved = test::ReadFileBytes(f.dir / std::string(kSettingsFileName));
  EXPECT_NE(saved.find("Manual"), std::string::npos);
  EXPECT_FALSE(LanguageDialogOk(f.program, 3));  // outside the list: nothing changes
  EXPECT_EQ(f.program.Config.Language, "Manual");
}

TEST(PDLanguage, EnterAndEscOnTheControls) {
  {
    LanguageFixture f;
    PDLanguage dialog(f.program, f.Actions());
    dialog.show();
    dialog.Combo1()->setFocus();
    dialog.Combo1()->setCurrentIndex(0);
    QTest::keyClick(dialog.Combo1(), Qt::Key_Return);  // Enter on Combo1 is OK
    EXPECT_EQ(f.program.Lang.Language, "Japanese");
    EXPECT_EQ(f.applied, 1);
  }
  for (int control = 0; control < 3; ++control) {
    LanguageFixture f;
    PDLanguage dialog(f.program, f.Actions());
    dialog.show();
    QWidget* target = control == 0   ? static_cast<QWidget*>(dialog.Combo1())
                      : control == 1 ? dialog.OKButton()
                                     : dialog.FontButton();
    target->setFocus();
    dialog.Combo1()->setCurrentIndex(2);
    QTest::keyClick(target, Qt::Key_Escape);  // Esc is Cancel: nothing changes
    EXPECT_EQ(dialog.result(), QDialog::Rejected) << control;
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(f.program.Lang.Language, "English");
    EXPECT_EQ(f.applied, 0);
  }
}

TEST(PDLanguage, FontButtonSetsTheChosenFontAndCloses) {
  LanguageFixture f;
  f.host.FontAnswers.push_back(FontChoice{"IPAGothic", 10});
  {
    PDLanguage dialog(f.program, f.Actions());
    dialog.show();
    QTest::mouseClick(dialog.FontButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.isVisible());
  }
  ASSERT_EQ(f.fonts.size(), 1u);
  EXPECT_EQ(f.fonts[0], "IPAGothic");
  // Cancelling the font dialog sets nothing, and the dialog still closes.
  PDLanguage again(f.program, f.Actions());
  again.show();
  QTest::mouseClick(again.FontButton(), Qt::LeftButton);
  EXPECT_EQ(f.fonts.size(), 1u);
  EXPECT_FALSE(again.isVisible());
  EXPECT_EQ(f.program.Lang.Language, "English");
}

TEST(TextViewer, MirrorsTheViewerTextAndItsMenu) {
  ViewerText viewer;
  LangState lang;
  int switchedOff = 0;
  TextViewer window(viewer, lang, [&](const std::string&) { ++switchedOff; });
  EXPECT_EQ(window.windowTitle(), QString("Data Viewer"));
  EXPECT_FALSE(window.isVisible());

  Figure fig;
  ResetFigure(fig, 200);
  test::AddFreePoint(fig, 1, 2);
  ShowFigDataView(viewer, fig, lang, "untitled", 2);
  window.Mirror();
  EXPECT_TRUE(window.isVisible());
  const QString shown = window.Text1()->toPlainText();
  EXPECT_TRUE(shown.startsWith("作図手続きと幾何的対象のデータ")) << shown.toStdString();
  EXPECT_FALSE(shown.contains('\r'));
  EXPECT_FALSE(window.Item("mnuDispMatrixSWOff")->isVisible());

  viewer.Heading = Translate(lang, "変換の表現行列");
  window.Mirror();
  EXPECT_TRUE(window.Item("mnuDispMatrixSWOff")->isVisible());
  window.Item("mnuDispMatrixSWOff")->trigger();
  EXPECT_EQ(switchedOff, 1);

  EXPECT_TRUE(window.Item("mnuModeOverwrite")->isChecked());
  window.Item("mnuModeFowardAppend")->trigger();
  EXPECT_EQ(viewer.ViewerWriteMode, kViewerPrepend);
  EXPECT_TRUE(window.Item("mnuModeFowardAppend")->isChecked());
  EXPECT_FALSE(window.Item("mnuModeOverwrite")->isChecked());
  window.Item("mnuModeAppend")->trigger();
  EXPECT_EQ(viewer.ViewerWriteMode, kViewerAppend);

  window.Item("mnuClear")->trigger();
  EXPECT_TRUE(viewer.Text.empty());
  EXPECT_TRUE(window.Text1()->toPlainText().isEmpty());
  window.Item("mnuExit")->trigger();
  EXPECT_FALSE(window.isVisible());
  EXPECT_FALSE(viewer.Shown);
}

// The viewer is built before the settings name the language: its menus take
// the language at every mirror.
TEST(TextViewer, MenusFollowTheLanguage) {
  ViewerText viewer;
  LangState lang;
  TextViewer window(viewer, lang, [](const std::string&) {});
  EXPECT_EQ(window.Item("mnuModeFowardAppend")->text(), QString("先送り"));
  lang.Language = "English";
  window.Mirror();
  auto* modes = window.findChild<QMenu*>("mnuMode");
  ASSERT_NE(modes, nullptr);
  EXPECT_EQ(modes->title(), QString("Mode"));
  std::vector<std::string> captions;
  for (const char* name : {"mnuClear", "mnuModeOverwrite", "mnuModeAppend", "mnuModeFowardAppend",
                           "mnuDispMatrixSWOff", "mnuExit"}) {
    captions.push_back(window.Item(name)->text().toStdString());
  }
  EXPECT_EQ(captions, (std::vector<std::string>{"Clear", "Overwrite", "Add", "Add at the top",
                                                "Matrix display off", "Exit"}));
  lang.Language = "Japanese";
  window.Mirror();
  EXPECT_EQ(window.Item("mnuClear")->text(), QString("クリア"));
}

// Answers the modal box that the action opens by pressing one of its buttons.
template <class Action>
auto AnswerModal(int button, Action action) {
  QTimer::singleShot(0, [button] {
    if (QWidget* modal = QApplication::activeModalWidget()) {
      for (QPushButton* b : modal->findChildren<QPushButton*>()) {
        if (static_cast<int>(qobject_cast<QMessageBox*>(modal)->standardButton(b)) == button) {
          b->click();
          return;
        }
      }
      modal->close();
    }
  });
  return action();
}

TEST(QtPlatform, MessageBoxButtonsAndAnswers) {
  QtSurface surface(10, 10);
  QtPlatform platform(nullptr, surface);
  auto ask = [&](MsgButtons buttons) { return platform.MessageBox("本文", "題", buttons); };
  EXPECT_EQ(AnswerModal(QMessageBox::Ok, [&] { return ask(MsgButtons::kOk); }), MsgResult::kOk);
  EXPECT_EQ(AnswerModal(QMessageBox::Cancel, [&] { return ask(MsgButtons::kOkCancel); }),
            MsgResult::kCancel);
  EXPECT_EQ(AnswerModal(QMessageBox::No, [&] { return ask(MsgButtons::kYesNo); }), MsgResult::kNo);
  EXPECT_EQ(AnswerModal(QMessageBox::Yes, [&] { return ask(MsgButtons::kYesNoCancel); }),
            MsgResult::kYes);
  EXPECT_EQ(AnswerModal(QMessageBox::Cancel, [&] { return ask(MsgButtons::kYesNoCancel); }),
            MsgResult::kCancel);
}

}  // namespace
}  // namespace plandra
