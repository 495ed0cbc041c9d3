#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MainCommands.h"
#include "core/Refresh.h"
#include "core/locus/MeasureRecord.h"
#include "core/locus/PdLocus.h"
#include "core/locus/SpreadsheetText.h"
#include "core/menus/MenuBar.h"
#include "core/numbers/NumberChooser.h"
#include "labels/Labels05.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddNumber;
using test::AppFixture;
using test::ReadFileBytes;
using test::TempDir;

struct Fixture : AppFixture {
  TempDir Folder;
  Fixture() {
    ResetFigure(P.Fig, 40);
    P.Folders.Folder = Folder.Path();
    P.CurFileName = "/home/t/fig.pd4";
    P.Config.KetaDecimal = 2;
    P.Record.DateTimeText = [] { return std::string("2026/12/08 : 10:00:00"); };
  }
  // A measured number, shown unless told.
  int16_t Measured(std::string name, double value, int16_t show = 0) {
    int16_t index = AddNumber(P.Fig, value);
    NumRec& num = P.Fig.NumTable[index];
    num.NumFlag = kFalse;
    num.Name = std::move(name);
    num.NumShow = show;
    return index;
  }
  std::string Htm() const { return WithoutBom(ReadFileBytes(Folder / "temp.htm")); }
  std::string Csv() const { return WithoutBom(ReadFileBytes(Folder / "temp.csv")); }
  static std::string WithoutBom(std::string text) {
    EXPECT_EQ(text.rfind(kSpreadsheetBom, 0), 0u);
    return text.erase(0, kSpreadsheetBom.size());
  }
};

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  return text;
}

std::string HeaderOf(const std::vector<std::string>& names) {
  std::vector<std::string> lines{"<html lang=ja><body>",
                                 "<small>",
                                 "<a href=temp2.csv>[Excelなどで開く]</a>",
                                 "</small>",
                                 "<h2>測定値の結果 by ZE/Vav " + std::string(PLANDRA_VERSION),
                                 "</h2>",
                                 "<div align = center>",
                                 "<small>",
                                 "file : /home/t/fig.pd4,",
                                 "( 2026/12/08 : 10:00:00 )",
                                 "</small>",
                                 "</div>",
                                 "<hr>",
                                 "<table border=1>",
                                 "<tr>"};
  for (const std::string& name : names) lines.push_back("<th>" + name);
  lines.emplace_back();
  return Lines(lines);
}

// Names HTML-escaped in the page, as written in the CSV; hidden and
// independent numbers left out; one row at every redraw.
TEST(MeasureRecord, TheFilesHoldTheHeaderAndOneRowPerRedraw) {
  Fixture f;
  f.Measured(" a*b ", 1.5);
  f.Measured("hidden", 2, 7);
  AddNumber(f.P.Fig, 9);  // independent
  int16_t odd = f.Measured("x<y&z", -0.25);
  RunMenuCommand(f.P, "mnuLocusSW");
  EXPECT_EQ(f.Htm(), HeaderOf({"a×b", "x&lt;y&amp;z"}));
  EXPECT_EQ(f.Csv(), "\"a×b\",\"x<y&z\",\"\"\r\n");

  Redraw(f.P);
  f.P.Fig.NumTable[odd].Value = 3;
  Redraw(f.P);
  std::string a = ValueText(1.5, 2), b = ValueText(-0.25, 2), c = ValueText(3, 2);
  EXPECT_EQ(a, "   1.50");
  EXPECT_EQ(f.Htm(), HeaderOf({"a×b", "x&lt;y&amp;z"}) +
                         Lines({"<tr>", "<td>" + a, "<td>" + b, ""}) +
                         Lines({"<tr>", "<td>" + a, "<td>" + c, ""}));
  EXPECT_EQ(f.Csv(), "\"a×b\",\"x<y&z\",\"\"\r\n\"" + a + "\",\"" + b + "\",\"\"\r\n\"" + a +
                         "\",\"" + c + "\",\"\"\r\n");

  RunMenuCommand(f.P, "mnuLocusSW");  // off: closed, nothing more is written
  Redraw(f.P);
  EXPECT_EQ(f.P.Record.RecordState, kRecordClosed);
  RunMenuCommand(f.P, "mnuLocusSW");  // on again: a fresh header
  EXPECT_EQ(f.Csv(), "\"a×b\",\"x<y&z\",\"\"\r\n");
  Redraw(f.P);
  RunMenuCommand(f.P, "mnuLocusReset");  // the reset restarts it too, then redraws
  EXPECT_EQ(f.Csv(), "\"a×b\",\"x<y&z\",\"\"\r\n\"" + a + "\",\"" + c + "\",\"\"\r\n");
}

