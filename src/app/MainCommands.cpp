#include "app/MainCommands.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>

#include "app/EventActions.h"
#include "app/FigDataView.h"
#include "app/FileCommands.h"
#include "app/LessonExport.h"
#include "app/NewAndExit.h"
#include "app/Replay.h"
#include "app/WebCommands.h"
#include "core/ImageOutput.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/drag/PDdeform05.h"
#include "core/events/PDevent.h"
#include "core/io/SettingsFileIO.h"
#include "core/language/TranslatedText.h"
#include "core/locus/MeasureRecord.h"
#include "core/locus/PdLocus.h"
#include "core/locus/PlaneTable.h"
#include "core/macros/PDmacro01.h"
#include "core/menus/MenuBar.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"

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

template <int16_t HitSize>
CommandResult EventHitSizeCommand(Program& p) {
  SetEventHitSize(p, HitSize);
  return Done();
}

template <int32_t IntervalMs>
CommandResult ReplaySpeed(Program& p) {
  SetReplayInterval(p, IntervalMs);
  return Done();
}

CommandResult WindowCommand(Program&) { return {CommandStatus::kWindowCommand, {}}; }

constexpr std::string_view kBatchProblemsText = "次のファイルからは画像を作れませんでした。";
constexpr std::string_view kBatchFolderQuestion = "次のフォルダの図をすべて画像(bmp)にします。";
constexpr std::string_view kStandardFolderQuestion = "次のフォルダを標準のデータフォルダにします。";

bool FolderConfirmed(Program& p, std::string_view question, const std::filesystem::path& folder) {
  std::string text = Translate(p.Lang, question) + "\n" + folder.string();
  return p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOkCancel) ==
         MsgResult::kOk;
}

// The batch run over the working folder; the files that gave no picture are told.
CommandResult MakeAllPictures(Program& p) {
  std::filesystem::path folder = WorkingFolder(p);
  if (!FolderConfirmed(p, kBatchFolderQuestion, folder)) return Done();
  BatchResult result = mnuHmakeAllBmp(p, folder);
  if (!result.Problems.empty()) {
    std::string text = Translate(p.Lang, kBatchProblemsText);
    for (const std::string& problem : result.Problems) text += "\n" + problem;
    p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
  }
  return Done();
}

constexpr std::string_view kManualName = "help/manual.html";
constexpr std::string_view kNoManualText = "マニュアルが見つかりません。";
constexpr std::string_view kManualNotOpenedText = "マニュアルを開けませんでした。";

