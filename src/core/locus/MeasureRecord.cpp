#include "core/locus/MeasureRecord.h"

#include <chrono>
#include <ctime>
#include <vector>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/language/Multi_lang.h"
#include "core/locus/SpreadsheetText.h"
#include "files/FileRead.h"
#include "files/FileWriter.h"
#include "files/WebPages.h"
#include "labels/Labels05.h"

namespace plandra {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kNotWrittenText = "測定記録のファイルに書き込めません。";
constexpr std::string_view kNoRecordText = "測定記録がありません。";
// Far more than a lesson's record; a larger file is not copied.
constexpr size_t kMaxRecordBytes = size_t{1} << 30;

std::string LocalDateTimeText() {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d : %H:%M:%S", &local);
  return text;
}

// The shown measured numbers, in index order.
std::vector<int> RecordedNumbers(const Figure& fig) {
  std::vector<int> numbers;
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    const NumRec& num = fig.NumTable[i];
    if (num.NumFlag != kTrue && num.NumFlag != 7 && num.NumShow == 0) numbers.push_back(i);
  }
  return numbers;
}

std::string HeaderName(const NumRec& num) {
  return std::string(Trim(WithTimesSigns(Trim(num.Name))));
}

void TellFailure(Program& p, const std::filesystem::path& file) {
  RecordFiles& record = p.Record;
  if (record.FailureTold) return;
  record.FailureTold = true;
  HostOf(p).MessageBox(Translate(p.Lang, kNotWrittenText) + "\n" + file.string(),
                       Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
}

void CloseFiles(RecordFiles& record) {
  record.RecordCsvFile.close();
  record.RecordHtmFile.close();
  record.RecordState = kRecordClosed;
}

bool OpenFiles(Program& p, std::ios::openmode mode) {
  RecordFiles& record = p.Record;
  // Without a program folder the files would land wherever the program runs.
  if (p.Folders.Folder.empty()) {
    TellFailure(p, record.RecordCsvPath);
    return false;
  }
  record.RecordCsvFile.open(record.RecordCsvPath, std::ios::binary | mode);
  record.RecordHtmFile.open(record.RecordHtmPath, std::ios::binary | mode);
  if (record.RecordCsvFile.is_open() && record.RecordHtmFile.is_open()) {
    record.RecordState = kRecordOpen;
    return true;
  }
  TellFailure(p, record.RecordCsvFile.is_open() ? record.RecordHtmPath : record.RecordCsvPath);
  CloseFiles(record);
  return false;
}

// The files are made anew through the file writer (a link, the mode and the
// owner kept; what is no plain writable file refused, never opened); the
// rows then go to their ends in place, one write per row. The byte-order
// mark tells the spreadsheet and the browser alike that the names are UTF-8.
bool MakeEmptyFiles(Program& p) {
  if (p.Folders.Folder.empty()) return true;  // OpenFiles tells
  for (const std::filesystem::path* file : {&p.Record.RecordCsvPath, &p.Record.RecordHtmPath}) {
    if (!WriteFileSafely(*file, kSpreadsheetBom).Ok()) {
      TellFailure(p, *file);
      return false;
    }
  }
  return true;
}

// The page links to a copy, so that the record may go on growing while the
// copy is open elsewhere; the copy is written whole, as every file is.
bool CopyRecord(const std::filesystem::path& from, const std::filesystem::path& to) {
  const FileBytes read = ReadRegularFile(from, kMaxRecordBytes);
  std::string error;
  return read.Status == FileReadStatus::kOk && !read.More &&
         ReplaceFileContents(to, read.Bytes, error);
}

// The page's link to the copy works from its first row: the copy is made
// with the page, and again whenever the record is shown.
void CopyForThePage(Program& p) {
  const std::filesystem::path copy = p.Folders.Folder / kRecordCopyName;
  if (!CopyRecord(p.Record.RecordCsvPath, copy)) TellFailure(p, copy);
}

void CreateFiles(Program& p) {
  if (!MakeEmptyFiles(p) || !OpenFiles(p, std::ios::out | std::ios::app)) return;
  RecordRow(p, "top");
  CopyForThePage(p);
}

void FirstUse(Program& p) {
  RecordFiles& record = p.Record;
  if (record.RecordState != kRecordUninitialised) return;
  record.RecordCsvPath = p.Folders.Folder / kRecordCsvName;
  record.RecordHtmPath = p.Folders.Folder / kRecordHtmName;
  record.RecordState = kRecordClosed;
}

// A row of the table: "<tr>", one line per cell, an empty line; no row
// when nothing is measured.
std::vector<std::string> RowLines(std::string_view tag, const std::vector<std::string>& cells) {
  if (cells.empty()) return {};
  std::vector<std::string> lines{"<tr>"};
  for (const std::string& cell : cells) lines.push_back(std::string(tag) + cell);
  lines.emplace_back();
  return lines;
}

// Quoted cells; a quote in a cell is doubled, as CSV reads it back. The
// row ends in one more, empty cell, as spreadsheets made from the record
// have always had it; no row when nothing is measured.
std::string CsvRow(const std::vector<std::string>& cells) {
  if (cells.empty()) return {};
  std::string row;
  for (const std::string& cell : cells) {
    row += '"';
    for (char c : cell) row += c == '"' ? std::string(2, c) : std::string(1, c);
    row += "\",";
  }
  return row + "\"\"" + std::string(kEol);
}

std::vector<std::pair<int, std::string>> ColumnsOf(const Figure& fig) {
  std::vector<std::pair<int, std::string>> columns;
  for (int i : RecordedNumbers(fig)) columns.emplace_back(i, HeaderName(fig.NumTable[i]));
  return columns;
}

std::vector<std::string> NamesOf(const std::vector<std::pair<int, std::string>>& columns) {
  std::vector<std::string> names;
  for (const auto& column : columns) names.push_back(column.second);
  return names;
}

std::vector<std::string> InertNames(const std::vector<std::string>& names) {
  std::vector<std::string> inert;
  for (const std::string& name : names) inert.push_back(InertCellText(name));
  return inert;
}

std::vector<std::string> EscapedNames(const std::vector<std::string>& names) {
  std::vector<std::string> escaped;
  for (const std::string& name : names) escaped.push_back(HtmlEscape(name));
  return escaped;
}

// The page says its language, so that a reader speaks it aloud rightly.
std::string PageLanguage(const LangState& lang) {
  if (lang.Language == "Japanese") return " lang=ja";
  if (lang.Language == "English") return " lang=en";
  return {};  // a user dictionary's language has no code here
}

std::vector<std::string> HeaderLines(Program& p, const std::vector<std::string>& names) {
  auto dateTime = p.Record.DateTimeText ? p.Record.DateTimeText : LocalDateTimeText;
  // A user dictionary's texts are not markup either.
  const std::string openCopy = HtmlEscape(Translate(p.Lang, "Excelなどで開く"));
  const std::string title = HtmlEscape(Translate(p.Lang, "測定値の結果"));
  std::vector<std::string> lines{
      "<html" + PageLanguage(p.Lang) + "><body>",
      "<small>",
      "<a href=" + std::string(kRecordCopyName) + ">[" + openCopy + "]</a>",
      "</small>",
      "<h2>" + title + " by ZE/Vav " + std::string(ProgramVersion()),
      "</h2>",
      "<div align = center>",
      "<small>",
      "file : " + HtmlEscape(p.CurFileName) + ",",
      "( " + dateTime() + " )",
      "</small>",
      "</div>",
      "<hr>",
      "<table border=1>"};
  for (std::string& line : RowLines("<th>", EscapedNames(names))) lines.push_back(std::move(line));
  return lines;
}

void WriteLines(std::ofstream& file, const std::vector<std::string>& lines) {
  for (const std::string& line : lines) file << line << kEol;
}

// One write per file and row; a failed write is told once.
void FlushBoth(Program& p) {
  RecordFiles& record = p.Record;
  record.RecordHtmFile.flush();
  record.RecordCsvFile.flush();
  if (!record.RecordHtmFile.good()) TellFailure(p, record.RecordHtmPath);
  if (!record.RecordCsvFile.good()) TellFailure(p, record.RecordCsvPath);
}

}  // namespace

