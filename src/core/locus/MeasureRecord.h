// The measurement record: while the locus switch is on, every refresh of the
// number labels appends the shown numbers as one row to a CSV file and to an
// HTML page in the program folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace plandra {

struct Program;

constexpr int16_t kRecordUninitialised = 0;
constexpr int16_t kRecordClosed = 1;
constexpr int16_t kRecordOpen = 2;

constexpr std::string_view kRecordCsvName = "temp.csv";
constexpr std::string_view kRecordHtmName = "temp.htm";
constexpr std::string_view kRecordCopyName = "temp2.csv";

struct RecordFiles {
  int16_t RecordState = kRecordUninitialised;
  std::filesystem::path RecordCsvPath;
  std::filesystem::path RecordHtmPath;
  // Open while the switch is on, so that a drag costs no open and close per row.
  std::ofstream RecordCsvFile;
  std::ofstream RecordHtmFile;
  // The columns under the last header written (number and name): a row of
  // other columns gets its own header first.
  std::vector<std::pair<int, std::string>> Columns;
  // A file that cannot be written is told once, not at every redraw; turning
  // the switch on again tries afresh.
  bool FailureTold = false;
  // "date : time" for the header; the local clock unless a test sets it.
  std::function<std::string()> DateTimeText;
};

// "open", "append", "close", "new" or "show"; nothing while the program is
// read-only.
void RecordCommand(Program& p, std::string_view command);
// "top" the header, "end" the page's closing lines, anything else a data row.
void RecordRow(Program& p, std::string_view mode);
// Turning the failure report back on when the switch is turned on.
void RearmRecordReport(RecordFiles& record);

// mnuLocusNumCSV: the page opened on the desktop, with a copy of the CSV it
// links to.
void mnuLocusNumCSV(Program& p);

}  // namespace plandra
