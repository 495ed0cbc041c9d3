// Broken and hostile files: each fails with a message that says where and
// what, and leaves the destination exactly as it was.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "FigFileTestSupport.h"

namespace plandra {
namespace {

using test::Bytes;
using test::Golden;
using test::ReplaceAll;

struct HostileCase {
  std::string Name;
  std::string Bytes;
  std::string Expected;  // part of the message
};

std::string Lines(std::initializer_list<const char*> lines) {
  std::string text;
  for (const char* line : lines) text += std::string(line) + "\r\n";
  return text;
}

// A file of one free point with the given host and a step input replaced.
std::string OnePoint(const std::string& input, const std::string& host) {
  std::string text = Lines({"1", "\"PNEW\""}) + input + "\r\n";
  for (int i = 0; i < 4; ++i) text += "0,0\r\n";
  text += "1,1\r\n";
  for (int i = 0; i < 4; ++i) text += "0,0\r\n";
  text += Lines({"0", "1", "0", "0", "0", "0", "0", "0", "0", "0", "0"});
  text += "0,0\r\n7\r\n0\r\n-1\r\n2\r\n-1\r\n" + host + "\r\n0\r\n\"A\"\r\n";
  return text;
}

std::string Repeated(const std::string& piece, int times) {
  std::string text;
  text.reserve(piece.size() * static_cast<size_t>(times));
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

std::vector<HostileCase> Corpus() {
  std::string triangle = Golden("triangle.pd4");
  std::vector<HostileCase> cases = {
      {"empty", "", "line 1: the file ends where an integer was expected"},
      {"blank lines", "\r\n\r\n  \r\n", "the file ends where an integer was expected"},
      {"truncated in the steps", triangle.substr(0, 200),
       "line 1: the file announces 7 steps but ends before their data"},
      {"truncated in the counts", triangle.substr(0, 420),
       "line 85: the file ends where an integer was expected"},
      {"truncated in the last name", triangle.substr(0, triangle.size() - 4), "no closing quote"},
      {"truncated before the last name", triangle.substr(0, triangle.size() - 5),
       "line 146: circle 1: the file ends where a text was expected"},
      {"text for the step count", Lines({"\"abc\""}),
       "line 1: expected an integer, found the text \"abc\""},
      {"word for the step count", Lines({"abc"}), "line 1: expected an integer, found \"abc\""},
      {"real for an integer", ReplaceAll(triangle, "\r\n7\r\n0\r\n-1\r\n2\r\n", "\r\n7.5\r\n0\r\n"),
       "line 91: point 1: expected an integer, found \"7.5\""},
      {"text for a real", ReplaceAll(triangle, "\r\n2.5\r\n", "\r\n\"2.5\"\r\n"),
       "line 142: circle 1: expected a number, found the text \"2.5\""},
      {"name without quotes", ReplaceAll(triangle, "\"CA\"", "CA"),
       "line 140: line 3: expected a text in double quotes, found \"CA\""},
      {"huge step count without data", Lines({"30000"}),
       "line 1: the file announces 30000 steps but ends before their data"},
      {"negative step count", Lines({"-3"}), "line 1: the step count -3 lies outside 0..32767"},
      {"step count beyond 16 bits", Lines({"40000"}),
       "line 1: the number \"40000\" lies outside -32768..32767"},
      {"negative element count",
       ReplaceAll(triangle, "\r\n0\r\n3\r\n3\r\n1\r\n", "\r\n0\r\n-3\r\n"),
       "element count -3 lies outside 0..32767"},
      {"huge element count",
       ReplaceAll(triangle, "\r\n0\r\n3\r\n3\r\n1\r\n", "\r\n0\r\n30000\r\n3\r\n1\r\n"),
       "line 79: the file announces more elements but ends before their data"},
      {"input beyond the points", ReplaceAll(triangle, "\r\n1,3\r\n1,1\r\n", "\r\n1,9\r\n1,1\r\n"),
       "line 34: step 6: input 1 refers to point 9, but the file holds 3 points"},
      {"output beyond the circles", ReplaceAll(triangle, "\r\n3,1\r\n", "\r\n3,2\r\n"),
       "line 74: step 7: output 1 refers to circle 2, but the file holds 1 circles"},
      {"negative index", OnePoint("1,-1", "0,0"), "step 1: input 1 refers to point -1"},
      {"class 7 input", OnePoint("7,1", "0,0"),
       "step 1: input 1 has class 7, expected 0..3 or 100..103"},
      {"class 107 input", OnePoint("107,1", "0,0"), "has class 107"},
      {"negative class", OnePoint("-1,1", "0,0"), "has class -1"},
      {"index without count", OnePoint("0,1", "0,0"),
       "refers to number 1, but the file holds 0 numbers"},
      {"host beyond the lines", OnePoint("0,0", "2,5"),
       "line 30: point 1: the host refers to line 5, but the file holds 0 lines"},
      {"host of class 9", OnePoint("0,0", "9,1"), "point 1: the host has class 9, expected 0..3"},
      {"host of class 101", OnePoint("0,0", "101,1"), "the host has class 101"},
      {"unclosed quote", ReplaceAll(triangle, "\"C3\"", "\"C3"),
       "line 8: step 7: the text \"C3\" has no closing quote"},
      {"megabyte of digits", std::string(1 << 20, '7'), "lies outside -32768..32767"},
      {"megabyte of fields", std::string(1 << 20, '1'), "lies outside"},
      {"megabyte of ones and commas", Repeated("1,", 1 << 19),
       "line 1: step 1: expected a text in double quotes, found \"1\""},
      {"megabyte quote", "1\r\n\"" + std::string(1 << 20, 'q'), "has no closing quote"},
      {"control characters", "\x01\x02\x7F", "expected an integer, found \"???\""},
  };
  std::mt19937 random(12345);
  for (int i = 0; i < 20; ++i) {
    std::string garbage(static_cast<size_t>(1 + random() % 4000), '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    cases.push_back({"binary garbage " + std::to_string(i), garbage, "t.pd4: "});
  }
  // Every prefix of a golden file that ends inside its records.
  std::string numbers = Golden("numbers.pd4");
  for (size_t cut = 1; cut < numbers.size() - 3; cut += 37) {
    cases.push_back(
        {"numbers cut at " + std::to_string(cut), numbers.substr(0, cut), "t.pd4: line"});
  }
  return cases;
}

TEST(FigFileHostile, EveryBrokenFileFailsAndLeavesTheFigureAlone) {
  Figure open = test::Loaded("japanese.pd4");
  open.StepRev[2] = kTrue;
  const std::string before = Bytes(open);
  const int16_t capacity = open.StoreCapacity;
  for (const HostileCase& hostile : Corpus()) {
    SCOPED_TRACE(hostile.Name);
    for (char mode : {'R', 'A'}) {
      Figure fig = open;
      FigFileResult result = test::Parse(fig, hostile.Bytes, mode);
      EXPECT_EQ(result.Status, FigFileStatus::kFailed) << mode;
      EXPECT_NE(result.Message.find(hostile.Expected), std::string::npos)
          << mode << ": " << result.Message;
      EXPECT_TRUE(result.Message.starts_with("t.pd4: line " + std::to_string(result.Line) + ": "))
          << "line " << result.Line << ": " << result.Message;
      EXPECT_GT(result.Line, 0);
      EXPECT_EQ(result.File, "t.pd4");
      EXPECT_TRUE(result.MessageKey.empty()) << "the caller chooses the text for these";
      EXPECT_EQ(Bytes(fig), before) << mode;
      EXPECT_EQ(fig.StoreCapacity, capacity);
      EXPECT_EQ(fig.StepCount, open.StepCount);
    }
  }
}

TEST(FigFileHostile, FailuresThroughTheFileBeepAndKeepTheFigure) {
  test::TempDir dir;
  auto broken = dir / "broken.pd4";
  test::WriteFileBytes(broken, Golden("numbers.pd4").substr(0, 300));
  Figure fig = test::Loaded("triangle.pd4");
  std::string before = Bytes(fig);
  test::FigFileRun run;
  FigFileResult result = run.Run(fig, broken, 'R');
  EXPECT_EQ(result.Status, FigFileStatus::kFailed);
  EXPECT_NE(result.Message.find(broken.string() + ": line "), std::string::npos) << result.Message;
  EXPECT_TRUE(result.TriedOlderLayout);
  EXPECT_EQ(run.Platform.Beeps, 2) << "one for each attempt";
  EXPECT_TRUE(run.Platform.Messages.empty());
  EXPECT_EQ(Bytes(fig), before);
}

TEST(FigFileHostile, MergesPastTheLimitAreRefused) {
  Figure fig;
  ResetFigure(fig, 200);
  test::AddFreePoint(fig, 1, 1);
  fig.StepCount = 32765;  // the merged steps would pass the limit
  GrowFigure(fig, 32767);
  std::string before = Bytes(fig);
  FigFileResult steps = test::Parse(fig, Golden("triangle.pd4"), 'A');
  EXPECT_EQ(steps.Status, FigFileStatus::kFailed);
  EXPECT_NE(steps.Message.find("merging 7 steps into a figure of 32765 steps passes the limit"),
            std::string::npos)
      << steps.Message;
  EXPECT_EQ(Bytes(fig), before);

  fig.StepCount = 1;
  fig.ElemCount[kClassPoint] = 32766;
  before = Bytes(fig);
  FigFileResult points = test::Parse(fig, Golden("triangle.pd4"), 'A');
  EXPECT_EQ(points.Status, FigFileStatus::kFailed);
  EXPECT_NE(points.Message.find("merging 3 points passes the limit of 32767"), std::string::npos)
      << points.Message;
  EXPECT_EQ(Bytes(fig), before);
}

TEST(FigFileHostile, LargestFigureLoadsWithinItsBounds) {
  // 32767 steps with all their data: the reset store is capped, not overflowed.
  std::string text = "32767\r\n";
  for (int i = 0; i < 32767; ++i) text += "\"X\"\r\n";
  for (int i = 0; i < 32767 * 10; ++i) text += "0,0\r\n";
  text += "0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n\"REV=\",32767\r\n";
  Figure fig;
  ResetFigure(fig, 200);
  FigFileResult result = test::Parse(fig, text);
  ASSERT_EQ(result.Status, FigFileStatus::kOk) << result.Message;
  EXPECT_EQ(fig.StepCount, 32767);
  EXPECT_EQ(fig.StoreCapacity, 32767);
  EXPECT_EQ(fig.StepRev[32767], kTrue);
  EXPECT_EQ(Bytes(fig), text);
  // Merging even one more step is refused.
  EXPECT_EQ(test::Parse(fig, Golden("triangle.pd4"), 'A').Status, FigFileStatus::kFailed);
}

}  // namespace
}  // namespace plandra
