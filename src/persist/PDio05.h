// The figure file: writing, reading and merging the figure store.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/Multi_lang.h"
#include "app/Platform.h"
#include "figure/PDvar05.h"

namespace plandra {

enum class FigFileStatus { kOk, kNotFound, kReadOnly, kFailed };

struct FigFileResult {
  FigFileStatus Status = FigFileStatus::kOk;
  // Why it failed: the file, the line and what was expected there.
  std::string Message;
  // Writing: some character of a name could not be held by the code page
  // and was written as "?"; the caller tells the user once per save.
  bool LostCharacters = false;
  // Reading: the first attempt failed and the older layout (numbers without
  // NumFlag) was tried.
  bool TriedOlderLayout = false;
};

// Mode 'W' writes fig to file (through a temporary file beside it), 'R'
// reads file into a fresh store and replaces fig on success, 'A' merges the
// file into fig. On any failure fig and the file on disk stay as they were.
FigFileResult FigFileCore(Figure& fig, const std::filesystem::path& file, char mode,
                          Platform& platform, LangState& lang);

// ".pd5" when a point name holds "!" (an event mark), else ".pd4".
std::string FigFileExt(const Figure& fig);

// The bytes of the figure file of fig (CP932, CR LF).
std::string FigFileText(const Figure& fig, bool& lostCharacters);

// Reads the bytes of a figure file with mode 'R' or 'A' as FigFileCore does,
// without beeps or messages; fileName only names the source in messages.
FigFileResult FigFileParse(Figure& fig, std::string_view bytes, char mode,
                           std::string_view fileName);

}  // namespace plandra

namespace plandra {

struct Program;

// FigFileCore on the program's CurFileName with the number labels refreshed:
// before writing ('W'), after reading or merging ('R', 'A'). A save that had
// to replace characters the code page cannot hold tells the user once.
FigFileResult FigFileIO(Program& program, char mode);

}  // namespace plandra
