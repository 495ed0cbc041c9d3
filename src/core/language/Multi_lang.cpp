#include "core/language/Multi_lang.h"

#include "figure/PDtype05.h"
#include "files/PDio05_text.h"

namespace plandra {

namespace {

// A dictionary of every caption runs to some ten kilobytes; the cap only
// keeps a hostile file from taking all memory.
constexpr size_t kMaxDictionaryBytes = 16 << 20;

using EnglishMap = std::unordered_map<std::string_view, std::string_view>;

// Keyed by the first row of each key, which is the row an in-order search
// would find.
const EnglishMap& EnglishIndex() {
  static const EnglishMap index = [] {
    EnglishMap map;
    for (const EnglishRow& row : EnglishTable()) map.emplace(row.Key, row.English);
    return map;
  }();
  return index;
}

// Field n (1-based) of a text split at every "=".
std::string_view EqualsField(std::string_view text, int n) {
  for (int i = 1; i < n; ++i) {
    size_t at = text.find('=');
    if (at == std::string_view::npos) return {};
    text.remove_prefix(at + 1);
  }
  return text.substr(0, text.find('='));
}

void AddDictionaryEntry(LangState& lang, std::string key, std::string value) {
  lang.DicKeys.push_back(key);
  lang.DicValues.push_back(std::move(value));
  lang.DicIndex.emplace(std::move(key), lang.DicKeys.size() - 1);
}

void ClearDictionary(LangState& lang) {
  lang.DicKeys.assign(1, std::string());
  lang.DicValues.assign(1, std::string());
  lang.DicIndex.clear();
  lang.NeededNoted.clear();
}

// The keys of a dictionary-shaped text: the text before the first "=".
void CollectKeys(std::string_view text, std::unordered_set<std::string>& keys) {
  for (std::string_view rawLine : SplitLines(text)) {
    std::optional<std::string> line = UserLineToUtf8(rawLine);
    if (!line) continue;
    std::string_view key = Trim(EqualsField(*line, 1));
    if (!key.empty()) keys.emplace(key);
  }
}

// Reads a file of the program folder; an unreadable one reads as empty and
// is kept for the message.
std::string ReadProgramFile(LangState& lang, std::string_view name) {
  const std::filesystem::path path = lang.ProgramFolder / name;
  TextFileRead file = ReadTextFileCapped(path, kMaxDictionaryBytes);
  if (file.Result == ReadResult::kFailed)
    lang.DicProblems.push_back(path.string() + ": " + file.Error);
  return file.Result == ReadResult::kOk ? std::move(file.Bytes) : std::string();
}

void NoteNeeded(LangState& lang, const std::string& text) {
  if (text.empty() || lang.ProgramFolder.empty() || !lang.NeededNoted.insert(text).second) return;
  AppendToFile(lang.ProgramFolder / kNeededFileName, text + " = \r\n");
}

}  // namespace

LanguageChoice ChosenLanguage(std::string_view language) {
  std::string chosen = LowerAscii(Trim(language));
  if (chosen == "english") return LanguageChoice::kEnglish;
  if (chosen == "manual") return LanguageChoice::kManual;
  return LanguageChoice::kJapanese;
}

std::string Translate(LangState& lang, std::string_view text) {
  switch (ChosenLanguage(lang.Language)) {
    case LanguageChoice::kEnglish: return EnglishText(text);
    case LanguageChoice::kManual: return DicLookup(lang, text);
    case LanguageChoice::kJapanese: break;
  }
  return std::string(text);
}

std::string TranslateCaption(LangState& lang, std::string_view text) {
  std::string caption = Translate(lang, text);
  if (ChosenLanguage(lang.Language) != LanguageChoice::kEnglish) return caption;
  bool oneLetterWord = caption.size() == 1 || (caption.size() > 1 && caption[1] == ' ');
  if (!caption.empty() && caption[0] >= 'a' && caption[0] <= 'z' && !oneLetterWord) {
    caption[0] = static_cast<char>(caption[0] - 'a' + 'A');
  }
  return caption;
}

namespace {

// Kinds the catalogue leaves unnamed are described in the report by their
// command's caption, or for the continuation step by what it carries.
std::string_view ReportKindName(std::string_view code) {
  std::string_view name = KindJapaneseName(code);
  if (!name.empty()) return name;
  if (code == "XLOCS") return "軌跡(点→点)";
  if (code == "X2JI") return "5点→2次曲線";
  if (code == "PT62") return "変換の続き";
  return {};
}

}  // namespace

std::string KindDisplayName(LangState& lang, std::string_view code) {
  std::string_view name = ReportKindName(TrimRight(code));
  if (name.empty()) return {};
  return Translate(lang, name);
}

std::string EnglishText(std::string_view text) {
  std::string_view trimmed = Trim(text);
  const EnglishMap& index = EnglishIndex();
  auto found = index.find(trimmed);
  return std::string(found == index.end() ? trimmed : found->second);
}

void LoadDictionaryText(LangState& lang, std::string_view text) {
  for (std::string_view rawLine : SplitLines(text)) {
    std::optional<std::string> line = UserLineToUtf8(rawLine);
    if (!line) continue;
    std::string_view key = Trim(EqualsField(*line, 1));
    std::string_view value = Trim(EqualsField(*line, 3));
    if (key.empty() || value.empty()) continue;
    AddDictionaryEntry(lang, std::string(key), std::string(value));
  }
}

void LoadDictionary(LangState& lang) {
  ClearDictionary(lang);
  if (lang.ProgramFolder.empty()) return;
  // An unreadable dictionary acts as a missing one: every text stays Japanese
  // and is noted as needing a translation.
  LoadDictionaryText(lang, ReadProgramFile(lang, kDictionaryFileName));
  CollectKeys(ReadProgramFile(lang, kNeededFileName), lang.NeededNoted);
}

std::string DicLookup(LangState& lang, std::string_view text) {
  if (!lang.DicLoaded) {
    LoadDictionary(lang);
    lang.DicLoaded = true;
  }
  std::string trimmed(Trim(text));
  auto found = lang.DicIndex.find(trimmed);
  if (found != lang.DicIndex.end()) return lang.DicValues[found->second];
  NoteNeeded(lang, trimmed);
  return trimmed;
}

}  // namespace plandra