// The manual page that ships with the program, in the desktop's browser.
CommandResult OpenManual(Program& p) {
  std::optional<std::filesystem::path> manual = FindShippedFile(p.Folders, kManualName);
  if (!manual) {
    p.Host->MessageBox(Translate(p.Lang, kNoManualText) + "\n" + std::string(kManualName),
                       Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
  } else if (!p.Host->OpenWithDesktop(manual->string())) {
    p.Host->MessageBox(Translate(p.Lang, kManualNotOpenedText) + "\n" + manual->string(),
                       Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
  }
  return Done();
}

CommandResult RefreshAfterSettings(Program& p) {
  RefreshModeDisplay(p);
  Redraw(p);
  return Done();
}

// A transformation demonstration, then its matrix entries' labels hidden; a
// figure whose tables cannot take it stays as it was, and the user is told.
template <bool (*Macro)(Figure&)>
CommandResult TransformMacro(Program& p) {
  if (!Macro(p.Fig)) {
    TellStoreFull(p);
    return Done();
  }
  AutoLabels(p.Fig, TranslatedText(p.Lang));
  mnuEVarDispAllOff(p.Fig);
  Redraw(p);
  return Done();
}

CommandResult BoundPoint(Program& p, int16_t hostClass) {
  NewBoundPoint(p, hostClass);
  return Done();
}

// The five construction items that differ from another item of the same
// kind only by a line kind required or given.
void SetAfterStarting(Program& p, std::string_view item) {
  ConstState& build = p.Build;
  if (item == "mnuLperpendicular" || item == "mnuCdiameter") build.ParentLineKind[1] = 1;
  if (item == "mnuS2P") build.OutputStyle[1] = 1;
  if (item == "mnuH2P" || item == "mnuHbisector") build.OutputStyle[1] = 2;
}

CommandResult StartConstructionCommand(Program& p, const MenuItem* item) {
  if (!item || item->KindCode.empty()) return {CommandStatus::kUnknown, {}};
  StartConstruction(p, item->KindCode);
  SetAfterStarting(p, item->Name);
  return Done();
}

const std::map<std::string_view, Handler>& Handlers() {
  static const std::map<std::string_view, Handler> handlers = {
      {"mnuZoomIn", &Plain<mnuZoomIn>},
      {"mnuZoomOut", &Plain<mnuZoomOut>},
      {"mnuZoomDefault", &Plain<mnuZoomDefault>},
      {"mnuZoomComplex", &Plain<mnuZoomComplex>},
      {"mnuOAxis", &Plain<mnuOAxis>},
      {"mnuOAxis01", &Plain<mnuOAxis01>},
      {"mnuOAxis02", &Plain<mnuOAxis02>},
      {"mnuOAxisColor1", &Plain<mnuOAxisColor1>},
      {"mnuOAxisColor2", &Plain<mnuOAxisColor2>},
      {"mnuOAxisColor3", &Plain<mnuOAxisColor3>},
      {"mnuOAxisColorManual", &Plain<mnuOAxisColorManual>},
      {"mnuOBackCWhite", &Plain<mnuOBackCWhite>},
      {"mnuOBackCStandard", &Plain<mnuOBackCStandard>},
      {"mnuOBackCmanual", &Plain<mnuOBackCmanual>},
      {"mnuWidth", &Plain<mnuWidth>},
      {"mnuFont", &Plain<mnuFont>},
      {"mnuOFont", &Plain<mnuOFont>},
      {"mnuOColorStrength", &Plain<mnuOColorStrength>},
      {"mnuOchrDisp", &Plain<mnuOchrDisp>},
      {"mnuAngleSW", &Plain<mnuAngleSW>},
      // The window presets work on the window's own geometry.
      {"mnuOWindowStandard", &WindowCommand},
      {"mnuOWindowVGA", &WindowCommand},
      {"mnuOWindowMax", &WindowCommand},
      {"mnuOWindowSave", &WindowCommand},
      {"FontAndWidth",
       [](Program& p) {
         mnuFont(p);
         mnuWidth(p);
         return Done();
       }},
      {"mnuLoad", &Plain<mnuLoad_Click>},
      {"mnuMerge", &Plain<mnuMerge_Click>},
      {"mnuSave", &Plain<Fig_Save_Click>},
      {"mnuOcopyWindow",
       [](Program& p) {
         mnuOcopyWindow_Click(p);
         return Done();
       }},
      {"mnufBMP", &Plain<mnufBMP>},
      {"mnuf_html", &Plain<mnuf_html>},
      {"mnuf_htmlLesson", &Plain<mnuf_htmlLesson>},
      {"mnuSaveOnLine", &Plain<mnuSaveOnLine>},
      {"mnuOwwwManual", &Plain<mnuOwwwManual>},
      {"mnuOwwwVarnhof", &Plain<mnuOwwwVarnhof>},
      {"mnuFprint", &Plain<mnuFprint>},
      // The thumbnail cycle resizes the window: it runs with the window's geometry.
      {"mnuOWindowMini", &WindowCommand},
      {"mnuHmakeAllBmp", &MakeAllPictures},
      {"mnuFigData_Redraw", &Plain<mnuFigData_Redraw>},
      {"mnuNew", [](Program& p) { return mnuNew(p) ? Dialog("NewConstchk") : Done(); }},
      {"mnuExit", &Plain<mnuExit>},
      {"mnuVersion", [](Program&) { return Dialog("PDfrmAbout"); }},
      {"mnuHmanual", &OpenManual},
      {"mnuLanguage", [](Program&) { return Dialog("PDLanguage"); }},
      {"mnuRakugaki", &Plain<mnuRakugaki>},
      {"mnuOMenu_easy", &Plain<mnuOMenu_easy>},
      {"mnuOmenu_full", &Plain<mnuOmenu_full>},
      {"mnuMenuToEasy", &Plain<SwitchToEasyMenu>},
      {"mnuMenuToFull", &Plain<SwitchToFullMenu>},
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
         std::filesystem::path folder = WorkingFolder(p);
         if (FolderConfirmed(p, kStandardFolderQuestion, folder)) {
           mnuFDataFolderStandardSet(p.Folders, folder, *p.Host, p.Lang);
         }
         return Done();
       }},
      {"mnuEVarDispAllOn",
       [](Program& p) {
         mnuEVarDispAllOn(p.Fig);
         Redraw(p);
         return Done();
       }},
      {"mnuEVarDispAllOff",
       [](Program& p) {
         mnuEVarDispAllOff(p.Fig);
         Redraw(p);
         return Done();
       }},
      {"mnuCMacroLinear", &TransformMacro<MacroLinear>},
      {"mnuCMacroAffine", &TransformMacro<MacroAffine>},
      {"mnuCMacroProjective", &TransformMacro<MacroProjective>},
      {"mnuPnewFreeP", &Plain<NewFreePoint>},
      {"mnuPboundL", [](Program& p) { return BoundPoint(p, kClassLine); }},
      {"mnuPboundC", [](Program& p) { return BoundPoint(p, kClassCircle); }},
      {"mnuCundo", &Plain<UndoLastConstruction>},
      {"mnuMcalc", &Plain<mnuMcalc>},
      {"mnuDeformVar", &Plain<mnuDeformVar>},
      {"mnuOdeformVarNarrow", &Plain<mnuOdeformVarNarrow>},
      {"mnuOdeformVarStandard", &Plain<mnuOdeformVarStandard>},
      {"mnuOdeformVarWide", &Plain<mnuOdeformVarWide>},
      {"mnuOdeformVarManual", &Plain<mnuOdeformVarManual>},
      {"mnuKeta", &Plain<mnuKeta>},
      {"mnuCredo", &Plain<RepeatLastCommand>},
      {"mnuCredoUndone", &Plain<RedoUndoneStep>},
      {"mnuLocusSW", &Plain<ToggleLocus>},
      {"mnuLocusReset", &Plain<mnuLocusReset>},
      {"mnuLocusNumCSV", &Plain<mnuLocusNumCSV>},
      {"mnuLocusSetN", &Plain<mnuLocusSetN>},
      {"mnuLocusNumClear", &Plain<mnuLocusNumClear>},
      {"mnuEbasicPt", &Plain<mnuEbasicPt>},
      {"mnuEbasicLine", &Plain<mnuEbasicLine>},
      {"mnuEbasicCircle", &Plain<mnuEbasicCircle>},
      {"mnuEbasicNum", &Plain<mnuEbasicNum>},
      {"mnuEboundedPt", &Plain<mnuEboundedPt>},
      {"mnuEdit2_point_Edit", &Plain<mnuEdit2_point_Edit>},
      {"mnuEdit2_point_Bounded", &Plain<mnuEdit2_point_Bounded>},
      {"mnuEdit2_point_Set_Free", &Plain<SetFree>},
      {"mnuDeform1Pt", &Plain<mnuDeform1Pt>},
      {"mnuDeformPts", &Plain<mnuDeformPts>},
      {"mnuEdit2_point_Deform", &Plain<mnuEdit2_point_Deform>},
      {"mnuOdeformStandard", &Plain<mnuOdeformStandard>},
      {"mnuOdeformNarrow", &Plain<mnuOdeformNarrow>},
      {"mnuOdeformManual", &Plain<mnuOdeformManual>},
      {"mnuOSDeformLC", &Plain<mnuOSDeformLC>},
      {"mnuOSDeformL", &Plain<mnuOSDeformL>},
      {"mnuOSDeformCross", &Plain<mnuOSDeformCross>},
      {"EventLevel", &Plain<EventLevelClick>},
      {"mnuOEvent_S", &EventHitSizeCommand<1>},
      {"mnuOEvent_M", &EventHitSizeCommand<2>},
      {"mnuOEvent_F", &EventHitSizeCommand<3>},
      {"mnuHMemo", &Plain<mnuHMemo>},
      {"ShiftSwitch",
       [](Program& p) {
         p.Window.ShiftSwitch = p.Window.ShiftSwitch ? 0 : -1;
         return Done();
       }},
  };
  return handlers;
}

