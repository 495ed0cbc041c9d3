#include "locus/MeasureRecord.h"

#include <chrono>
#include <ctime>
#include <iterator>
#include <vector>

#include "app/MainModel.h"
#include "app/Multi_lang.h"
#include "app/Program.h"
#include "app/Refresh.h"
#include "numbers/Labels05.h"
#include "persist/FileWriter.h"
#include "persist/WebPages.h"

namespace plandra {
namespace {

constexpr std::string_view kEol = "\r\n";
constexpr std::string_view kNotWrittenText = "測定記録のファイルに書き込めません。";
constexpr std::string_view kNoRecordText = "測定記録がありません。";

std::string LocalDateTimeText() {
  std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm local{};
  localtime_r(&now, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y/%m/%d : %H:%M:%S", &local);
  return text;
}

// The shown measured numbers, in index order.
std::vector<int16_t> RecordedNumbers(const Figure& fig) {
  std::vector<int16_t> numbers;
  for (int16_t i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
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
// rows then go to their ends in place, one write per row.
bool MakeEmptyFiles(Program& p) {
  if (p.Folders.Folder.empty()) return true;  // OpenFiles tells
  for (const std::filesystem::path* file : {&p.Record.RecordCsvPath, &p.Record.RecordHtmPath}) {
    if (!WriteFileSafely(*file, {}).Ok()) {
      TellFailure(p, *file);
      return false;
    }
  }
  return true;
}

void CreateFiles(Program& p) {
  if (MakeEmptyFiles(p) && OpenFiles(p, std::ios::out | std::ios::app)) RecordRow(p, "top");
}

// The page links to a copy, so that the record may go on growing while the
// copy is open elsewhere; the copy is written whole, as every file is.
bool CopyRecord(const std::filesystem::path& from, const std::filesystem::path& to) {
  std::ifstream in(from, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string error;
  return !in.bad() && ReplaceFileContents(to, bytes, error);
}

void FirstUse(Program& p) {
  RecordFiles& record = p.Record;
  if (record.RecordState != kRecordUninitialised) return;
  record.RecordCsvPath = p.Folders.Folder / kRecordCsvName;
  record.RecordHtmPath = p.Folders.Folder / kRecordHtmName;
  record.RecordState = kRecordClosed;
}

std::vector<std::string> HeaderLines(Program& p, const std::vector<std::string>& names) {
  auto dateTime = p.Record.DateTimeText ? p.Record.DateTimeText : LocalDateTimeText;
  std::vector<std::string> lines{
      "<html><body>",
      "<small>",
      "<a href=" + std::string(kRecordCopyName) + ">[" + Translate(p.Lang, "Excelなどで開く") +
          "]</a>",
      "</small>",
      "<h2>" + Translate(p.Lang, "測定値の結果") + " by ZE/Vav " + std::string(ProgramVersion()),
      "</h2>",
      "<div align = center>",
      "<small>",
      "file : " + p.CurFileName + ",",
      "( " + dateTime() + " )",
      "</small>",
      "</div>",
      "<hr>",
      "<table border=1>",
      "<tr>"};
  for (const std::string& name : names) lines.push_back("<th>" + HtmlEscape(name));
  lines.emplace_back();
  return lines;
}

std::vector<std::string> DataLines(const std::vector<std::string>& values) {
  std::vector<std::string> lines{"<tr>"};
  for (const std::string& value : values) lines.push_back("<td>" + value);
  lines.emplace_back();
  return lines;
}

std::string CsvRow(const std::vector<std::string>& cells) {
  std::string row;
  for (const std::string& cell : cells) row += "\"" + cell + "\",";
  return row + "\"\"" + std::string(kEol);
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
  std::vector<std::string> cells;
  for (int16_t i : RecordedNumbers(fig)) {
    const NumRec& num = fig.NumTable[i];
    cells.push_back(mode == "top" ? HeaderName(num) : ValueText(num.Value, p.Config.KetaDecimal));
  }
  WriteLines(record.RecordHtmFile, mode == "top" ? HeaderLines(p, cells) : DataLines(cells));
  record.RecordCsvFile << CsvRow(cells);
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
    // The copy is made before the page opens, so that its link finds it.
    RecordCommand(p, "close");
    std::filesystem::path copy = p.Folders.Folder / kRecordCopyName;
    if (!CopyRecord(record.RecordCsvPath, copy)) TellFailure(p, copy);
  }
  HostOf(p).OpenWithDesktop(record.RecordHtmPath.string());
  if (on) RecordCommand(p, "append");
}

}  // namespace plandra
