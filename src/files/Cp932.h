// Conversion between UTF-8 (in memory) and CP932 (in the program's files).
// It needs the system's iconv, so it stays outside the model library: the
// model reads and writes text already decoded.
#pragma once

#include <iconv.h>

#include <string>
#include <string_view>

namespace plandra {

// Conversion between UTF-8 (in memory) and CP932 (in files). One converter
// keeps its two iconv descriptors open for a whole file.
class Cp932Converter {
 public:
  Cp932Converter();
  ~Cp932Converter();
  Cp932Converter(const Cp932Converter&) = delete;
  Cp932Converter& operator=(const Cp932Converter&) = delete;

  // Bytes that are no CP932 character become U+FFFD.
  std::string ToUtf8(std::string_view cp932);
  // Characters CP932 cannot hold (and broken UTF-8) become "?"; sets lost.
  std::string FromUtf8(std::string_view utf8, bool& lost);

 private:
  iconv_t toUtf8_;
  iconv_t fromUtf8_;
};

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8, bool& lost);

}  // namespace plandra
