#include <gtest/gtest.h>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "app/NewAndExit.h"
#include "app/Replay.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "core/dialogs/LanguageDialog.h"
#include "core/pick/PDSelObj.h"
#include "labels/Labels05.h"
#include "support/AppFixture.h"
#include "support/FigureBuilder.h"
#include "support/RecordingSurface.h"
#include "support/TestHelpers.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

using test::AppFixture;

TEST(MainModelTest, ModeNamesTranslatedExceptMarker) {
  AppFixture app;
  Program& p = app.P;
  EXPECT_EQ(ModeName(p.Modes, p.Lang, app.Host), "標準");
  ModePush(p.Modes, 22, app.Host);
  EXPECT_EQ(ModeName(p.Modes, p.Lang, app.Host), "数値変化");
  p.Lang.Language = "English";
  EXPECT_EQ(ModeName(p.Modes, p.Lang, app.Host), EnglishText("数値変化"));
  EXPECT_NE(ModeName(p.Modes, p.Lang, app.Host), "数値変化");
  ModePush(p.Modes, 70, app.Host);
  EXPECT_EQ(ModeName(p.Modes, p.Lang, app.Host), "Marker");
  EXPECT_EQ(app.Host.Beeps, 0);
  ModePush(p.Modes, 45, app.Host);
  EXPECT_EQ(ModeName(p.Modes, p.Lang, app.Host), "________");
  EXPECT_EQ(app.Host.Beeps, 1);
  ModeState empty;
  EXPECT_EQ(ModeName(empty, p.Lang, app.Host), "________");
  EXPECT_EQ(app.Host.Beeps, 2);
}

TEST(MainModelTest, CaptionAndPanelTexts) {
  AppFixture app;
  Program& p = app.P;
  RefreshModeDisplay(p);
  EXPECT_EQ(p.Window.Caption, "[untitled] Plandra Win 5.0.0");
  EXPECT_EQ(p.Status.Panel(kModePanel).Text, "標準");
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "untitled");
  EXPECT_EQ(p.Status.Panel(kMarkerPanel).Text, "Marker");

  p.CurFileName = "/home/pupil/figures/三角形.pd4";
  ModePush(p.Modes, 70, app.Host);
  RefreshModeDisplay(p);
  EXPECT_EQ(p.Window.Caption, "[三角形.pd4] Plandra Win 5.0.0");
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "三角形.pd4");
  EXPECT_EQ(p.Status.Panel(kMarkerPanel).Text, "Color");
  EXPECT_EQ(FileNameOnly("C:\\data\\a.pd5"), "a.pd5");
}

