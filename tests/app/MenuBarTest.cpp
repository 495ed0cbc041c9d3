#include <gtest/gtest.h>

#include <set>

#include "app/MainCommands.h"
#include "core/MainModel.h"
#include "core/ViewCommands.h"
#include "core/drag/PDdeform05.h"
#include "core/language/Multi_lang.h"
#include "core/menus/MenuBar.h"
#include "core/menus/StatusBar.h"
#include "support/AppFixture.h"

namespace plandra {
namespace {

using test::AppFixture;

std::vector<std::string> TopMenuNames(const MenuBar& bar) {
  std::vector<std::string> names;
  for (const MenuItem& item : bar.Items) names.push_back(item.Name);
  return names;
}

std::vector<std::string> ChildNames(const MenuBar& bar, std::string_view menu) {
  std::vector<std::string> names;
  for (const MenuItem& item : FindMenuItem(bar, menu)->Children) names.push_back(item.Name);
  return names;
}

TEST(MenuBarTest, OrderNamesCaptionsAndShortcuts) {
  MenuBar bar = MainMenuBar();
  EXPECT_EQ(TopMenuNames(bar),
            (std::vector<std::string>{"mnuFile", "mnuDeform", "mnuConstruction", "mnuMeasure",
                                      "mnuZoom", "mnuLocus", "mnuOption", "mnuEdit",
                                      "mnuEdit2_point", "mnuHelp", "mnuMenuToFull"}));
  EXPECT_EQ(ChildNames(bar, "mnuConstruction").front(), "mnuConstPoint");
  EXPECT_EQ(
      ChildNames(bar, "mnuTransform"),
      (std::vector<std::string>{"mnuTransPoint", "mnuTransLine", "mnuTransCircle", "mnuTrans2"}));
  EXPECT_EQ(ChildNames(bar, "mnuZoom"), (std::vector<std::string>{"mnuZoomDefault", "mnuZoomIn",
                                                                  "mnuZoomOut", "mnuZoomComplex"}));

  struct Row {
    std::string_view Name, Caption, Shortcut;
  };
  for (const Row& row :
       {Row{"mnuFile", "ﾌｧｲﾙ", ""}, Row{"mnuSave", "保存", "Ctrl+S"},
        Row{"mnufBMP", "画面保存(bmp,クリップボード)", "F7"}, Row{"mnuZoomOut", "/ 2", "Shift+F3"},
        Row{"mnuLocusNumCSV", "測定記録を見る", "Shift+Ctrl+F9"},
        Row{"mnuEbasicNum", "個別に設定", "Shift+Ctrl+F2"},
        Row{"mnuCMPpower", "  ＾  （べき）", ""}, Row{"mnuRedrawslowOption_05", "遅く(1秒)", ""},
        Row{"mnuFigData_Redraw", "作図手続きの再生", "Ctrl+F1"},
        Row{"mnuLanguage", "Language", ""}}) {
    const MenuItem* item = FindMenuItem(bar, row.Name);
    ASSERT_NE(item, nullptr) << row.Name;
    EXPECT_EQ(item->Caption, row.Caption) << row.Name;
    EXPECT_EQ(item->Shortcut, row.Shortcut) << row.Name;
  }

  // The line symmetry of a circle lies under "円→円"; the segment, line and
  // half-line through two points share one kind.
  const MenuItem* circleSym = FindMenuItem(bar, "mnuTransformLLinesymmetry");
  EXPECT_EQ(circleSym->KindCode, "CT1");
  const auto& circleMenu = FindMenuItem(bar, "mnuTransCircle")->Children;
  EXPECT_TRUE(std::any_of(circleMenu.begin(), circleMenu.end(),
                          [](const MenuItem& i) { return i.Name == "mnuTransformLLinesymmetry"; }));
  for (std::string_view name : {"mnuS2P", "mnlL2P", "mnuH2P"}) {
    EXPECT_EQ(FindMenuItem(bar, name)->KindCode, "L1") << name;
  }
  EXPECT_EQ(FindMenuItem(bar, "mnuMredo")->Action, "mnuCredo");
  EXPECT_EQ(FindMenuItem(bar, "mnuLocusSetC")->Action, "mnuEbasicCircle");
}

TEST(MenuBarTest, NamesAreUniqueAndShortcutsAreNotShared) {
  MenuBar bar = MainMenuBar();
  std::set<std::string> names;
  std::set<std::string> shortcuts;
  int constructions = 0;
  for (const MenuItem* item : AllMenuItems(bar)) {
    EXPECT_TRUE(names.insert(item->Name).second) << item->Name;
    if (!item->Shortcut.empty()) {
      EXPECT_TRUE(shortcuts.insert(item->Shortcut).second) << item->Name;
    }
    if (item->Action == "StartConstruction") {
      ++constructions;
      EXPECT_FALSE(item->KindCode.empty()) << item->Name;
    }
    EXPECT_EQ(item->Action.empty(), !item->Children.empty()) << item->Name;
  }
  EXPECT_EQ(constructions, 80);
}

TEST(MenuBarTest, UnwiredCommandsAreDisabledAndDoNothing) {
  AppFixture app;
  MenuBar& bar = app.P.Menu;
  EXPECT_TRUE(FindMenuItem(bar, "mnuMcalc")->Enabled);
  EXPECT_TRUE(FindMenuItem(bar, "mnuDeformVar")->Enabled);
  EXPECT_TRUE(FindMenuItem(bar, "mnuDeform1Pt")->Enabled);
  EXPECT_TRUE(FindMenuItem(bar, "mnuPcrossLL")->Enabled);  // constructions are wired
  EXPECT_TRUE(FindMenuItem(bar, "mnuCredo")->Enabled);
  EXPECT_TRUE(FindMenuItem(bar, "mnuNew")->Enabled);
  EXPECT_TRUE(FindMenuItem(bar, "mnuOFileSave")->Enabled);
  EXPECT_TRUE(FindMenuItem(bar, "mnuConstPoint")->Enabled);  // a sub-menu stays openable

  int16_t steps = app.P.Fig.StepCount;
  // Every item whose command is not in the program yet is disabled.
  for (const MenuItem* item : AllMenuItems(bar)) {
    if (item->Action.empty() || IsActionWired(item->Action)) continue;
    EXPECT_FALSE(item->Enabled) << item->Name;
    EXPECT_EQ(RunMenuCommand(app.P, item->Name).Status, CommandStatus::kDisabled) << item->Name;
  }
  // A construction needs the item that names its kind.
  EXPECT_EQ(RunAction(app.P, "StartConstruction", nullptr).Status, CommandStatus::kUnknown);
  EXPECT_EQ(RunMenuCommand(app.P, "mnuNoSuchItem").Status, CommandStatus::kUnknown);
  EXPECT_EQ(RunMenuCommand(app.P, "mnuConstPoint").Status, CommandStatus::kUnknown);
  EXPECT_EQ(app.P.Fig.StepCount, steps);
  EXPECT_EQ(CurrentMode(app.P.Modes), kModeStandard);
}

TEST(MenuBarTest, EasyMenuHidesTheFullMenuItemsButKeepsAWayBack) {
  MenuBar bar = MainMenuBar();
  EXPECT_FALSE(FindMenuItem(bar, "mnuMenuToFull")->Visible);
  ShowEasyMenu(bar);
  for (std::string_view name : FullMenuItems()) {
    EXPECT_FALSE(FindMenuItem(bar, name)->Visible) << name;
  }
  // Every top menu is gone; the bar keeps only the way back.
  for (const MenuItem& top : bar.Items) {
    EXPECT_EQ(top.Visible, top.Name == "mnuMenuToFull") << top.Name;
  }
  ShowFullMenu(bar);
  for (std::string_view name : FullMenuItems()) {
    EXPECT_TRUE(FindMenuItem(bar, name)->Visible) << name;
  }
  EXPECT_FALSE(FindMenuItem(bar, "mnuMenuToFull")->Visible);
  EXPECT_FALSE(FindMenuItem(bar, "mnuEdit2_point")->Visible);
}

TEST(MenuBarTest, HiddenItemsDoNotRun) {
  AppFixture app;
  ShowEasyMenu(app.P.Menu);
  EXPECT_EQ(RunMenuCommand(app.P, "mnuEditFigDataView").Status, CommandStatus::kDisabled);
  EXPECT_FALSE(app.P.Viewer.Shown);
  ShowFullMenu(app.P.Menu);
  CommandResult shown = RunMenuCommand(app.P, "mnuEditFigDataView");
  EXPECT_EQ(shown.Status, CommandStatus::kOpenDialog);
  EXPECT_EQ(shown.Dialog, "TextViewer");
  EXPECT_TRUE(app.P.Viewer.Shown);
  EXPECT_NE(app.P.Viewer.Text.find("untitled"), std::string::npos);
}

std::set<std::string> EnabledTopMenus(Program& p, int16_t mode) {
  ModePush(p.Modes, mode, *p.Host);
  RefreshModeDisplay(p);
  std::set<std::string> enabled;
  for (const MenuItem& item : p.Menu.Items) {
    if (item.Enabled && item.Name != "mnuEdit2_point") enabled.insert(item.Name);
  }
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
  return enabled;
}

TEST(MenuBarTest, TopMenusEnabledByMode) {
  AppFixture app;
  using Names = std::set<std::string>;
  Names all{"mnuFile", "mnuDeform", "mnuConstruction", "mnuMeasure", "mnuOption",
            "mnuEdit", "mnuHelp",   "mnuZoom",         "mnuLocus",   "mnuMenuToFull"};
  Names moving{"mnuOption", "mnuHelp", "mnuZoom", "mnuLocus", "mnuMenuToFull"};
  Names other{"mnuHelp", "mnuZoom"};
  EXPECT_EQ(EnabledTopMenus(app.P, 2), all);
  for (int16_t mode : {6, 16, 22, 61}) EXPECT_EQ(EnabledTopMenus(app.P, mode), moving) << mode;
  EXPECT_EQ(EnabledTopMenus(app.P, 70), Names{});
  for (int16_t mode : {8, 13, 21, 73, 99}) EXPECT_EQ(EnabledTopMenus(app.P, mode), other) << mode;
  // Back at the base everything is enabled again.
  RefreshModeDisplay(app.P);
  EXPECT_TRUE(FindMenuItem(app.P.Menu, "mnuFile")->Enabled);
  // A command under a disabled top menu does not run from its shortcut.
  ModePush(app.P.Modes, 6, app.Host);
  RefreshModeDisplay(app.P);
  EXPECT_EQ(RunMenuCommand(app.P, "mnuNew").Status, CommandStatus::kDisabled);
}

TEST(MenuBarTest, ViewCommandsRunAndTheirChecksFollow) {
  AppFixture app;
  Program& p = app.P;
  double pixel = p.View.PixelSize;
  EXPECT_EQ(RunMenuCommand(p, "mnuZoomIn").Status, CommandStatus::kDone);
  EXPECT_DOUBLE_EQ(p.View.PixelSize, pixel / 2);
  RunMenuCommand(p, "mnuZoomDefault");
  EXPECT_DOUBLE_EQ(p.View.PixelSize, pixel);
  RunMenuCommand(p, "mnuOAxis02");
  EXPECT_EQ(p.View.AxisKind, 1);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOAxis02")->Checked);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuOAxis01")->Checked);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOAxis")->Checked);
  RunMenuCommand(p, "mnuOchrDisp");
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuOchrDisp")->Checked);
  EXPECT_GT(app.Redraws(), 0);
  EXPECT_EQ(RunMenuCommand(p, "mnuOWindowVGA").Status, CommandStatus::kWindowCommand);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOWindowVGA")->Enabled);
}

