// What an event click does: the message, the message window, the picture,
// the memo, another figure or a document, chosen by the marker in the name
// of the point clicked; and the memo of the figure itself.
#pragma once

#include <cstdint>
#include <string>

#include "core/InputEvent.h"

namespace plandra {

struct Program;

// The button code of the click the main window makes from a double click.
constexpr int16_t kButtonEventClick = 100;

// A double click on the drawing area: in the standard mode the event mode is
// pushed, the click handled, the mode popped and its name shown again.
void EventDoubleClick(Program& p, const InputEvent& event);

// Mode 80's mouse-down handler: button code 100 makes the event click.
void EventMouseDown(Program& p, const InputEvent& event);

// The event click at (x, y) in world coordinates. Only while the locus switch
// is on, the mode is 80 and event recognition is not off; "once" is turned
// off first.
void OnEventClick(Program& p, double x, double y);

// Opens a file or address with the desktop, after the question that shows it
// and its opener; programs, scripts and launchers are refused whatever the
// answer. True when a launch was tried.
bool Shell_OpenFile(Program& p, const std::string& pathOrUrl, bool outside);

// Opens the figure an event names: ".pd5" added when it has no extension,
// then ".pd4" in its place; the message when neither exists. The open figure
// stays when the other cannot be read.
bool OpenEventFigure(Program& p, const std::string& target);

// The figure's own memo: its file name with ".txt".
void mnuHMemo(Program& p);

}  // namespace plandra