TEST(MainModelTest, StatusPanels) {
  AppFixture app;
  Program& p = app.P;
  StatusBar designed = DesignedStatusBar();
  EXPECT_EQ(designed.Panel(3).MinWidth, 1);
  EXPECT_EQ(designed.Panel(9).Style, PanelStyle::kOther);
  EXPECT_EQ(designed.Panel(12).Style, PanelStyle::kText);
  MarkAvailablePanels(p);
  EXPECT_TRUE(p.Status.Panel(kModePanel).Available);
  EXPECT_TRUE(p.Status.Panel(kMarkerPanel).Available);
  EXPECT_TRUE(p.Status.Panel(kShiftPanel).Available);
  EXPECT_TRUE(p.Status.Panel(4).Available);   // the locus reset is wired
  EXPECT_TRUE(p.Status.Panel(11).Available);  // the event level is wired
  EXPECT_TRUE(p.Status.Panel(10).Available);  // undo is wired

  // Panel 5 starts the scribble, and in it chooses the colour.
  RefreshModeDisplay(p);
  EXPECT_TRUE(p.Status.Panel(10).Usable && p.Status.Panel(kFilePanel).Usable);
  EXPECT_FALSE(p.Status.Panel(11).Usable);  // only while the locus switch is on
  StatusPanelClick(p, kMarkerPanel);
  EXPECT_EQ(CurrentMode(p.Modes), 70);
  EXPECT_EQ(p.Status.Panel(kMarkerPanel).Text, "Color");
  // The menus are closed while scribbling: so are their panels; the panel
  // that only shows a name and the scribble's own panel stay.
  EXPECT_FALSE(p.Status.Panel(10).Usable || p.Status.Panel(kFilePanel).Usable);
  EXPECT_TRUE(p.Status.Panel(12).Usable && p.Status.Panel(kMarkerPanel).Usable);
  StatusPanelClick(p, kFilePanel);
  EXPECT_TRUE(app.Host.FileDialogs.empty());
  app.Host.ColorAnswers.push_back(RgbColor{200, 0, 0});
  StatusPanelClick(p, kMarkerPanel);
  EXPECT_EQ(p.Scribble.ScribbleColor, (RgbColor{200, 0, 0}));
  app.Host.ColorAnswers.push_back(std::nullopt);  // cancelled: the colour stays
  StatusPanelClick(p, kMarkerPanel);
  EXPECT_EQ(p.Scribble.ScribbleColor, (RgbColor{200, 0, 0}));
  EXPECT_EQ(CurrentMode(p.Modes), 70);

  // Panel 8 toggles the sticky Shift; panel 1 acts as Esc, which then pops.
  ModePop(p.Modes, app.Host);
  ModePush(p.Modes, 19, app.Host);
  StatusPanelClick(p, kShiftPanel);
  EXPECT_TRUE(p.Window.ShiftSwitch);
  int redraws = app.Redraws();
  StatusPanelClick(p, kModePanel);
  EXPECT_EQ(app.Redraws(), redraws + 1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Status.Panel(kModePanel).Text, "標準");

  // A panel whose command is not there yet changes nothing.
  int16_t depth = p.Modes.Depth;
  StatusPanelClick(p, 4);
  EXPECT_EQ(p.Modes.Depth, depth);
  // A saved picture shows panel 6 inset until the next redraw.
  EXPECT_EQ(p.Status.Panel(kPicturePanel).Bevel, PanelBevel::kRaised);
  p.Draw.PicturePanelInset = true;
  RefreshModeDisplay(p);
  EXPECT_EQ(p.Status.Panel(kPicturePanel).Bevel, PanelBevel::kInset);
  Redraw(p);
  RefreshModeDisplay(p);
  EXPECT_EQ(p.Status.Panel(kPicturePanel).Bevel, PanelBevel::kRaised);
}

// Each panel says what a click on it does, in the interface language, and
// the locus panel shows the switch from the start and after a replay.
TEST(MainModelTest, StatusPanelsSayWhatTheyDo) {
  test::TempDir dir;
  AppFixture app;
  Program& p = app.P;
  p.Folders.Folder = dir.Path();
  ApplyMenuLanguage(p);
  EXPECT_EQ(p.Status.Panel(kLocusPanel).Text, "×軌");
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
    EXPECT_FALSE(p.Status.Panel(panel).Tooltip.empty()) << panel;
  }
  EXPECT_NE(p.Status.Panel(10).Tooltip.find("Ctrl+U"), std::string::npos);
  ASSERT_TRUE(LanguageDialogOk(p, 1));
  EXPECT_EQ(p.Status.Panel(kLocusPanel).Text, EnglishText("×軌"));
  EXPECT_EQ(p.Status.Panel(4).Tooltip.find("軌"), std::string::npos);
  test::RecordingSurface surface;
  p.Canvas = &surface;
  SetScreen(p);
  test::AddFreePoint(p.Fig, 1, 2);
  test::AddFreePoint(p.Fig, 3, 4);
  mnuFigData_Redraw(p);
  ReplayFigure(p, -1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Status.Panel(kLocusPanel).Text, EnglishText("×軌"));
}

TEST(MainModelTest, NewOnEmptyFigureStartsAtOnce) {
  AppFixture app;
  Program& p = app.P;
  p.CurFileName = "/tmp/old.pd4";
  ResetFigure(p.Fig, 50);
  CommandResult result = RunMenuCommand(p, "mnuNew");
  EXPECT_EQ(result.Status, CommandStatus::kDone);
  EXPECT_TRUE(app.Host.Messages.empty());
  // The new-point command waits for the first click.
  EXPECT_EQ(CurrentMode(p.Modes), kModeAddPoint);
  EXPECT_EQ(StepKindText(p.Fig, p.Fig.StepCount), "PNEW");
  EXPECT_EQ(p.CurFileName, "untitled");
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "untitled");
  EXPECT_EQ(p.Fig.StoreCapacity, 200);
}

