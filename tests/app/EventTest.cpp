#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <filesystem>
#include <locale>

#include "app/EventActions.h"
#include "app/EventTargets.h"
#include "app/FigDataView.h"
#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "core/MainModel.h"
#include "core/construct/PDconst01.h"
#include "core/events/MemoWindow.h"
#include "core/events/PDevent.h"
#include "core/io/FigFileIO.h"
#include "core/language/TranslatedText.h"
#include "core/pick/PDSelObj.h"
#include "figure/EventMark.h"
#include "files/PDio05.h"
#include "labels/Labels05.h"
#include "support/AppFixture.h"
#include "support/FigureBuilder.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

namespace fs = std::filesystem;

constexpr double kPixel = 0.05;

// A figure saved in its own folder, the locus switch and event recognition on.
class EventTest : public ::testing::Test {
 protected:
  EventTest() {
    ResetFigure(p.Fig, 200);
    p.View.PixelSize = kPixel;
    p.CurFileName = (temp / "lesson.pd5").string();
    p.Locus.LocusOn = kTrue;
    p.Events.EventMode = kEventModeOn;
    MarkAvailablePanels(p);
  }

  int16_t AddEventPoint(std::string_view name, double x, double y) {
    const int16_t k = AddFreePoint(p.Fig, x, y);
    SetElementName(p.Fig, {kClassPoint, k}, name);
    return k;
  }

  // A double click pixels to the right of the point at the origin.
  void ClickAt(double pixels) {
    InputEvent click;
    click.X = pixels * kPixel;
    click.Button = kButtonLeft;
    EventDoubleClick(p, click);
  }

  fs::path WritePoints(const std::string& name, int points) {
    Figure fig;
    ResetFigure(fig, 20);
    for (int i = 0; i < points; ++i) AddFreePoint(fig, i, i);
    const fs::path file = temp / name;
    EXPECT_EQ(FigFileCoreShown(fig, file, 'W', app.Host, p.Lang).Status, FigFileStatus::kOk);
    return file;
  }

  AppFixture app;
  Program& p = app.P;
  TempDir temp;
};

// The event part of a name is the point's secret: lines, labels, the report
// and the status panel use the name before it, and the panel forgets an
// element that is gone.
TEST_F(EventTest, EventMarksStayOutOfOtherNames) {
  const int16_t a = AddEventPoint("A!!よくできました", 0, 0);
  const int16_t b = AddEventPoint("B!@lesson1", 4, 0);
  const int16_t line = AddStep(p.Fig, "L1", {{kClassPoint, a}, {kClassPoint, b}});
  AddStep(p.Fig, "ND2P", {{kClassPoint, a}, {kClassPoint, b}});
  AutoLabels(p.Fig, TranslatedText(p.Lang));
  EXPECT_EQ(std::string(TrimRight(p.Fig.LnTable[line].Name)), "AB");
  EXPECT_EQ(std::string(TrimRight(p.Fig.NumTable[1].Name)), "AB");
  std::string report = FigDataViewReport(p.Fig, p.Lang, "lesson.pd5", 2);
  EXPECT_NE(report.find("点A"), std::string::npos);
  EXPECT_EQ(report.find("点A!!"), std::string::npos);
  ShowObjStatus(p, {kClassPoint, a});
  EXPECT_EQ(p.Status.Panel(12).Text.find("よくできました"), std::string::npos);
  EXPECT_EQ(p.Status.Panel(12).Text.rfind("点A", 0), 0u);
  ShowObjStatus(p, {kClassLine, line});
  UndoLastConstruction(p);
  UndoLastConstruction(p);
  EXPECT_EQ(p.Status.Panel(12).Text, "");
}

