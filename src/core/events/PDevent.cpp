#include "core/events/PDevent.h"

#include <array>
#include <string_view>

#include "core/Program.h"
#include "core/Refresh.h"
#include "core/menus/MenuBar.h"

namespace plandra {
namespace {

constexpr std::array<std::string_view, 3> kEventModeTexts{"×Ev.", "1Ev.", "Ev"};
constexpr std::array<std::string_view, 3> kHitSizeItems{"mnuOEvent_S", "mnuOEvent_M",
                                                        "mnuOEvent_F"};

}  // namespace

void RefreshEventDisplay(Program& p) {
  EventState& events = p.Events;
  if (events.EventMode < kEventModeOff || events.EventMode > kEventModeOn) {
    events.EventMode = kEventModeOff;
  }
  StatusPanel& panel = p.Status.Panel(kPanelEvent);
  panel.Text = std::string(kEventModeTexts[static_cast<size_t>(events.EventMode)]);
  panel.Usable = panel.Usable && p.Locus.LocusOn != kFalse;
  p.Draw.EventDisplayOn = events.EventMode != kEventModeOff;
  for (size_t k = 0; k < kHitSizeItems.size(); ++k) {
    if (MenuItem* item = FindMenuItem(p.Menu, kHitSizeItems[k])) {
      item->Checked = events.EventHitSize == static_cast<int16_t>(k + 1);
    }
  }
}

void EventLevelClick(Program& p) {
  p.Events.EventMode = static_cast<int16_t>((p.Events.EventMode + 1) % kEventModeTexts.size());
  RefreshEventDisplay(p);
  Redraw(p);  // the event marks show only while recognition is on
}

void SetEventHitSize(Program& p, int16_t hitSize) {
  if (hitSize < 1 || hitSize > 3) return;
  p.Events.EventHitSize = hitSize;
  RefreshEventDisplay(p);
}

}  // namespace plandra