TEST(MainModelTest, NewOnFigureWithPointsAsksFirst) {
  AppFixture app;
  Program& p = app.P;
  ResetFigure(p.Fig, 200);
  test::AddFreePoint(p.Fig, 1, 2);
  p.CurFileName = "/tmp/kept.pd4";

  CommandResult result = RunMenuCommand(p, "mnuNew");
  EXPECT_EQ(result.Status, CommandStatus::kOpenDialog);
  EXPECT_EQ(result.Dialog, "NewConstchk");
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Fig.ElemCount[1], 1);

  NewConstchkAnswer(p, NewChoice::kCancel);
  EXPECT_EQ(p.Fig.ElemCount[1], 1);
  EXPECT_EQ(app.Redraws(), 1);
  NewConstchkAnswer(p, NewChoice::kSave);  // the figure stays
  EXPECT_EQ(p.Fig.ElemCount[1], 1);
  EXPECT_EQ(p.CurFileName, "/tmp/kept.pd4");
  NewConstchkAnswer(p, NewChoice::kYes);
  // Only the new-point command's waiting point is left; a click places it.
  EXPECT_EQ(p.Fig.StepCount, 1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeAddPoint);
  MouseDown(p, {.X = 3, .Y = 4, .Button = kButtonLeft});
  EXPECT_EQ(p.Fig.ElemCount[1], 2);
  EXPECT_POINT_NEAR(3, 4, p.Fig.PtTable[1], test::kNear);
  EXPECT_EQ(p.CurFileName, "untitled");

  NewConstchkTexts texts = NewConstchkDialogTexts(p.Lang);
  EXPECT_EQ(texts.Caption, "新規作図の確認");
  EXPECT_EQ(texts.Message, "現在の図は失われますが,新しい図を作図しますか。");
  EXPECT_EQ(texts.CancelButton, "キャンセル(Esc)");
}

TEST(MainModelTest, NewConstchkKeys) {
  for (std::string_view key : {"Y", "y", "ﾗ", "ラ", "Ｙ"}) {
    EXPECT_EQ(NewConstchkKey(key), NewChoice::kYes) << key;
  }
  for (std::string_view key : {"S", "s", "Ｓ", "シ", "ｼ"}) {
    EXPECT_EQ(NewConstchkKey(key), NewChoice::kSave) << key;
  }
  EXPECT_EQ(NewConstchkKey("\x1b"), NewChoice::kCancel);
  for (std::string_view key : {"N", "", "YS", "ﾔ"}) EXPECT_FALSE(NewConstchkKey(key)) << key;
}

TEST(MainModelTest, ExitDeletesTheTemporaryFilesOnly) {
  test::TempDir dir;
  AppFixture app;
  app.P.Folders.Folder = dir.Path();
  // The temporary files this program made: the online page and the copy.
  ShowFullMenu(app.P.Menu);
  RunMenuCommand(app.P, "mnuSaveOnLine");
  RunMenuCommand(app.P, "mnuOcopyWindow");
  ASSERT_TRUE(std::filesystem::exists(dir / "temp_zevav.htm"));
  ASSERT_TRUE(std::filesystem::exists(dir / "temp_zevav.pd4"));
  test::WriteFileBytes(dir / "config_zevav.txt", "x");
  EXPECT_EQ(RunMenuCommand(app.P, "mnuExit").Status, CommandStatus::kDone);
  EXPECT_TRUE(app.P.Window.ExitRequested);
  EXPECT_FALSE(std::filesystem::exists(dir / "temp_zevav.htm"));
  EXPECT_FALSE(std::filesystem::exists(dir / "temp_zevav.pd4"));
  EXPECT_TRUE(std::filesystem::exists(dir / "config_zevav.txt"));
  EXPECT_TRUE(app.Host.Messages.empty());
  mnuExit(app.P);  // files already gone: no failure
  EXPECT_TRUE(app.Host.Messages.empty());
}

