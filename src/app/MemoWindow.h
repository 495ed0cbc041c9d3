// The memo window's contents and state, kept here so that every event and
// the memo command share one window and its behaviour can be played headless.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace plandra {

struct LangState;
class Platform;

constexpr double kMemoSmallFont = 9;
constexpr double kMemoLargeFont = 14;

struct MemoState {
  std::filesystem::path File;
  std::string Text;          // the text box, lines separated by LF
  bool ReadOnly = false;     // the save button hidden and disabled
  bool SaveEnabled = false;  // enabled by an edit, disabled by a save
  double FontSize = kMemoLargeFont;
  int Shown = 0;  // counts ShowMemo calls, so the window knows to come up again
};

// Loads file into the memo ("新規作成です。" when it does not exist yet); the
// save button starts disabled.
void ShowMemo(MemoState& memo, const std::filesystem::path& file, LangState& lang);
// The text was edited: the save button is enabled unless the memo is read-only.
void MemoTextEdited(MemoState& memo, std::string_view text);
// Writes the text (CR LF line ends) through a temporary file and a rename.
// On failure the user is told and the text stays in the window.
bool SaveMemo(MemoState& memo, Platform& platform, LangState& lang);
void SetMemoReadOnly(MemoState& memo);
void setMemoRW(MemoState& memo);
// The font button: a size of 10 or more goes to the small one, else the large.
void MemoFontSwitch(MemoState& memo);

}  // namespace plandra
