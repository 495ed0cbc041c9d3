#include "persist/String05.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <limits>

namespace plandra {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
// The largest magnitude that 15 significant digits can write and read back.
constexpr double kLargestWritable = 1.79769313486231e308;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsAscii(std::string_view text) {
  for (char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

// Length of the UTF-8 sequence a lead byte starts; 1 for a broken lead.
size_t Utf8SequenceLength(unsigned char lead) {
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC2) return 2;
  return 1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
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

FieldSplit SplitAtFirst(std::string_view text, std::string_view delimiters) {
  int position = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i])) continue;
    if (++position > kFieldDelimiterReach) break;
    if (delimiters.find(text[i]) != std::string_view::npos) {
      return {text.substr(0, i), text.substr(i + 1), true};
    }
  }
  return {text, {}, false};
}

std::string NthField(std::string_view text, std::string_view delimiters, int n) {
  if (n < 1) return {};
  for (int field = 1;; ++field) {
    FieldSplit split = SplitAtFirst(text, delimiters);
    if (field == n) return std::string(split.Before);
    if (!split.Found) return {};
    text = split.After;
  }
}

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

void AppendReal(std::string& out, double value) {
  if (std::isnan(value) || value == 0) value = 0;  // also turns -0 into 0
  // Rounded to 15 digits, the largest doubles would overflow on reading.
  if (std::abs(value) > kLargestWritable) value = std::copysign(kLargestWritable, value);
  char buffer[32];
  auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
  out.append(buffer, result.ptr);
}

std::string FormatReal(double value) {
  std::string text;
  AppendReal(text, value);
  return text;
}

std::optional<double> ParseReal(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
    text.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan"; a figure has no use for them.
  for (char c : text) {
    bool numeric =
        (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
    if (!numeric) return std::nullopt;
  }
  double value = 0;
  auto result =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (text.empty() || result.ptr != text.data() + text.size()) return std::nullopt;
  if (result.ec == std::errc::result_out_of_range) {
    size_t exponent = text.find_first_of("eE");
    bool tiny = exponent != std::string_view::npos && exponent + 1 < text.size() &&
                text[exponent + 1] == '-';
    if (!tiny) return std::nullopt;
    return 0.0;
  }
  if (result.ec != std::errc{} || !std::isfinite(value)) return std::nullopt;
  return value;
}

IntParse ParseInt16(std::string_view text, int16_t& value) {
  text = TrimBlanks(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-') text.remove_prefix(1);
  long long wide = 0;
  auto result = std::from_chars(text.data(), text.data() + text.size(), wide);
  if (text.empty() || result.ptr != text.data() + text.size()) return IntParse::kNotInteger;
  if (result.ec == std::errc::result_out_of_range) return IntParse::kOutOfRange;
  if (result.ec != std::errc{}) return IntParse::kNotInteger;
  if (wide < std::numeric_limits<int16_t>::min() || wide > std::numeric_limits<int16_t>::max()) {
    return IntParse::kOutOfRange;
  }
  value = static_cast<int16_t>(wide);
  return IntParse::kOk;
}

}  // namespace plandra
