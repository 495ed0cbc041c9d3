// In English nothing the program shows may stay Japanese: the menus, mode
// names, kind names and the report are walked as the program shows them, and
// every Japanese text written in the sources must have an English text.
#include <gtest/gtest.h>

#include <cctype>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "app/FigDataView.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/language/Multi_lang.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;
using test::AppFixture;

// CJK punctuation, kana, ideographs and the full- and half-width forms.
bool HasJapanese(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    i += length;
    if ((code >= 0x3000 && code <= 0x30FF) || (code >= 0x3400 && code <= 0x9FFF) ||
        (code >= 0xFF00 && code <= 0xFFEF)) {
      return true;
    }
  }
  return false;
}

// The string literals of a C++ source, adjacent ones joined as the compiler
// joins them; comments and character literals are skipped.
class LiteralScanner {
 public:
  explicit LiteralScanner(std::string_view source) : s_(source) {}

  std::vector<std::string> All() {
    std::vector<std::string> literals;
    bool joining = false;
    while (at_ < s_.size()) {
      if (SkipComment()) continue;
      char c = s_[at_];
      if (c == '"') {
        std::string text = Quoted();
        if (joining) {
          literals.back() += text;
        } else {
          literals.push_back(text);
        }
        joining = true;
        continue;
      }
      if (!std::isspace(static_cast<unsigned char>(c))) joining = false;
      if (c == '\'') {
        SkipCharacter();
        continue;
      }
      ++at_;
    }
    return literals;
  }

 private:
  bool SkipComment() {
    if (s_.compare(at_, 2, "//") == 0) {
      at_ = std::min(s_.find('\n', at_), s_.size());
      return true;
    }
    if (s_.compare(at_, 2, "/*") == 0) {
      at_ = std::min(s_.find("*/", at_ + 2), s_.size() - 2) + 2;
      return true;
    }
    return false;
  }

  // A character literal, or a digit separator (1'000) after a digit.
  void SkipCharacter() {
    bool separator = at_ > 0 && std::isalnum(static_cast<unsigned char>(s_[at_ - 1]));
    ++at_;
    if (separator) return;
    while (at_ < s_.size() && s_[at_] != '\'') at_ += s_[at_] == '\\' ? 2 : 1;
    ++at_;
  }

  std::string Quoted() {
    bool raw = at_ > 0 && s_[at_ - 1] == 'R';
    ++at_;
    if (raw) {
      size_t open = s_.find('(', at_);
      std::string end = ")" + std::string(s_.substr(at_, open - at_)) + "\"";
      size_t close = s_.find(end, open);
      std::string text(s_.substr(open + 1, close - open - 1));
      at_ = close + end.size();
      return text;
    }
    std::string text;
    while (at_ < s_.size() && s_[at_] != '"') {
      if (s_[at_] == '\\' && at_ + 1 < s_.size()) {
        char escaped = s_[at_ + 1];
        text += escaped == 'n' ? '\n' : escaped == 'r' ? '\r' : escaped == 't' ? '\t' : escaped;
        at_ += 2;
      } else {
        text += s_[at_++];
      }
    }
    ++at_;
    return text;
  }

  std::string_view s_;
  size_t at_ = 0;
};

TEST(EnglishCoverage, TheScannerReadsLiteralsAsTheCompilerDoes) {
  std::string source =
      "a = \"前\" // \"注\"\n  \"後\\\"\"; /* \"注\" */ c = '\"'; n = 1'000; "
      "r = R\"x(生\")x\"; s = \"次\";";
  EXPECT_EQ(LiteralScanner(source).All(), (std::vector<std::string>{"前後\"", "生\"", "次"}));
  EXPECT_TRUE(HasJapanese("点A"));
  EXPECT_TRUE(HasJapanese("ﾌｧｲﾙ"));
  EXPECT_TRUE(HasJapanese("「"));
  EXPECT_FALSE(HasJapanese("Up(+1) × ÷ ■ Δ → ∠ ·"));
}

