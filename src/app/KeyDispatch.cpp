#include "app/KeyDispatch.h"

#include "app/Replay.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/construct/PDconst01.h"
#include "core/drag/PDdeform05.h"
#include "core/locus/PlaneTable.h"
#include "core/pick/PDSelObj.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// The one pick mode whose keys no command takes: nothing pushes it yet.

void EscapeKey(Program& p, bool shift) {
  Redraw(p);
  if (shift || p.Window.ShiftSwitch) {
    ModePop(p.Modes, *p.Host);
    RefreshModeDisplay(p);
  }
}

}  // namespace

KeyResult KeyDown(Program& p, int16_t key, bool shift) {
  // While the table over the plane runs, Escape stops it and nothing else acts.
  if (PlaneTableRunning(p)) {
    if (key == kKeyEscape) CancelPlaneTable(p);
    return KeyResult::kHandled;
  }
  int16_t mode = CurrentMode(p.Modes);
  InputEvent event;
  event.Shift = shift ? kShiftKey : int16_t{0};
  event.KeyCode = key;
  if (InteractKeyDown(p, event)) return KeyResult::kHandled;
  if (mode == kModeDeform || mode == kModePlacePoint || mode == kModeMultiDeform) {
    DeformKeyDown(p, event);
    return KeyResult::kHandled;
  }
  if (mode == kModeNumVariation) {
    VarKeyDown(p, key);
    return KeyResult::kHandled;
  }
  if (mode == kModePickNumber) return KeyResult::kNotHandled;
  if (mode == kModeReplay) {
    ReplayKeyDown(p, key);
    return KeyResult::kHandled;
  }
  if (mode == kModeScribble) {
    ScribbleKeyDown(p, key);
  } else if (key == kKeyEscape && !EscapeConstructionMode(p)) {
    EscapeKey(p, shift);
  }
  return KeyResult::kHandled;
}

}  // namespace plandra
