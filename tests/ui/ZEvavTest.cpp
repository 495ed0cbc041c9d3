#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "CliRender.h"
#include "core/Program.h"
#include "core/ViewCommands.h"
#include "core/language/Multi_lang.h"
#include "qt/QtTranslation.h"
#include "qt/ZEvav.h"
#include "qt/drawing/QtSurface.h"

namespace plandra {
namespace {

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

  StatusBar bar = DesignedStatusBar();
  bar.Panel(kFilePanel).Text = "三角形.pd4";
  bar.Panel(kPicturePanel).Bevel = PanelBevel::kRaised;
  window.MirrorStatus(bar);
  EXPECT_EQ(window.Panel(kFilePanel)->text(), QString("三角形.pd4"));
  EXPECT_EQ(window.Panel(kPicturePanel)->frameShadow(), QFrame::Raised);
  EXPECT_GE(window.Panel(kLocusPanel)->minimumWidth(), 1);
  bar.Panel(kPicturePanel).Bevel = PanelBevel::kInset;
  window.MirrorStatus(bar);
  EXPECT_EQ(window.Panel(kPicturePanel)->frameShadow(), QFrame::Sunken);
}

// The replay's step text keeps its room, panels without a use now look
// unavailable, and the pointer is the one the core asked for.
TEST(ZEvav, PanelsAndPointerFollowTheModel) {
  QtSurface surface(100, 100);
  ZEvav window(surface);
  window.resize(640, 480);
  window.show();
  StatusBar bar = DesignedStatusBar();
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) bar.Panel(panel).Text = "panel";
  bar.Panel(kLocusPanel).Text = "２点を結ぶ:(点A，点B)→(線A)";
  bar.Panel(10).Usable = false;
  window.MirrorStatus(bar);
  QCoreApplication::processEvents();
  QLabel* step = window.Panel(kLocusPanel);
  const int needed = step->fontMetrics().horizontalAdvance(step->text());
  EXPECT_GE(step->width(), needed);
  EXPECT_FALSE(window.Panel(10)->isEnabled());
  EXPECT_TRUE(window.Panel(9)->isEnabled());

  // When the replay ends its room is given back: no panel stays cut short.
  bar.Panel(1).Text = "Construction replay";
  bar.Panel(kLocusPanel).Text = std::string(120, 'x');
  window.MirrorStatus(bar);
  QCoreApplication::processEvents();
  bar.Panel(1).Text = "Standard";
  bar.Panel(kLocusPanel).Text.clear();
  window.MirrorStatus(bar);
  QCoreApplication::processEvents();
  for (int panel : {1, 2, 5}) {
    QLabel* label = window.Panel(panel);
    EXPECT_GE(label->contentsRect().width(), label->fontMetrics().horizontalAdvance(label->text()))
        << panel;
  }

  Program p;
  p.Pick.Cursor = kCursorSizeAll;
  window.Mirror(p);
  EXPECT_EQ(window.Canvas()->cursor().shape(), Qt::SizeAllCursor);
  p.Pick.Cursor = kCursorArrow;
  window.Mirror(p);
  EXPECT_EQ(window.Canvas()->cursor().shape(), Qt::ArrowCursor);
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
  MenuBar bar = MainMenuBar();
  window.MirrorMenu(bar);
  ASSERT_EQ(window.menuBar()->actions().size(), static_cast<qsizetype>(bar.Items.size()));
  EXPECT_EQ(window.menuBar()->actions()[0]->text(), QString("ﾌｧｲﾙ"));
  for (const MenuItem* item : AllMenuItems(bar)) {
    ASSERT_NE(window.MenuAction(item->Name), nullptr) << item->Name;
  }
  QAction* newItem = window.MenuAction("mnuNew");
  EXPECT_EQ(newItem->shortcut(), QKeySequence("Ctrl+N"));
  newItem->trigger();
  EXPECT_EQ(chosen, std::vector<std::string>{"mnuNew"});

