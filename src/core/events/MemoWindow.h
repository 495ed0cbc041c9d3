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

// How the memo's file holds its text; a save writes it back the same way.
enum class MemoEncoding { kUtf8, kCp932 };

struct MemoState {
  std::filesystem::path File;
  std::string Text;          // the text box, lines separated by LF
  std::string Notice;        // shown beside the text, never part of it
  bool ReadOnly = false;     // the save button hidden and disabled
  bool SaveEnabled = false;  // enabled by an edit, disabled by a save
  // The text shown is the file's: false when it could not be read, and then
  // the memo is neither edited nor saved.
  bool Readable = true;
  MemoEncoding Encoding = MemoEncoding::kUtf8;
  std::string LineEnd = "\r\n";
  std::string FileText;  // the text as last read or saved
  double FontSize = kMemoLargeFont;
  int Shown = 0;  // counts ShowMemo calls, so the window knows to come up again
};

// Loads file into the memo: its encoding (UTF-8 or code page 932) and line
// ends are kept for the save. A file that does not exist yet gives an empty
// memo with the notice "新規作成です。"; one that cannot be read gives a
// memo that cannot be edited, with the reason as its notice.
void ShowMemo(MemoState& memo, const std::filesystem::path& file, LangState& lang);
// The text was edited: the save button is enabled unless the memo is read-only.
void MemoTextEdited(MemoState& memo, std::string_view text);
// The text differs from the file's.
bool MemoChanged(const MemoState& memo);
// Writes the text back as it was read, through the file writer. On failure
// the user is told and the text stays in the window.
bool SaveMemo(MemoState& memo, Platform& platform, LangState& lang);
// Before the memo's text goes (the window closes, another memo comes, the
// program ends): a changed memo is offered for saving. False to keep it.
bool MemoMayGo(MemoState& memo, Platform& platform, LangState& lang);
// The "消す" button: true when the window may close (asked first).
bool MemoEraseClicked(MemoState& memo, Platform& platform, LangState& lang);
void SetMemoReadOnly(MemoState& memo);
void setMemoRW(MemoState& memo);
// The font button: a size of 10 or more goes to the small one, else the large.
void MemoFontSwitch(MemoState& memo);

}  // namespace plandra
