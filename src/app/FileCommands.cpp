#include "app/FileCommands.h"

#include "app/Startup.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/construct/PDconst01.h"
#include "core/io/FigFileIO.h"
#include "core/io/FileFaultText.h"
#include "core/pick/PDSelObj.h"
#include "figure/PDtype05.h"
#include "files/PDio05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::string_view kSaveFailedText = "図形ファイルを保存できませんでした。";
constexpr std::string_view kCopyFailedText = "画面複写のファイルを書けませんでした。";

std::string ChosenName(const std::optional<std::filesystem::path>& chosen) {
  return chosen ? std::string(Trim(chosen->string())) : std::string();
}

void ShowFailure(Program& p, std::string_view fixedText, const FigFileResult& result) {
  std::string text = Translate(p.Lang, fixedText);
  if (!result.Message.empty()) text += "\n" + FaultText(p.Lang, result.Fault) + result.Message;
  p.Host->MessageBox(text, Translate(p.Lang, kProgramTitle), MsgButtons::kOk);
}

void EnterMode(Program& p, int16_t mode) {
  ModePush(p.Modes, mode, *p.Host);
  RefreshModeDisplay(p);
}

void LeaveMode(Program& p) {
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
}

// The last four characters, which hold the extension when there is one;
// part is given in small letters and found in either case.
bool LastFourContain(std::string_view name, std::string_view part) {
  return name.size() > 4 &&
         LowerAscii(name.substr(name.size() - 4)).find(part) != std::string::npos;
}

}  // namespace

std::string SettledFigureText(const Program& p) {
  bool lost = false;
  if (!NewPointWaiting(p)) return FigFileText(p.Fig, lost);
  Figure settled = p.Fig;
  RemoveLastStep(settled);
  return FigFileText(settled, lost);
}

void ShowFileName(Program& p) { p.Status.Panel(kFilePanel).Text = FileNameOnly(p.CurFileName); }

void MarkFigureSaved(Program& p) { p.SavedFigureText = SettledFigureText(p); }

bool SaveChangedFigureFirst(Program& p, std::string_view question) {
  if (!FigureChanged(p)) return true;
  MsgResult answer = p.Host->MessageBox(Translate(p.Lang, question),
                                        Translate(p.Lang, kProgramTitle), MsgButtons::kYesNoCancel);
  if (answer == MsgResult::kYes) return mnuSave_Click(p);
  return answer == MsgResult::kNo;
}

bool FigureChanged(const Program& p) {
  if (p.SavedFigureText) return SettledFigureText(p) != *p.SavedFigureText;
  int settledSteps = p.Fig.StepCount;
  if (NewPointWaiting(p)) --settledSteps;
  return settledSteps > 0 || p.Fig.ElemCount[kClassNumber] > 0;
}

FileDialogRequest FigureDialogRequest(Program& p) {
  FileDialogRequest request;
  request.Filter = Translate(p.Lang, "すべてのファイル") + "(*.*)|*.*|" +
                   Translate(p.Lang, "PD4/5形式") + "(*.pd*)|*.pd*|";
  request.FilterIndex = 2;
  request.InitialFolder = p.DataPaths.LoadInitialFolder;
  return request;
}

bool IsWindowCopy(const Program& p, const std::filesystem::path& file) {
  std::error_code error;
  return file.filename() == kWindowCopyFileName && !p.Folders.Folder.empty() &&
         std::filesystem::equivalent(std::filesystem::absolute(file, error).parent_path(),
                                     p.Folders.Folder, error);
}

bool OpenPDFile(Program& p, const std::filesystem::path& file) {
  if (!SaveChangedFigureFirst(p, kSaveBeforeOpenText)) return false;
  // The reader fills a fresh store of the program's capacity and replaces
  // the open figure only when the whole file was read.
  bool read = ReadFigureFile(p, file);
  Redraw(p);
  ShowFileName(p);
  if (read) MarkFigureSaved(p);
  return read;
}

