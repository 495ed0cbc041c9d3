// The program's window as the user drives it: menu items, clicks and keys on
// the canvas reach the core, and the window and dialogs follow it.
#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QImage>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>

#include "core/Modes.h"
#include "core/locus/PlaneTable.h"
#include "core/numbers/NumberVariation.h"
#include "core/pick/PDSelObj.h"
#include "qt/QtSession.h"
#include "qt/ZEvav.h"
#include "qt/dialogs/PDSelNum.h"
#include "support/FigureBuilder.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

// The program folder is a fresh one for each session.
class SessionFixture : public ::testing::Test {
 protected:
  SessionFixture() { setenv("PLANDRA_HOME", home_.Path().c_str(), 1); }
  ~SessionFixture() override { unsetenv("PLANDRA_HOME"); }

  void Choose(QtSession& session, const char* item) {
    QAction* action = session.Window().findChild<QAction*>(item);
    ASSERT_NE(action, nullptr) << item;
    action->trigger();
  }
  QPoint PixelOf(QtSession& session, double x, double y) {
    return session.Surface().ToPixel(x, y).toPoint();
  }

  test::TempDir home_;
};

TEST_F(SessionFixture, StartsOnTheQuotedFigureAndAddsPointsByClicks) {
  QtSession session;
  session.Start("\"" PLANDRA_SAMPLES "/triangle.pd4\"");
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  EXPECT_TRUE(session.Window().windowTitle().startsWith("[triangle.pd4] Plandra Win"))
      << session.Window().windowTitle().toStdString();
  const int16_t points = p.Fig.ElemCount[kClassPoint];
  ASSERT_GT(points, 0);

  Choose(session, "mnuPnewFreeP");
  EXPECT_EQ(CurrentMode(p.Modes), kModeAddPoint);
  ZEvavCanvas* canvas = session.Window().Canvas();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, PixelOf(session, 2, 3));
  QTest::mouseClick(canvas, Qt::LeftButton, {}, PixelOf(session, -4, 1));
  // Each click placed the waiting point and made the next one wait.
  ASSERT_EQ(p.Fig.ElemCount[kClassPoint], points + 3);
  EXPECT_POINT_NEAR(2, 3, p.Fig.PtTable[points + 1], p.View.PixelSize);
  EXPECT_POINT_NEAR(-4, 1, p.Fig.PtTable[points + 2], p.View.PixelSize);
  QTest::keyClick(canvas, Qt::Key_Escape);
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], points + 2);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_TRUE(session.Window().windowTitle().startsWith("[triangle.pd4]"));
}

// The window takes Qt's texts in the program's language at every mirror.
TEST_F(SessionFixture, QtsOwnTextsFollowTheProgramsLanguage) {
  QtSession session;
  session.Start("");
  EXPECT_TRUE(session.Window().QtTexts().Installed());
  session.Prog().Lang.Language = "English";
  session.Window().Mirror(session.Prog());
  EXPECT_FALSE(session.Window().QtTexts().Installed());
}

TEST_F(SessionFixture, MenuCommandsOpenTheViewerAndTheMenuFollowsTheMode) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/linear.pd4");
  QCoreApplication::processEvents();
  Choose(session, "mnuEditFigDataView");
  EXPECT_TRUE(session.Viewer().isVisible());
  EXPECT_FALSE(session.Viewer().Text1()->toPlainText().isEmpty());

  // A construction waiting for its inputs: Escape withdraws it and the
  // figure is as it was.
  Program& p = session.Prog();
  const int16_t steps = p.Fig.StepCount;
  Choose(session, "mnuPcrossLL");
  EXPECT_EQ(CurrentMode(p.Modes), kModePickConstruct);
  QTest::keyClick(session.Window().Canvas(), Qt::Key_Escape);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Fig.StepCount, steps);
}

