#include <gtest/gtest.h>

#include <optional>

#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "app/Startup.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/io/SettingsFileIO.h"
#include "files/PDio05.h"
#include "files/ProgramFolder.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AppFixture;

TEST(StartupTest, CommandLineQuoteRules) {
  EXPECT_EQ(CommandLineFigurePath("  \"/home/a b/fig.pd4\"  "), "/home/a b/fig.pd4");
  EXPECT_EQ(CommandLineFigurePath("/x/fig.pd4\""), "/x/fig.pd4");
  EXPECT_EQ(CommandLineFigurePath("\"/x/fig.pd4"), "/x/fig.pd4");
  EXPECT_EQ(CommandLineFigurePath("\""), "");
  EXPECT_EQ(CommandLineFigurePath("   "), "");
}

struct StartupRun {
  AppFixture App;
  test::TempDir Dir;
  std::vector<std::filesystem::path> Read;
  int16_t ModeWhileReading = 0;

  StartupInputs Inputs(std::string commandLine) {
    App.P.Folders.Folder = Dir.Path();
    App.P.Folders.ExeFolder = Dir.Path();
    StartupInputs inputs;
    inputs.CommandLine = std::move(commandLine);
    inputs.ReadFigure = [this](Program& p, const std::filesystem::path& file) {
      Read.push_back(file);
      ModeWhileReading = CurrentMode(p.Modes);
      test::AddFreePoint(p.Fig, 0, 0);
      return true;
    };
    return inputs;
  }
};

TEST(StartupTest, QuotedPathLoadsTheFigure) {
  StartupRun run;
  std::filesystem::path figure = run.Dir / "my fig.pd4";
  test::WriteFileBytes(figure, "figure");
  StartUp(run.App.P, run.Inputs("\"" + figure.string() + "\" "));
  Program& p = run.App.P;
  ASSERT_EQ(run.Read.size(), 1u);
  EXPECT_EQ(run.Read[0], figure);
  EXPECT_EQ(run.ModeWhileReading, 8);
  EXPECT_EQ(p.CurFileName, figure.string());
  EXPECT_EQ(p.Window.Caption, "[my fig.pd4] Plandra Win 5.0.0");
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "my fig.pd4");
  EXPECT_EQ(p.Status.Panel(kModePanel).Text, "標準");
  // The base mode twice: once for the window, once after the settings.
  EXPECT_EQ(p.Modes.Depth, 2);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Fig.ElemCount[1], 1);
  // Full menu by default; the data folder falls back to the samples.
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuMerge")->Visible);
  EXPECT_EQ(p.DataPaths.LoadInitialFolder, run.Dir / "sample.pd4");
  EXPECT_EQ(run.App.Host.Beeps, 0);
}

TEST(StartupTest, TheSettingsFileCarriesTheProgramVersion) {
  StartupRun run;
  StartUp(run.App.P, run.Inputs(""));
  Program& p = run.App.P;
  ASSERT_TRUE(mnuOFileSave(p.Config, p.Folders.Folder, *p.Host, p.Lang));
  std::string text = test::ReadFileBytes(p.Folders.Folder / kSettingsFileName);
  EXPECT_NE(text.find("AppMajor = 5 \r\nAppMinor = 0 \r\n"), std::string::npos) << text;
}

TEST(StartupTest, MissingFileStartsUntitled) {
  StartupRun run;
  StartUp(run.App.P, run.Inputs("\"" + (run.Dir / "gone.pd4").string() + "\""));
  EXPECT_TRUE(run.Read.empty());
  EXPECT_EQ(run.App.P.CurFileName, "untitled");
  EXPECT_EQ(run.App.P.Window.Caption, "[untitled] Plandra Win 5.0.0");
  EXPECT_EQ(run.App.P.Fig.StoreCapacity, 200);
  // The user is told which figure is missing.
  ASSERT_EQ(run.App.Host.Messages.size(), 1u);
  EXPECT_EQ(run.App.Host.Messages[0].Text,
            "指定された図形ファイルが見つかりません。\n" + (run.Dir / "gone.pd4").string());

  StartupRun empty;
  StartUp(empty.App.P, empty.Inputs(""));
  EXPECT_TRUE(empty.Read.empty());
  EXPECT_EQ(empty.App.P.CurFileName, "untitled");
  EXPECT_TRUE(empty.App.Host.Messages.empty());
}

