#include "files/PDio05_text.h"

#include "files/Cp932.h"
#include "files/FileRead.h"
#include "persist/String05.h"

namespace plandra {

TextFileRead ReadTextFileCapped(const std::filesystem::path& path, size_t maxBytes) {
  TextFileRead read;
  FileBytes file = ReadRegularFile(path, maxBytes);
  if (file.Status == FileReadStatus::kMissing) return read;
  if (file.Status != FileReadStatus::kOk) {
    read.Result = ReadResult::kFailed;
    read.Error = file.Reason;
    read.Fault = file.Fault;
    return read;
  }
  read.Bytes = std::move(file.Bytes);
  if (file.More) {
    size_t lastEnd = maxBytes == 0 ? std::string::npos : read.Bytes.rfind('\n', maxBytes - 1);
    read.Bytes.resize(lastEnd == std::string::npos ? 0 : lastEnd + 1);
  }
  read.Result = ReadResult::kOk;
  return read;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::optional<std::string> UserLineToUtf8(std::string_view line) {
  if (LineTextCode(line) == TextCode::kUtf8) return std::string(line);
  // CP932 holds no U+FFFD, so one in the result marks bytes that are not CP932.
  std::string converted = Cp932ToUtf8(line);
  if (converted.find("\xEF\xBF\xBD") != std::string::npos) return std::nullopt;
  return converted;
}

size_t CharCountBefore(std::string_view text, size_t pos) {
  size_t count = 0;
  for (size_t i = 0; i < pos && i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++count;
  }
  return count;
}

}  // namespace plandra
