#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "files/Cp932.h"
#include "persist/String05.h"

namespace plandra {
namespace {

TEST(NthField, SplitsAtTheEarliestDelimiterWithinReach) {
  EXPECT_EQ(NthField("a_b@c", "@", 1), "a_b");
  EXPECT_EQ(NthField("a_b@c", "@", 2), "c");
  EXPECT_EQ(NthField("a_b@c", "@_", 1), "a");
  EXPECT_EQ(NthField("a_b@c", "@_", 2), "b");
  EXPECT_EQ(NthField("a_b@c", "@_", 3), "c");
  EXPECT_EQ(NthField("a_b@c", "@_", 4), "");
  EXPECT_EQ(NthField("plain", "@", 1), "plain");
  EXPECT_EQ(NthField("plain", "@", 2), "");
  EXPECT_EQ(NthField("@x", "@", 1), "");
  EXPECT_EQ(NthField("@x", "@", 2), "x");

  // Position 99 still counts, position 100 does not.
  std::string at99 = std::string(98, 'x') + "@tail";
  std::string at100 = std::string(99, 'x') + "@tail";
  EXPECT_EQ(NthField(at99, "@", 2), "tail");
  EXPECT_EQ(NthField(at100, "@", 1), at100);
  EXPECT_EQ(NthField(at100, "@", 2), "");
  // A later delimiter does not count once the earliest lies past the reach.
  EXPECT_EQ(NthField(std::string(120, 'x') + "_@", "_@", 1), std::string(120, 'x') + "_@");

  // Positions count characters, not bytes.
  std::string wide;
  for (int i = 0; i < 98; ++i) wide += "点";
  EXPECT_EQ(NthField(wide + "@e", "@", 2), "e");
  EXPECT_EQ(NthField(wide + "点@e", "@", 2), "");
}

TEST(Cp932, JapaneseNamesRoundTripExactly) {
  bool lost = false;
  std::string bytes = Utf8ToCp932("点Ａ①～－\\~", lost);
  EXPECT_FALSE(lost);
  EXPECT_EQ(bytes, "\x93\x5F\x82\x60\x87\x40\x81\x60\x81\x7C\\~");
  EXPECT_EQ(Cp932ToUtf8(bytes), "点Ａ①～－\\~");
  EXPECT_EQ(Cp932ToUtf8("\xB1\xB2"), "ｱｲ");  // half-width katakana, one byte each
  EXPECT_EQ(Cp932ToUtf8("plain ascii"), "plain ascii");
}

TEST(Cp932, CharactersItCannotHoldBecomeQuestionMarks) {
  bool lost = false;
  EXPECT_EQ(Utf8ToCp932("a😀b", lost), "a?b");
  EXPECT_TRUE(lost);
  lost = false;
  EXPECT_EQ(Utf8ToCp932("ü点", lost), "?\x93\x5F");
  EXPECT_TRUE(lost);
  lost = false;
  EXPECT_EQ(Utf8ToCp932("x\xFFy\xE7", lost), "x?y?");  // broken UTF-8
  EXPECT_TRUE(lost);
}

TEST(Cp932, InvalidBytesBecomeReplacementCharacters) {
  const std::string kFffd = "\xEF\xBF\xBD";
  EXPECT_EQ(Cp932ToUtf8("a\x80"
                        "b"),
            "a" + kFffd + "b");
  EXPECT_EQ(Cp932ToUtf8("\xA0\xFD"), kFffd + kFffd);
  EXPECT_EQ(Cp932ToUtf8("x\x93"), "x" + kFffd);  // lead byte cut off at the end
  std::string all;
  for (int b = 0; b < 256; ++b) all += static_cast<char>(b);
  std::string decoded = Cp932ToUtf8(all + all);
  EXPECT_GE(decoded.size(), 256u);
}

TEST(RealText, WritesAtMostFifteenDigitsWithADot) {
  EXPECT_EQ(FormatReal(0), "0");
  EXPECT_EQ(FormatReal(-0.0), "0");
  EXPECT_EQ(FormatReal(2.5), "2.5");
  EXPECT_EQ(FormatReal(-0.8), "-0.8");
  EXPECT_EQ(FormatReal(0.1), "0.1");
  EXPECT_EQ(FormatReal(1.0 / 3), "0.333333333333333");
  EXPECT_EQ(FormatReal(std::sqrt(3.0) / 2), "0.866025403784439");
  EXPECT_EQ(FormatReal(1.2e-5), "1.2e-05");
  EXPECT_EQ(FormatReal(1e14), "100000000000000");
  EXPECT_EQ(FormatReal(1e15), "1e+15");
  EXPECT_EQ(FormatReal(123456789012345678.0), "1.23456789012346e+17");
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(FormatReal(-std::numeric_limits<double>::infinity()), "-1.79769313486231e+308");
  EXPECT_TRUE(ParseReal(FormatReal(std::numeric_limits<double>::infinity())).has_value());
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::max()), "1.79769313486231e+308");
  EXPECT_EQ(FormatReal(std::numeric_limits<double>::denorm_min()), "4.94065645841247e-324");
  EXPECT_EQ(ParseReal("4.94065645841247e-324"), std::numeric_limits<double>::denorm_min());
}

