#include "app/Startup.h"

#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/io/FigFileIO.h"
#include "core/io/FileFaultText.h"
#include "core/io/SettingsFileIO.h"
#include "core/locus/PdLocus.h"
#include "core/pick/PDSelObj.h"
#include "curves/SampledLocusCurves.h"
#include "figure/PDtype05.h"
#include "files/FileWriter.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr int16_t kStartCapacity = 200;
constexpr std::string_view kCommandLineFigureMissingText =
    "指定された図形ファイルが見つかりません。";

void ReadCommandLineFigure(Program& p, const StartupInputs& inputs) {
  std::string path = CommandLineFigurePath(inputs.CommandLine);
  std::error_code error;
  if (path.empty() || !inputs.ReadFigure) return;
  // Taken from the folder the program was started in, now: a save dialog
  // would take a bare name from the folder it opens in.
  if (std::filesystem::path absolute = std::filesystem::absolute(path, error); !error) {
    path = absolute.string();
  }
  if (!std::filesystem::exists(path, error)) {
    // The user asked for this figure: an empty window alone would not say why.
    // One that is there but no file is refused by the reader, which says so.
    p.Host->MessageBox(Translate(p.Lang, kCommandLineFigureMissingText) + "\n" + path,
                       Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
    return;
  }
  ModePush(p.Modes, kModeLoading, *p.Host);
  if (inputs.ReadFigure(p, path)) p.CurFileName = path;
  Redraw(p);  // the figure as the window shows it is the one opened
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
  ZoomForOpenedFigure(p);
}

// The record files go to the program folder: the record is kept when that
// folder can be written, whatever the executable's own file allows.
void CheckProgramFolder(Program& p) {
  p.Window.ExeReadOnly = FolderIsWritable(p.Folders.Folder) ? 0 : -1;
  if (p.Window.ExeReadOnly) {
    if (MenuItem* item = FindMenuItem(p.Menu, "mnuLocusNumCSV")) item->Visible = false;
  }
}

}  // namespace

bool ReadFigureFile(Program& p, const std::filesystem::path& file) {
  std::string previous = p.CurFileName;
  p.CurFileName = file.string();
  FigFileResult result = FigFileIO(p, 'R');
  if (result.Status == FigFileStatus::kOk) {
    ResetLocus(p);  // another figure's traces and record mean nothing here
    ClearObjStatus(p);
    TellCutTexts(p, result);
    return true;
  }
  p.CurFileName = previous;  // the open figure stays, and so does its name
  // The reader only beeps; the user is told why here.
  if (result.Status != FigFileStatus::kReadOnly && !result.Message.empty()) {
    std::string text = Translate(p.Lang, kFigureReadFailedText) + "\n" +
                       FaultText(p.Lang, result.Fault) + result.Message;
    p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
  }
  return false;
}

void ZoomForOpenedFigure(Program& p) {
  if (p.Fig.ComplexOpsUsed) RunAction(p, "mnuZoomComplex", nullptr);
}

std::string CommandLineFigurePath(std::string_view commandLine) {
  std::string_view path = Trim(commandLine);
  if (!path.empty() && path.back() == '"') path.remove_suffix(1);
  if (!path.empty() && path.front() == '"') path.remove_prefix(1);
  return std::string(path);
}

bool FolderIsWritable(const std::filesystem::path& folder) {
  return !folder.empty() && CanCreateFileIn(folder);
}

void StartUp(Program& p, const StartupInputs& inputs) {
  p.Window.Caption = std::string(kProgramTitle) + " " + std::string(ProgramVersion());
  if (p.Canvas) p.Canvas->Clear();
  ResetFigure(p.Fig, kStartCapacity);
  WireNumberChooser(p);
  WireLocusLayer(p, kLocusWorkPerFrame);
  DisableUnwiredItems(p.Menu);
  p.Status = DesignedStatusBar();
  MarkAvailablePanels(p);
  p.Modes = ModeState{};
  ModePush(p.Modes, kModeStandard, *p.Host);

  p.Lang.ProgramFolder = p.Folders.Folder;
  mnuOFileLoad(p.Config, p.Folders.Folder, *p.Host, p.Lang);
  p.Lang.Language = p.Config.Language;
  ApplyMenuLanguage(p);
  mnuFDataFolderGet(p.DataPaths, p.Folders);
  p.DataPaths.DocumentsFolder = inputs.DocumentsFolder;
  Set_MergeDataFolder(p.DataPaths, p.Folders);
  SetScreen(p);

  ModePush(p.Modes, kModeStandard, *p.Host);
  p.CurFileName = std::string(kUntitled);
  RefreshModeDisplay(p);

  ReadCommandLineFigure(p, inputs);
  if (IsWindowCopy(p, p.CurFileName)) p.CurFileName = std::string(kUntitled);
  if (p.Config.MenuEasy) {
    ShowEasyMenu(p.Menu);
  } else {
    ShowFullMenu(p.Menu);
  }
  CheckProgramFolder(p);
  RefreshModeDisplay(p);
  MarkFigureSaved(p);
}

}  // namespace plandra