TEST_F(EventTest, TheLevelFollowsTheDistanceAndTheHitSize) {
  PtRec pt;
  const double p1 = kPixel;
  EXPECT_EQ(EventHitLevel(2.9 * p1, 0, pt, p1, 1), 1);
  EXPECT_EQ(EventHitLevel(3.1 * p1, 0, pt, p1, 1), 2);
  EXPECT_EQ(EventHitLevel(0, 4.9 * p1, pt, p1, 1), 2);
  EXPECT_EQ(EventHitLevel(5.1 * p1, 0, pt, p1, 1), 3);
  EXPECT_EQ(EventHitLevel(9.9 * p1, 0, pt, p1, 1), 3);
  EXPECT_EQ(EventHitLevel(10.1 * p1, 0, pt, p1, 1), 0);
  // Size 3: every radius grows by the square root of 3.
  const double root3 = std::sqrt(3.0);
  EXPECT_EQ(EventHitLevel(3 * root3 * 0.99 * p1, 0, pt, p1, 3), 1);
  EXPECT_EQ(EventHitLevel(3 * root3 * 1.01 * p1, 0, pt, p1, 3), 2);
  EXPECT_EQ(EventHitLevel(5 * root3 * 0.99 * p1, 0, pt, p1, 3), 2);
  EXPECT_EQ(EventHitLevel(5 * root3 * 1.01 * p1, 0, pt, p1, 3), 3);
  EXPECT_EQ(EventHitLevel(10 * root3 * 0.99 * p1, 0, pt, p1, 3), 3);
  EXPECT_EQ(EventHitLevel(10 * root3 * 1.01 * p1, 0, pt, p1, 3), 0);
}

TEST_F(EventTest, MessagesShowOnThePointAndOnlyHighlightFurtherAway) {
  AddEventPoint("A!!Hello", 0, 0);
  p.Fig.PtTable[1].Color = 4;
  const int16_t depth = p.Modes.Depth;
  ClickAt(2);
  ASSERT_EQ(app.Host.WindowMessages.size(), 1u);
  EXPECT_EQ(app.Host.WindowMessages[0].Text, "Hello");
  EXPECT_EQ(app.Host.WindowMessages[0].BackColor, 4);
  EXPECT_EQ(p.Modes.Depth, depth);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);

  ClickAt(4);
  EXPECT_EQ(p.Pick.Cursor, kCursorEventNear);
  ClickAt(8);
  EXPECT_EQ(p.Pick.Cursor, kCursorEventFar);
  ClickAt(12);
  EXPECT_EQ(p.Pick.Cursor, kCursorArrow);
  EXPECT_EQ(app.Host.WindowMessages.size(), 1u);

  // With the reach "強" the click 4 pixels away is on the point.
  EXPECT_EQ(RunMenuCommand(p, "mnuOEvent_F").Status, CommandStatus::kDone);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOEvent_F")->Checked);
  EXPECT_FALSE(FindMenuItem(p.Menu, "mnuOEvent_S")->Checked);
  ClickAt(5);
  EXPECT_EQ(app.Host.WindowMessages.size(), 2u);
}

TEST_F(EventTest, EveryCodeActsAtItsLevels) {
  AddEventPoint("B!Box", 0, 0);
  AddEventPoint("P!%missing.png", 0, 0);
  ClickAt(4);  // level 2: feedback only
  EXPECT_TRUE(app.Host.Messages.empty());
  ClickAt(1);
  ASSERT_EQ(app.Host.Messages.size(), 2u);
  EXPECT_EQ(app.Host.Messages[0].Text, "Box");
  EXPECT_EQ(app.Host.Messages[1].Text, "画像ファイル missing.pngがありません。");
  EXPECT_TRUE(app.Host.ShownPictures.empty());

  WriteFileBytes(temp / "missing.png", "not really a picture");
  app.Host.PictureShowResult = false;
  ClickAt(1);
  ASSERT_EQ(app.Host.ShownPictures.size(), 1u);
  EXPECT_EQ(app.Host.ShownPictures[0], temp / "missing.png");
  EXPECT_NE(app.Host.Messages.back().Text.find("表示できません"), std::string::npos);

  // Memos, documents and linked figures act at every level within reach.
  ResetFigure(p.Fig, 200);
  AddEventPoint("M!@notes", 0, 0);
  ClickAt(8);
  EXPECT_EQ(app.Host.MemoWindowShows, 1);
  EXPECT_EQ(p.Events.Memo.File, temp / "notes.txt");
}

