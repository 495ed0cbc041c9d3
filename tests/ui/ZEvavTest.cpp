#include <gtest/gtest.h>

#include <QAction>
#include <QMenuBar>
#include <QTest>

#include "CliRender.h"
#include "app/ZEvav.h"
#include "view/QtSurface.h"

namespace plandra {
namespace {

std::vector<MenuItem> SampleMenu() {
  MenuItem file{"mnuFile", "ﾌｧｲﾙ", "", true, false, true, {}};
  file.Children = {MenuItem{"mnuNew", "新規作成", "Ctrl+N", true, false, true, {}},
                   MenuItem{"mnuSep1", "-", "", true, false, true, {}},
                   MenuItem{"mnuExit", "終了", "", true, false, true, {}}};
  MenuItem option{"mnuOption", "ｵﾌﾟｼｮﾝ", "", true, false, true, {}};
  option.Children = {MenuItem{"mnuOAxis", "座標軸の表示", "", true, true, true, {}}};
  return {file, option};
}

TEST(ZEvav, PanelClicksReachTheCore) {
  QtSurface surface(100, 100);
  ZEvav window(surface);
  std::vector<int> clicked;
  window.Callbacks().PanelClicked = [&](int panel) { clicked.push_back(panel); };
  window.show();
  for (int panel : {1, 6, 12}) QTest::mouseClick(window.Panel(panel), Qt::LeftButton);
  EXPECT_EQ(clicked, (std::vector<int>{1, 6, 12}));
  QTest::mouseClick(window.Panel(3), Qt::RightButton);  // only the left button clicks
  EXPECT_EQ(clicked.size(), 3u);
  EXPECT_EQ(window.Panel(0), nullptr);
  EXPECT_EQ(window.Panel(13), nullptr);

  window.SetPanelText(2, "三角形.pd4");
  EXPECT_EQ(window.Panel(2)->text(), QString("三角形.pd4"));
  window.SetPanelBevel(6, PanelBevel::kRaised);
  EXPECT_EQ(window.Panel(6)->frameShadow(), QFrame::Raised);
  window.SetPanelBevel(6, PanelBevel::kInset);
  EXPECT_EQ(window.Panel(6)->frameShadow(), QFrame::Sunken);
}

TEST(ZEvav, CanvasSizesTheSurfaceAndSpeaksWorldCoordinates) {
  QtSurface surface(10, 10);
  ZEvav window(surface);
  std::vector<std::pair<int, int>> sizes;
  window.Callbacks().Resized = [&](int w, int h) {
    sizes.emplace_back(w, h);
    SetViewWindow(surface, 0.05);
  };
  std::vector<InputEvent> downs, ups, keys;
  window.Callbacks().MouseDown = [&](const InputEvent& e) { downs.push_back(e); };
  window.Callbacks().MouseUp = [&](const InputEvent& e) { ups.push_back(e); };
  window.Callbacks().KeyDown = [&](const InputEvent& e) { keys.push_back(e); };
  window.resize(700, 600);
  window.show();
  QCoreApplication::processEvents();
  ZEvavCanvas* canvas = window.Canvas();
  ASSERT_FALSE(sizes.empty());
  EXPECT_EQ(sizes.back(), std::make_pair(canvas->width(), canvas->height()));
  EXPECT_EQ(surface.PixelWidth(), canvas->width());
  EXPECT_EQ(surface.Image().height(), canvas->height());

  const int w = canvas->width();
  const int h = canvas->height();
  QTest::mouseClick(canvas, Qt::RightButton, Qt::ShiftModifier, QPoint(100, 40));
  ASSERT_EQ(downs.size(), 1u);
  ASSERT_EQ(ups.size(), 1u);
  const double halfWidth = (w - 1) * 0.05 / 2;
  const double halfHeight = (h - 1) * 0.05 / 2;
  EXPECT_NEAR(downs[0].X, -halfWidth + 100 * 2 * halfWidth / w, 1e-9);
  EXPECT_NEAR(downs[0].Y, halfHeight - 40 * 2 * halfHeight / h, 1e-9);
  EXPECT_EQ(downs[0].Button, kButtonRight);
  EXPECT_EQ(downs[0].Shift, kShiftKey);

  QTest::keyClick(canvas, Qt::Key_Escape, Qt::ShiftModifier);
  QTest::keyClick(canvas, Qt::Key_Left);
  QTest::keyClick(canvas, Qt::Key_A);
  // The shift key itself comes first, as a key of its own.
  ASSERT_EQ(keys.size(), 4u);
  EXPECT_EQ(keys[0].KeyCode, kKeyShift);
  EXPECT_EQ(keys[1].KeyCode, kKeyEscape);
  EXPECT_EQ(keys[1].Shift, kShiftKey);
  EXPECT_EQ(keys[2].KeyCode, kKeyLeft);
  EXPECT_EQ(keys[2].Shift, 0);
  EXPECT_EQ(keys[3].KeyCode, 'A');
  EXPECT_EQ(keys[3].Text, "a");
  EXPECT_EQ(CoreKeyCode(Qt::Key_F3), kKeyF1 + 2);
  EXPECT_EQ(CoreKeyCode(Qt::Key_Launch0), 0);
}

TEST(ZEvav, MenuBarMirrorsTheModel) {
  QtSurface surface(10, 10);
  ZEvav window(surface);
  std::vector<std::string> chosen;
  window.Callbacks().MenuChosen = [&](const std::string& name) { chosen.push_back(name); };
  std::vector<MenuItem> model = SampleMenu();
  window.MirrorMenu(model);
  ASSERT_EQ(window.menuBar()->actions().size(), 2);
  EXPECT_EQ(window.menuBar()->actions()[0]->text(), QString("ﾌｧｲﾙ"));
  QAction* newItem = window.MenuAction("mnuNew");
  ASSERT_NE(newItem, nullptr);
  EXPECT_EQ(newItem->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_TRUE(window.MenuAction("mnuSep1")->isSeparator());
  EXPECT_TRUE(window.MenuAction("mnuOAxis")->isChecked());
  newItem->trigger();
  EXPECT_EQ(chosen, std::vector<std::string>{"mnuNew"});

  // The same layout: states and captions change in place, the actions stay.
  FindMenuItem(model, "mnuNew")->Enabled = false;
  FindMenuItem(model, "mnuOAxis")->Checked = false;
  FindMenuItem(model, "mnuExit")->Visible = false;
  FindMenuItem(model, "mnuFile")->Caption = "File";
  window.MirrorMenu(model);
  EXPECT_EQ(window.MenuAction("mnuNew"), newItem);
  EXPECT_FALSE(newItem->isEnabled());
  EXPECT_FALSE(window.MenuAction("mnuOAxis")->isChecked());
  EXPECT_FALSE(window.MenuAction("mnuExit")->isVisible());
  EXPECT_EQ(window.menuBar()->actions()[0]->text(), QString("File"));

  // A new layout is built afresh; a top-level item without children is a command.
  model.push_back(MenuItem{"mnuRedo", "繰り返し(Redo)", "", true, false, true, {}});
  window.MirrorMenu(model);
  ASSERT_EQ(window.menuBar()->actions().size(), 3);
  window.MenuAction("mnuRedo")->trigger();
  EXPECT_EQ(chosen.back(), "mnuRedo");
  EXPECT_FALSE(window.MenuAction("mnuNew")->isEnabled());
}

}  // namespace
}  // namespace plandra