TEST(MenuBarTest, CheckMarksFollowTheSettings) {
  MenuBar bar = MainMenuBar();
  Settings config;
  auto checked = [&bar](std::string_view name) { return FindMenuItem(bar, name)->Checked; };
  MenuCheckSet(bar, config, 0, true);
  EXPECT_TRUE(checked("mnuAngleSW"));
  EXPECT_TRUE(checked("mnuOchrDisp"));
  EXPECT_FALSE(checked("mnuOAxis"));
  EXPECT_TRUE(checked("mnuOAxis01"));
  EXPECT_TRUE(checked("mnuOdeformStandard"));
  EXPECT_TRUE(checked("mnuOdeformVarStandard"));
  EXPECT_TRUE(checked("mnuOWindowStandard"));
  EXPECT_TRUE(checked("mnuOmenu_full"));
  EXPECT_TRUE(checked("mnuRedrawslowOption_03"));
  EXPECT_TRUE(checked("mnuOSDeformLC"));

  config.NotChrDisp = -1;
  config.AxisShow = -1;
  config.Delta = 7;
  config.DeltaVar = 0.1;
  config.StartWidth = 8000;
  config.StartHeight = 6000;
  config.MenuEasy = -1;
  config.RedrawSlow = 1000;
  config.SDeformKind = 2;
  MenuCheckSet(bar, config, 1, false);
  EXPECT_FALSE(checked("mnuAngleSW"));
  EXPECT_FALSE(checked("mnuOchrDisp"));
  EXPECT_TRUE(checked("mnuOAxis"));
  EXPECT_FALSE(checked("mnuOAxis01"));
  EXPECT_TRUE(checked("mnuOAxis02"));
  EXPECT_FALSE(checked("mnuOdeformStandard"));
  EXPECT_TRUE(checked("mnuOdeformManual"));
  EXPECT_TRUE(checked("mnuOdeformVarNarrow"));
  EXPECT_FALSE(checked("mnuOdeformVarStandard"));
  EXPECT_TRUE(checked("mnuOWindowSave"));
  EXPECT_FALSE(checked("mnuOWindowStandard"));
  // The same stored size that gives the VGA drawing area is the VGA preset's.
  MenuCheckSet(bar, config, 1, false, {628, 430});
  EXPECT_TRUE(checked("mnuOWindowVGA"));
  EXPECT_FALSE(checked("mnuOWindowSave") || checked("mnuOWindowStandard"));
  EXPECT_TRUE(checked("mnuOMenu_easy"));
  EXPECT_FALSE(checked("mnuOmenu_full"));
  EXPECT_TRUE(checked("mnuRedrawslowOption_05"));
  EXPECT_FALSE(checked("mnuRedrawslowOption_03"));
  EXPECT_TRUE(checked("mnuOSDeformCross"));
  EXPECT_FALSE(checked("mnuOSDeformLC"));

  config.StartState = 2;
  config.RedrawSlow = 0;  // found at refresh: the standard speed
  MenuCheckSet(bar, config, 1, false);
  EXPECT_TRUE(checked("mnuOWindowMax"));
  EXPECT_FALSE(checked("mnuOWindowSave"));
  EXPECT_TRUE(checked("mnuRedrawslowOption_03"));
}