// A number varied from the keyboard: the chooser opens over the window, its
// OK reaches the core, and the arrow keys on the canvas change the number.
TEST_F(SessionFixture, NumberVariationThroughTheWindow) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  const int16_t number = test::AddNumber(p.Fig, 1.5);
  Choose(session, "mnuDeformVar");
  PDSelNum* chooser = nullptr;
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget->objectName() == "PDSelNum") chooser = static_cast<PDSelNum*>(widget);
  }
  ASSERT_NE(chooser, nullptr);
  ASSERT_TRUE(chooser->isVisible());
  ASSERT_GE(chooser->NumList()->count(), 1);
  chooser->NumList()->setCurrentRow(chooser->NumList()->count() - 1);
  QTest::mouseClick(chooser->Control("Cmd_OK"), Qt::LeftButton);
  EXPECT_FALSE(chooser->isVisible());
  EXPECT_EQ(CurrentMode(p.Modes), kModeNumVariation);

  QTest::keyClick(session.Window().Canvas(), Qt::Key_Up);
  QTest::keyClick(session.Window().Canvas(), Qt::Key_Up);
  EXPECT_DOUBLE_EQ(p.Fig.NumTable[number].Value, 1.5 + 2 * p.Config.DeltaVar);
  // The Options menu's mark follows the step the digit keys set.
  auto checked = [&session](const char* item) {
    QAction* action = session.Window().findChild<QAction*>(item);
    return action != nullptr && action->isChecked();
  };
  QTest::keyClick(session.Window().Canvas(), Qt::Key_2);
  EXPECT_TRUE(checked("mnuOdeformVarNarrow"));
  QTest::keyClick(session.Window().Canvas(), Qt::Key_1);
  EXPECT_TRUE(checked("mnuOdeformVarWide"));
  EXPECT_FALSE(checked("mnuOdeformVarNarrow"));
  QTest::keyClick(session.Window().Canvas(), Qt::Key_4);
  EXPECT_TRUE(checked("mnuOdeformVarManual"));
  EXPECT_FALSE(checked("mnuOdeformVarWide"));
  QTest::keyClick(session.Window().Canvas(), Qt::Key_Escape);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

// A menu opened by its access letter and closed with Escape leaves the menu
// bar waiting for letters; a command started from its shortcut then takes the
// keys to the drawing area: H moves the waiting point home, Escape ends it.
TEST_F(SessionFixture, TheKeyboardIsNeverLeftInTheMenuBar) {
  QtSession session;
  session.Start("");
  ZEvav& window = session.Window();
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  Program& p = session.Prog();
  auto focused = [] { return QApplication::focusWidget(); };
  QTest::keyClick(&window, Qt::Key_F, Qt::AltModifier);
  QWidget* menu = QApplication::activePopupWidget();
  ASSERT_NE(menu, nullptr);
  QTest::keyClick(menu, Qt::Key_Escape);
  ASSERT_NE(focused(), nullptr);
  QTest::keyClick(focused(), Qt::Key_F, Qt::ControlModifier);
  ASSERT_EQ(CurrentMode(p.Modes), kModeAddPoint);
  EXPECT_EQ(focused(), window.Canvas());
  const ObjRef waiting = p.Build.NewPointRef;
  p.Fig.PtTable[waiting.Index].X = 3;
  QTest::keyClick(focused(), Qt::Key_H);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);  // no Help menu
  EXPECT_EQ(p.Fig.PtTable[waiting.Index].X, 0);
  QTest::keyClick(focused(), Qt::Key_Escape);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

// A right click on a point pops the object menu up with the point's items.
TEST_F(SessionFixture, RightClickOnAPointOpensItsMenu) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  const PtRec& a = p.Fig.PtTable[1];
  QTest::mouseClick(session.Window().Canvas(), Qt::RightButton, {}, PixelOf(session, a.X, a.Y));
  QAction* popup = session.Window().MenuAction("mnuEdit2_point");
  ASSERT_NE(popup, nullptr);
  ASSERT_NE(popup->menu(), nullptr);
  EXPECT_TRUE(popup->menu()->isVisible());
  QAction* edit = session.Window().MenuAction("mnuEdit2_point_Edit");
  ASSERT_NE(edit, nullptr);
  EXPECT_EQ(edit->text().toStdString(), "編集:点 " + std::string(TrimRight(a.Name)));
  EXPECT_EQ(p.Build.MenuTarget, (ObjRef{kClassPoint, 1}));
  popup->menu()->close();
}

