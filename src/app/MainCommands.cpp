#include "app/MainCommands.h"

#include <filesystem>
#include <map>
#include <string>

#include "app/FigDataView.h"
#include "app/MainModel.h"
#include "app/MenuBar.h"
#include "app/NewAndExit.h"
#include "app/Program.h"
#include "numbers/Labels05.h"

namespace plandra {
namespace {

using Handler = CommandResult (*)(Program&);

CommandResult Done() { return {}; }
CommandResult Dialog(std::string_view name) { return {CommandStatus::kOpenDialog, name}; }

// A command that only does its work.
template <void (*Command)(Program&)>
CommandResult Plain(Program& p) {
  Command(p);
  return Done();
}

template <int32_t IntervalMs>
CommandResult ReplaySpeed(Program& p) {
  SetReplayInterval(p, IntervalMs);
  return Done();
}

CommandResult RefreshAfterSettings(Program& p) {
  RefreshModeDisplay(p);
  RequestRedraw(p);
  return Done();
}

const std::map<std::string_view, Handler>& Handlers() {
  static const std::map<std::string_view, Handler> handlers = {
      {"mnuNew", [](Program& p) { return mnuNew(p) ? Dialog("NewConstchk") : Done(); }},
      {"mnuExit", &Plain<mnuExit>},
      {"mnuVersion", [](Program&) { return Dialog("PDfrmAbout"); }},
      {"mnuLanguage", [](Program&) { return Dialog("PDLanguage"); }},
      {"mnuRakugaki", &Plain<mnuRakugaki>},
      {"mnuOMenu_easy", &Plain<mnuOMenu_easy>},
      {"mnuOmenu_full", &Plain<mnuOmenu_full>},
      {"mnuRedrawslowOption_01", &ReplaySpeed<200>},
      {"mnuRedrawslowOption_03", &ReplaySpeed<500>},
      {"mnuRedrawslowOption_05", &ReplaySpeed<1000>},
      {"mnuEditFigDataView",
       [](Program& p) {
         ShowFigDataView(p.Viewer, p.Fig, p.Lang, p.CurFileName, p.Config.KetaDecimal);
         return Dialog("TextViewer");
       }},
      {"mnuOFileSave",
       [](Program& p) {
         mnuOFileSave(p.Config, p.Folders.Folder, *p.Host, p.Lang);
         return Done();
       }},
      {"mnuOFileLoad",
       [](Program& p) {
         mnuOFileLoad(p.Config, p.Folders.Folder, *p.Host, p.Lang);
         return RefreshAfterSettings(p);
       }},
      {"mnuOFileInit",
       [](Program& p) {
         mnuOFileInit(p.Config);
         return RefreshAfterSettings(p);
       }},
      {"mnuFDataFolderGet",
       [](Program& p) {
         mnuFDataFolderGet(p.DataPaths, p.Folders);
         return Done();
       }},
      {"mnuFDataFolderSample",
       [](Program& p) {
         mnuFDataFolderSample(p.DataPaths, p.Folders);
         return Done();
       }},
      {"mnuFDataFolderStandardSet",
       [](Program& p) {
         std::error_code error;
         std::filesystem::path current = std::filesystem::current_path(error);
         mnuFDataFolderStandardSet(p.Folders, current, *p.Host, p.Lang);
         return Done();
       }},
      {"mnuEVarDispAllOn",
       [](Program& p) {
         mnuEVarDispAllOn(p.Fig);
         RequestRedraw(p);
         return Done();
       }},
      {"mnuEVarDispAllOff",
       [](Program& p) {
         mnuEVarDispAllOff(p.Fig);
         RequestRedraw(p);
         return Done();
       }},
      {"ShiftSwitch",
       [](Program& p) {
         p.Window.ShiftSwitch = p.Window.ShiftSwitch ? 0 : -1;
         return Done();
       }},
  };
  return handlers;
}

// The item and every menu above it, for the enabled and shown test.
bool PathTo(const std::vector<MenuItem>& items, std::string_view name,
            std::vector<const MenuItem*>& path) {
  for (const MenuItem& item : items) {
    path.push_back(&item);
    if (item.Name == name || PathTo(item.Children, name, path)) return true;
    path.pop_back();
  }
  return false;
}

bool Reachable(const std::vector<const MenuItem*>& path) {
  for (const MenuItem* item : path) {
    // The point pop-up is hidden by design and shown as a context menu.
    bool popup = item == path.front() && item->Name == "mnuEdit2_point";
    if (!item->Enabled || (!item->Visible && !popup)) return false;
  }
  return true;
}

}  // namespace

bool IsActionWired(std::string_view action) { return Handlers().contains(action); }

CommandResult RunAction(Program& p, std::string_view action, const MenuItem*) {
  auto found = Handlers().find(action);
  if (found == Handlers().end()) return {CommandStatus::kNotWired, {}};
  return found->second(p);
}

CommandResult RunMenuCommand(Program& p, std::string_view controlName) {
  std::vector<const MenuItem*> path;
  if (!PathTo(p.Menu.Items, controlName, path)) return {CommandStatus::kUnknown, {}};
  const MenuItem& item = *path.back();
  if (item.Action.empty()) return {CommandStatus::kUnknown, {}};
  if (!Reachable(path)) return {CommandStatus::kDisabled, {}};
  return RunAction(p, item.Action, &item);
}

void mnuOMenu_easy(Program& p) {
  p.Config.MenuEasy = -1;
  MenuCheckSet(p.Menu, p.Config, p.Window.AxisKind);
}

void mnuOmenu_full(Program& p) {
  p.Config.MenuEasy = 0;
  MenuCheckSet(p.Menu, p.Config, p.Window.AxisKind);
}

void SetReplayInterval(Program& p, int32_t intervalMs) {
  p.Config.RedrawSlow = intervalMs;
  if (p.Window.ReplayTimerOn) p.Host->SetTimer(TimerId::kDrawSlow, intervalMs);
  MenuCheckSet(p.Menu, p.Config, p.Window.AxisKind);
}

}  // namespace plandra