TEST_F(EventTest, OnlyWithTheLocusSwitchInModeEightyAndRecognitionOn) {
  AddEventPoint("A!!Hello", 0, 0);
  p.Locus.LocusOn = kFalse;
  ClickAt(0);
  p.Locus.LocusOn = kTrue;
  OnEventClick(p, 0, 0);  // the standard mode is no event mode
  p.Events.EventMode = kEventModeOff;
  ClickAt(0);
  EXPECT_TRUE(app.Host.WindowMessages.empty());

  // "1Ev." allows exactly one event click.
  p.Events.EventMode = kEventModeOnce;
  ClickAt(0);
  ClickAt(0);
  EXPECT_EQ(app.Host.WindowMessages.size(), 1u);
  EXPECT_EQ(p.Events.EventMode, kEventModeOff);
  EXPECT_EQ(p.Status.Panel(kPanelEvent).Text, "×Ev.");

  // A double click outside the standard mode does nothing.
  ModePush(p.Modes, kModeLocus, app.Host);
  p.Events.EventMode = kEventModeOn;
  ClickAt(0);
  EXPECT_EQ(app.Host.WindowMessages.size(), 1u);
  EXPECT_EQ(CurrentMode(p.Modes), kModeLocus);
}

TEST_F(EventTest, PanelElevenCyclesWhileTheLocusSwitchIsOn) {
  p.Events.EventMode = kEventModeOff;
  RefreshModeDisplay(p);
  EXPECT_EQ(p.Status.Panel(kPanelEvent).Text, "×Ev.");
  EXPECT_FALSE(p.Draw.EventDisplayOn);
  StatusPanelClick(p, kPanelEvent);
  EXPECT_EQ(p.Status.Panel(kPanelEvent).Text, "1Ev.");
  const int redraws = app.Redraws();
  StatusPanelClick(p, kPanelEvent);
  EXPECT_EQ(p.Status.Panel(kPanelEvent).Text, "Ev");
  EXPECT_TRUE(p.Draw.EventDisplayOn);
  EXPECT_GT(app.Redraws(), redraws);  // the event marks appear at once
  StatusPanelClick(p, kPanelEvent);
  EXPECT_EQ(p.Status.Panel(kPanelEvent).Text, "×Ev.");

  p.Locus.LocusOn = kFalse;
  RefreshModeDisplay(p);
  EXPECT_FALSE(p.Status.Panel(kPanelEvent).Usable);
  StatusPanelClick(p, kPanelEvent);
  EXPECT_EQ(p.Events.EventMode, kEventModeOff);
  EXPECT_TRUE(FindMenuItem(p.Menu, "mnuOEvent_S")->Checked);  // the reach starts at 1
}

TEST_F(EventTest, LinkedFiguresTryPd5ThenPd4AndKeepTheFigureOnFailure) {
  AddEventPoint("Next!_next", 0, 0);
  AddEventPoint("A", 1, 1);
  MarkFigureSaved(p);  // the lesson as it was opened
  WritePoints("next.pd4", 3);
  ClickAt(1);
  EXPECT_EQ(p.CurFileName, (temp / "next.pd4").string());
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 3);

  // ".pd5" comes first when both exist.
  WritePoints("next.pd5", 5);
  OpenEventFigure(p, "next");
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 5);

  // Missing: the message, and nothing else changes.
  const std::string kept = p.CurFileName;
  EXPECT_FALSE(OpenEventFigure(p, "gone"));
  EXPECT_EQ(app.Host.Messages.back().Text, "gone がみつかりません。");
  EXPECT_EQ(p.CurFileName, kept);
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 5);

  // A file that is no figure: told, and the open figure stays.
  WriteFileBytes(temp / "broken.pd5", "this is no figure\r\n");
  const size_t told = app.Host.Messages.size();
  EXPECT_FALSE(OpenEventFigure(p, "broken"));
  EXPECT_GT(app.Host.Messages.size(), told);
  EXPECT_EQ(p.CurFileName, kept);
  EXPECT_EQ(p.Fig.ElemCount[kClassPoint], 5);
}

TEST_F(EventTest, DocumentsAreOpenedOnlyAfterTheQuestion) {
  AddEventPoint("D!#handout.pdf", 0, 0);
  WriteFileBytes(temp / "handout.pdf", "%PDF-1.4\n");
  ClickAt(1);  // no answer given: Cancel
  ASSERT_EQ(app.Host.OpenQuestions.size(), 1u);
  const std::string& question = app.Host.OpenQuestions[0];
  EXPECT_NE(question.find((temp / "handout.pdf").string()), std::string::npos);
  EXPECT_NE(question.find("viewer of .pdf"), std::string::npos);
  EXPECT_EQ(question.find("図形のフォルダの外"), std::string::npos);
  EXPECT_TRUE(app.Host.Opened.empty());

  app.Host.OpenAnswers.push_back(true);
  ClickAt(1);
  ASSERT_EQ(app.Host.Opened.size(), 1u);
  EXPECT_EQ(app.Host.Opened[0], (temp / "handout.pdf").string());

  // Missing: the message, no question.
  SetElementName(p.Fig, {kClassPoint, 1}, "D!#gone.pdf");
  ClickAt(1);
  EXPECT_EQ(app.Host.Messages.back().Text, "ファイル gone.pdf がありません。");
  EXPECT_EQ(app.Host.OpenQuestions.size(), 2u);
}

