// What every front end does with its window's events: the one place where
// the mouse, the keys, a new size of the drawing area and the closing of the
// window reach the core, so the desktop and the browser behave alike.
#pragma once

#include "core/InputEvent.h"

namespace plandra {

struct Program;

enum class MouseAction { kDown, kMove, kUp };

// The scribble mode takes the mouse for itself; every other mode picks.
void SessionMouse(Program& p, const InputEvent& e, MouseAction action);
void SessionKeyDown(Program& p, const InputEvent& e);
// The drawing area took a new size: the view follows, the figure is redrawn
// and the window-size marks of the menus follow.
void SessionResized(Program& p);
// The user closes the window: the exit question, unless the program asked to
// end already. True when the window may close.
bool SessionClosing(Program& p);

}  // namespace plandra