TEST(MenuBarTest, LanguageSwitchingRestoresTheJapaneseCaptions) {
  AppFixture app;
  ApplyMenuLanguage(app.P);
  mnuOSDeformCross(app.P);
  app.P.Lang.Language = "English";
  ApplyMenuLanguage(app.P);
  const MenuItem* circle = FindMenuItem(app.P.Menu, "mnuConstCircle");
  // A caption starts with a capital, even where the table's word does not.
  EXPECT_EQ(EnglishText("円"), "circle");
  EXPECT_EQ(circle->Caption, "Circle");
  EXPECT_EQ(FindMenuItem(app.P.Menu, "mnuMAxisX")->Caption, "x coordinate of a point");
  EXPECT_EQ(app.P.Status.Panel(kShiftPanel).Text, "-> grid point");
  EXPECT_EQ(FindMenuItem(app.P.Menu, "mnuExit")->Caption, EnglishText("終了"));
  EXPECT_NE(FindMenuItem(app.P.Menu, "mnuExit")->Caption, "終了");
  EXPECT_EQ(app.P.Status.Panel(kModePanel).Text, EnglishText("標準"));
  app.P.Lang.Language = "English";
  ApplyMenuLanguage(app.P);  // again: still from the stored Japanese, not from English
  EXPECT_EQ(circle->Caption, "Circle");
  app.P.Lang.Language = "Japanese";
  ApplyMenuLanguage(app.P);
  EXPECT_EQ(circle->Caption, "円");
  EXPECT_EQ(app.P.Status.Panel(kShiftPanel).Text, "→格子点");
  EXPECT_EQ(FindMenuItem(app.P.Menu, "mnuExit")->Caption, "終了");
  EXPECT_EQ(FindMenuItem(app.P.Menu, "mnuCMPpower")->Caption, "  ＾  （べき）");
  EXPECT_EQ(app.P.Status.Panel(kModePanel).Text, "標準");
}