TEST_F(EventTest, ProgramsScriptsAndLaunchersAreRefusedWhateverTheAnswer) {
  WriteFileBytes(temp / "start.desktop", "[Desktop Entry]\nExec=true\n");
  WriteFileBytes(temp / "tool", "#!/bin/sh\necho\n");
  WriteFileBytes(temp / "plain",
                 "\x7f"
                 "ELF....");
  WriteFileBytes(temp / "notes.odt", "odt");
  fs::permissions(temp / "notes.odt", fs::perms::owner_exec, fs::perm_options::add);
  AddEventPoint("D!#start.desktop", 0, 0);
  for (const char* target : {"start.desktop", "tool", "plain", "notes.odt"}) {
    SetElementName(p.Fig, {kClassPoint, 1}, std::string("D!#") + target);
    app.Host.OpenAnswers.assign(1, true);
    ClickAt(1);
    EXPECT_NE(app.Host.Messages.back().Text.find("開きません"), std::string::npos) << target;
  }
  EXPECT_TRUE(app.Host.Opened.empty());
  EXPECT_TRUE(app.Host.OpenQuestions.empty());
}

TEST_F(EventTest, TargetsLeavingTheFigureFolderAreAskedAbout) {
  const fs::path inner = temp / "class";
  fs::create_directories(inner);
  p.CurFileName = (inner / "lesson.pd5").string();
  WriteFileBytes(temp / "outside.png", "png");
  AddEventPoint("P!%..\\outside.png", 0, 0);
  ClickAt(1);
  ASSERT_EQ(app.Host.OpenQuestions.size(), 1u);
  EXPECT_NE(app.Host.OpenQuestions[0].find("図形のフォルダの外"), std::string::npos);
  EXPECT_NE(app.Host.OpenQuestions[0].find((temp / "outside.png").string()), std::string::npos);
  EXPECT_TRUE(app.Host.ShownPictures.empty());
  app.Host.OpenAnswers.push_back(true);
  ClickAt(1);
  EXPECT_EQ(app.Host.ShownPictures.size(), 1u);

  // Inside the folder a picture shows without a question.
  WriteFileBytes(inner / "inside.png", "png");
  SetElementName(p.Fig, {kClassPoint, 1}, "P!%inside.png");
  ClickAt(1);
  EXPECT_EQ(app.Host.ShownPictures.size(), 2u);
  EXPECT_EQ(app.Host.OpenQuestions.size(), 2u);

  const EventTarget absolute = ResolveEventTarget(inner, "/etc/hosts", false);
  EXPECT_TRUE(absolute.Outside);
  EXPECT_FALSE(ResolveEventTarget(inner, "sub/../a.txt", false).Outside);
  const std::string cut("a\0b.pdf", 7);
  EXPECT_EQ(ResolveEventTarget(inner, cut, false).Path, inner / "a?b.pdf");
}

// Upper-case names at both ends of the alphabet are judged as their
// lower-case forms: the program's lower-casing is the C locale's on ASCII.
TEST_F(EventTest, CaseBlindNamesAtTheAlphabetsEdges) {
  for (int c = 0; c < 128; ++c) {
    const char lower = std::tolower(static_cast<char>(c), std::locale::classic());
    EXPECT_EQ(LowerAscii(std::string(1, static_cast<char>(c))), std::string(1, lower)) << c;
  }
  EXPECT_TRUE(IsRunnableFile(temp / "run.ZSH"));
  EXPECT_TRUE(IsRunnableFile(temp / "Setup.APPIMAGE"));
  const EventTarget web = ResolveEventTarget(temp.Path(), "HTTPS://EXAMPLE.ORG/A", true);
  EXPECT_EQ(web.Address, "HTTPS://EXAMPLE.ORG/A");
  EXPECT_FALSE(web.Refused);
  EXPECT_TRUE(IsDesktopAddress("MAILTO:z@example.org"));
  const EventTarget file = ResolveEventTarget(temp.Path(), "FILE://Notes.txt", true);
  EXPECT_EQ(file.Path, temp / "Notes.txt");
  EXPECT_FALSE(file.Refused);
  WriteFileBytes(temp / "Next.PD4", "");
  EXPECT_EQ(LinkedFigureTarget(temp.Path(), "Next.PD5").Path, temp / "Next.PD4");
}

