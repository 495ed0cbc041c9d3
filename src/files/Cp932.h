// Conversion between UTF-8 (in memory) and CP932 (in the program's files),
// on our own table (files/Cp932Table), so that the desktop and the browser
// write the same bytes whatever iconv their C library brings.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

// Conversion between UTF-8 (in memory) and CP932 (in files). One converter
// serves a whole file.
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
};

std::string Cp932ToUtf8(std::string_view cp932);
std::string Utf8ToCp932(std::string_view utf8, bool& lost);

}  // namespace plandra
