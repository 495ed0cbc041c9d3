// The event windows and the double click that reaches them, driven as the
// user drives them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cstdlib>

#include "app/FileCommands.h"
#include "core/events/MemoWindow.h"
#include "core/events/PDevent.h"
#include "figure/EventMark.h"
#include "qt/QtSession.h"
#include "qt/windows/frmMsg.h"
#include "support/FigureBuilder.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

class EventWindowsTest : public ::testing::Test {
 protected:
  EventWindowsTest() { setenv("PLANDRA_HOME", home_.Path().c_str(), 1); }
  ~EventWindowsTest() override { unsetenv("PLANDRA_HOME"); }

  template <typename Widget>
  Widget* Find(QWidget& root, const char* name) {
    Widget* widget = root.findChild<Widget*>(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget;
  }

  test::TempDir home_;
  test::TempDir temp_;
};

// A GIF of one pixel, written from the format: header, screen, colour table,
// image descriptor, LZW data, trailer.
constexpr char kOnePixelGif[] =
    "GIF89a\x01\x00\x01\x00\x80\x00\x00\xff\x00\x00\x00\x00\x00"
    ",\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00;";

TEST_F(EventWindowsTest, TheMessageWindowShowsTextsAndPictures) {
  LangState lang;
  QWidget owner;
  owner.setGeometry(0, 0, 400, 300);
  owner.show();
  frmMsg window(lang, &owner);
  window.ShowMsg(4, "Hello");
  EXPECT_TRUE(window.isVisible());
  // Beside the figure, not over it.
  EXPECT_FALSE(window.frameGeometry().intersects(owner.frameGeometry()));
  {
    // A screen too narrow for both: over the window, but below its menus.
    QMainWindow wide;
    wide.menuBar()->addMenu("File");
    wide.setGeometry(owner.screen()->availableGeometry().adjusted(0, 40, 0, -40));
    wide.show();
    frmMsg over(lang, &wide);
    over.ShowMsg(4, "Hello");
    const QMenuBar* bar = wide.menuBar();
    EXPECT_GE(over.frameGeometry().top(), bar->mapToGlobal(QPoint(0, bar->height())).y());
  }
  QLabel* label = Find<QLabel>(window, "LblMsg");
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QString("Hello"));
  const QColor blueish = label->palette().color(QPalette::Window);
  window.ShowMsg(1, "Red");
  EXPECT_NE(label->palette().color(QPalette::Window), blueish);
  QPushButton* erase = Find<QPushButton>(window, "Command1");
  EXPECT_EQ(erase->text(), QString("消す"));

  QImage image(8, 6, QImage::Format_RGB32);
  image.fill(Qt::red);
  for (const char* name : {"a.png", "a.jpg", "a.bmp"}) {
    const QString file = QString::fromStdString((temp_ / name).string());
    ASSERT_TRUE(image.save(file)) << name;
    EXPECT_TRUE(window.ShowFig(temp_ / name)) << name;
    EXPECT_FALSE(label->isVisible());
  }
  test::WriteFileBytes(temp_ / "a.gif", std::string(kOnePixelGif, sizeof kOnePixelGif - 1));
  EXPECT_TRUE(window.ShowFig(temp_ / "a.gif"));
  EXPECT_FALSE(Find<QLabel>(window, "Picture")->pixmap().isNull());

  // No picture in the file: refused, the window as it was.
  test::WriteFileBytes(temp_ / "b.png", "no picture");
  window.ShowMsg(2, "Kept");
  EXPECT_FALSE(window.ShowFig(temp_ / "b.png"));
  EXPECT_TRUE(label->isVisible());
  EXPECT_EQ(label->text(), QString("Kept"));

  QTest::mouseClick(erase, Qt::LeftButton);
  EXPECT_FALSE(window.isVisible());
}

TEST_F(EventWindowsTest, TheMemoWindowEditsSavesAndTurnsReadOnly) {
  QtSession session;
  session.Start("");
  Program& p = session.Prog();
  const auto file = temp_ / "memo.txt";
  ShowMemo(p.Events.Memo, file, p.Lang);
  p.Host->ShowMemoWindow();
  QWidget* memo = session.Window().findChild<QWidget*>("frmMemo");
  ASSERT_NE(memo, nullptr);
  EXPECT_TRUE(memo->isVisible());
  auto* text = Find<QPlainTextEdit>(*memo, "Text1");
  auto* font = Find<QPushButton>(*memo, "Command1");
  auto* save = Find<QPushButton>(*memo, "Command2");
  auto* erase = Find<QPushButton>(*memo, "Command3");
  EXPECT_EQ(text->toPlainText(), QString(""));
  EXPECT_EQ(Find<QLabel>(*memo, "Notice")->text(), QString("新規作成です。"));
  EXPECT_EQ(save->text(), QString("Save"));
  EXPECT_FALSE(save->isEnabled());

  text->selectAll();
  QTest::keyClicks(text, "first line");
  EXPECT_TRUE(save->isEnabled());
  QTest::mouseClick(save, Qt::LeftButton);
  EXPECT_FALSE(save->isEnabled());
  EXPECT_EQ(test::ReadFileBytes(file), "first line");
  EXPECT_FALSE(Find<QLabel>(*memo, "Notice")->isVisible());

  const double size = text->font().pointSizeF();
  QTest::mouseClick(font, Qt::LeftButton);
  EXPECT_NE(text->font().pointSizeF(), size);

  // Read-only: no save button, the text cannot be changed.
  SetMemoReadOnly(p.Events.Memo);
  ShowMemo(p.Events.Memo, file, p.Lang);
  p.Host->ShowMemoWindow();
  EXPECT_FALSE(save->isVisible());
  EXPECT_TRUE(text->isReadOnly());
  EXPECT_EQ(text->toPlainText(), QString("first line"));

  QTest::mouseClick(erase, Qt::LeftButton);
  EXPECT_FALSE(memo->isVisible());
  EXPECT_FALSE(p.Events.Memo.ReadOnly);
}