TEST(MainModelTest, AboutBox) {
  AppFixture app;
  AboutBoxTexts about = AboutBox(app.P.Lang);
  EXPECT_EQ(about.Caption, "Plandra Winのﾊﾞｰｼﾞｮﾝ情報");
  EXPECT_EQ(about.Version, "ver.5.0.0");
  app.P.Lang.Language = "English";
  EXPECT_EQ(AboutBox(app.P.Lang).Caption, EnglishText("Plandra Winのﾊﾞｰｼﾞｮﾝ情報"));
  CommandResult result = RunMenuCommand(app.P, "mnuVersion");
  EXPECT_EQ(result.Dialog, "PDfrmAbout");
  app.P.Lang.Language = "Japanese";
  AboutSystemInfo(app.P);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_EQ(app.Host.Messages[0].Text, "現時点ではｼｽﾃﾑ情報を使用できません");
}

TEST(MainModelTest, MenuModeAndReplaySpeedCommands) {
  AppFixture app;
  Program& p = app.P;
  EXPECT_EQ(RunMenuCommand(p, "mnuOMenu_easy").Status, CommandStatus::kDone);
  EXPECT_TRUE(p.Config.MenuEasy);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOMenu_easy")->Checked);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuOmenu_full")->Checked);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuMerge")->Visible);  // only at the next start
  RunMenuCommand(p, "mnuOmenu_full");
  EXPECT_FALSE(p.Config.MenuEasy);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOmenu_full")->Checked);

  RunMenuCommand(p, "mnuRedrawslowOption_01");
  EXPECT_EQ(p.Config.RedrawSlow, 200);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuRedrawslowOption_01")->Checked);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuRedrawslowOption_03")->Checked);
  EXPECT_TRUE(app.Host.Timers.empty());  // the replay does not run: no timer is started
  p.Window.ReplayTimerOn = true;
  SetReplayInterval(p, 1000);
  EXPECT_EQ(app.Host.Timers[TimerId::kDrawSlow], 1000);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuRedrawslowOption_05")->Checked);
}

