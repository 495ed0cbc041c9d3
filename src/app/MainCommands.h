// The command table: what each menu item's action id runs. An action that is
// not listed here is not wired yet; its items stay disabled.
#pragma once

#include <filesystem>
#include <string_view>

namespace plandra {

struct MenuBar;
struct MenuItem;
struct Program;

enum class CommandStatus {
  kDone,
  kOpenDialog,     // the window opens the dialog named in the result
  kWindowCommand,  // the window runs it with its own geometry
  kDisabled,       // the item (or a menu above it) is disabled or hidden
  kNotWired,       // the command is not in the program yet
  kUnknown,        // no item of that name
};

struct CommandResult {
  CommandStatus Status = CommandStatus::kDone;
  std::string_view Dialog;  // "PDfrmAbout", "PDLanguage", "NewConstchk", "TextViewer"
};

bool IsActionWired(std::string_view action);
// Disables the menu items whose action the command table does not hold.
void DisableUnwiredItems(MenuBar& bar);

// Runs one action id; item is the menu item clicked, when there is one.
CommandResult RunAction(Program& p, std::string_view action, const MenuItem* item);

// A click on the item of that control name (or its shortcut): runs its action
// when the item and every menu above it are enabled and shown, then
// refreshes the mode display.
CommandResult RunMenuCommand(Program& p, std::string_view controlName);

// The folder the teacher works in: the open figure's, or the data folder
// while the figure is untitled (the process's folder is wherever the
// desktop started it).
std::filesystem::path WorkingFolder(const Program& p);

// Menu mode commands; they take effect at the next start.
void mnuOMenu_easy(Program& p);
void mnuOmenu_full(Program& p);
void SwitchToEasyMenu(Program& p);
void SwitchToFullMenu(Program& p);

// Replay speed: the interval of the replay timer in ms.
void SetReplayInterval(Program& p, int32_t intervalMs);

}  // namespace plandra