bool ReadPDFigFile(Program& p, const std::filesystem::path& file) {
  bool read = OpenPDFile(p, file);
  LeaveMode(p);
  return read;
}

void mnuLoad_Click(Program& p) {
  EnterMode(p, kModeLoading);
  FileDialogRequest request = FigureDialogRequest(p);
  request.MustExist = true;
  std::optional<std::filesystem::path> chosen = p.Host->OpenFileDialog(request);
  p.DataPaths.LoadInitialFolder.clear();
  if (std::string name = ChosenName(chosen); !name.empty()) OpenPDFile(p, name);
  LeaveMode(p);
}

void mnuMerge_Click(Program& p) {
  EnterMode(p, kModeLoading);
  FileDialogRequest request;
  request.MustExist = true;
  request.InitialFolder = p.DataPaths.MergeInitialFolder;
  std::optional<std::filesystem::path> chosen = p.Host->OpenFileDialog(request);
  p.DataPaths.MergeInitialFolder.clear();
  if (std::string name = ChosenName(chosen); !name.empty()) {
    std::string kept = p.CurFileName;
    p.CurFileName = name;
    FigFileResult result = FigFileIO(p, 'A');
    p.CurFileName = kept;
    if (result.Status != FigFileStatus::kOk) ShowFailure(p, kFigureReadFailedText, result);
    TellCutTexts(p, result);
    Redraw(p);
    ShowFileName(p);
  }
  LeaveMode(p);
}

std::string ProposedSaveName(const Program& p) {
  std::string name = p.CurFileName;
  if (LastFourContain(name, ".")) name.replace(name.size() - 4, 4, FigFileExt(p.Fig));
  return name;
}

std::string SaveNameFor(const Program& p, std::string_view chosen) {
  std::string name(chosen);
  if (!LastFourContain(name, ".pd")) name += FigFileExt(p.Fig);
  return name;
}

bool mnuSave_Click(Program& p) {
  bool saved = false;
  EnterMode(p, kModeSaving);
  p.CurFileName = ProposedSaveName(p);
  FileDialogRequest request = FigureDialogRequest(p);
  request.FileName = p.CurFileName;
  request.PromptOverwrite = true;
  if (p.CurFileName == kUntitled && !p.DataPaths.DocumentsFolder.empty()) {
    request.InitialFolder = p.DataPaths.DocumentsFolder;
  }
  std::optional<std::filesystem::path> chosen = p.Host->SaveFileDialog(request);
  p.DataPaths.LoadInitialFolder.clear();
  if (std::string name = ChosenName(chosen); !name.empty()) {
    std::string previous = p.CurFileName;
    p.CurFileName = SaveNameFor(p, name);
    FigFileResult result = FigFileIO(p, 'W');
    saved = result.Status == FigFileStatus::kOk;
    if (saved) MarkFigureSaved(p);
    if (!saved) {
      // The figure is not in that file: it keeps the name it had.
      p.CurFileName = previous;
      // The read-only case has told the user already.
      if (result.Status != FigFileStatus::kReadOnly) ShowFailure(p, kSaveFailedText, result);
    }
    ShowFileName(p);
  }
  ModePop(p.Modes, *p.Host);
  Redraw(p);
  RefreshModeDisplay(p);
  return saved;
}

void Fig_Save_Click(Program& p) { mnuSave_Click(p); }

bool mnuOcopyWindow_Click(Program& p) {
  std::filesystem::path copy = p.Folders.Folder / kWindowCopyFileName;
  FigFileResult result = FigFileCoreShown(p.Fig, copy, 'W', *p.Host, p.Lang);
  if (result.Status != FigFileStatus::kOk) {
    if (result.Status != FigFileStatus::kReadOnly) ShowFailure(p, kCopyFailedText, result);
    return false;
  }
  NoteTemporaryFile(p.Folders, copy);
  return p.Host->StartProgramCopy(copy);
}

}  // namespace plandra