// The stored size comes back as it was stored, and the VGA preset keeps its
// check mark over a restart.
TEST_F(SessionFixture, TheStartSizeSurvivesARestart) {
  QSize stored;
  {
    QtSession session;
    session.Start("");
    QCoreApplication::processEvents();
    Choose(session, "mnuOWindowVGA");
    QCoreApplication::processEvents();
    EXPECT_EQ(session.Window().Canvas()->size(), QSize(628, 430));
    EXPECT_TRUE(session.Window().findChild<QAction*>("mnuOWindowVGA")->isChecked());
    stored = session.Window().size();
  }
  for (int restart = 0; restart < 2; ++restart) {
    QtSession session;
    session.Start("");
    QCoreApplication::processEvents();
    EXPECT_EQ(session.Window().size(), stored) << restart;
    EXPECT_EQ(session.Window().Canvas()->size(), QSize(628, 430)) << restart;
    EXPECT_TRUE(session.Window().findChild<QAction*>("mnuOWindowVGA")->isChecked()) << restart;
    EXPECT_FALSE(session.Window().findChild<QAction*>("mnuOWindowSave")->isChecked()) << restart;
  }
}

TEST_F(SessionFixture, AnAbsurdStoredSizeFitsTheScreen) {
  test::WriteFileBytes(home_ / "config_zevav.txt",
                       "ZEvav.Width = 32000 \r\nZEvav.Height = 32000 \r\n");
  QtSession session;
  session.Start("");
  QCoreApplication::processEvents();
  const QRect free = session.Window().screen()->availableGeometry();
  EXPECT_TRUE(free.contains(session.Window().frameGeometry()))
      << session.Window().frameGeometry().width() << " x "
      << session.Window().frameGeometry().height();
}

// Ctrl+T's cycle: half size, thumbnails, and back to the window it began with.
TEST_F(SessionFixture, TheThumbnailCycleResizesTheWindow) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  const QSize normal = session.Window().size();
  Choose(session, "mnuOWindowMini");
  QCoreApplication::processEvents();
  EXPECT_EQ(session.Window().height(), 4900 / 15 + 1);
  EXPECT_EQ(session.Window().findChild<QAction*>("mnuOWindowMini")->text(), QString("1/2縮小表示"));
  for (int step = 2; step <= 4; ++step) Choose(session, "mnuOWindowMini");
  QCoreApplication::processEvents();
  EXPECT_EQ(session.Window().size(), normal);
  EXPECT_FALSE(QGuiApplication::clipboard()->image().isNull());
}

// The Data Viewer opens beside the main window, not over its status bar.
TEST_F(SessionFixture, TheDataViewerOpensBesideTheWindow) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  const QRect free = session.Window().screen()->availableGeometry();
  session.Window().resize(session.Window().minimumSizeHint().width(), 300);
  session.Window().move(free.topLeft());
  session.Viewer().resize(250, 200);
  QCoreApplication::processEvents();
  ASSERT_LE(session.Window().frameGeometry().width() + 250, free.width());
  Choose(session, "mnuEditFigDataView");
  QCoreApplication::processEvents();
  ASSERT_TRUE(session.Viewer().isVisible());
  EXPECT_FALSE(session.Viewer().frameGeometry().intersects(session.Window().frameGeometry()));
  EXPECT_EQ(session.Viewer().frameGeometry().top(), session.Window().frameGeometry().top());
}

// The element's name shows while the mouse is over it, and only then.
TEST_F(SessionFixture, TheNamePanelFollowsTheMouse) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  ZEvavCanvas* canvas = session.Window().Canvas();
  // A spot of the canvas where nothing is near.
  QPoint empty;
  for (int x = 5; x < canvas->width() && empty.isNull(); x += 20) {
    for (int y = 5; y < canvas->height() && empty.isNull(); y += 20) {
      double wx = 0, wy = 0;
      session.Surface().ToWorld(QPointF(x, y), wx, wy);
      if (HoverPick(p, wx, wy).Index == 0) empty = QPoint(x, y);
    }
  }
  ASSERT_FALSE(empty.isNull());
  const PtRec& a = p.Fig.PtTable[1];
  auto moveTo = [&](QPoint pixel) {
    QTest::mouseMove(canvas, pixel);
    QCoreApplication::processEvents();
    return session.Window().Panel(12)->text();
  };
  EXPECT_NE(moveTo(PixelOf(session, a.X, a.Y)), QString());
  EXPECT_EQ(moveTo(empty), QString());
  Choose(session, "mnuPnewFreeP");
  moveTo(PixelOf(session, a.X, a.Y));
  EXPECT_EQ(moveTo(empty + QPoint(1, 1)), QString());
}

