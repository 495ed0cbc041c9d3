#include "app/Session.h"

#include "app/KeyDispatch.h"
#include "app/NewAndExit.h"
#include "core/MainModel.h"
#include "core/Modes.h"
#include "core/Program.h"
#include "core/Rakugaki.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/pick/PDSelObj.h"

namespace plandra {

void SessionMouse(Program& p, const InputEvent& e, MouseAction action) {
  if (CurrentMode(p.Modes) == kModeScribble) {
    if (action == MouseAction::kDown) ScribbleMouseDown(p, e.X, e.Y);
    if (action == MouseAction::kMove) ScribbleMouseMove(p, e.X, e.Y);
    if (action == MouseAction::kUp) ScribbleMouseUp(p);
    return;
  }
  if (action == MouseAction::kDown) MouseDown(p, e);
  if (action == MouseAction::kMove) MouseMove(p, e);
  if (action == MouseAction::kUp) MouseUp(p, e);
}

void SessionKeyDown(Program& p, const InputEvent& e) {
  KeyDown(p, e.KeyCode, (e.Shift & kShiftKey) != 0);
}

void SessionResized(Program& p) {
  SetScreen(p);
  Redraw(p);
  MenuCheckSet(p);
}

bool SessionClosing(Program& p) {
  if (!p.Window.ExitRequested) mnuExit(p);
  return p.Window.ExitRequested;
}

}  // namespace plandra
