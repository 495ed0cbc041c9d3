#include "app/KeyDispatch.h"

#include <algorithm>
#include <array>

#include "app/MainModel.h"
#include "app/Program.h"
#include "app/Replay.h"
#include "interact/PDSelObj.h"
#include "interact/PDdeform05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// Modes whose keys move points or numbers, pick elements, place a new point
// or step the replay: their commands handle the keys.
constexpr std::array<int16_t, 7> kPickModes{13, 14, 15, 40, 52, 53, 62};
constexpr int16_t kPlacePointMode = 28;

bool IsOneOf(int16_t mode, const auto& modes) {
  return std::find(modes.begin(), modes.end(), mode) != modes.end();
}

void EscapeKey(Program& p, bool shift) {
  Redraw(p);
  if (shift || p.Window.ShiftSwitch) {
    ModePop(p.Modes, *p.Host);
    RefreshModeDisplay(p);
  }
}

}  // namespace

KeyResult KeyDown(Program& p, int16_t key, bool shift) {
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
  if (IsOneOf(mode, kPickModes) || mode == kPlacePointMode) {
    return KeyResult::kNotHandled;
  }
  if (mode == kModeReplay) {
    ReplayKeyDown(p, key);
    return KeyResult::kHandled;
  }
  if (mode == kModeScribble) {
    ScribbleKeyDown(p, key);
  } else if (key == kKeyEscape) {
    EscapeKey(p, shift);
  }
  return KeyResult::kHandled;
}

}  // namespace plandra