TEST(MeasureRecord, AFileThatCannotBeWrittenIsToldOnce) {
  Fixture f;
  f.Measured("d", 1);
  f.P.Folders.Folder = f.Folder / "missing";
  RunMenuCommand(f.P, "mnuLocusSW");
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_NE(f.Host.Messages[0].Text.find("missing"), std::string::npos);
  for (int i = 0; i < 3; ++i) Redraw(f.P);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  RunMenuCommand(f.P, "mnuLocusSW");
  RunMenuCommand(f.P, "mnuLocusSW");  // turned on again: tried and told afresh
  EXPECT_EQ(f.Host.Messages.size(), 2u);
}

TEST(MeasureRecord, NoProgramFolderMeansNoRecord) {
  Fixture f;
  f.P.Folders.Folder.clear();
  RunMenuCommand(f.P, "mnuLocusSW");
  Redraw(f.P);
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_FALSE(std::filesystem::exists("temp.csv"));
}

TEST(MeasureRecord, ReadOnlyProgramWritesNoRecord) {
  Fixture f;
  f.Measured("d", 1);
  f.P.Window.ExeReadOnly = kTrue;
  RunMenuCommand(f.P, "mnuLocusSW");
  Redraw(f.P);
  EXPECT_FALSE(std::filesystem::exists(f.Folder / "temp.csv"));
  EXPECT_TRUE(f.Host.Messages.empty());
}

TEST(MeasureRecord, ShowingTheRecordCopiesTheCsvAndKeepsRecording) {
  Fixture f;
  f.Measured("d", 1);
  RunMenuCommand(f.P, "mnuLocusNumCSV");  // nothing recorded yet: said so
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_NE(f.Host.Messages[0].Text.find("測定記録がありません。"), std::string::npos);
  EXPECT_TRUE(f.Host.Opened.empty());

  RunMenuCommand(f.P, "mnuLocusSW");
  Redraw(f.P);
  RunMenuCommand(f.P, "mnuLocusNumCSV");
  ASSERT_EQ(f.Host.Opened.size(), 1u);
  EXPECT_EQ(f.Host.Opened[0], (f.Folder / "temp.htm").string());
  std::string shown = f.Csv();
  EXPECT_EQ(f.WithoutBom(ReadFileBytes(f.Folder / "temp2.csv")), shown);
  Redraw(f.P);  // appended after what the copy holds
  EXPECT_EQ(f.Csv().substr(0, shown.size()), shown);
  EXPECT_GT(f.Csv().size(), shown.size());
}

// The page as a teacher opens it from the folder: its link finds the copy
// from the start, it speaks the interface's language, and a record of
// nothing holds no empty rows.
TEST(MeasureRecord, ThePageOpenedFromTheFolder) {
  Fixture f;
  f.P.Lang.Language = "English";
  RunMenuCommand(f.P, "mnuLocusSW");
  EXPECT_TRUE(std::filesystem::exists(f.Folder / "temp2.csv"));
  for (int i = 0; i < 3; ++i) Redraw(f.P);
  EXPECT_EQ(f.Csv(), "");
  const std::string page = f.Htm();
  EXPECT_EQ(page.rfind("<html lang=en><body>\r\n", 0), 0u) << page;
  EXPECT_EQ(page.find("<tr>"), std::string::npos) << page;
  EXPECT_EQ(page.find("測定値"), std::string::npos) << page;

  f.Measured("d", 1);
  Redraw(f.P);  // the first measured number: its header, then its row
  EXPECT_EQ(f.Csv(), "\"d\",\"\"\r\n\"" + ValueText(1, 2) + "\",\"\"\r\n");
}

TEST(MeasureRecord, TheLocusNumberIsChosenAndCleared) {
  Fixture f;
  WireNumberChooser(f.P);
  ShowFullMenu(f.P.Menu);  // the locus settings are in the full menu
  f.Measured("d", 1);
  int16_t second = f.Measured("e", 2);
  RunMenuCommand(f.P, "mnuLocusSetN");
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeNumTrace);
  EXPECT_TRUE(f.P.SelNum.Shown);
  SelNumCancel(f.P);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);  // one mode pushed, one popped
  EXPECT_EQ(f.P.Modes.Depth, 1);
  RunMenuCommand(f.P, "mnuLocusSetN");
  SelNumSelectLine(f.P, 1);
  SelNumOK(f.P);
  EXPECT_EQ(f.P.Locus.LocusNum, second);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  RunMenuCommand(f.P, "mnuLocusNumClear");
  EXPECT_EQ(f.P.Locus.LocusNum, 0);
}