TEST(MenuBarTest, TopMenusHaveAccessLettersInEveryLanguage) {
  AppFixture app;
  auto topCaptions = [&app] {
    std::vector<std::string> captions;
    for (const MenuItem& item : app.P.Menu.Items) {
      if (item.Name != "mnuEdit2_point") captions.push_back(item.Caption);
    }
    return captions;
  };
  ApplyMenuLanguage(app.P);
  EXPECT_EQ(topCaptions(),
            (std::vector<std::string>{"ﾌｧｲﾙ(&F)", "変形(&D)", "作図(継続)(&C)", "測定(&M)",
                                      "ｽﾞｰﾑ(&Z)", "軌跡(&L)", "ｵﾌﾟｼｮﾝ(&O)", "編集(&E)", "ﾍﾙﾌﾟ(&H)",
                                      "フルメニューに(&T)"}));
  app.P.Lang.Language = "English";
  ApplyMenuLanguage(app.P);
  EXPECT_EQ(topCaptions(), (std::vector<std::string>{"&File", "&Deform", "&Construct (continued)",
                                                     "&Measure", "&Zoom", "&Locus", "&Options",
                                                     "&Edit", "&Help", "&To the full menu"}));
  // Only the top menus carry one, so no other caption takes a letter from them.
  EXPECT_EQ(FindMenuItem(app.P.Menu, "mnuSave")->Caption, "Save");
}

}  // namespace
}  // namespace plandra
