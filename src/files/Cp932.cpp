#include "files/Cp932.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "files/Cp932Table.h"
#include "persist/TextCode.h"

namespace plandra {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr char32_t kNoCharacter = 0xFFFFFFFF;

struct Character {
  char32_t Unicode = kNoCharacter;
  size_t Length = 0;
};

uint8_t ByteAt(std::string_view text, size_t at) { return static_cast<uint8_t>(text[at]); }

bool IsContinuationByte(uint8_t byte) { return (byte & 0xC0) == 0x80; }

char32_t SingleByteUnicode(uint8_t byte) {
  for (const Cp932ByteRun& run : kCp932SingleBytes) {
    if (byte >= run.First && byte <= run.Last) return run.Unicode + (byte - run.First);
  }
  return kNoCharacter;
}

char32_t PairUnicode(uint8_t lead, uint8_t trail) {
  unsigned row = kCp932RowOfLead[lead];
  // Below the first trail byte the column wraps far past the last.
  unsigned column = static_cast<unsigned>(trail - kCp932FirstTrail);
  if (row == 0 || column >= kCp932TrailCount) return kNoCharacter;
  uint16_t unicode = kCp932Rows[row - 1][column];
  return unicode == 0 ? kNoCharacter : unicode;
}

// The CP932 character at text[at], or Length 0. No lead byte is a character
// of its own (the table's generator makes sure).
Character ReadCp932(std::string_view text, size_t at) {
  uint8_t byte = ByteAt(text, at);
  if (kCp932RowOfLead[byte] == 0) {
    char32_t single = SingleByteUnicode(byte);
    return single == kNoCharacter ? Character{} : Character{single, 1};
  }
  if (at + 1 == text.size()) return {};
  char32_t pair = PairUnicode(byte, ByteAt(text, at + 1));
  return pair == kNoCharacter ? Character{} : Character{pair, 2};
}

// Writes unicode (of the Basic Multilingual Plane, as all of CP932) at out.
char* PutUtf8(char* out, char32_t unicode) {
  if (unicode < 0x80) {
    *out++ = static_cast<char>(unicode);
  } else if (unicode < 0x800) {
    *out++ = static_cast<char>(0xC0 | unicode >> 6);
    *out++ = static_cast<char>(0x80 | (unicode & 0x3F));
  } else {
    *out++ = static_cast<char>(0xE0 | unicode >> 12);
    *out++ = static_cast<char>(0x80 | (unicode >> 6 & 0x3F));
    *out++ = static_cast<char>(0x80 | (unicode & 0x3F));
  }
  return out;
}

// Where several codes decode to one character, the later one is its code
// unless the table lists another.
std::vector<uint16_t> BuildCodeOfUnicode() {
  std::vector<uint16_t> codeOf(0x10000, kCp932NoCode);
  for (const Cp932ByteRun& run : kCp932SingleBytes) {
    for (unsigned byte = run.First; byte <= run.Last; ++byte) {
      codeOf[run.Unicode + byte - run.First] = static_cast<uint16_t>(byte);
    }
  }
  for (unsigned lead = 0; lead < 256; ++lead) {
    unsigned row = kCp932RowOfLead[lead];
    for (unsigned column = 0; row != 0 && column < kCp932TrailCount; ++column) {
      uint16_t unicode = kCp932Rows[row - 1][column];
      if (unicode != 0) codeOf[unicode] = static_cast<uint16_t>(lead << 8 | (kCp932FirstTrail + column));
    }
  }
  for (const Cp932Encoding& encoding : kCp932Encodings) codeOf[encoding.Unicode] = encoding.Code;
  return codeOf;
}

const std::vector<uint16_t>& CodeOfUnicode() {
  static const std::vector<uint16_t> codeOf = BuildCodeOfUnicode();
  return codeOf;
}

bool IsSilent(char32_t unicode) {
  return std::any_of(kCp932Silent.begin(), kCp932Silent.end(), [unicode](const Cp932Range& range) {
    return unicode >= range.First && unicode <= range.Last;
  });
}

// Writes the code of unicode at out; nullptr when CP932 has none.
char* PutCp932(char* out, char32_t unicode, const std::vector<uint16_t>& codeOf) {
  uint16_t code = unicode < codeOf.size() ? codeOf[unicode] : kCp932NoCode;
  if (code == kCp932NoCode) return IsSilent(unicode) ? out : nullptr;
  if (code > 0xFF) *out++ = static_cast<char>(code >> 8);
  *out++ = static_cast<char>(code & 0xFF);
  return out;
}

// The well-formed UTF-8 character at the front of text (whose first byte is
// not ASCII), or Length 0: no overlong forms, surrogates or values past U+10FFFF.
Character ReadUtf8(std::string_view text) {
  uint8_t lead = ByteAt(text, 0);
  size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
  if (lead < 0xC2 || lead > 0xF4 || text.size() < length) return {};
  uint8_t low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
  uint8_t high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
  char32_t unicode = lead & (0x7F >> length);
  for (size_t k = 1; k < length; ++k) {
    uint8_t next = ByteAt(text, k);
    if (next < low || next > high) return {};
    unicode = unicode << 6 | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  return {unicode, length};
}

// How many bytes a UTF-8 lead byte announces, the old five- and six-byte
// forms included; 0 for no lead byte.
size_t AnnouncedLength(uint8_t lead) {
  if (lead < 0xC2 || lead > 0xFD) return 0;
  return lead >= 0xFC ? 6 : lead >= 0xF8 ? 5 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
}

// A bad sequence spans its lead byte and the continuation bytes the lead
// announces, so what follows is read afresh; a byte past 0xF4 is taken to
// announce three, as the program always took it, so its files stay the same.
size_t ResyncLength(std::string_view rest) {
  uint8_t lead = ByteAt(rest, 0);
  size_t announced = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 1;
  size_t skip = 1;
  while (skip < announced && skip < rest.size() && IsContinuationByte(ByteAt(rest, skip))) ++skip;
  return skip;
}

// A sequence the end of the text cuts short is dropped whole.
bool IsCutOffAtEnd(std::string_view rest) {
  return rest.size() < AnnouncedLength(ByteAt(rest, 0)) &&
         std::all_of(rest.begin() + 1, rest.end(),
                     [](char c) { return IsContinuationByte(static_cast<uint8_t>(c)); });
}

}  // namespace

Cp932Converter::Cp932Converter() = default;

Cp932Converter::~Cp932Converter() = default;

std::string Cp932Converter::ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  // A byte gives at most three of UTF-8 (a half-width katakana, U+FFFD).
  std::string out(cp932.size() * 3, '\0');
  char* end = out.data();
  for (size_t at = 0; at < cp932.size();) {
    if (ByteAt(cp932, at) < 0x80) {
      *end++ = cp932[at++];
      continue;
    }
    Character read = ReadCp932(cp932, at);
    // A byte that starts no character stands alone: the next is read afresh.
    end = read.Length == 0 ? std::copy(kReplacement.begin(), kReplacement.end(), end)
                           : PutUtf8(end, read.Unicode);
    at += std::max<size_t>(read.Length, 1);
  }
  out.resize(static_cast<size_t>(end - out.data()));
  return out;
}