TEST(StartupTest, FailedReadKeepsUntitled) {
  StartupRun run;
  std::filesystem::path figure = run.Dir / "bad.pd4";
  test::WriteFileBytes(figure, "junk");
  StartupInputs inputs = run.Inputs(figure.string());
  inputs.ReadFigure = [](Program&, const std::filesystem::path&) { return false; };
  StartUp(run.App.P, inputs);
  EXPECT_EQ(run.App.P.CurFileName, "untitled");
  EXPECT_EQ(CurrentMode(run.App.P.Modes), kModeStandard);
}

TEST(StartupTest, SettingsLanguageAndEasyMenu) {
  StartupRun run;
  test::WriteFileBytes(
      run.Dir / "config_zevav.txt",
      "ZEvav_MenuMode = -1\r\nZEvav_Language = English\r\nZEvav_Redraw_Slow = 200\r\n");
  test::WriteFileBytes(run.Dir / "datapath.txt", "/srv/figures,\r\n");
  StartUp(run.App.P, run.Inputs(""));
  Program& p = run.App.P;
  EXPECT_TRUE(p.Config.MenuEasy);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuMerge")->Visible);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuConstruction")->Visible);
  EXPECT_EQ(RunMenuCommand(p, "mnuNew").Status, CommandStatus::kDisabled);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOMenu_easy")->Checked);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuRedrawslowOption_01")->Checked);
  EXPECT_EQ(FindMenuItem(p.Menu, "mnuConstCircle")->Caption, "Circle");
  EXPECT_EQ(p.Status.Panel(kModePanel).Text, EnglishText("標準"));
  EXPECT_EQ(p.DataPaths.LoadInitialFolder, std::filesystem::path("/srv/figures"));

  // The way back works at once and is kept for the next start.
  EXPECT_EQ(FindMenuItem(p.Menu, "mnuMenuToFull")->Caption, "&To the full menu");
  EXPECT_EQ(RunMenuCommand(p, "mnuMenuToFull").Status, CommandStatus::kDone);
  EXPECT_FALSE(p.Config.MenuEasy);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuConstruction")->Visible);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuMenuToFull")->Visible);
  EXPECT_EQ(RunMenuCommand(p, "mnuMenuToEasy").Status, CommandStatus::kDone);
  EXPECT_TRUE(p.Config.MenuEasy);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuHelp")->Visible);
}

