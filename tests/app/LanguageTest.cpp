#include <gtest/gtest.h>

#include <set>
#include <string>

#include "core/language/Multi_lang.h"
#include "core/language/TranslatedText.h"
#include "figure/PDtype05.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

LangState ManualIn(const TempDir& dir) {
  LangState lang;
  lang.Language = "Manual";
  lang.ProgramFolder = dir.Path();
  return lang;
}

TEST(EnglishText, TellingRowsAndTrimming) {
  EXPECT_EQ(EnglishText("↑(+1),↓(-1)"), "Up(+1),Down(-1)");
  EXPECT_EQ(EnglishText("１次変換"), "linear transformation");
  EXPECT_EQ(EnglishText("円"), "circle");
  EXPECT_EQ(EnglishText("  円 "), "circle");
  EXPECT_EQ(EnglishText("キャンセル(Esc)"), "Cancel(Esc)");
  // Whole text, case-sensitive: near misses come back trimmed and unchanged.
  EXPECT_EQ(EnglishText(" 円周の長さ "), "円周の長さ");
  EXPECT_EQ(EnglishText("ok"), "ok");
  EXPECT_EQ(EnglishText(""), "");
}

TEST(EnglishText, TableKeysAreUsableAndFirstRowWins) {
  std::span<const EnglishRow> table = EnglishTable();
  EXPECT_GE(table.size(), 459u);
  EXPECT_EQ(table.front().Key, "-");
  std::set<std::string_view> seen;
  for (const EnglishRow& row : table) {
    // A key with outer blanks could never match a trimmed text.
    EXPECT_EQ(Trim(row.Key), row.Key);
    if (!row.Key.empty()) {
      EXPECT_FALSE(row.English.empty()) << row.Key;
    }
    if (seen.insert(row.Key).second) {
      EXPECT_EQ(EnglishText(row.Key), row.English) << row.Key;
    }
  }
}

TEST(Translate, ChoosesByTheLanguageSetting) {
  LangState lang;
  EXPECT_EQ(Translate(lang, "円"), "円");
  lang.Language = " English ";
  EXPECT_EQ(Translate(lang, "円"), "circle");
  lang.Language = "ENGLISH";
  EXPECT_EQ(Translate(lang, "円"), "circle");
  EXPECT_EQ(KindDisplayName(lang, "PC1  "), "Intersection (two lines)");
  EXPECT_EQ(KindDisplayName(lang, "ZZZZ"), "");  // not a kind
  lang.Language = "japanese";
  EXPECT_EQ(Translate(lang, " 円 "), " 円 ");
  lang.Language = "Deutsch";
  EXPECT_EQ(Translate(lang, "円"), "円");
  EXPECT_EQ(ChosenLanguage("  mAnUaL"), LanguageChoice::kManual);
  EXPECT_EQ(ChosenLanguage(""), LanguageChoice::kJapanese);
}

TEST(TranslatedText, LooksUpInTheChosenLanguage) {
  LangState lang;
  EXPECT_EQ(TranslatedText(lang).Text("の半径"), "の半径");
  lang.Language = "English";
  EXPECT_EQ(TranslatedText(lang).Text("の半径"), "'s radius");
}

TEST(Dictionary, TheSecondEqualsSignIntroducesTheValue) {
  TempDir dir;
  WriteFileBytes(dir / "dic_pd4.txt",
                 "円 = = round one\r\n"
                 "点 = point\r\n"
                 "線分 = = segment = ignored\n"
                 "円 = = second circle\r\n"
                 "=  = nokey\r\n"
                 "直線 = = \r\n"
                 "no equals at all\r\n");
  LangState lang = ManualIn(dir);
  EXPECT_FALSE(lang.DicLoaded);
  EXPECT_EQ(Translate(lang, " 円 "), "round one");
  EXPECT_TRUE(lang.DicLoaded);
  EXPECT_EQ(Translate(lang, "線分"), "segment");
  ASSERT_EQ(lang.DicKeys.size(), 4u);  // index 0 and three entries
  EXPECT_EQ(lang.DicKeys[3], "円");
  EXPECT_EQ(lang.DicValues[3], "second circle");
  // Only one "=": no entry, so the text is noted as needing a translation.
  EXPECT_EQ(Translate(lang, "点"), "点");
  EXPECT_EQ(Translate(lang, "直線"), "直線");
  EXPECT_EQ(ReadFileBytes(dir / "dic_needed.txt"), "点 = \r\n直線 = \r\n");
}

TEST(Dictionary, MissingTextsAreNotedOnceAcrossStarts) {
  TempDir dir;
  LangState lang = ManualIn(dir);
  EXPECT_EQ(DicLookup(lang, " 外心 "), "外心");
  EXPECT_EQ(DicLookup(lang, "外心"), "外心");
  EXPECT_EQ(DicLookup(lang, ""), "");
  EXPECT_EQ(ReadFileBytes(dir / "dic_needed.txt"), "外心 = \r\n");
  // The next start finds the text noted already and adds only new ones.
  LangState restarted = ManualIn(dir);
  EXPECT_EQ(DicLookup(restarted, "外心"), "外心");
  EXPECT_EQ(DicLookup(restarted, "内心"), "内心");
  EXPECT_EQ(ReadFileBytes(dir / "dic_needed.txt"), "外心 = \r\n内心 = \r\n");

  // The dictionary is read once, at the first lookup.
  WriteFileBytes(dir / "dic_pd4.txt", "外心 = = circumcentre\r\n");
  EXPECT_EQ(DicLookup(lang, "外心"), "外心");
  LangState fresh = ManualIn(dir);
  EXPECT_EQ(DicLookup(fresh, "外心"), "circumcentre");

  // Without a program folder nothing is read or written.
  LangState nowhere;
  nowhere.Language = "manual";
  EXPECT_EQ(Translate(nowhere, "外心"), "外心");
}

TEST(Dictionary, DamagedFilesLoadWhatTheyCan) {
  TempDir dir;
  std::string longKey(200000, 'k');
  std::string text = longKey + " = = long\r\n";
  text += "\xff\xfe\xfd = = bad bytes\r\n";
  text += std::string(100000, '=') + "\r\n";
  text += std::string("\x89\x7e = = en\r\n");  // 円 in code page 932
  text += std::string(5000, 'x') + "\r\n";
  text += "中心 = = centre";  // no line end
  WriteFileBytes(dir / "dic_pd4.txt", text);
  LangState lang = ManualIn(dir);
  EXPECT_EQ(DicLookup(lang, "中心"), "centre");
  EXPECT_EQ(DicLookup(lang, "円"), "en");
  EXPECT_EQ(DicLookup(lang, longKey), "long");
  EXPECT_EQ(lang.DicKeys.size(), 4u);
}

}  // namespace
}  // namespace plandra