void RecordCommand(Program& p, std::string_view command) {
  if (p.Window.ExeReadOnly != 0) return;
  FirstUse(p);
  RecordFiles& record = p.Record;
  bool open = record.RecordState == kRecordOpen;
  if (command == "open" && !open) {
    CreateFiles(p);
  } else if (command == "append" && !open) {
    OpenFiles(p, std::ios::out | std::ios::app);
  } else if (command == "close" && open) {
    CloseFiles(record);
  } else if (command == "new" && open) {
    CloseFiles(record);
    if (p.Locus.LocusOn != kFalse) CreateFiles(p);
  }
}

void RecordRow(Program& p, std::string_view mode) {
  RecordFiles& record = p.Record;
  if (record.RecordState != kRecordOpen) RecordCommand(p, "open");
  if (record.RecordState != kRecordOpen) return;
  if (mode == "end") {
    WriteLines(record.RecordHtmFile, {"</table>", "</body>", "</html>"});
    FlushBoth(p);
    return;
  }
  const Figure& fig = p.Fig;
  std::vector<std::pair<int, std::string>> columns = ColumnsOf(fig);
  std::vector<std::string> names = NamesOf(columns);
  if (mode == "top") {
    WriteLines(record.RecordHtmFile, HeaderLines(p, names));
    record.RecordCsvFile << CsvRow(InertNames(names));
  } else {
    // A number shown, hidden or renamed since the last header: the values
    // that follow stand under a header of their own.
    if (columns != record.Columns) {
      WriteLines(record.RecordHtmFile, RowLines("<th>", EscapedNames(names)));
      record.RecordCsvFile << CsvRow(InertNames(names));
    }
    std::vector<std::string> values;
    for (const auto& column : columns) {
      values.push_back(ValueText(fig.NumTable[column.first].Value, p.Config.KetaDecimal));
    }
    WriteLines(record.RecordHtmFile, RowLines("<td>", values));
    record.RecordCsvFile << CsvRow(values);
  }
  record.Columns = std::move(columns);
  FlushBoth(p);
}

void RearmRecordReport(RecordFiles& record) { record.FailureTold = false; }

void mnuLocusNumCSV(Program& p) {
  if (p.Window.ExeReadOnly != 0) return;
  FirstUse(p);
  RecordFiles& record = p.Record;
  std::error_code error;
  if (!std::filesystem::exists(record.RecordHtmPath, error)) {
    HostOf(p).MessageBox(Translate(p.Lang, kNoRecordText) + "\n" + record.RecordHtmPath.string(),
                         Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
    return;
  }
  bool on = p.Locus.LocusOn != kFalse;
  if (on) {
    // The copy is brought up to date before the page opens.
    RecordCommand(p, "close");
    CopyForThePage(p);
  }
  HostOf(p).OpenWithDesktop(record.RecordHtmPath.string());
  if (on) RecordCommand(p, "append");
}

}  // namespace plandra