std::string Cp932Converter::FromUtf8(std::string_view utf8, bool& lost) {
  if (IsAscii(utf8)) return std::string(utf8);
  const std::vector<uint16_t>& codeOf = CodeOfUnicode();
  // No character takes more bytes in CP932 than in UTF-8.
  std::string out(utf8.size(), '\0');
  char* end = out.data();
  for (size_t at = 0; at < utf8.size();) {
    if (ByteAt(utf8, at) < 0x80) {
      *end++ = utf8[at++];
      continue;
    }
    std::string_view rest = utf8.substr(at);
    Character read = ReadUtf8(rest);
    if (char* put = read.Length > 0 ? PutCp932(end, read.Unicode, codeOf) : nullptr) {
      end = put;
      at += read.Length;
      continue;
    }
    *end++ = '?';
    lost = true;
    if (IsCutOffAtEnd(rest)) break;
    at += ResyncLength(rest);
  }
  out.resize(static_cast<size_t>(end - out.data()));
  return out;
}

std::string Cp932ToUtf8(std::string_view cp932) {
  Cp932Converter converter;
  return converter.ToUtf8(cp932);
}

std::string Utf8ToCp932(std::string_view utf8, bool& lost) {
  Cp932Converter converter;
  return converter.FromUtf8(utf8, lost);
}

}  // namespace plandra
