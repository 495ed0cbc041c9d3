#include <gtest/gtest.h>

#include <optional>

#include "app/EventActions.h"
#include "app/FileCommands.h"
#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "app/NewAndExit.h"
#include "app/Startup.h"
#include "core/ImageOutput.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/io/FigFileIO.h"
#include "core/menus/MenuBar.h"
#include "core/pick/PDSelObj.h"
#include "files/PDio05.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kFilter = "すべてのファイル(*.*)|*.*|PD4/5形式(*.pd*)|*.pd*|";

class FileCommandsTest : public ::testing::Test {
 protected:
  FileCommandsTest() {
    ResetFigure(p.Fig, 200);
    p.Folders.Folder = temp.Path();
    p.CurFileName = "open.pd4";
    ShowFullMenu(p.Menu);
  }

  // A figure file of n free points and, when joined, the line through the first two.
  fs::path WriteFigure(const std::string& name, int points, bool joined) {
    Figure fig;
    ResetFigure(fig, 200);
    for (int i = 0; i < points; ++i) AddFreePoint(fig, i, 2.0 * i);
    if (joined) AddStep(fig, "L1", {{kClassPoint, 1}, {kClassPoint, 2}});
    fs::path file = temp / name;
    EXPECT_EQ(FigFileCoreShown(fig, file, 'W', app.Host, p.Lang).Status, FigFileStatus::kOk);
    return file;
  }

  void OpenPoints(int count) {
    for (int i = 0; i < count; ++i) AddFreePoint(p.Fig, 10 + i, 0);
  }

  AppFixture app;
  Program& p = app.P;
  TempDir temp;
};

TEST_F(FileCommandsTest, LoadRunsTheDialogAndOpensTheChosenFile) {
  fs::path file = WriteFigure("two.pd4", 2, false);
  p.DataPaths.LoadInitialFolder = temp.Path();
  app.Host.FileAnswers.push_back(fs::path("  " + file.string() + "  "));
  int16_t depth = p.Modes.Depth;
  EXPECT_EQ(RunMenuCommand(p, "mnuLoad").Status, CommandStatus::kDone);

  ASSERT_EQ(app.Host.FileDialogs.size(), 1u);
  const FileDialogRequest& request = app.Host.FileDialogs[0];
  EXPECT_EQ(request.Filter, kFilter);
  EXPECT_EQ(request.FilterIndex, 2);
  EXPECT_EQ(request.InitialFolder, temp.Path());
  EXPECT_TRUE(request.MustExist);
  EXPECT_TRUE(p.DataPaths.LoadInitialFolder.empty());
  EXPECT_EQ(p.CurFileName, file.string());
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "two.pd4");
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 2);
  EXPECT_EQ(p.Modes.Depth, depth);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_GE(app.Redraws(), 1);

  // Cancelling changes nothing and still pops the mode.
  RunMenuCommand(p, "mnuLoad");
  EXPECT_EQ(p.CurFileName, file.string());
  EXPECT_EQ(p.Modes.Depth, depth);
}

TEST_F(FileCommandsTest, FirstSaveStartsInTheDocumentsFolder) {
  OpenPoints(1);
  p.DataPaths.LoadInitialFolder = temp / "samples";
  p.DataPaths.DocumentsFolder = temp / "documents";
  p.CurFileName = "untitled";
  RunMenuCommand(p, "mnuSave");
  // A figure with a file keeps that file's folder (the name carries it).
  p.CurFileName = (temp / "open.pd4").string();
  p.DataPaths.LoadInitialFolder = temp / "samples";
  RunMenuCommand(p, "mnuSave");
  ASSERT_EQ(app.Host.FileDialogs.size(), 2u);
  EXPECT_EQ(app.Host.FileDialogs[0].InitialFolder, temp / "documents");
  EXPECT_EQ(app.Host.FileDialogs[0].FileName, "untitled");
  EXPECT_EQ(app.Host.FileDialogs[1].FileName, (temp / "open.pd4").string());
}

