#include "files/Cp932.h"

#include <algorithm>
#include <cerrno>

#include "persist/TextCode.h"

namespace plandra {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

// Length of the UTF-8 sequence a lead byte starts; 1 for a broken lead.
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC2) return 2;
  return 1;
}

// Runs iconv over the whole input; onBadInput appends its replacement and
// returns how many input bytes to skip (0 ends the conversion).
template <class OnBadInput>
std::string Convert(iconv_t cd, std::string_view input, size_t growth, OnBadInput onBadInput) {
  std::string out;
  out.resize(input.size() * growth + 16);
  char* in = const_cast<char*>(input.data());
  size_t inLeft = input.size();
  size_t used = 0;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  while (inLeft > 0) {
    char* outPtr = out.data() + used;
    size_t outLeft = out.size() - used;
    size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
    used = static_cast<size_t>(outPtr - out.data());
    if (rc != static_cast<size_t>(-1)) break;
    int error = errno;
    if (error == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    out.resize(used);
    size_t skip = onBadInput(out, std::string_view(in, inLeft), error);
    used = out.size();
    out.resize(used + inLeft * growth + 16);
    if (skip == 0) break;
    in += skip;
    inLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(used);
  return out;
}

}  // namespace

Cp932Converter::Cp932Converter()
    : toUtf8_(iconv_open("UTF-8", "CP932")), fromUtf8_(iconv_open("CP932", "UTF-8")) {}

Cp932Converter::~Cp932Converter() {
  if (toUtf8_ != kNoConverter) iconv_close(toUtf8_);
  if (fromUtf8_ != kNoConverter) iconv_close(fromUtf8_);
}

std::string Cp932Converter::ToUtf8(std::string_view cp932) {
  if (IsAscii(cp932)) return std::string(cp932);
  auto replace = [](std::string& out, std::string_view rest, int error) -> size_t {
    out += kReplacement;
    // An incomplete character at the end is dropped whole.
    return error == EINVAL || rest.empty() ? 0 : 1;
  };
  if (toUtf8_ == kNoConverter) {
    std::string out;
    for (char c : cp932) {
      if (static_cast<unsigned char>(c) < 0x80) {
        out += c;
      } else {
        out += kReplacement;
      }
    }
    return out;
  }
  // A single-byte half-width katakana takes three bytes in UTF-8.
  return Convert(toUtf8_, cp932, 3, replace);
}

std::string Cp932Converter::FromUtf8(std::string_view utf8, bool& lost) {
  if (IsAscii(utf8)) return std::string(utf8);
  auto replace = [&lost](std::string& out, std::string_view rest, int error) -> size_t {
    out += '?';
    lost = true;
    if (error == EINVAL || rest.empty()) return 0;
    size_t length = Utf8SequenceLength(static_cast<unsigned char>(rest.front()));
    size_t skip = 1;
    while (skip < length && skip < rest.size() && IsContinuationByte(rest[skip])) ++skip;
    return skip;
  };
  if (fromUtf8_ == kNoConverter) {
    std::string out;
    for (size_t i = 0; i < utf8.size();) {
      if (static_cast<unsigned char>(utf8[i]) < 0x80) {
        out += utf8[i++];
        continue;
      }
      i += std::max<size_t>(1, replace(out, utf8.substr(i), EILSEQ));
    }
    return out;
  }
  return Convert(fromUtf8_, utf8, 1, replace);
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
