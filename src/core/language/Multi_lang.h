// Translation of the program's texts; the Japanese text is the key.
#pragma once

#include <filesystem>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace plandra {

constexpr std::string_view kDictionaryFileName = "dic_pd4.txt";
constexpr std::string_view kNeededFileName = "dic_needed.txt";

struct LangState {
  std::string Language = "Japanese";  // "Japanese", "English" or "Manual"
  // The user dictionary, one-based; index 0 is never used.
  std::vector<std::string> DicKeys{std::string()};
  std::vector<std::string> DicValues{std::string()};
  bool DicLoaded = false;
  // Where dic_pd4.txt is read and dic_needed.txt written; no files when empty.
  std::filesystem::path ProgramFolder;
  // First index of each key, so a lookup finds the first match at once.
  std::unordered_map<std::string, size_t> DicIndex;
  // The texts dic_needed.txt already holds, read with the dictionary, so that
  // each missing text is noted once however often it is shown.
  std::unordered_set<std::string> NeededNoted;
  // Dictionary files that are there but could not be read, each with the
  // reason, until the user has been told.
  std::vector<std::string> DicProblems;
};

enum class LanguageChoice { kJapanese, kEnglish, kManual };

// The language setting compared trimmed and lower-cased; anything unknown
// shows the Japanese texts.
LanguageChoice ChosenLanguage(std::string_view language);

std::string Translate(LangState& lang, std::string_view text);

// The translation of a text that starts a caption or a status text: in
// English it starts with a capital ("円" alone is "circle" in the table),
// unless its first word is a one-letter variable ("x coordinate of a point").
std::string TranslateCaption(LangState& lang, std::string_view text);

// The translated display name of a kind code; empty for codes without one.
std::string KindDisplayName(LangState& lang, std::string_view code);

struct EnglishRow {
  std::string_view Key;
  std::string_view English;
};

// The built-in English table, in the order its keys are compared.
std::span<const EnglishRow> EnglishTable();

// The English text of a trimmed text, or the trimmed text itself.
std::string EnglishText(std::string_view text);

// Reads dic_pd4.txt from the program folder (nothing when it is missing).
void LoadDictionary(LangState& lang);

// Adds the entries of a dictionary text; lines without a key and a value, and
// lines that are neither UTF-8 nor CP932, are skipped.
void LoadDictionaryText(LangState& lang, std::string_view text);

// The dictionary's value for a trimmed text; a text without one is noted in
// dic_needed.txt (once) and comes back unchanged.
std::string DicLookup(LangState& lang, std::string_view text);

}  // namespace plandra