TEST_F(FileCommandsTest, AFileThatCannotBeReadKeepsTheFigureAndSaysWhy) {
  OpenPoints(3);
  Redraw(p);
  MarkFigureSaved(p);  // as opened: a file that cannot be read asks nothing first
  fs::path broken = temp / "broken.pd4";
  WriteFileBytes(broken, "2\r\n\"PNEW\"\r\n\"PNEW\"\r\n1,x\r\n");
  for (const fs::path& file : {temp / "missing.pd4", broken}) {
    app.Host.Messages.clear();
    app.Host.FileAnswers.push_back(file);
    RunMenuCommand(p, "mnuLoad");
    EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 3) << file;
    EXPECT_EQ(p.Fig.StepCount, 3) << file;
    EXPECT_EQ(p.CurFileName, "open.pd4") << file;
    ASSERT_EQ(app.Host.Messages.size(), 1u) << file;
    const std::string& text = app.Host.Messages[0].Text;
    EXPECT_EQ(text.rfind(std::string(kFigureReadFailedText), 0), 0u) << text;
    EXPECT_NE(text.find(file.filename().string()), std::string::npos) << text;
  }
  EXPECT_NE(app.Host.Messages[0].Text.find("line"), std::string::npos) << app.Host.Messages[0].Text;
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

// The system's reason comes first in the user's words, its own text after.
TEST_F(FileCommandsTest, FileFaultsAreToldInTheInterfaceLanguage) {
  MarkFigureSaved(p);
  auto messageOf = [&](const char* command, const fs::path& file) {
    app.Host.Messages.clear();
    app.Host.FileAnswers.push_back(file);
    RunMenuCommand(p, command);
    return app.Host.Messages.empty() ? std::string() : app.Host.Messages.back().Text;
  };
  std::string text = messageOf("mnuLoad", temp.Path());
  EXPECT_NE(text.find("普通のファイルではありません"), std::string::npos) << text;
  EXPECT_NE(text.find("folder"), std::string::npos) << text;  // the system's words follow
  text = messageOf("mnuSave", temp / "gone" / "a.pd4");
  EXPECT_NE(text.find("ファイルかフォルダが見つかりません。"), std::string::npos) << text;
  p.Lang.Language = "English";
  text = messageOf("mnuLoad", "/dev/null");
  EXPECT_NE(text.find("It is not a regular file"), std::string::npos) << text;
  EXPECT_EQ(text.find("普通の"), std::string::npos) << text;
}

// Texts longer than their fields are cut on reading, and one message names
// them before the cut forms can be saved back; a text that just fits (in
// characters, not bytes) is no news.
TEST_F(FileCommandsTest, TextsCutOnReadingAreListedOnce) {
  std::string bytes = ReadFileBytes(PLANDRA_TEST_DATA "/triangle.pd4");
  auto rename = [&bytes](const std::string& from, const std::string& to) {
    const size_t at = bytes.find("\"" + from + "\"\r\n");
    ASSERT_NE(at, std::string::npos) << from;
    bytes.replace(at, from.size() + 2, "\"" + to + "\"");
  };
  const std::string longName(41, 'N');
  const std::string longEvent = "C!" + std::string(58, 'e');
  std::string fullWidth;
  for (int i = 0; i < 40; ++i) fullWidth += "\x82\xA0";  // "あ" in code page 932
  rename("A", longName);
  rename("B", fullWidth);
  rename("C", longEvent);
  rename("AB", "ABCDEFGHIJK");
  WriteFileBytes(temp / "long.pd4", bytes);
  for (const char* command : {"mnuLoad", "mnuMerge"}) {
    app.Host.Messages.clear();
    app.Host.FileAnswers.push_back(temp / "long.pd4");
    RunMenuCommand(p, command);
    ASSERT_EQ(app.Host.Messages.size(), 1u) << command;
    const std::string& text = app.Host.Messages[0].Text;
    EXPECT_NE(text.find("長すぎる"), std::string::npos) << text;
    for (const std::string& cut : {longName, longEvent, std::string("ABCDEFGHIJK")}) {
      EXPECT_NE(text.find("\n" + cut), std::string::npos) << command << ": " << cut;
    }
    EXPECT_EQ(text.find("あああ"), std::string::npos) << text;
  }
  EXPECT_EQ(p.Fig.PtTable[1].Name, longName.substr(0, 40));
}