// A free point dragged with the mouse follows it and the window returns to
// the standard mode when the button is released.
TEST_F(SessionFixture, DraggingAFreePoint) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  ZEvavCanvas* canvas = session.Window().Canvas();
  const PtRec& a = p.Fig.PtTable[1];
  ASSERT_EQ(a.BoundMode, -1);
  QTest::mousePress(canvas, Qt::LeftButton, {}, PixelOf(session, a.X, a.Y));
  EXPECT_EQ(CurrentMode(p.Modes), 72);
  QTest::mouseMove(canvas, PixelOf(session, 1, 1));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, PixelOf(session, 1, 1));
  EXPECT_POINT_NEAR(1, 1, p.Fig.PtTable[1], 2 * p.View.PixelSize);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

// Panel 3 turns the locus switch on; a dragged point with a locus colour
// leaves its trace, and the record file takes a row per redraw.
TEST_F(SessionFixture, TheLocusSwitchFromItsPanelAndADrag) {
  QtSession session;
  session.Start(PLANDRA_SAMPLES "/triangle.pd4");
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  p.Fig.PtTable[1].Style = kColorRed;
  QTest::mouseClick(session.Window().Panel(kLocusPanel), Qt::LeftButton);
  EXPECT_EQ(p.Locus.LocusOn, kTrue);
  EXPECT_EQ(session.Window().Panel(kLocusPanel)->text(), QString("軌"));
  const PtRec& a = p.Fig.PtTable[1];
  double startX = a.X;
  ZEvavCanvas* canvas = session.Window().Canvas();
  QTest::mousePress(canvas, Qt::LeftButton, {}, PixelOf(session, a.X, a.Y));
  QTest::mouseMove(canvas, PixelOf(session, 1, 1));
  QTest::mouseRelease(canvas, Qt::LeftButton, {}, PixelOf(session, 1, 1));
  ASSERT_GE(p.Locus.TraceCount[kClassPoint], 1);
  EXPECT_NEAR(p.Locus.TracePts[1].X, startX, 1e-9);
  EXPECT_EQ(p.Locus.TracePts[1].Color, kColorRed);
  EXPECT_FALSE(test::ReadFileBytes(home_ / "temp.csv").empty());
}

// Key X in the deformation: the table over the plane runs from the window's
// timer while the window goes on showing it, and ends with the file beside
// the figure and the point back.
TEST_F(SessionFixture, TheTableOverThePlaneRunsFromTheTimer) {
  std::filesystem::copy_file(PLANDRA_SAMPLES "/triangle.pd4", home_ / "tri.pd4");
  QtSession session;
  session.Start((home_ / "tri.pd4").string());
  QCoreApplication::processEvents();
  Program& p = session.Prog();
  p.Locus.LocusNum = test::AddStep(p.Fig, "ND2P", {test::PointRef(1), test::PointRef(2)});
  QTest::mouseClick(session.Window().Panel(kLocusPanel), Qt::LeftButton);
  Choose(session, "mnuDeform1Pt");
  const PtRec& a = p.Fig.PtTable[1];
  const double startX = a.X;
  ZEvavCanvas* canvas = session.Window().Canvas();
  QTest::mouseClick(canvas, Qt::LeftButton, {}, PixelOf(session, a.X, a.Y));
  ASSERT_EQ(p.Deform.DraggedPoint, 1);
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box != nullptr) box->button(QMessageBox::Ok)->click();
  });
  QTest::keyClick(canvas, Qt::Key_X);
  ASSERT_TRUE(PlaneTableRunning(p));
  QTRY_VERIFY_WITH_TIMEOUT(!PlaneTableRunning(p), 30000);
  EXPECT_GT(std::filesystem::file_size(home_ / "tri_3D.csv"), 1000u);
  EXPECT_EQ(a.X, startX);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

}  // namespace
}  // namespace plandra
