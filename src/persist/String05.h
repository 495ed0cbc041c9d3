// Text helpers of the file formats: field splitting and locale-independent
// reals. The code page of the files is Cp932.h, outside the model.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

namespace plandra {

// A delimiter first found at character position 100 or later counts as
// absent; the file formats rely on that rule for long texts.
constexpr int kFieldDelimiterReach = 99;

struct FieldSplit {
  std::string_view Before;  // the whole text when no delimiter counts
  std::string_view After;   // empty when no delimiter counts
  bool Found = false;
};

// Splits a UTF-8 text at the earliest of the delimiter characters found at
// character positions 1..99.
FieldSplit SplitAtFirst(std::string_view text, std::string_view delimiters);

// The n-th field (n >= 1): field 1 is the text before the split, field n the
// field n - 1 of the text after it; without a delimiter later fields are empty.
std::string NthField(std::string_view text, std::string_view delimiters, int n);

// At most 15 significant digits, "." as separator, exponent form for very
// large or small magnitudes ("1e-05"); a value written reads back to itself
// when written again. Non-finite values are written as readable finite ones.
std::string FormatReal(double value);
void AppendReal(std::string& out, double value);

struct RealParse {
  const char* End;  // just after the number read
  std::errc Error;
};
// Reads the decimal real at the start of text as std::from_chars does in
// general form (no blanks, no leading "+"), on every platform; infinities
// and NaN are refused.
RealParse ReadReal(std::string_view text, double& value);

// Accepts every decimal form: "1.5", ".5", "-.5", "5.", "+2", "1E-05",
// surrounded by blanks. No "inf" or "nan"; overflow is refused, underflow
// gives 0.
std::optional<double> ParseReal(std::string_view text);

enum class IntParse { kOk, kNotInteger, kOutOfRange };
// A signed 16-bit decimal integer surrounded by blanks, with optional sign.
IntParse ParseInt16(std::string_view text, int16_t& value);

}  // namespace plandra