TEST_F(FileCommandsTest, MergeOffsetsTheReferencesAndKeepsTheName) {
  OpenPoints(4);
  fs::path file = WriteFigure("add.pd4", 2, true);
  p.DataPaths.MergeInitialFolder = temp.Path();
  app.Host.FileAnswers.push_back(file);
  RunMenuCommand(p, "mnuMerge");

  ASSERT_EQ(app.Host.FileDialogs.size(), 1u);
  EXPECT_TRUE(app.Host.FileDialogs[0].Filter.empty());
  EXPECT_EQ(app.Host.FileDialogs[0].InitialFolder, temp.Path());
  EXPECT_TRUE(p.DataPaths.MergeInitialFolder.empty());
  ASSERT_EQ(p.Fig.StepCount, 7);
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 6);
  EXPECT_EQ(p.Fig.StepIn[7][1], (ObjRef{kClassPoint, 5}));
  EXPECT_EQ(p.Fig.StepIn[7][2], (ObjRef{kClassPoint, 6}));
  EXPECT_EQ(p.Fig.StepIn[7][3], (ObjRef{0, 0}));
  EXPECT_EQ(p.Fig.StepOut[5][1], (ObjRef{kClassPoint, 5}));
  EXPECT_EQ(p.CurFileName, "open.pd4");
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "open.pd4");

  // A broken file merges nothing and is reported.
  fs::path broken = temp / "broken.pd4";
  WriteFileBytes(broken, "1\r\n\"PNEW\"\r\n");
  app.Host.FileAnswers.push_back(broken);
  RunMenuCommand(p, "mnuMerge");
  EXPECT_EQ(p.Fig.StepCount, 7);
  EXPECT_EQ(p.CurFileName, "open.pd4");
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_NE(app.Host.Messages[0].Text.find("broken.pd4"), std::string::npos);
}

TEST_F(FileCommandsTest, SaveNamesFollowTheEventMarks) {
  OpenPoints(1);
  p.CurFileName = "untitled";
  app.Host.FileAnswers.push_back(temp / "a");
  RunMenuCommand(p, "mnuSave");
  ASSERT_EQ(app.Host.FileDialogs.size(), 1u);
  EXPECT_EQ(app.Host.FileDialogs[0].FileName, "untitled");
  EXPECT_TRUE(app.Host.FileDialogs[0].PromptOverwrite);
  EXPECT_EQ(app.Host.FileDialogs[0].Filter, kFilter);
  EXPECT_EQ(p.CurFileName, (temp / "a.pd4").string());
  EXPECT_TRUE(fs::exists(temp / "a.pd4"));
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "a.pd4");

  // An event mark: a name already ending in ".pd4" is kept, the next save
  // proposes ".pd5", and a bare name gets ".pd5".
  SetElementName(p.Fig, {kClassPoint, 1}, "A!");
  app.Host.FileAnswers.push_back(temp / "b.pd4");
  RunMenuCommand(p, "mnuSave");
  EXPECT_EQ(app.Host.FileDialogs[1].FileName, (temp / "a.pd5").string());
  EXPECT_EQ(p.CurFileName, (temp / "b.pd4").string());
  EXPECT_TRUE(fs::exists(temp / "b.pd4"));
  app.Host.FileAnswers.push_back(temp / "c");
  RunMenuCommand(p, "mnuSave");
  EXPECT_EQ(app.Host.FileDialogs[2].FileName, (temp / "b.pd5").string());
  EXPECT_EQ(p.CurFileName, (temp / "c.pd5").string());
  EXPECT_TRUE(app.Host.Messages.empty());
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

