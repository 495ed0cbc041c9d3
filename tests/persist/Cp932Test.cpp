// The code page against glibc's iconv, which the table was made from: every
// byte and byte pair in decoding, every Unicode scalar value in encoding.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cstdint>
#include <optional>
#include <string>

#include "files/Cp932.h"

namespace plandra {
namespace {

const std::string kFffd = "\xEF\xBF\xBD";

// Whole conversions only: nullopt where iconv meets anything it cannot convert.
class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (IsOpen()) iconv_close(cd_);
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool IsOpen() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  std::optional<std::string> Convert(std::string input) {
    char buffer[32];
    char* in = input.data();
    size_t inLeft = input.size();
    char* out = buffer;
    size_t outLeft = sizeof buffer;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    if (iconv(cd_, &in, &inLeft, &out, &outLeft) == static_cast<size_t>(-1)) return std::nullopt;
    return std::string(buffer, out);
  }

 private:
  iconv_t cd_;
};

std::string Utf8Of(char32_t unicode) {
  std::string out;
  if (unicode < 0x80) return std::string(1, static_cast<char>(unicode));
  if (unicode < 0x800) {
    out += static_cast<char>(0xC0 | unicode >> 6);
  } else if (unicode < 0x10000) {
    out += static_cast<char>(0xE0 | unicode >> 12);
    out += static_cast<char>(0x80 | (unicode >> 6 & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | unicode >> 18);
    out += static_cast<char>(0x80 | (unicode >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (unicode >> 6 & 0x3F));
  }
  return out + static_cast<char>(0x80 | (unicode & 0x3F));
}

TEST(Cp932Table, DecodesEveryByteAndPairAsIconvDoes) {
  Iconv iconv("UTF-8", "CP932");
  ASSERT_TRUE(iconv.IsOpen());
  std::string single[256];
  for (int b = 0; b < 256; ++b) {
    single[b] = iconv.Convert(std::string(1, static_cast<char>(b))).value_or(kFffd);
    ASSERT_EQ(Cp932ToUtf8(std::string(1, static_cast<char>(b))), single[b]) << "byte " << b;
  }
  for (int lead = 0; lead < 256; ++lead) {
    for (int trail = 0; trail < 256; ++trail) {
      const std::string pair{static_cast<char>(lead), static_cast<char>(trail)};
      // A pair that is no character reads as its two bytes, each afresh.
      std::string expected = iconv.Convert(pair).value_or(single[lead] + single[trail]);
      ASSERT_EQ(Cp932ToUtf8(pair), expected) << "bytes " << lead << " " << trail;
    }
  }
}

TEST(Cp932Table, EncodesEveryCharacterAsIconvDoes) {
  Iconv iconv("CP932", "UTF-8");
  ASSERT_TRUE(iconv.IsOpen());
  for (char32_t unicode = 0; unicode <= 0x10FFFF; ++unicode) {
    if (unicode >= 0xD800 && unicode <= 0xDFFF) continue;
    const std::string utf8 = Utf8Of(unicode);
    std::optional<std::string> expected = iconv.Convert(utf8);
    bool lost = false;
    ASSERT_EQ(Utf8ToCp932(utf8, lost), expected.value_or("?")) << "U+" << std::hex << static_cast<uint32_t>(unicode);
    ASSERT_EQ(lost, !expected.has_value()) << "U+" << std::hex << static_cast<uint32_t>(unicode);
  }
}

TEST(Cp932, BrokenUtf8GivesOneQuestionMarkASequenceAndReadsOnAfterIt) {
  auto converted = [](std::string_view utf8) {
    bool lost = false;
    std::string out = Utf8ToCp932(utf8, lost);
    EXPECT_TRUE(lost) << out;
    return out;
  };
  // A lead byte takes the continuation bytes it announces, and no more.
  EXPECT_EQ(converted("a\xE7\x82z"), "a?z");
  EXPECT_EQ(converted("\xE0\x80\x80\x80z"), "??z");  // overlong, then a stray byte
  EXPECT_EQ(converted("\xED\xA0\x80\x93"), "??");   // a surrogate
  EXPECT_EQ(converted("\xF4\x90\x80\x80z"), "?z");  // past U+10FFFF
  EXPECT_EQ(converted("\xC0\x80z"), "??z");
  EXPECT_EQ(converted("\xFF\x80\x80\x80z"), "??z");
  // Cut off by the end: one "?" for the rest, as long as its lead says.
  EXPECT_EQ(converted("\xE3\x81"), "?");
  EXPECT_EQ(converted("\xF8\x88\x80\x80"), "?");
  EXPECT_EQ(converted("\xF5\x80"), "?");
  EXPECT_EQ(converted("\xC3\xA9\xE7\x82"), "??");
}

TEST(Cp932, LostStaysSetAcrossTheTextsOfAFile) {
  Cp932Converter converter;
  bool lost = false;
  EXPECT_EQ(converter.FromUtf8("\xC3\xA9", lost), "?");
  EXPECT_EQ(converter.FromUtf8("\xE7\x82\xB9", lost), "\x93\x5F");
  EXPECT_TRUE(lost);
}

}  // namespace
}  // namespace plandra