TEST_F(EventWindowsTest, ADoubleClickNearAnEventPointShowsItsMessage) {
  QtSession session;
  session.Start("");
  Program& p = session.Prog();
  const int16_t k = test::AddFreePoint(p.Fig, 0, 0);
  SetElementName(p.Fig, {kClassPoint, k}, "A!!Hello");
  p.Locus.LocusOn = kTrue;
  p.Events.EventMode = kEventModeOn;
  ZEvavCanvas* canvas = session.Window().Canvas();
  const QPoint at = session.Surface().ToPixel(0, 0).toPoint();
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, at);
  QWidget* message = session.Window().findChild<QWidget*>("frmMsg");
  ASSERT_NE(message, nullptr);
  EXPECT_TRUE(message->isVisible());
  EXPECT_EQ(Find<QLabel>(*message, "LblMsg")->text(), QString("Hello"));
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);

  // Further away only the pointer tells that the point is near.
  message->hide();
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, at + QPoint(4, 0));
  EXPECT_FALSE(message->isVisible());
  EXPECT_EQ(canvas->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseDClick(canvas, Qt::LeftButton, {}, at + QPoint(7, 0));
  EXPECT_EQ(canvas->cursor().shape(), Qt::WhatsThisCursor);
}

// Answers the next message box with button and keeps its text; a box that
// never comes leaves the text empty.
void AnswerNextBox(QMessageBox::StandardButton button, QString& text) {
  text.clear();
  QTimer::singleShot(0, [button, &text] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    text = box->text();
    box->button(button)->click();
  });
}

TEST_F(EventWindowsTest, MemoEditsAreAskedAboutBeforeTheyAreLost) {
  QtSession session;
  session.Start("");
  Program& p = session.Prog();
  p.CurFileName = (temp_ / "lesson.pd5").string();
  const int16_t k = test::AddFreePoint(p.Fig, 0, 0);
  SetElementName(p.Fig, {kClassPoint, k}, "M!@other");
  MarkFigureSaved(p);
  p.Locus.LocusOn = kTrue;
  p.Events.EventMode = kEventModeOn;
  const auto file = temp_ / "memo.txt";
  test::WriteFileBytes(file, "kept\n");
  ShowMemo(p.Events.Memo, file, p.Lang);
  p.Host->ShowMemoWindow();
  QWidget* memo = session.Window().findChild<QWidget*>("frmMemo");
  ASSERT_NE(memo, nullptr);
  auto* text = Find<QPlainTextEdit>(*memo, "Text1");
  auto* erase = Find<QPushButton>(*memo, "Command3");
  text->moveCursor(QTextCursor::End);
  QTest::keyClicks(text, "typed");
  const QString edited("kept\ntyped");
  QString asked;

  // 消す: cancelled, the window and the edits stay.
  AnswerNextBox(QMessageBox::Cancel, asked);
  QTest::mouseClick(erase, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_NE(asked.indexOf("メモ"), -1) << asked.toStdString();
  EXPECT_TRUE(memo->isVisible());
  EXPECT_EQ(text->toPlainText(), edited);

  // Another memo from an event point: cancelled, this one stays.
  AnswerNextBox(QMessageBox::Cancel, asked);
  const QPoint at = session.Surface().ToPixel(0, 0).toPoint();
  QTest::mouseDClick(session.Window().Canvas(), Qt::LeftButton, {}, at);
  QCoreApplication::processEvents();
  EXPECT_NE(asked.indexOf("メモ"), -1) << asked.toStdString();
  EXPECT_EQ(p.Events.Memo.File, file);
  EXPECT_EQ(text->toPlainText(), edited);

  // Quitting: cancelled, the program stays.
  AnswerNextBox(QMessageBox::Cancel, asked);
  session.Window().close();
  QCoreApplication::processEvents();
  EXPECT_NE(asked.indexOf("メモ"), -1) << asked.toStdString();
  EXPECT_FALSE(p.Window.ExitRequested);

  // 消す and save: the edits reach the file, then the window goes.
  AnswerNextBox(QMessageBox::Yes, asked);
  QTest::mouseClick(erase, Qt::LeftButton);
  QCoreApplication::processEvents();
  EXPECT_FALSE(memo->isVisible());
  EXPECT_EQ(test::ReadFileBytes(file), "kept\ntyped");
}

}  // namespace
}  // namespace plandra