// A number shown, hidden or renamed while the record runs: a new header row
// comes before the next values, in the page and in the CSV alike, so each
// value stands under its own name; also where the count of the columns
// stays (a number renamed; one hidden and another shown in one step).
TEST(MeasureRecord, TheHeaderFollowsTheRecordedNumbers) {
  Fixture f;
  int16_t ab = f.Measured("AB", 1);
  int16_t ac = f.Measured("AC", 2);
  int16_t cd = f.Measured("CD", 3, 7);
  RunMenuCommand(f.P, "mnuLocusSW");
  Redraw(f.P);
  f.P.Fig.NumTable[ab].NumShow = 7;
  Redraw(f.P);
  Redraw(f.P);
  f.P.Fig.NumTable[ab].NumShow = 0;
  f.P.Fig.NumTable[ac].Name = "BC";
  Redraw(f.P);
  f.P.Fig.NumTable[ac].Name = "BD";
  Redraw(f.P);
  f.P.Fig.NumTable[ab].NumShow = 7;
  f.P.Fig.NumTable[cd].NumShow = 0;
  Redraw(f.P);
  std::string one = ValueText(1, 2), two = ValueText(2, 2), three = ValueText(3, 2);
  EXPECT_EQ(f.Htm(), HeaderOf({"AB", "AC"}) + Lines({"<tr>", "<td>" + one, "<td>" + two, ""}) +
                         Lines({"<tr>", "<th>AC", ""}) + Lines({"<tr>", "<td>" + two, ""}) +
                         Lines({"<tr>", "<td>" + two, ""}) +
                         Lines({"<tr>", "<th>AB", "<th>BC", ""}) +
                         Lines({"<tr>", "<td>" + one, "<td>" + two, ""}) +
                         Lines({"<tr>", "<th>AB", "<th>BD", ""}) +
                         Lines({"<tr>", "<td>" + one, "<td>" + two, ""}) +
                         Lines({"<tr>", "<th>BD", "<th>CD", ""}) +
                         Lines({"<tr>", "<td>" + two, "<td>" + three, ""}));
  EXPECT_EQ(f.Csv(), "\"AB\",\"AC\",\"\"\r\n\"" + one + "\",\"" + two + "\",\"\"\r\n" +
                         "\"AC\",\"\"\r\n\"" + two + "\",\"\"\r\n\"" + two + "\",\"\"\r\n" +
                         "\"AB\",\"BC\",\"\"\r\n\"" + one + "\",\"" + two + "\",\"\"\r\n" +
                         "\"AB\",\"BD\",\"\"\r\n\"" + one + "\",\"" + two + "\",\"\"\r\n" +
                         "\"BD\",\"CD\",\"\"\r\n\"" + two + "\",\"" + three + "\",\"\"\r\n");
}

// Names that start as a spreadsheet formula does are written as text in
// the header the record starts with and in the one a change brings.
TEST(MeasureRecord, FormulaShapedNamesAreTextInEveryHeader) {
  Fixture f;
  std::vector<std::string> names{"=A", "+B", "-C", "@D", "\tE", "\rF"};
  std::vector<int16_t> numbers;
  for (const std::string& name : names) numbers.push_back(f.Measured(name, 1));
  auto row = [](const std::vector<std::string>& cells, std::string_view before) {
    std::string text;
    for (const std::string& cell : cells) text += "\"" + std::string(before) + cell + "\",";
    return text + "\"\"\r\n";
  };
  const std::string values = row(std::vector<std::string>(names.size(), ValueText(1, 2)), "");
  RunMenuCommand(f.P, "mnuLocusSW");
  EXPECT_EQ(f.Csv(), row(names, "'"));
  Redraw(f.P);
  f.P.Fig.NumTable[numbers[0]].Name = "=1+2";
  Redraw(f.P);
  std::vector<std::string> renamed = names;
  renamed[0] = "=1+2";
  EXPECT_EQ(f.Csv(), row(names, "'") + values + row(renamed, "'") + values);
}

}  // namespace
}  // namespace plandra