TEST(RealText, WrittenValuesReadBackAndWriteAgainUnchanged) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-30, 30);
  for (int i = 0; i < 5000; ++i) {
    double value = mantissa(random) * std::pow(10.0, exponent(random));
    std::string text = FormatReal(value);
    std::optional<double> back = ParseReal(text);
    ASSERT_TRUE(back.has_value()) << text;
    EXPECT_EQ(FormatReal(*back), text);
    EXPECT_NEAR(*back, value, std::abs(value) * 1e-14);
  }
}

TEST(RealText, ReadsEveryDecimalForm) {
  EXPECT_EQ(ParseReal(".5"), 0.5);
  EXPECT_EQ(ParseReal("-.5"), -0.5);
  EXPECT_EQ(ParseReal("5."), 5.0);
  EXPECT_EQ(ParseReal("+2"), 2.0);
  EXPECT_EQ(ParseReal("+.25"), 0.25);
  EXPECT_EQ(ParseReal("1E-05"), 1e-5);
  EXPECT_EQ(ParseReal("1.5e+300"), 1.5e300);
  EXPECT_EQ(ParseReal("  3.25 "), 3.25);
  EXPECT_EQ(ParseReal("-0"), 0.0);
  EXPECT_EQ(ParseReal("1e-999"), 0.0);
  for (const char* bad : {"", " ", "abc", "1.2.3", "1e", "e5", "inf", "nan", "-inf", "1e999", "+-1",
                          "--1", "1,5", "0x10", "1 2", "+", "-", "."}) {
    EXPECT_FALSE(ParseReal(bad).has_value()) << bad;
  }
}

// The web build reads reals without from_chars: both must stop where it
// stops and refuse what it refuses, and neither gives a non-finite value.
TEST(RealText, ReadsALeadingRealAsFromCharsDoes) {
  struct Case {
    std::string_view Text;
    double Value;
    size_t Used;
  };
  for (const Case& c : {Case{"12.5abc", 12.5, 4}, Case{"-.5)", -0.5, 3}, Case{"1e5x", 1e5, 3},
                        Case{"1e+x", 1, 1}, Case{"0x10", 0, 1}, Case{"2-3", 2, 1}}) {
    double value = -1;
    const RealParse read = ReadReal(c.Text, value);
    EXPECT_EQ(read.Error, std::errc()) << c.Text;
    EXPECT_EQ(value, c.Value) << c.Text;
    EXPECT_EQ(static_cast<size_t>(read.End - c.Text.data()), c.Used) << c.Text;
  }
  for (std::string_view bad : {"", " 1", "+1", "inf", "-infinity", "nan", "e5", ".", "-"}) {
    double value = -1;
    EXPECT_EQ(ReadReal(bad, value).Error, std::errc::invalid_argument) << bad;
    EXPECT_EQ(value, -1) << bad;
  }
  double value = -1;
  EXPECT_EQ(ReadReal("1e999", value).Error, std::errc::result_out_of_range);
}

TEST(IntText, ReadsSixteenBitIntegersOnly) {
  int16_t value = 0;
  EXPECT_EQ(ParseInt16("-1", value), IntParse::kOk);
  EXPECT_EQ(value, -1);
  EXPECT_EQ(ParseInt16("+7", value), IntParse::kOk);
  EXPECT_EQ(value, 7);
  EXPECT_EQ(ParseInt16(" 32767 ", value), IntParse::kOk);
  EXPECT_EQ(value, 32767);
  EXPECT_EQ(ParseInt16("-32768", value), IntParse::kOk);
  EXPECT_EQ(value, -32768);
  EXPECT_EQ(ParseInt16("32768", value), IntParse::kOutOfRange);
  EXPECT_EQ(ParseInt16("-99999999999999999999999", value), IntParse::kOutOfRange);
  for (const char* bad : {"", "1.0", "1e3", "abc", "-", "+", "+-1", "1 2", "0x1"}) {
    EXPECT_EQ(ParseInt16(bad, value), IntParse::kNotInteger) << bad;
  }
  EXPECT_EQ(value, -32768);  // untouched by the refusals
}

}  // namespace
}  // namespace plandra
