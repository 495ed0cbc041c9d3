#include "files/PDio05.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <system_error>

#include "files/Cp932.h"
#include "files/FileRead.h"
#include "files/FileWriter.h"
#include "persist/PDio05_read.h"
#include "persist/TextCode.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

// Far more than the largest figure the store can hold; a larger file is no
// figure file and is not read into memory.
constexpr size_t kMaxFileBytes = size_t{128} << 20;

FigFileResult Failure(FigFileStatus status, const fs::path& file, const std::string& why,
                      FileFault fault = FileFault::kOther) {
  FigFileResult result;
  result.Status = status;
  result.Fault = fault;
  result.Message = file.string() + ": " + why;
  result.File = file;
  if (status == FigFileStatus::kReadOnly) result.MessageKey = kReadOnlyText;
  return result;
}

fs::path FolderOf(const fs::path& file) {
  fs::path folder = file.parent_path();
  return folder.empty() ? fs::path(".") : folder;
}

bool ReadWholeFile(const fs::path& file, std::string& bytes, FigFileResult& result) {
  std::error_code ec;
  if (!fs::is_directory(FolderOf(file), ec)) {
    result =
        Failure(FigFileStatus::kFailed, file, "the folder does not exist", FileFault::kNotFound);
    return false;
  }
  FileBytes read = ReadRegularFile(file, kMaxFileBytes);
  switch (read.Status) {
    case FileReadStatus::kOk: break;
    case FileReadStatus::kMissing:
      result = Failure(FigFileStatus::kNotFound, file, read.Reason, read.Fault);
      return false;
    default:
      // Reading refused is no read-only case: the caller reports the reason.
      result = Failure(FigFileStatus::kFailed, file, read.Reason, read.Fault);
      return false;
  }
  if (read.More) {
    result = Failure(FigFileStatus::kFailed, file,
                     "the file is too large to be a figure (more than " +
                         std::to_string(kMaxFileBytes) + " bytes)");
    return false;
  }
  bytes = std::move(read.Bytes);
  return true;
}

// The file writer's refusals in the figure file's terms.
FigFileResult WriteFailure(const fs::path& file, const FileWriteResult& written) {
  switch (written.Status) {
    case FileWriteStatus::kOk: return {};
    case FileWriteStatus::kReadOnly:
      return Failure(FigFileStatus::kReadOnly, file, written.Reason, written.Fault);
    case FileWriteStatus::kFolderNotWritable: {
      FigFileResult result = Failure(FigFileStatus::kFailed, file, written.Reason, written.Fault);
      result.MessageKey = kFolderNotWritableText;
      return result;
    }
    case FileWriteStatus::kFailed: break;
  }
  return Failure(FigFileStatus::kFailed, file, written.Reason, written.Fault);
}

// A NUL byte, or bytes that are no character of the code page (U+FFFD where
// they stood), mark a file that is no text.
bool IsBinary(std::string_view bytes, std::string_view text) {
  return bytes.find('\0') != std::string_view::npos ||
         text.find("\xEF\xBF\xBD") != std::string_view::npos;
}

}  // namespace

bool IsFigFileMode(char mode) { return mode == 'W' || mode == 'R' || mode == 'A'; }

FigFileResult FigFileParse(Figure& fig, std::string_view bytes, char mode,
                           std::string_view fileName) {
  // An ASCII file is read where it lies, not copied first.
  const bool ascii = IsAscii(bytes);
  const std::string converted = ascii ? std::string() : Cp932ToUtf8(bytes);
  const std::string_view text = ascii ? bytes : std::string_view(converted);
  FigTextReadResult read = ReadFigureText(fig, text, mode, fileName);
  FigFileResult result;
  result.File = fileName;
  result.Status = read.Ok ? FigFileStatus::kOk : FigFileStatus::kFailed;
  result.Message = std::move(read.Message);
  result.Line = read.Line;
  if (!read.Ok && IsBinary(bytes, text)) {
    // What was found there would only repeat the file's bytes.
    result.Message = std::string(fileName) + ": line " + std::to_string(read.Line) +
                     ": not a figure file (it holds binary data)";
  }
  result.TriedOlderLayout = read.TriedOlderLayout;
  result.CutTexts = std::move(read.CutTexts);
  return result;
}

FigFileResult FigFileCore(Figure& fig, const std::filesystem::path& file, char mode) {
  if (mode == 'W') {
    bool lost = false;
    std::string bytes = FigFileText(fig, lost);
    FigFileResult result = WriteFailure(file, WriteFileSafely(file, bytes));
    result.File = file;
    result.LostCharacters = lost;
    return result;
  }
  if (!IsFigFileMode(mode)) return Failure(FigFileStatus::kFailed, file, "unknown file mode");
  FigFileResult result;
  std::string bytes;
  if (!ReadWholeFile(file, bytes, result)) return result;
  result = FigFileParse(fig, bytes, mode, file.string());
  result.File = file;
  return result;
}

}  // namespace plandra