// Installed, the executable is never the user's to write; the record lives
// in the program folder, and only that folder decides whether it can be kept.
TEST(StartupTest, TheRecordFollowsTheProgramFolderNotTheExecutable) {
  StartupRun run;
  const std::filesystem::path bin = run.Dir / "usr" / "bin";
  std::filesystem::create_directories(bin);
  const std::filesystem::path exe = bin / "plandra";
  test::WriteFileBytes(exe, "exe");
  using std::filesystem::perms;
  std::filesystem::permissions(exe, perms::owner_read | perms::owner_exec);
  const std::filesystem::path home = run.Dir / "user";
  StartupInputs inputs = run.Inputs("");
  Program& p = run.App.P;
  p.Folders = LocateProgramFolder(exe, [&](std::string_view name) -> std::optional<std::string> {
    if (name == "HOME") return home.string();
    return std::nullopt;
  });
  const std::filesystem::path folder = home / ".local" / "share" / "plandra";
  ASSERT_EQ(p.Folders.Folder, folder);
  StartUp(p, inputs);
  EXPECT_FALSE(p.Window.ExeReadOnly);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuLocusNumCSV")->Visible);
  test::AddNumber(p.Fig, 1);
  p.Fig.NumTable[1].NumFlag = kFalse;
  RunMenuCommand(p, "mnuLocusSW");
  Redraw(p);
  EXPECT_TRUE(std::filesystem::exists(folder / "temp.csv"));
  EXPECT_TRUE(std::filesystem::exists(folder / "temp.htm"));

  // A program folder that cannot be written: the record is off and hidden.
  std::optional<std::filesystem::path> locked = test::UnwritableFolder(run.Dir);
  if (!locked) GTEST_SKIP() << "no folder here refuses this user";
  StartupRun refused;
  inputs = refused.Inputs("");
  refused.App.P.Folders.Folder = *locked;
  StartUp(refused.App.P, inputs);
  EXPECT_TRUE(refused.App.P.Window.ExeReadOnly);
  EXPECT_FALSE(FindMenuItem(refused.App.P.Menu, "mnuLocusNumCSV")->Visible);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

TEST(StartupTest, ReadsARealFigureFileAndRefusesAMalformedOne) {
  test::TempDir dir;
  std::filesystem::path figure = dir / "a triangle.pd4";
  test::WriteFileBytes(
      figure, test::ReadFileBytes(std::filesystem::path(PLANDRA_TEST_DATA) / "triangle.pd4"));
  test::AppFixture app;
  app.P.Folders.Folder = dir.Path();
  StartupInputs inputs;
  inputs.CommandLine = " \"" + figure.string() + "\"";
  StartUp(app.P, inputs);
  EXPECT_EQ(app.P.CurFileName, figure.string());
  EXPECT_GT(app.P.Fig.ElemCount[1], 0);
  EXPECT_EQ(app.P.Window.Caption, "[a triangle.pd4] Plandra Win 5.0.0");
  EXPECT_TRUE(app.Host.Messages.empty());

  std::filesystem::path broken = dir / "broken.pd4";
  test::WriteFileBytes(broken, "not a figure\r\n");
  test::AppFixture other;
  other.P.Folders.Folder = dir.Path();
  inputs.CommandLine = broken.string();
  StartUp(other.P, inputs);
  EXPECT_EQ(other.P.CurFileName, "untitled");
  EXPECT_EQ(other.P.Fig.ElemCount[1], 0);
  ASSERT_EQ(other.Host.Messages.size(), 1u);
  EXPECT_NE(other.Host.Messages[0].Text.find("broken.pd4"), std::string::npos);
  EXPECT_GE(other.Host.Beeps, 1);
  EXPECT_EQ(CurrentMode(other.P.Modes), kModeStandard);
}

// "plandra lesson.pd4" started in the lesson's folder: the name is taken
// from that folder once, so a later save proposes the lesson itself, not a
// file of that name in whatever folder the dialog starts in.
TEST(StartupTest, ARelativeCommandLinePathIsSavedBackToItself) {
  test::TempDir dir;
  std::filesystem::create_directory(dir / "lessons");
  const std::filesystem::path lesson = dir / "lessons" / "lesson.pd4";
  test::WriteFileBytes(
      lesson, test::ReadFileBytes(std::filesystem::path(PLANDRA_TEST_DATA) / "triangle.pd4"));
  test::AppFixture app;
  app.P.Folders.Folder = dir.Path();
  app.P.DataPaths.LoadInitialFolder = dir.Path();
  const std::filesystem::path started = std::filesystem::current_path();
  std::filesystem::current_path(dir / "lessons");
  StartupInputs inputs;
  inputs.CommandLine = "lesson.pd4";
  StartUp(app.P, inputs);
  std::filesystem::current_path(started);

  EXPECT_EQ(app.P.CurFileName, lesson.string());
  EXPECT_GT(app.P.Fig.ElemCount[1], 0);
  test::AddFreePoint(app.P.Fig, 7, 7);
  app.Host.FileAnswers.push_back(lesson);
  ASSERT_TRUE(mnuSave_Click(app.P));
  ASSERT_EQ(app.Host.FileDialogs.size(), 1u);
  EXPECT_EQ(app.Host.FileDialogs[0].FileName, lesson.string());
  EXPECT_FALSE(std::filesystem::exists(dir / "lesson.pd4"));
  Figure back;
  ResetFigure(back, 200);
  ASSERT_EQ(FigFileCore(back, lesson, 'R').Status, FigFileStatus::kOk);
  EXPECT_EQ(back.ElemCount[1], app.P.Fig.ElemCount[1]);
}

}  // namespace
}  // namespace plandra
