// The figure file: writing, reading and merging the figure store.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDvar05.h"
#include "persist/FileFault.h"

namespace plandra {

enum class FigFileStatus { kOk, kNotFound, kReadOnly, kFailed };

// What a file routine reports; it never beeps, shows or translates, so the
// caller decides how to tell the user.
struct FigFileResult {
  FigFileStatus Status = FigFileStatus::kOk;
  // Why it failed, not translated: the file, the line and what was expected
  // there.
  std::string Message;
  // The Japanese text to translate and show for this failure; empty when the
  // caller chooses its own (the read-only case has one).
  std::string MessageKey;
  std::filesystem::path File;
  // The class of the system's refusal, told in the user's words before Message.
  FileFault Fault = FileFault::kNone;
  // The line of the malformed field that ended reading; 0 when the failure
  // lies in no line.
  int Line = 0;
  // Writing: some character of a name could not be held by the code page
  // and was written as "?"; the caller tells the user once per save.
  bool LostCharacters = false;
  // Reading: the first attempt failed and the older layout (numbers without
  // NumFlag) was tried.
  bool TriedOlderLayout = false;
  // Reading: texts of the file longer than their fields, cut to fit.
  std::vector<std::string> CutTexts;
};

// The message key of a file that may not be overwritten.
constexpr std::string_view kReadOnlyText =
    "上書しようとしたファイルは読み取り専用なので,上書できません。ファイル名を変えて,保存し直して"
    "ください。";

// The message key of a save refused by the folder (the temporary file could
// not be made or renamed there).
constexpr std::string_view kFolderNotWritableText =
    "保存先のフォルダには書き込めないので,保存できません。別のフォルダを選んで,保存し直して"
    "ください。";

// 'W', 'R' and 'A': the modes FigFileCore knows.
bool IsFigFileMode(char mode);

// Mode 'W' writes fig to file (through a temporary file beside it), 'R'
// reads file into a fresh store and replaces fig on success, 'A' merges the
// file into fig. On any failure fig and the file on disk stay as they were.
FigFileResult FigFileCore(Figure& fig, const std::filesystem::path& file, char mode);

// ".pd5" when a point name holds "!" (an event mark), else ".pd4".
std::string FigFileExt(const Figure& fig);

// The bytes of the figure file of fig (CP932, CR LF).
std::string FigFileText(const Figure& fig, bool& lostCharacters);

// Reads the bytes of a figure file with mode 'R' or 'A' as FigFileCore does;
// fileName only names the source in the result.
FigFileResult FigFileParse(Figure& fig, std::string_view bytes, char mode,
                           std::string_view fileName);

}  // namespace plandra
