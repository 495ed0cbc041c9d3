// Helpers shared by the figure file tests.
#pragma once

#include <filesystem>
#include <string>

#include "core/io/FigFileIO.h"
#include "core/language/Multi_lang.h"
#include "figure/PDvar05.h"
#include "files/Cp932.h"
#include "files/PDio05.h"
#include "persist/String05.h"
#include "support/ScriptedPlatform.h"
#include "support/TestHelpers.h"

namespace plandra::test {

inline std::filesystem::path GoldenPath(const std::string& name) {
  return std::filesystem::path(PLANDRA_TEST_DATA) / name;
}

inline std::string Golden(const std::string& name) { return ReadFileBytes(GoldenPath(name)); }

// The figure as the writer sees it: equal bytes mean equal stored figures.
inline std::string Bytes(const Figure& fig) {
  bool lost = false;
  return FigFileText(fig, lost);
}

// Runs FigFileCore as the program does, with a scripted platform kept for
// inspection.
struct FigFileRun {
  ScriptedPlatform Platform;
  LangState Lang;
  FigFileResult Run(Figure& fig, const std::filesystem::path& file, char mode) {
    return FigFileCoreShown(fig, file, mode, Platform, Lang);
  }
};

inline Figure Loaded(const std::string& goldenName, int16_t capacity = 200) {
  Figure fig;
  ResetFigure(fig, capacity);
  FigFileRun run;
  FigFileResult result = run.Run(fig, GoldenPath(goldenName), 'R');
  EXPECT_EQ(result.Status, FigFileStatus::kOk) << result.Message;
  return fig;
}

// Parses bytes as a file named "t.pd4" would be.
inline FigFileResult Parse(Figure& fig, const std::string& bytes, char mode = 'R') {
  return FigFileParse(fig, bytes, mode, "t.pd4");
}

inline std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

}  // namespace plandra::test
