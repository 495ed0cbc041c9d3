// State of the main window that is not a module's: its caption, the flags it
// sets at start-up.
#pragma once

#include <cstdint>
#include <string>

namespace plandra {

struct WindowState {
  std::string Caption;
  int16_t ExeReadOnly = 0;     // flag: the program's executable is read-only
  int16_t ShiftSwitch = 0;     // flag: sticky Shift for deformation (status panel 8)
  bool ReplayTimerOn = false;  // the replay timer is running
  bool ExitRequested = false;  // the window hides and the program ends
  // The font family of the dialogs' controls; empty keeps the toolkit's.
  std::string DialogFont;
  // A pop-up menu of the menu bar to show at the mouse; the window empties it.
  std::string PopupMenu;
};

}  // namespace plandra
