// Mouse and key input as the core takes it: world position, buttons, shift
// state and key code, free of any window toolkit.
#pragma once

#include <cstdint>
#include <string>

namespace plandra {

// Buttons and shift state are bit sets.
constexpr int16_t kButtonLeft = 1;
constexpr int16_t kButtonRight = 2;
constexpr int16_t kButtonMiddle = 4;
constexpr int16_t kShiftKey = 1;
constexpr int16_t kCtrlKey = 2;
constexpr int16_t kAltKey = 4;

// Key codes: letters and digits are their upper-case ASCII codes.
constexpr int16_t kKeyBack = 8;
constexpr int16_t kKeyTab = 9;
constexpr int16_t kKeyEnter = 13;
constexpr int16_t kKeyShift = 16;
constexpr int16_t kKeyControl = 17;
constexpr int16_t kKeyEscape = 27;
constexpr int16_t kKeySpace = 32;
constexpr int16_t kKeyPageUp = 33;
constexpr int16_t kKeyPageDown = 34;
constexpr int16_t kKeyEnd = 35;
constexpr int16_t kKeyHome = 36;
constexpr int16_t kKeyLeft = 37;
constexpr int16_t kKeyUp = 38;
constexpr int16_t kKeyRight = 39;
constexpr int16_t kKeyDown = 40;
constexpr int16_t kKeyInsert = 45;
constexpr int16_t kKeyDelete = 46;
constexpr int16_t kKeyF1 = 112;  // F1..F12 follow in order

struct InputEvent {
  double X = 0;  // world coordinates
  double Y = 0;
  int16_t Button = 0;  // the button pressed or released; held buttons for moves
  int16_t Shift = 0;
  int16_t KeyCode = 0;  // 0 when the key has no code (a typed kana, say)
  std::string Text{};   // the typed text of a key, UTF-8
  bool Finger = false;  // a touch: a finger covers more than a pointer's tip
};

}  // namespace plandra
