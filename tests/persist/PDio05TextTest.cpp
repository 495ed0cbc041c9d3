#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "files/PDio05_text.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

TEST(TextFiles, LinesAndCharacterSets) {
  std::vector<std::string_view> lines = SplitLines("a\r\nb\n\r\nlast\r");
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "a");
  EXPECT_EQ(lines[1], "b");
  EXPECT_EQ(lines[2], "");
  EXPECT_EQ(lines[3], "last");
  EXPECT_TRUE(SplitLines("").empty());
  EXPECT_EQ(SplitLines("x\n").size(), 1u);

  EXPECT_TRUE(IsValidUtf8("円 and 𝑥"));
  EXPECT_FALSE(IsValidUtf8("\xc0\xaf"));                  // overlong "/"
  EXPECT_FALSE(IsValidUtf8("\xed\xa0\x80"));              // surrogate
  EXPECT_FALSE(IsValidUtf8("\xe5\x86"));                  // cut short
  EXPECT_EQ(UserLineToUtf8("\x89\x7e\x81\x60"), "円～");  // CP932 as Windows writes it
  EXPECT_FALSE(UserLineToUtf8("\x81"));
  EXPECT_EQ(CharCountBefore("円=", 3), 1u);
}

TEST(TextFiles, CappedReadStopsAtALineEnd) {
  TempDir dir;
  WriteFileBytes(dir / "f.txt", "one\r\ntwo\r\nthree");
  TextFileRead read = ReadTextFileCapped(dir / "f.txt", 12);
  EXPECT_EQ(read.Result, ReadResult::kOk);
  EXPECT_EQ(read.Bytes, "one\r\ntwo\r\n");
  EXPECT_EQ(ReadTextFileCapped(dir / "f.txt", 100).Bytes, "one\r\ntwo\r\nthree");
  EXPECT_EQ(ReadTextFileCapped(dir / "f.txt", 2).Bytes, "");
  EXPECT_EQ(ReadTextFileCapped(dir / "none.txt", 100).Result, ReadResult::kMissing);
}

TEST(TextFiles, ReplacingAndAppending) {
  TempDir dir;
  std::string error;
  WriteFileBytes(dir / "f.txt", "old contents that are longer");
  ASSERT_TRUE(ReplaceFileContents(dir / "f.txt", "new", error));
  EXPECT_EQ(ReadFileBytes(dir / "f.txt"), "new");
  EXPECT_FALSE(ReplaceFileContents(dir / "no" / "f.txt", "x", error));
  EXPECT_FALSE(error.empty());
  EXPECT_TRUE(AppendToFile(dir / "a.txt", "1\r\n"));
  EXPECT_TRUE(AppendToFile(dir / "a.txt", "2\r\n"));
  EXPECT_EQ(ReadFileBytes(dir / "a.txt"), "1\r\n2\r\n");
  EXPECT_FALSE(AppendToFile(dir / "no" / "a.txt", "x"));
}

}  // namespace
}  // namespace plandra
