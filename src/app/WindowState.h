// State of the main window that is not a module's: its caption, the flags it
// sets at start-up, and what it asks of the outside (redraw, the new-point
// command) until those are wired to their modules.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace plandra {

struct WindowState {
  std::string Caption;
  int16_t ExeReadOnly = 0;     // flag: the program's executable is read-only
  int16_t ShiftSwitch = 0;     // flag: sticky Shift for deformation (status panel 8)
  int16_t AxisKind = 0;        // 0 orthogonal grid, 1 polar grid
  bool ReplayTimerOn = false;  // the replay timer is running
  bool ExitRequested = false;  // the window hides and the program ends

  // Redraws the whole figure; empty when no drawing is wired.
  std::function<void()> RequestRedraw;
  // Starts the new-point command after a new figure; empty when not wired.
  std::function<void()> StartNewFreePoint;
};

}  // namespace plandra
