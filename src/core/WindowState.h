// State of the main window that is not a module's: its caption, the flags it
// sets at start-up.
#pragma once

#include <cstdint>
#include <string>

namespace plandra {

// Window states as the settings file stores them.
// The drawing area of the VGA window preset, in pixels.
constexpr int kVgaClientWidth = 628;
constexpr int kVgaClientHeight = 430;

constexpr int16_t kWindowNormal = 0;
constexpr int16_t kWindowMinimized = 1;
constexpr int16_t kWindowMaximized = 2;

// The outer window in twips, its client area in pixels and its state; the Qt
// window fills it in and applies what the presets change.
struct WindowGeometry {
  int OuterWidth = 0;   // twips
  int OuterHeight = 0;  // twips
  int ClientWidth = 0;  // pixels
  int ClientHeight = 0;
  int16_t State = kWindowNormal;
  bool StatusBarVisible = true;
};

struct WindowState {
  std::string Caption;
  int16_t ExeReadOnly = 0;     // flag: the program folder cannot be written (no record)
  int16_t ShiftSwitch = 0;     // flag: sticky Shift for deformation (status panel 8)
  bool ReplayTimerOn = false;  // the replay timer is running
  bool ExitRequested = false;  // the window hides and the program ends
  // The font family of the dialogs' controls; empty keeps the toolkit's.
  std::string DialogFont;
  // A pop-up menu of the menu bar to show at the mouse; the window empties it.
  std::string PopupMenu;
};

}  // namespace plandra
