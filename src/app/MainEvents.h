// Events of the main window that run commands of the program: its timers and
// clicks on the status panels.
#pragma once

#include "core/Platform.h"

namespace plandra {

struct Program;

// A timer of the main window fired.
void OnTimer(Program& p, TimerId timer);

// A click on a status panel (1..12); RefreshModeDisplay afterwards. A panel
// whose command is not in the program yet, or cannot be used now, does nothing.
void StatusPanelClick(Program& p, int panel);

// Marks which panels have a command behind them.
void MarkAvailablePanels(Program& p);

}  // namespace plandra
