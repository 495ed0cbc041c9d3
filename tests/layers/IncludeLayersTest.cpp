#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "layers/IncludeLayers.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

std::string ReadText(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream(file) << text;
}

LayerTable TableOf(const std::string& text) {
  std::string error;
  LayerTable table = ParseLayerTable(text, error);
  EXPECT_EQ(error, "");
  return table;
}

std::string Describe(const std::vector<IncludeViolation>& violations) {
  std::string text;
  for (const auto& v : violations)
    text += v.File + ":" + std::to_string(v.Line) + ": " + v.What + "\n";
  return text;
}

TEST(IncludeLayers, TheSourcesKeepToTheTable) {
  std::filesystem::path root = std::filesystem::path(PLANDRA_SOURCE_TREE).parent_path();
  LayerTable table = TableOf(ReadText(root / "docs/layers.txt"));
  ASSERT_GE(table.LayerNames.size(), 6u);
  std::vector<IncludeViolation> violations = CheckIncludes(table, root);
  EXPECT_TRUE(violations.empty()) << Describe(violations);
  // Not an include, but the same walk keeps a second rule of the sources.
  violations = CheckLoopCounters(root, {"src", "tools", "web"});
  EXPECT_TRUE(violations.empty()) << Describe(violations);
}

TEST(IncludeLayers, AFileBelongsToTheLayerOfItsFolderAndTheTableNamesOnlyFolders) {
  LayerTable table = TableOf("scan src\nlayer low src/a\nlayer top src/b src/c/d\nqt top\n");
  EXPECT_EQ(LayerOf(table, "src/a/Plain.h"), 0);
  EXPECT_EQ(LayerOf(table, "src/a/deep/Inner.cpp"), 0);
  EXPECT_EQ(LayerOf(table, "src/c/d/Window.cpp"), 1);
  EXPECT_EQ(LayerOf(table, "src/ab/Beside.h"), -1);  // a name that starts alike
  EXPECT_EQ(LayerOf(table, "src/c/Lost.h"), -1);
  const std::pair<const char*, const char*> faults[] = {
      {"scan src\nlayer low\n", "line 2: layer low"},
      {"layer low src/a/*\n", "line 1: src/a/*: a pattern, not a folder"},
      {"layer low src/a/Qt?.h\n", "line 1: src/a/Qt?.h: a pattern, not a folder"},
      {"layer low src/a/\n", "line 1: src/a/: ends with '/'"},
      {"layer low src/a\nlayer top src/a/qt\n", "line 2: src/a/qt: overlaps src/a"},
      {"layer low src/a/qt\nlayer top src/a\n", "line 2: src/a: overlaps src/a/qt"},
  };
  for (const auto& [text, expected] : faults) {
    std::string error;
    ParseLayerTable(text, error);
    EXPECT_EQ(error, expected) << text;
  }
}

// A small tree with one file of each kind of fault, each named with its line.
TEST(IncludeLayers, UpwardInternalQtAndUnknownIncludesAreNamed) {
  test::TempDir temp;
  std::filesystem::path root = temp.Path();
  WriteText(root / "src/low/Base.h", "#pragma once\n#include \"top/Top.h\"\n");  // allowed
  WriteText(root / "src/low/Base_internal.h", "#pragma once\n");
  WriteText(root / "src/low/Base_parts.cpp", "#include \"low/Base_internal.h\"\n");
  WriteText(root / "src/top/Top.h", "#pragma once\n#include \"low/Base.h\"\n");
  WriteText(root / "src/low/Upward.cpp",
            "#include \"low/Base.h\"\n#include <vector>\n#include \"top/Top.h\"\n");
  WriteText(root / "src/top/Peek.cpp", "#include \"low/Base_internal.h\"\n");
  WriteText(root / "src/low/Window.cpp", "#include <QWidget>\n#include \"low/Gone.h\"\n");
  WriteText(root / "src/stray/Stray.h", "#pragma once\n");
  LayerTable table = TableOf(
      "scan src\nlayer low src/low\nlayer top src/top src/gone\nqt top\n"
      "allow src/low/Base.h src/top/Top.h\n");
  EXPECT_EQ(Describe(CheckIncludes(table, root)),
            "src/gone:0: no such folder\n"
            "src/low/Upward.cpp:3: low includes src/top/Top.h of layer top\n"
            "src/low/Window.cpp:1: Qt header <QWidget>\n"
            "src/low/Window.cpp:2: cannot find \"low/Gone.h\"\n"
            "src/stray/Stray.h:0: no layer in the table\n"
            "src/top/Peek.cpp:1: internal header src/low/Base_internal.h\n");
}

}  // namespace
}  // namespace plandra
