#include "persist/String05.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace plandra {
namespace {

// The largest magnitude that 15 significant digits can write and read back.
constexpr double kLargestWritable = 1.79769313486231e308;

bool IsContinuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsDecimalCharacter(char c) {
  return (c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E';
}

#if defined(__wasi__)
// The web build's C++ library has no from_chars for reals; strtod is
// locale-free there, and needs a terminated copy of the number's characters
// only, so that it cannot read blanks, hexadecimal or a leading "+".
RealParse StrtodPrefix(std::string_view text, double& value) {
  size_t length = 0;
  while (length < text.size() && IsDecimalCharacter(text[length])) ++length;
  std::string copy(text.substr(0, length));
  if (copy.empty() || copy.front() == '+') return {text.data(), std::errc::invalid_argument};
  char* end = nullptr;
  errno = 0;
  value = std::strtod(copy.c_str(), &end);
  if (end == copy.c_str()) return {text.data(), std::errc::invalid_argument};
  // Its ERANGE also flags a subnormal result, which from_chars reads.
  const bool outOfRange = errno == ERANGE && (value == 0 || std::isinf(value));
  const std::errc error = outOfRange ? std::errc::result_out_of_range : std::errc{};
  return {text.data() + (end - copy.c_str()), error};
}
#endif

// Nearly every integer of a figure file: up to four digits, perhaps after a
// minus sign, and nothing else. Read without the general path's trimming and
// range checks, which cost a big file's read more than the digits.
bool ParseShortInt(std::string_view text, int16_t& value) {
  const bool negative = !text.empty() && text.front() == '-';
  const std::string_view digits = text.substr(negative ? 1 : 0);
  if (digits.empty() || digits.size() > 4) return false;
  int magnitude = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    magnitude = magnitude * 10 + (c - '0');
  }
  value = static_cast<int16_t>(negative ? -magnitude : magnitude);
  return true;
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

RealParse ReadReal(std::string_view text, double& value) {
  double read = 0;
#if defined(__wasi__)
  const RealParse result = StrtodPrefix(text, read);
#else
  const auto parsed =
      std::from_chars(text.data(), text.data() + text.size(), read, std::chars_format::general);
  const RealParse result{parsed.ptr, parsed.ec};
#endif
  if (result.Error != std::errc{}) return result;
  if (!std::isfinite(read)) return {text.data(), std::errc::invalid_argument};
  value = read;
  return result;
}

std::optional<double> ParseReal(std::string_view text) {
  text = TrimBlanks(text);
  if (text.size() > 1 && text.front() == '+' && text[1] != '-' && text[1] != '+') {
    text.remove_prefix(1);
  }
  // from_chars would also take "inf" and "nan"; a figure has no use for them.
  if (!std::all_of(text.begin(), text.end(), IsDecimalCharacter)) return std::nullopt;
  double value = 0;
  RealParse result = ReadReal(text, value);
  if (text.empty() || result.End != text.data() + text.size()) return std::nullopt;
  if (result.Error == std::errc::result_out_of_range) {
    size_t exponent = text.find_first_of("eE");
    bool tiny = exponent != std::string_view::npos && exponent + 1 < text.size() &&
                text[exponent + 1] == '-';
    if (!tiny) return std::nullopt;
    return 0.0;
  }
  if (result.Error != std::errc{} || !std::isfinite(value)) return std::nullopt;
  return value;
}

IntParse ParseInt16(std::string_view text, int16_t& value) {
  if (ParseShortInt(text, value)) return IntParse::kOk;
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