// The item and every menu above it, for the enabled and shown test.
bool Reachable(const std::vector<const MenuItem*>& path) {
  for (const MenuItem* item : path) {
    // The point pop-up is hidden by design and shown as a context menu.
    bool popup = item == path.front() && item->Name == "mnuEdit2_point";
    if (!item->Enabled || (!item->Visible && !popup)) return false;
  }
  return true;
}

}  // namespace

constexpr std::string_view kStartConstruction = "StartConstruction";

std::filesystem::path WorkingFolder(const Program& p) {
  std::filesystem::path folder = std::filesystem::path(p.CurFileName).parent_path();
  if (p.CurFileName != kUntitled && !folder.empty()) return folder;
  if (!p.DataPaths.DataFolder.empty()) return p.DataPaths.DataFolder;
  return p.Folders.Folder;
}

bool IsActionWired(std::string_view action) {
  return action == kStartConstruction || Handlers().contains(action);
}

void DisableUnwiredItems(MenuBar& bar) {
  ForEachMenuItem(bar.Items, [](MenuItem& item) {
    if (!item.Action.empty()) item.Enabled = IsActionWired(item.Action);
  });
}

CommandResult RunAction(Program& p, std::string_view action, const MenuItem* item) {
  if (action == kStartConstruction) return StartConstructionCommand(p, item);
  auto found = Handlers().find(action);
  if (found == Handlers().end()) return {CommandStatus::kNotWired, {}};
  return found->second(p);
}

