// The language dialog as data, for every front end: its list, its words,
// its OK and its font button.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace plandra {

struct LangState;
struct Program;

// The language dialog's OK: the language of the chosen position (0 Japanese,
// 1 English, 2 Manual) is stored in the settings file and applied to the
// menus. False for a position outside the list (nothing changes).
bool LanguageDialogOk(Program& p, int position);

// The language dialog's list, with the position of the language in force.
struct LanguageDialogItems {
  std::vector<std::string> Items;
  int Current = 0;
};
LanguageDialogItems LanguageDialogList(const Program& p);

struct LanguageDialogTexts {
  std::string Caption;  // always "Language", so that anyone can find it
  std::string OK;
  std::string Cancel;
  std::string Font;
};
LanguageDialogTexts LanguageDialogCaptions(LangState& lang);

// The font button: the family the user chose in the font dialog, started
// from the settings' font; nothing when cancelled or without a platform.
std::optional<std::string> LanguageDialogFont(Program& p);

}  // namespace plandra