TEST_F(FileCommandsTest, AFailedSaveIsReported) {
  OpenPoints(1);
  app.Host.FileAnswers.push_back(temp / "no such folder" / "a.pd4");
  RunMenuCommand(p, "mnuSave");
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_EQ(app.Host.Messages[0].Text.rfind("図形ファイルを保存できませんでした。", 0), 0u);
  EXPECT_FALSE(fs::exists(temp / "no such folder"));
  EXPECT_EQ(p.CurFileName, "open.pd4");
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "open.pd4");
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
}

TEST_F(FileCommandsTest, WindowCopyGoesToTheProgramFolder) {
  OpenPoints(2);
  TempDir elsewhere;
  fs::path previous = fs::current_path();
  fs::current_path(elsewhere.Path());
  RunMenuCommand(p, "mnuOcopyWindow");
  fs::current_path(previous);
  fs::path copy = temp / "temp_zevav.pd4";
  EXPECT_TRUE(fs::exists(copy));
  EXPECT_FALSE(fs::exists(elsewhere / "temp_zevav.pd4"));
  ASSERT_EQ(app.Host.Opened.size(), 1u);
  EXPECT_EQ(app.Host.Opened[0], copy.string());
  Figure back;
  ResetFigure(back, 200);
  EXPECT_EQ(FigFileCoreShown(back, copy, 'R', app.Host, p.Lang).Status, FigFileStatus::kOk);
  EXPECT_EQ(back.ElemCount[kClassPoint], 2);

  p.Folders.Folder = temp / "gone";
  EXPECT_FALSE(mnuOcopyWindow_Click(p));
  EXPECT_EQ(app.Host.Opened.size(), 1u);
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_EQ(app.Host.Messages[0].Text.rfind("画面複写のファイルを書けませんでした。", 0), 0u);
}

TEST_F(FileCommandsTest, TheWindowCopySavesToARealPlaceAndItsWorkOutlivesBothExits) {
  OpenPoints(2);
  MarkFigureSaved(p);
  RunMenuCommand(p, "mnuOcopyWindow");
  ASSERT_EQ(app.Host.Opened.size(), 1u);
  const fs::path copy = app.Host.Opened[0];

  // The second program, started on the copy, shares the program folder.
  AppFixture second;
  TempDir documents;
  second.P.Folders.Folder = temp.Path();
  StartupInputs inputs;
  inputs.CommandLine = copy.string();
  inputs.DocumentsFolder = documents.Path();
  StartUp(second.P, inputs);
  EXPECT_EQ(second.P.Fig.ElemCount[kClassPoint], 2);
  EXPECT_EQ(second.P.CurFileName, "untitled");

  // Its first save proposes a real place, as for a new figure.
  second.Host.FileAnswers.push_back(documents / "copy.pd4");
  RunMenuCommand(second.P, "mnuSave");
  ASSERT_EQ(second.Host.FileDialogs.size(), 1u);
  EXPECT_EQ(second.Host.FileDialogs[0].FileName, "untitled");
  EXPECT_EQ(second.Host.FileDialogs[0].InitialFolder, documents.Path());
  EXPECT_TRUE(fs::exists(documents / "copy.pd4"));

  // Saved over the temporary file on purpose, the work outlives both exits:
  // neither program made that file as it now stands.
  AddFreePoint(second.P.Fig, 5, 5);
  Redraw(second.P);
  second.Host.FileAnswers.push_back(copy);
  RunMenuCommand(second.P, "mnuSave");
  const std::string saved = ReadFileBytes(copy);
  RunMenuCommand(second.P, "mnuExit");
  EXPECT_TRUE(second.P.Window.ExitRequested);
  RunMenuCommand(p, "mnuExit");
  EXPECT_TRUE(p.Window.ExitRequested);
  ASSERT_TRUE(fs::exists(copy));
  EXPECT_EQ(ReadFileBytes(copy), saved);
  EXPECT_TRUE(fs::exists(documents / "copy.pd4"));
}