  // States and captions change in place; the actions stay.
  FindMenuItem(bar, "mnuNew")->Enabled = false;
  FindMenuItem(bar, "mnuOAxis")->Checked = true;
  FindMenuItem(bar, "mnuExit")->Visible = false;
  FindMenuItem(bar, "mnuFile")->Caption = "File";
  window.MirrorMenu(bar);
  EXPECT_EQ(window.MenuAction("mnuNew"), newItem);
  EXPECT_FALSE(newItem->isEnabled());
  EXPECT_TRUE(window.MenuAction("mnuOAxis")->isChecked());
  EXPECT_FALSE(window.MenuAction("mnuExit")->isVisible());
  EXPECT_EQ(window.menuBar()->actions()[0]->text(), QString("File"));
  FindMenuItem(bar, "mnuOAxis")->Checked = false;
  window.MirrorMenu(bar);
  EXPECT_FALSE(window.MenuAction("mnuOAxis")->isChecked());

  // An unchanged model leaves the menus alone; a chosen item is set again
  // from the model, which Qt's own tick may have left behind.
  int updates = window.MenuUpdates();
  window.MirrorMenu(bar);
  EXPECT_EQ(window.MenuUpdates(), updates);
  QAction* axis = window.MenuAction("mnuOAxis");
  axis->setCheckable(true);
  axis->trigger();
  window.MirrorMenu(bar);
  EXPECT_EQ(window.MenuUpdates(), updates + 1);
  EXPECT_FALSE(axis->isChecked());

  // Other items: the bar is built afresh.
  bar.Items.push_back(MenuItem{"mnuExtra", "追加", "", "mnuExtra", "", {}, true, false, true});
  window.MirrorMenu(bar);
  ASSERT_EQ(window.menuBar()->actions().size(), static_cast<qsizetype>(bar.Items.size()));
  window.MenuAction("mnuExtra")->trigger();
  EXPECT_EQ(chosen.back(), "mnuExtra");
  EXPECT_FALSE(window.MenuAction("mnuNew")->isEnabled());
}

// A keyboard user reaches the menus as on other desktops: F10 opens the first
// menu that can be used, Alt and a menu's access letter opens that menu.
TEST(ZEvav, F10AndAccessLettersOpenTheMenus) {
  QtSurface surface(10, 10);
  ZEvav window(surface);
  int keysToCore = 0;
  window.Callbacks().KeyDown = [&](const InputEvent&) { ++keysToCore; };
  MenuBar bar = MainMenuBar();
  LangState lang;
  lang.Language = "English";
  TranslateMenuCaptions(bar, lang);
  FindMenuItem(bar, "mnuFile")->Enabled = false;
  window.MirrorMenu(bar);
  window.show();
  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

  QTest::keyClick(window.Canvas(), Qt::Key_F10);
  EXPECT_EQ(window.menuBar()->activeAction(), window.MenuAction("mnuDeform"));
  EXPECT_EQ(keysToCore, 0);
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();

  window.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QTest::keyClick(window.Canvas(), Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ(window.menuBar()->activeAction(), window.MenuAction("mnuMeasure"));
  if (QWidget* popup = QApplication::activePopupWidget()) popup->close();
}

// Qt's own texts (here a message box's button) follow the program's language.
TEST(QtTranslation, QtsOwnTextsFollowTheLanguage) {
  auto cancelText = [] {
    QMessageBox box(QMessageBox::NoIcon, "", "", QMessageBox::Cancel);
    return box.button(QMessageBox::Cancel)->text();
  };
  QtTranslation qtTexts;
  EXPECT_EQ(cancelText(), QString("Cancel"));
  qtTexts.Follow("Japanese");
  ASSERT_TRUE(qtTexts.Installed()) << "Qt's Japanese catalogue (scripts/install-deps) is missing";
  EXPECT_EQ(cancelText(), QString("キャンセル"));
  qtTexts.Follow("English");
  EXPECT_FALSE(qtTexts.Installed());
  EXPECT_EQ(cancelText(), QString("Cancel"));
  qtTexts.Follow(" japanese ");
  qtTexts.Follow("Manual");
  EXPECT_EQ(cancelText(), QString("Cancel"));
}

}  // namespace
}  // namespace plandra
