#include "persist/PDio05_text.h"

#include "persist/Cp932.h"
#include "persist/FileRead.h"
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

bool IsValidUtf8(std::string_view text) {
  size_t i = 0;
  while (i < text.size()) {
    auto lead = static_cast<unsigned char>(text[i]);
    size_t extra;
    char32_t minimum;
    if (lead < 0x80) {
      ++i;
      continue;
    } else if ((lead & 0xE0) == 0xC0) {
      extra = 1;
      minimum = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
      extra = 2;
      minimum = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
      extra = 3;
      minimum = 0x10000;
    } else {
      return false;
    }
    if (text.size() - i <= extra) return false;
    char32_t code = lead & (0x3F >> extra);
    for (size_t k = 1; k <= extra; ++k) {
      auto next = static_cast<unsigned char>(text[i + k]);
      if ((next & 0xC0) != 0x80) return false;
      code = (code << 6) | (next & 0x3F);
    }
    // Overlong forms, surrogates and values past U+10FFFF are not UTF-8.
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return false;
    i += extra + 1;
  }
  return true;
}

std::optional<std::string> UserLineToUtf8(std::string_view line) {
  if (IsValidUtf8(line)) return std::string(line);
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