TEST_F(FileCommandsTest, FilePanelLoadsAndCommandLineReadPops) {
  MarkAvailablePanels(p);
  EXPECT_TRUE(p.Status.Panel(kFilePanel).Available);
  EXPECT_TRUE(p.Status.Panel(kPicturePanel).Available);
  fs::path file = WriteFigure("panel.pd4", 3, false);
  app.Host.FileAnswers.push_back(file);
  StatusPanelClick(p, kFilePanel);
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 3);
  EXPECT_EQ(app.Host.FileDialogs.size(), 1u);

  ModePush(p.Modes, kModeLoading, app.Host);
  EXPECT_TRUE(ReadPDFigFile(p, WriteFigure("one.pd4", 1, false)));
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Status.Panel(kFilePanel).Text, "one.pd4");
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 1);
}

TEST_F(FileCommandsTest, QuittingAsksOnlyWhenTheFigureChanged) {
  const std::string asked = "図が変更されています。終了する前に保存しますか。";
  // Opened and only looked at: quits at once.
  app.Host.FileAnswers.push_back(WriteFigure("looked.pd4", 3, true));
  RunMenuCommand(p, "mnuLoad");
  for (double x : {0.0, 0.5, 1.0, 2.0}) MouseMove(p, {.X = x, .Y = 2 * x});
  Redraw(p);
  RunMenuCommand(p, "mnuExit");
  EXPECT_TRUE(p.Window.ExitRequested);
  EXPECT_TRUE(app.Host.Messages.empty());

  // A point added: asked; cancel stays, and so does a save that is cancelled.
  p.Window.ExitRequested = false;
  RunMenuCommand(p, "mnuPnewFreeP");
  MouseDown(p, {.X = 5, .Y = 5, .Button = kButtonLeft});
  EXPECT_TRUE(FigureChanged(p));
  KeyDown(p, kKeyEscape, false);
  app.Host.Answers = {MsgResult::kCancel, MsgResult::kYes};
  RunMenuCommand(p, "mnuExit");
  RunMenuCommand(p, "mnuExit");
  EXPECT_FALSE(p.Window.ExitRequested);
  ASSERT_EQ(app.Host.Messages.size(), 2u);
  EXPECT_EQ(app.Host.Messages[0].Text, asked);
  EXPECT_EQ(app.Host.Messages[0].Buttons, MsgButtons::kYesNoCancel);
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 4);

  // Saved from the question: the program ends, and the file holds the point.
  app.Host.Answers = {MsgResult::kYes};
  app.Host.FileAnswers.push_back(temp / "kept.pd4");
  RunMenuCommand(p, "mnuExit");
  EXPECT_TRUE(p.Window.ExitRequested);
  Figure back;
  ResetFigure(back, 200);
  ASSERT_EQ(FigFileCore(back, temp / "kept.pd4", 'R').Status, FigFileStatus::kOk);
  EXPECT_EQ(back.ElemCount[kClassPoint], 4);

  // Discarded on request; a new figure, its point still waiting, is no change.
  p.Window.ExitRequested = false;
  app.Host.Messages.clear();
  app.Host.Answers = {MsgResult::kNo};
  AddFreePoint(p.Fig, 1, 1);
  RunMenuCommand(p, "mnuExit");
  EXPECT_TRUE(p.Window.ExitRequested);
  EXPECT_EQ(app.Host.Messages.size(), 1u);
  p.Window.ExitRequested = false;
  StartNewFigure(p);
  EXPECT_EQ(CurrentMode(p.Modes), kModeAddPoint);
  mnuExit(p);  // closing the window
  EXPECT_TRUE(p.Window.ExitRequested);
  EXPECT_EQ(app.Host.Messages.size(), 1u);
}