TEST_F(EventTest, TextFilesNameTheirTargetOnTheFirstLine) {
  AddEventPoint("W!>link", 0, 0);
  ClickAt(1);
  EXPECT_EQ(app.Host.Messages.back().Text, "link.txtがありません");

  WriteFileBytes(temp / "link.txt", "\r\n   \r\n https://example.org/page \r\nignored\r\n");
  app.Host.OpenAnswers.push_back(true);
  ClickAt(1);
  ASSERT_EQ(app.Host.OpenQuestions.size(), 1u);
  EXPECT_NE(app.Host.OpenQuestions[0].find("https://example.org/page"), std::string::npos);
  EXPECT_EQ(app.Host.OpenQuestions[0].find("図形のフォルダの外"), std::string::npos);
  ASSERT_EQ(app.Host.Opened.size(), 1u);
  EXPECT_EQ(app.Host.Opened[0], "https://example.org/page");

  WriteFileBytes(temp / "link.txt", "javascript:alert(1)\r\n");
  app.Host.OpenAnswers.push_back(true);
  ClickAt(1);
  EXPECT_NE(app.Host.Messages.back().Text.find("アドレスは開きません"), std::string::npos);
  EXPECT_EQ(app.Host.Opened.size(), 1u);

  // A file saved as UTF-8 with its byte-order mark names its address too.
  WriteFileBytes(temp / "link.txt", "\xEF\xBB\xBFhttps://example.org/marked\r\n");
  app.Host.OpenAnswers.push_back(true);
  ClickAt(1);
  ASSERT_EQ(app.Host.Opened.size(), 2u);
  EXPECT_EQ(app.Host.Opened[1], "https://example.org/marked");
}

TEST_F(EventTest, MemosAreShownEditedAndSavedThroughARename) {
  AddEventPoint("M!@notes", 0, 0);
  ClickAt(1);
  MemoState& memo = p.Events.Memo;
  EXPECT_EQ(memo.Text, "");
  EXPECT_EQ(memo.Notice, "新規作成です。");
  EXPECT_FALSE(memo.SaveEnabled);
  EXPECT_FALSE(memo.ReadOnly);
  MemoTextEdited(memo, "line 1\nline 2");
  EXPECT_TRUE(memo.SaveEnabled);
  EXPECT_TRUE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_FALSE(memo.SaveEnabled);
  EXPECT_EQ(ReadFileBytes(temp / "notes.txt"), "line 1\r\nline 2");
  ClickAt(1);
  EXPECT_EQ(memo.Text, "line 1\nline 2");

  // A hidden memo point opens read-only; the next memo point is editable again.
  SetElementName(p.Fig, {kClassPoint, 1}, "!@notes");
  ClickAt(1);
  EXPECT_TRUE(memo.ReadOnly);
  MemoTextEdited(memo, "changed");
  EXPECT_FALSE(memo.SaveEnabled);
  EXPECT_FALSE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_EQ(ReadFileBytes(temp / "notes.txt"), "line 1\r\nline 2");
  SetElementName(p.Fig, {kClassPoint, 1}, "M!@notes");
  ClickAt(1);
  EXPECT_FALSE(memo.ReadOnly);

  // A memo that cannot be saved says so and keeps its text.
  SetElementName(p.Fig, {kClassPoint, 1}, "M!@nofolder/notes");
  ClickAt(1);
  MemoTextEdited(memo, "keep me");
  EXPECT_FALSE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_EQ(memo.Text, "keep me");
  EXPECT_TRUE(memo.SaveEnabled);
  EXPECT_NE(app.Host.Messages.back().Text.find("メモを保存できませんでした。"), std::string::npos);

  MemoFontSwitch(memo);
  EXPECT_EQ(memo.FontSize, kMemoSmallFont);
  MemoFontSwitch(memo);
  EXPECT_EQ(memo.FontSize, kMemoLargeFont);
}

