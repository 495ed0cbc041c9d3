#include "app/NewAndExit.h"

#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/construct/PDconst01.h"
#include "core/events/MemoWindow.h"
#include "core/locus/PlaneTable.h"
#include "core/pick/PDSelObj.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr int16_t kNewFigureCapacity = 200;
constexpr std::string_view kEscape = "\x1b";

bool AnyOf(std::string_view typed, std::initializer_list<std::string_view> keys) {
  for (std::string_view key : keys) {
    if (typed == key) return true;
  }
  return false;
}

}  // namespace

NewConstchkTexts NewConstchkDialogTexts(LangState& lang) {
  return {Translate(lang, "新規作図の確認"),
          Translate(lang, "現在の図は失われますが,新しい図を作図しますか。"),
          Translate(lang, "はい(Y)"), Translate(lang, "保存しておく(S)"),
          Translate(lang, "キャンセル(Esc)")};
}

std::optional<NewChoice> NewConstchkKey(std::string_view typed) {
  if (AnyOf(typed, {"Y", "y", "ﾗ", "ラ", "Ｙ"})) return NewChoice::kYes;
  if (AnyOf(typed, {"S", "s", "Ｓ", "シ", "ｼ"})) return NewChoice::kSave;
  if (typed == kEscape) return NewChoice::kCancel;
  return std::nullopt;
}

bool mnuNew(Program& p) {
  if (p.Fig.ElemCount[1] >= 1) return true;
  StartNewFigure(p);
  return false;
}

void NewConstchkAnswer(Program& p, NewChoice choice) {
  switch (choice) {
    case NewChoice::kYes: StartNewFigure(p); break;
    case NewChoice::kSave: RunAction(p, "mnuSave", nullptr); break;
    case NewChoice::kCancel: Redraw(p); break;
  }
}

void StartNewFigure(Program& p) {
  if (p.Canvas) p.Canvas->Clear();
  p.CurFileName = std::string(kUntitled);
  ResetFigure(p.Fig, kNewFigureCapacity);
  ResetLocus(p);
  ClearObjStatus(p);
  NewFreePoint(p);
  MarkFigureSaved(p);
  RefreshModeDisplay(p);
}

void mnuExit(Program& p) {
  // The figure is asked about as it was, not with the point at a sample.
  CancelPlaneTable(p);
  if (!MemoMayGo(p.Events.Memo, *p.Host, p.Lang)) return;
  if (!SaveChangedFigureFirst(p, kSaveBeforeExitText)) return;
  // Only the files this program wrote, and only as it wrote them: the copy
  // window may have saved its work into one.
  RemoveTemporaryFiles(p.Folders);
  p.Window.ExitRequested = true;
}

AboutBoxTexts AboutBox(LangState& lang) {
  return {Translate(lang, std::string(kProgramTitle) + "のﾊﾞｰｼﾞｮﾝ情報"),
          "ver." + std::string(ProgramVersion()), Translate(lang, kProgramTitle),
          Translate(lang, "OK"), Translate(lang, "システム情報")};
}

void AboutSystemInfo(Program& p) {
  std::string title = Translate(p.Lang, kProgramTitle);
  p.Host->MessageBox(Translate(p.Lang, "現時点ではｼｽﾃﾑ情報を使用できません"), title,
                     MsgButtons::kOk);
}

}  // namespace plandra
