// New figure (with its confirmation when the figure holds points), Exit, and
// the version box's texts.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plandra {

struct LangState;
struct Program;

enum class NewChoice { kYes, kSave, kCancel };

// The texts of the confirmation dialog, translated.
struct NewConstchkTexts {
  std::string Caption;
  std::string Message;
  std::string YesButton;
  std::string SaveButton;
  std::string CancelButton;
};
NewConstchkTexts NewConstchkDialogTexts(LangState& lang);

// The choice a key typed in the dialog makes: Y (ﾗ ラ Ｙ), S (Ｓ シ ｼ), Esc.
// Empty for any other key.
std::optional<NewChoice> NewConstchkKey(std::string_view typed);

// mnuNew: true when the figure holds a point and the window must ask first
// (then NewConstchkAnswer with the answer); otherwise a new figure at once.
bool mnuNew(Program& p);

// Yes: a new, empty figure; save: the save command, the figure stays;
// cancel: a redraw.
void NewConstchkAnswer(Program& p, NewChoice choice);

// The new figure itself: cleared surface, "untitled", an empty store of 200
// steps, then the new-point command.
void StartNewFigure(Program& p);

constexpr std::string_view kSaveBeforeExitText = "図が変更されています。終了する前に保存しますか。";

// Deletes the temporary files this program made and asks the window to end.
// A changed memo and then a figure changed since it was opened or saved are
// offered for saving first; cancelling (or a save that did not happen) keeps
// the program open.
void mnuExit(Program& p);

// The version box's words, for every front end.
struct AboutBoxTexts {
  std::string Caption;  // "Plandra Winのﾊﾞｰｼﾞｮﾝ情報"
  std::string Version;  // "ver.5.0.0"
  std::string Title;    // the program's title, shown large
  std::string OK;
  std::string SystemInfo;  // the button, and the title of what it shows
};
AboutBoxTexts AboutBox(LangState& lang);

// The system-information button. No such program is started on this
// platform, so the user is told it is not available.
void AboutSystemInfo(Program& p);

}  // namespace plandra