TEST(MainModelTest, ModeStackAfterCommands) {
  AppFixture app;
  Program& p = app.P;
  RefreshModeDisplay(p);
  RunMenuCommand(p, "mnuOFileInit");
  RunMenuCommand(p, "mnuRedrawslowOption_03");
  RunMenuCommand(p, "mnuVersion");
  EXPECT_EQ(p.Modes.Depth, 1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  RunMenuCommand(p, "mnuRakugaki");
  EXPECT_EQ(CurrentMode(p.Modes), 70);
  EXPECT_EQ(p.Modes.Depth, 2);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuHelp")->Enabled);
  // Every menu is off in the scribble: its shortcuts do not run either.
  EXPECT_EQ(RunMenuCommand(p, "mnuRakugaki").Status, CommandStatus::kDisabled);
  EXPECT_EQ(p.Modes.Depth, 2);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(MainModelTest, LanguageDialogStoresAndApplies) {
  test::TempDir dir;
  AppFixture app;
  Program& p = app.P;
  p.Folders.Folder = dir.Path();
  EXPECT_EQ(LanguageDialogList(p).Current, 0);
  EXPECT_EQ(LanguageDialogList(p).Items.at(2), "Manual(use dic_pd4.txt)");
  p.Status.Panel(12).Text = "点A";
  EXPECT_TRUE(LanguageDialogOk(p, 1));
  EXPECT_EQ(p.Status.Panel(12).Text, "") << "no element name left in the old language";
  EXPECT_EQ(p.Config.Language, "English");
  EXPECT_EQ(FindMenuItem(p.Menu, "mnuConstCircle")->Caption, "Circle");
  EXPECT_NE(test::ReadFileBytes(dir / "config_zevav.txt").find("English"), std::string::npos);
  EXPECT_EQ(LanguageDialogList(p).Current, 1);
  EXPECT_FALSE(LanguageDialogOk(p, 3));
  EXPECT_EQ(p.Config.Language, "English");
  EXPECT_EQ(p.Window.DialogFont, "Arial") << "the dialogs follow the language";
  EXPECT_TRUE(LanguageDialogOk(p, 0));
  EXPECT_EQ(FindMenuItem(p.Menu, "mnuConstCircle")->Caption, "円");
  EXPECT_EQ(p.Window.DialogFont, "ＭＳ Ｐゴシック");
  SetFonts(p, "IPAGothic");
  EXPECT_EQ(p.Window.DialogFont, "IPAGothic");
  EXPECT_TRUE(LanguageDialogOk(p, 2));
  EXPECT_EQ(p.Window.DialogFont, "IPAGothic") << "manual mode keeps the chosen font";
}

TEST(MainModelTest, TimersSwitchThemselvesOff) {
  AppFixture app;
  app.Host.Timers[TimerId::kDraw] = 100;
  OnTimer(app.P, TimerId::kDraw);
  EXPECT_EQ(app.Host.Timers[TimerId::kDraw], 0);
  OnTimer(app.P, TimerId::kProgmanClear);
  EXPECT_EQ(app.Host.Timers[TimerId::kProgmanClear], 0);
  app.P.Window.ReplayTimerOn = true;
  OnTimer(app.P, TimerId::kDrawSlow);
  EXPECT_EQ(app.Host.Timers[TimerId::kDrawSlow], 0);
  EXPECT_FALSE(app.P.Window.ReplayTimerOn);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(MainModelTest, NumberDisplayCommands) {
  AppFixture app;
  ResetFigure(app.P.Fig, 20);
  int16_t number = test::AddNumber(app.P.Fig, 2.5);
  app.P.Fig.NumTable[number].NumFlag = 0;  // a measured (dependent) number
  EXPECT_EQ(RunMenuCommand(app.P, "mnuEVarDispAllOff").Status, CommandStatus::kDone);
  EXPECT_EQ(app.P.Fig.NumTable[number].NumShow, kNumHidden);
  EXPECT_EQ(app.Redraws(), 1);
  RunMenuCommand(app.P, "mnuEVarDispAllOn");
  EXPECT_EQ(app.P.Fig.NumTable[number].NumShow, kNumShown);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(MainModelTest, TransformMacroCommands) {
  AppFixture app;
  ResetFigure(app.P.Fig, 20);
  ASSERT_EQ(RunMenuCommand(app.P, "mnuCMacroLinear").Status, CommandStatus::kDone);
  const Figure& fig = app.P.Fig;
  // P, O, P1, P2, Q1, Q2 and the image; the redraw has computed the map.
  ASSERT_EQ(fig.ElemCount[kClassPoint], 7);
  EXPECT_POINT_NEAR(3.0, 3.0, fig.PtTable[7], 1e-9);
  ASSERT_EQ(fig.ElemCount[kClassNumber], 4);
  for (int16_t n = 1; n <= 4; ++n) EXPECT_EQ(fig.NumTable[n].NumShow, kNumHidden);
  EXPECT_EQ(fig.NumTable[2].Value, 1.0);  // A(1,2)
  EXPECT_EQ(app.Redraws(), 1);

  // A figure that cannot take the projective demonstration stays unchanged,
  // and the user is told why.
  app.P.Fig.ElemCount[kClassNumber] = kMaxCount - 3;
  int16_t steps = fig.StepCount;
  RunMenuCommand(app.P, "mnuCMacroProjective");
  EXPECT_EQ(fig.StepCount, steps);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_EQ(app.Host.Messages[0].Text, std::string(kStoreFullText));
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(MainModelTest, ManualOpensTheShippedPageOrSaysItIsMissing) {
  AppFixture app;
  test::TempDir exeFolder;
  app.P.Folders.ExeFolder = exeFolder.Path();
  RunMenuCommand(app.P, "mnuHmanual");
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_NE(app.Host.Messages[0].Text.find("マニュアルが見つかりません。"), std::string::npos);
  EXPECT_TRUE(app.Host.Opened.empty());

  std::filesystem::create_directories(exeFolder.Path() / "help");
  test::WriteFileBytes(exeFolder.Path() / "help" / "manual.html", "<html></html>");
  RunMenuCommand(app.P, "mnuHmanual");
  ASSERT_EQ(app.Host.Opened.size(), 1u);
  EXPECT_EQ(app.Host.Opened[0], (exeFolder.Path() / "help" / "manual.html").string());
  EXPECT_EQ(app.Host.Messages.size(), 1u);
}

}  // namespace
}  // namespace plandra
