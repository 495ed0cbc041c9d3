// Event recognition: the switch in status panel 11, the reach of a click
// (EventHitSize) and how near a click is to an event point.
#pragma once

#include <cstdint>

#include "core/events/MemoWindow.h"
#include "figure/EventPress.h"
#include "figure/PDtype05.h"

namespace plandra {

struct Program;

// EventMode: off, on for one click, on.
constexpr int16_t kEventModeOff = 0;
constexpr int16_t kEventModeOnce = 1;
constexpr int16_t kEventModeOn = 2;

// Pointer shapes of an event click: a point nearly within reach, a point
// further away (the arrow says that none is within reach).
constexpr int16_t kCursorEventNear = 99;
constexpr int16_t kCursorEventFar = 14;

struct EventState {
  int16_t EventMode = kEventModeOff;
  int16_t EventHitSize = 1;  // 1..3: the squared reach grows by this factor
  MemoState Memo;            // the memo window's contents
};

// Panel 11's text ("×Ev.", "1Ev.", "Ev"; usable only while the locus switch
// is on), the event display and the check marks of the reach commands.
void RefreshEventDisplay(Program& p);

// A click on panel 11: off, once, on, off...
void EventLevelClick(Program& p);

// mnuOEvent_S, _M, _F: the reach 1, 2 or 3.
void SetEventHitSize(Program& p, int16_t hitSize);

}  // namespace plandra