CommandResult RunMenuCommand(Program& p, std::string_view controlName) {
  if (PlaneTableRunning(p)) return {CommandStatus::kDisabled, {}};
  std::vector<const MenuItem*> path;
  if (!MenuPathTo(p.Menu.Items, controlName, path)) return {CommandStatus::kUnknown, {}};
  const MenuItem& item = *path.back();
  if (item.Action.empty()) return {CommandStatus::kUnknown, {}};
  if (!Reachable(path)) return {CommandStatus::kDisabled, {}};
  CommandResult result = RunAction(p, item.Action, &item);
  RefreshModeDisplay(p);
  return result;
}

void mnuOMenu_easy(Program& p) {
  p.Config.MenuEasy = -1;
  MenuCheckSet(p);
}

void mnuOmenu_full(Program& p) {
  p.Config.MenuEasy = 0;
  MenuCheckSet(p);
}

// The switch takes effect at once; it also keeps the choice for the next start.
void SwitchToEasyMenu(Program& p) {
  mnuOMenu_easy(p);
  ShowEasyMenu(p.Menu);
}

void SwitchToFullMenu(Program& p) {
  mnuOmenu_full(p);
  ShowFullMenu(p.Menu);
}

void SetReplayInterval(Program& p, int32_t intervalMs) {
  p.Config.RedrawSlow = intervalMs;
  if (p.Window.ReplayTimerOn) p.Host->SetTimer(TimerId::kDrawSlow, intervalMs);
  MenuCheckSet(p);
}

}  // namespace plandra