TEST_F(EventTest, TheFiguresOwnMemoIsItsNameWithTxt) {
  EXPECT_EQ(RunMenuCommand(p, "mnuHMemo").Status, CommandStatus::kDone);
  EXPECT_EQ(p.Events.Memo.File, temp / "lesson.txt");
  EXPECT_EQ(app.Host.MemoWindowShows, 1);
  p.CurFileName = std::string(kUntitled);
  RunMenuCommand(p, "mnuHMemo");
  EXPECT_EQ(app.Host.MemoWindowShows, 1);
  EXPECT_NE(app.Host.Messages.back().Text.find("メモ"), std::string::npos);
}

TEST_F(EventTest, EventPointsMakeTheFigureAPd5AndSurviveAReadAndAMerge) {
  AddEventPoint("A", 0, 0);
  EXPECT_EQ(FigFileExt(p.Fig), ".pd4");
  AddEventPoint("B!!Hi there", 1, 0);
  EXPECT_EQ(FigFileExt(p.Fig), ".pd5");
  p.CurFileName = (temp / "saved").string();
  EXPECT_EQ(SaveNameFor(p, (temp / "saved").string()), (temp / "saved.pd5").string());
  const fs::path file = temp / "saved.pd5";
  ASSERT_EQ(FigFileCoreShown(p.Fig, file, 'W', app.Host, p.Lang).Status, FigFileStatus::kOk);

  Figure read;
  ResetFigure(read, 20);
  ASSERT_EQ(FigFileCoreShown(read, file, 'R', app.Host, p.Lang).Status, FigFileStatus::kOk);
  EXPECT_EQ(read.PtTable[2].EventKind, kEventMessage);
  EXPECT_EQ(read.PtTable[2].EventText, "Hi there");
  ASSERT_EQ(FigFileCoreShown(read, file, 'A', app.Host, p.Lang).Status, FigFileStatus::kOk);
  EXPECT_EQ(read.PtTable[4].EventKind, kEventMessage);
  EXPECT_EQ(read.PtTable[1].EventKind, kEventNone);
}

TEST_F(EventTest, AMemoIsSavedAsItWasReadAndNeverWithWhatItDidNotRead) {
  MemoState& memo = p.Events.Memo;
  AddEventPoint("M!@notes", 0, 0);
  // Code page 932, LF line ends and a final line break; a private file
  // reached through a link.
  const fs::path real = temp / "memos" / "real.txt";
  fs::create_directories(real.parent_path());
  WriteFileBytes(real, "\x89\x7e\x81\x60\nabc\n");
  ::chmod(real.c_str(), 0600);
  fs::create_symlink("memos/real.txt", temp / "notes.txt");
  ClickAt(1);
  EXPECT_EQ(memo.Text, "円～\nabc\n");
  MemoTextEdited(memo, "円～\nabc\ndef\n");
  ASSERT_TRUE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_EQ(ReadFileBytes(real), "\x89\x7e\x81\x60\nabc\ndef\n");
  EXPECT_TRUE(fs::is_symlink(temp / "notes.txt"));
  EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write);
  // A character code page 932 cannot hold is asked about; cancelled, nothing is written.
  MemoTextEdited(memo, "円～\nabc\ndef\n\xF0\x9F\x98\x80\n");
  app.Host.Answers.push_back(MsgResult::kCancel);
  EXPECT_FALSE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_NE(app.Host.Messages.back().Text.find("Shift_JIS"), std::string::npos);
  EXPECT_EQ(ReadFileBytes(real), "\x89\x7e\x81\x60\nabc\ndef\n");
  MemoTextEdited(memo, "円～\nabc\ndef\n");

  // UTF-8 with CR LF keeps both; a text without a final line break keeps none.
  WriteFileBytes(temp / "utf.txt", "α\r\nβ\r\n");
  SetElementName(p.Fig, {kClassPoint, 1}, "M!@utf");
  ClickAt(1);
  EXPECT_EQ(memo.Text, "α\nβ\n");
  MemoTextEdited(memo, "α\nβ\nγ");
  ASSERT_TRUE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_EQ(ReadFileBytes(temp / "utf.txt"), "α\r\nβ\r\nγ");

  // A new memo: the notice is shown beside the text, never saved with it.
  SetElementName(p.Fig, {kClassPoint, 1}, "M!@fresh");
  ClickAt(1);
  EXPECT_EQ(memo.Text.find("新規作成"), std::string::npos);
  MemoTextEdited(memo, memo.Text + "first\n");
  ASSERT_TRUE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_EQ(ReadFileBytes(temp / "fresh.txt"), "first\r\n");

  // What could not be read is not the memo: neither the reason it could not
  // nor the first megabytes of a memo too large are ever saved over it.
  fs::create_directory(temp / "folder.txt");
  SetElementName(p.Fig, {kClassPoint, 1}, "M!@folder");
  ClickAt(1);
  EXPECT_EQ(memo.Text.find("メモを読めませんでした"), std::string::npos);
  MemoTextEdited(memo, memo.Text + "x");
  EXPECT_FALSE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_TRUE(fs::is_directory(temp / "folder.txt"));
  std::string big;
  while (big.size() < (5u << 20)) big += "0123456789abcdef\r\n";
  WriteFileBytes(temp / "big.txt", big);
  SetElementName(p.Fig, {kClassPoint, 1}, "M!@big");
  ClickAt(1);
  MemoTextEdited(memo, memo.Text + "x");
  EXPECT_FALSE(SaveMemo(memo, app.Host, p.Lang));
  EXPECT_TRUE(ReadFileBytes(temp / "big.txt") == big) << "the big memo was rewritten";
}

