// The view and display commands of the menus: zoom, the grid, the window
// presets and the display settings.
#pragma once

#include <string_view>

#include "core/WindowState.h"

namespace plandra {

struct Program;

// The view of the program's surface at its zoom.
void SetScreen(Program& p);

void mnuZoomIn(Program& p);
void mnuZoomOut(Program& p);
void mnuZoomDefault(Program& p);
void mnuZoomComplex(Program& p);

void mnuOAxis(Program& p);
void mnuOAxis01(Program& p);
void mnuOAxis02(Program& p);
void mnuOAxisColor1(Program& p);
void mnuOAxisColor2(Program& p);
void mnuOAxisColor3(Program& p);
void mnuOAxisColorManual(Program& p);

// Window presets: each changes geometry for the window to apply, shows the
// status bar and remembers the size as the start-up size.
void mnuOWindowStandard(Program& p, WindowGeometry& window);
void mnuOWindowVGA(Program& p, WindowGeometry& window);
void mnuOWindowMax(Program& p, WindowGeometry& window);
// Remembers the window as the start-up size and writes the settings file.
bool mnuOWindowSave(Program& p, const WindowGeometry& window);
// The start-up size from the settings; false when the designed size stays.
bool SetWindow(const Program& p, WindowGeometry& window);

void mnuOBackCWhite(Program& p);
void mnuOBackCStandard(Program& p);
void mnuOBackCmanual(Program& p);
void mnuWidth(Program& p);
void mnuFont(Program& p);
void mnuOFont(Program& p);
void mnuOColorStrength(Program& p);
void mnuOchrDisp(Program& p);
void mnuAngleSW(Program& p);

// The leading number of a typed text (blanks allowed before it), 0 when it
// starts with none.
double LeadingNumber(std::string_view text);

}  // namespace plandra
