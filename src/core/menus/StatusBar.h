// The main window's status bar as data: twelve panels with their texts and
// bevels. The Qt window mirrors it and hands panel clicks back to the core.
#pragma once

#include <array>
#include <string>

namespace plandra {

constexpr int kStatusPanelCount = 12;
constexpr int kModePanel = 1;
constexpr int kFilePanel = 2;
constexpr int kLocusPanel = 3;
constexpr int kMarkerPanel = 5;
constexpr int kPicturePanel = 6;
constexpr int kShiftPanel = 8;
// The panel that takes the room the others leave (the replay's step text).
constexpr int kStretchPanel = kLocusPanel;

enum class PanelBevel { kInset, kRaised };
enum class PanelStyle { kText, kOther };

struct StatusPanel {
  std::string Text;
  std::string Tooltip;  // what a click does, in the interface language
  PanelBevel Bevel = PanelBevel::kInset;
  PanelStyle Style = PanelStyle::kText;
  int MinWidth = 0;
  // False while the command behind a click on it is not in the program yet.
  bool Available = false;
  // False while a click on it would do nothing in the current mode; a panel
  // that only shows a text is always usable.
  bool Usable = true;
};

struct StatusBar {
  std::array<StatusPanel, kStatusPanelCount + 1> Panels;  // 1..12; 0 unused

  StatusPanel& Panel(int index) { return Panels.at(static_cast<size_t>(index)); }
  const StatusPanel& Panel(int index) const { return Panels.at(static_cast<size_t>(index)); }
};

// The layout at start: panels 1 to 8, 11 and 12 plain text, panel 3 at least
// one pixel wide.
StatusBar DesignedStatusBar();

}  // namespace plandra