TEST_F(EventTest, TargetsAreJudgedAlikeWhateverTheirCaseAndMemosRefuseProgramsToo) {
  // A memo target gets the refusals of a document.
  WriteFileBytes(temp / "run.sh", "#!/bin/sh\necho hello\n");
  fs::permissions(temp / "run.sh", fs::perms::owner_all);
  WriteFileBytes(temp / "Setup.DESKTOP", "[Desktop Entry]\nExec=true\n");
  WriteFileBytes(temp / "Tool.JAR", "PK");
  AddEventPoint("m1!@run.sh", 0, 0);
  for (const char* target :
       {"m1!@run.sh", "m1!@Setup.DESKTOP", "D!#Tool.JAR", "D!#Setup.DESKTOP"}) {
    SetElementName(p.Fig, {kClassPoint, 1}, target);
    app.Host.OpenAnswers.assign(1, true);
    app.Host.Messages.clear();
    ClickAt(1);
    EXPECT_EQ(app.Host.Messages.size(), 1u) << target;
    const std::string told = app.Host.Messages.empty() ? "" : app.Host.Messages[0].Text;
    EXPECT_NE(told.find("開きません"), std::string::npos) << target;
  }
  EXPECT_EQ(app.Host.MemoWindowShows, 0);
  EXPECT_TRUE(p.Events.Memo.File.empty());
  EXPECT_TRUE(app.Host.Opened.empty());
  EXPECT_EQ(ReadFileBytes(temp / "run.sh"), "#!/bin/sh\necho hello\n");

  // A mail address goes to the desktop as an address, after the question.
  SetElementName(p.Fig, {kClassPoint, 1}, "D!#MAILTO:teacher@example.org");
  app.Host.OpenAnswers.assign(1, true);
  ClickAt(1);
  EXPECT_EQ(app.Host.Opened, std::vector<std::string>{"MAILTO:teacher@example.org"});
  EXPECT_EQ(app.Host.OpenQuestions.size(), 1u);

  // A figure chosen with its extension in capitals is saved under that name.
  app.Host.FileAnswers.push_back(temp / "Lesson.PD5");
  RunMenuCommand(p, "mnuSave");
  EXPECT_EQ(p.CurFileName, (temp / "Lesson.PD5").string());
  EXPECT_TRUE(fs::exists(temp / "Lesson.PD5"));

  // A linked figure that is no text: the path and the reason, not its bytes.
  WriteFileBytes(temp / "picture.pd5", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
  const size_t told = app.Host.Messages.size();
  EXPECT_FALSE(OpenEventFigure(p, "picture"));
  ASSERT_EQ(app.Host.Messages.size(), told + 1);
  const std::string message = app.Host.Messages.back().Text;
  EXPECT_NE(message.find((temp / "picture.pd5").string()), std::string::npos) << message;
  EXPECT_EQ(message.find("NG"), std::string::npos) << message;
  EXPECT_EQ(message.find("found"), std::string::npos) << message;
}

}  // namespace
}  // namespace plandra::test
