#include "persist/TextCode.h"

#include <cstdint>
#include <cstring>

namespace plandra {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool FirstLineEndsCrLf(std::string_view bytes) {
  const size_t lf = bytes.find('\n');
  return lf != std::string_view::npos && lf > 0 && bytes[lf - 1] == '\r';
}

}  // namespace

// Eight bytes at a time: a big figure's whole text is checked on reading.
bool IsAscii(std::string_view text) {
  constexpr uint64_t kHighBits = 0x8080808080808080u;
  size_t at = 0;
  for (; at + 8 <= text.size(); at += 8) {
    uint64_t word = 0;
    std::memcpy(&word, text.data() + at, 8);
    if ((word & kHighBits) != 0) return false;
  }
  for (; at < text.size(); ++at) {
    if (static_cast<unsigned char>(text[at]) >= 0x80) return false;
  }
  return true;
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

TextCode MemoTextCode(std::string_view bytes) {
  if (IsValidUtf8(bytes) && !(IsAscii(bytes) && FirstLineEndsCrLf(bytes))) return TextCode::kUtf8;
  return TextCode::kCp932;
}

TextCode LineTextCode(std::string_view line) {
  return IsValidUtf8(line) ? TextCode::kUtf8 : TextCode::kCp932;
}

std::string_view WithoutByteOrderMark(std::string_view text) {
  if (text.substr(0, kByteOrderMark.size()) == kByteOrderMark)
    text.remove_prefix(kByteOrderMark.size());
  return text;
}

}  // namespace plandra
