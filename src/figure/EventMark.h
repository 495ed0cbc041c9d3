// Event points: a "!" marker in a point's name makes the point open a
// message, memo, picture, figure or document when it is clicked. The code and
// the target are derived from the name alone, wherever the name changes.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "figure/PDtype05.h"

namespace plandra {

enum EventCode : int16_t {
  kEventNone = 0,
  kEventMessageBox = 1,  // "!"
  kEventMessage = 2,     // "!!"
  kEventPicture = 3,     // "!%"
  kEventMemo = 4,        // "!@"
  kEventFigure = 5,      // "!_"
  kEventDocument = 6,    // "!#"
  kEventTextTarget = 7,  // "!>"
};
// Added to the code when the name begins with "!": the point and its name
// are not drawn (and a memo opens read-only).
constexpr int16_t kEventHidden = 10;

// The event code of a name: 0 without "!", else the code of its marker
// (+10 when the name begins with "!").
int16_t EventKindOf(std::string_view name);
// The text after the marker, trailing blanks removed; empty without one.
std::string EventTargetOf(std::string_view name);
// The marker of a code (1..7, or with +10): "!", "!!", ...; empty otherwise.
std::string_view EventMarker(int16_t code);

// The name a point shows and lends to other names: the part before its
// event marker, blanks trimmed.
std::string_view PointNameShown(std::string_view name);

// Stores the point's name (cut to its width) and derives its EventKind and
// EventText from it.
void SetPointName(PtRec& pt, std::string_view name);
// Derives EventKind and EventText from the name as it stands.
void DerivePointEvent(PtRec& pt);

}  // namespace plandra
