#include "app/MainEvents.h"

#include <string_view>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/Replay.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Rakugaki.h"
#include "core/Refresh.h"
#include "core/locus/PlaneTable.h"

namespace plandra {

void OnTimer(Program& p, TimerId timer) {
  switch (timer) {
    case TimerId::kDraw: p.Host->SetTimer(TimerId::kDraw, 0); break;
    case TimerId::kDrawSlow:
      // One step of the replay; a tick left over after the replay stops the timer.
      if (CurrentMode(p.Modes) == kModeReplay) {
        ReplayFigure(p, 0);
      } else {
        p.Host->SetTimer(TimerId::kDrawSlow, 0);
        p.Window.ReplayTimerOn = false;
      }
      break;
    case TimerId::kPlaneTable: PlaneTableTick(p); break;
    case TimerId::kLoci: DrawLociLeftForLater(p); break;
    case TimerId::kProgmanClear:
      // Closing another program by sending it keys is not done on this
      // desktop: the timer only switches itself off.
      p.Host->SetTimer(TimerId::kProgmanClear, 0);
      break;
  }
}

void MarkAvailablePanels(Program& p) {
  for (int panel = 1; panel <= kStatusPanelCount; ++panel) {
    std::string_view action = PanelAction(panel);
    bool own = panel == kModePanel || panel == kMarkerPanel;
    p.Status.Panel(panel).Available = own || (!action.empty() && IsActionWired(action));
  }
}

void StatusPanelClick(Program& p, int panel) {
  if (PlaneTableRunning(p)) return;
  if (panel >= 1 && panel <= kStatusPanelCount && !p.Status.Panel(panel).Usable) return;
  if (panel == kModePanel) {
    KeyDown(p, kKeyEscape, false);
  } else if (panel == kMarkerPanel) {
    if (CurrentMode(p.Modes) == kModeScribble) {
      ChooseScribbleColor(p);
    } else {
      mnuRakugaki(p);
    }
  } else if (std::string_view action = PanelAction(panel); !action.empty()) {
    if (RunAction(p, action, nullptr).Status == CommandStatus::kDone && panel == kPicturePanel) {
      p.Draw.PicturePanelInset = true;
    }
  }
  RefreshModeDisplay(p);
}

}  // namespace plandra