// Opening another figure and following a linked figure ask what quitting
// asks before a changed figure goes; the batch pictures ask nothing and
// leave the open figure and its name as they were.
TEST_F(FileCommandsTest, EveryPathThatReplacesAChangedFigureAsksFirst) {
  const std::string asked = "図が変更されています。別の図を開く前に保存しますか。";
  const fs::path other = WriteFigure("other.pd4", 3, false);
  const std::string open = (temp / "open.pd4").string();
  p.CurFileName = open;
  OpenPoints(2);
  ASSERT_TRUE(FigureChanged(p));
  auto kept = [&] {
    EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 2);
    EXPECT_EQ(p.CurFileName, open);
    EXPECT_TRUE(FigureChanged(p));
  };

  // Cancel, and a save whose dialog is cancelled, keep the figure.
  app.Host.Answers = {MsgResult::kCancel, MsgResult::kCancel, MsgResult::kYes};
  app.Host.FileAnswers.push_back(other);
  RunMenuCommand(p, "mnuLoad");
  kept();
  EXPECT_FALSE(OpenEventFigure(p, "other"));
  kept();
  EXPECT_FALSE(OpenEventFigure(p, "other"));
  kept();
  ASSERT_EQ(app.Host.Messages.size(), 3u);
  for (const auto& message : app.Host.Messages) {
    EXPECT_EQ(message.Text, asked);
    EXPECT_EQ(message.Buttons, MsgButtons::kYesNoCancel);
  }

  // The batch draws every figure of the folder and gives the open one back.
  BatchResult batch = mnuHmakeAllBmp(p, temp.Path());
  EXPECT_EQ(batch.Written.size(), 1u);
  kept();
  EXPECT_EQ(app.Host.Messages.size(), 3u);

  // Let go: replaced without a save.
  app.Host.Answers = {MsgResult::kNo};
  app.Host.FileAnswers.push_back(other);
  RunMenuCommand(p, "mnuLoad");
  EXPECT_EQ(p.CurFileName, other.string());
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 3);
  EXPECT_FALSE(fs::exists(open));

  // Saved first from the question, then the linked figure opens.
  OpenPoints(1);
  app.Host.Answers = {MsgResult::kYes};
  app.Host.FileAnswers.push_back(temp / "saved.pd4");
  EXPECT_TRUE(OpenEventFigure(p, "other"));
  EXPECT_EQ(p.CurFileName, other.string());
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 3);
  Figure saved;
  ResetFigure(saved, 200);
  ASSERT_EQ(FigFileCore(saved, temp / "saved.pd4", 'R').Status, FigFileStatus::kOk);
  EXPECT_EQ(saved.ElemCount[kClassPoint], 4);
}

TEST_F(FileCommandsTest, SavingWhereNothingCanBeWrittenNamesTheFolderOrTheFile) {
  OpenPoints(1);
  std::optional<fs::path> folder = UnwritableFolder(temp);
  if (!folder) GTEST_SKIP() << "no folder here refuses this user";
  app.Host.FileAnswers.push_back(*folder / "a.pd4");
  RunMenuCommand(p, "mnuSave");
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  const std::string& text = app.Host.Messages[0].Text;
  EXPECT_NE(text.find("保存先のフォルダには書き込めない"), std::string::npos) << text;
  EXPECT_EQ(text.find("読み取り専用"), std::string::npos) << text;
  EXPECT_EQ(p.CurFileName, "open.pd4");

  // A read-only file in a folder that can be written keeps its own message.
  fs::path file = WriteFigure("kept.pd4", 1, false);
  fs::permissions(file, fs::perms::owner_read);
  app.Host.Messages.clear();
  app.Host.FileAnswers.push_back(file);
  RunMenuCommand(p, "mnuSave");
  ASSERT_EQ(app.Host.Messages.size(), 1u);
  EXPECT_NE(app.Host.Messages[0].Text.find("読み取り専用"), std::string::npos);
}

}  // namespace
}  // namespace plandra::test
