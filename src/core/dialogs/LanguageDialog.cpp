#include "core/dialogs/LanguageDialog.h"

#include <array>
#include <string_view>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/io/SettingsFileIO.h"

namespace plandra {

bool LanguageDialogOk(Program& p, int position) {
  constexpr std::array<std::string_view, 3> kLanguages{"Japanese", "English", "Manual"};
  if (position < 0 || position >= static_cast<int>(kLanguages.size())) return false;
  p.Config.Language = std::string(kLanguages[static_cast<size_t>(position)]);
  p.Lang.Language = p.Config.Language;
  mnuOFileSave(p.Config, p.Folders.Folder, *p.Host, p.Lang);
  ApplyMenuLanguage(p);
  return true;
}

LanguageDialogItems LanguageDialogList(const Program& p) {
  LanguageDialogItems list{{"Japanese", "English", "Manual(use dic_pd4.txt)"}, 0};
  switch (ChosenLanguage(p.Lang.Language)) {
    case LanguageChoice::kJapanese: list.Current = 0; break;
    case LanguageChoice::kEnglish: list.Current = 1; break;
    case LanguageChoice::kManual: list.Current = 2; break;
  }
  return list;
}

LanguageDialogTexts LanguageDialogCaptions(LangState& lang) {
  return {"Language", Translate(lang, "OK"), Translate(lang, "キャンセル"),
          Translate(lang, "フォント")};
}

std::optional<std::string> LanguageDialogFont(Program& p) {
  if (p.Host == nullptr) return std::nullopt;
  const std::optional<FontChoice> chosen =
      p.Host->FontDialog({p.Config.FontName, p.Config.FontSize});
  if (!chosen) return std::nullopt;
  return chosen->Family;
}

}  // namespace plandra