TEST(EnglishCoverage, EveryJapaneseTextOfTheSourcesHasAnEnglishText) {
  // Texts that are never shown as they stand.
  const std::set<std::string> notShown = {
      "ＭＳ Ｐゴシック",  // a font family
      "ﾗ",
      "ラ",
      "Ｙ",
      "Ｓ",
      "シ",
      "ｼ",              // keys the New dialog takes as typed
      "のﾊﾞｰｼﾞｮﾝ情報",  // joined to the program title first
      "ﾃﾞｰﾀ形式,1",
      "を平面内を動かしたときの次の変数の変化 : ",  // lines of the table file
      // The online-saving form's send button, which keeps its one text in
      // every language.
      "<INPUT TYPE=\"Submit\" name=\"submitbutton\" VALUE=\"送信\">",
  };
  int checked = 0;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(PLANDRA_SOURCE_TREE)) {
    const std::filesystem::path& path = entry.path();
    if (path.extension() != ".cpp" && path.extension() != ".h") continue;
    if (path.filename() == "Multi_lang_table.cpp") continue;
    for (const std::string& text : LiteralScanner(test::ReadFileBytes(path)).All()) {
      if (!HasJapanese(text) || notShown.count(text) != 0) continue;
      ++checked;
      EXPECT_FALSE(HasJapanese(EnglishText(text))) << path.filename() << ": " << text;
    }
  }
  EXPECT_GT(checked, 300) << "the sources were not found";
  EXPECT_FALSE(HasJapanese(EnglishText(std::string(kProgramTitle) + "のﾊﾞｰｼﾞｮﾝ情報")));
  for (const EnglishRow& row : EnglishTable()) {
    EXPECT_FALSE(HasJapanese(row.English)) << row.Key;
  }
}

// Every kind with a display name, each input slot given the first element of
// its class, after two points, a number, a line and a circle.
Figure FigureOfEveryKind() {
  Figure fig;
  ResetFigure(fig, 200);
  AddFreePoint(fig, 0, 0);
  AddFreePoint(fig, 1, 0);
  AddNumber(fig, 2);
  AddStep(fig, "L1", {{kClassPoint, 1}, {kClassPoint, 2}});
  AddStep(fig, "C2", {{kClassPoint, 1}, {kClassPoint, 2}});
  for (int id = 1; id < static_cast<int>(Kind::kCount); ++id) {
    const KindInfo& info = KindInfoOf(static_cast<Kind>(id));
    if (info.DisplayName.empty()) continue;
    AppendStep(fig);
    SetStepKind(fig, fig.StepCount, info.Code);
    for (size_t slot = 0; slot < info.InClass.size(); ++slot) {
      int16_t cls = info.InClass[slot];
      if (cls != 0 && cls != kSlotMacro) fig.StepIn[fig.StepCount][slot + 1] = {cls, 1};
    }
  }
  return fig;
}

TEST(EnglishCoverage, MenusModesKindsAndTheReportReadInEnglish) {
  AppFixture app;
  app.P.Lang.Language = "English";
  ApplyMenuLanguage(app.P);
  for (const MenuItem* item : AllMenuItems(app.P.Menu)) {
    EXPECT_FALSE(HasJapanese(item->Caption)) << item->Name << ": " << item->Caption;
  }
  for (int16_t mode = 1; mode <= 80; ++mode) {
    ModeState modes;
    ModePush(modes, mode, app.Host);
    std::string name = ModeName(modes, app.P.Lang, app.Host);
    EXPECT_FALSE(HasJapanese(name)) << mode << ": " << name;
  }
  for (int id = 1; id < static_cast<int>(Kind::kCount); ++id) {
    std::string_view code = KindInfoOf(static_cast<Kind>(id)).Code;
    std::string described = KindDisplayName(app.P.Lang, code);
    EXPECT_FALSE(described.empty() || HasJapanese(described)) << code << ": " << described;
  }
  std::string report = FigDataViewReport(FigureOfEveryKind(), app.P.Lang, "untitled", 2);
  EXPECT_NE(report.find("PN   (Internal/external division)"), std::string::npos);
  size_t line = 0;
  for (size_t end; (end = report.find("\r\n", line)) != std::string::npos; line = end + 2) {
    std::string_view text(report.data() + line, end - line);
    EXPECT_FALSE(HasJapanese(text)) << text;
  }
}

}  // namespace
}  // namespace plandra
