// Plain text files of the program folder (settings, data folder, dictionaries):
// bounded reading, line splitting and character sets; they are written
// through the program's one file writer.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileWriter.h"  // the writer of these files
#include "persist/FileFault.h"
#include "persist/TextCode.h"

namespace plandra {

enum class ReadResult { kOk, kMissing, kFailed };

struct TextFileRead {
  ReadResult Result = ReadResult::kMissing;
  std::string Bytes;
  std::string Error;  // why it failed, for the message
  FileFault Fault = FileFault::kNone;
};

// Reads at most maxBytes; a longer file is cut after its last complete line
// within the limit, so no half line (or half character) is ever parsed.
TextFileRead ReadTextFileCapped(const std::filesystem::path& path, size_t maxBytes);

// Splits at LF and drops the CR of a CR LF; a last line without a line end
// counts, an empty remainder after the last line end does not.
std::vector<std::string_view> SplitLines(std::string_view text);

// A line of a user-edited file: taken as UTF-8 when it is valid UTF-8,
// otherwise read as CP932 (files carried over from Windows); nullopt when it
// is neither.
std::optional<std::string> UserLineToUtf8(std::string_view line);

// The number of characters of a UTF-8 text before byte offset pos.
size_t CharCountBefore(std::string_view text, size_t pos);

}  // namespace plandra
