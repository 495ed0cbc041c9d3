// The program's window as the user drives it: menu items, clicks and keys on
// the canvas reach the core, and the window and dialogs follow it.
#include <gtest/gtest.h>

#include <QAction>
#include <QPlainTextEdit>
#include <QTest>
#include <cstdlib>

#include "app/Modes.h"
#include "app/QtSession.h"
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

}  // namespace
}  // namespace plandra
