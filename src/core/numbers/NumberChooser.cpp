#include "core/numbers/NumberChooser.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/pick/PDSelObj.h"
#include "labels/Labels05.h"
#include "persist/String05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

NumberChooser& Chooser(Program& p) { return p.SelNum; }

void FillList(Program& p, bool independentOnly) {
  DialogList& list = Chooser(p).NumList;
  list.Lines.clear();
  list.Selected = -1;
  const Figure& fig = p.Fig;
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    if (independentOnly && fig.NumTable[i].NumFlag == kFalse) continue;
    list.Lines.push_back(NumberListLine(fig, i, p.Config.KetaDecimal));
  }
}

void ShowList(NumberChooser& chooser, bool shown) {
  chooser.NumList.Enabled = shown;
  chooser.NumList.Visible = shown;
  chooser.Cmd_OK.Visible = shown;
  chooser.Cmd_OK.Enabled = shown && chooser.NumList.Selected >= 0;
  ShowControl(chooser.Cmd_Cancel, shown);
}

void ShowNewNumberControls(NumberChooser& chooser, bool shown) {
  for (DialogControl* control :
       {&chooser.Text1, &chooser.Label2, &chooser.Label3, &chooser.NewNumOK, &chooser.NewNumCancel,
        &chooser.Command2, &chooser.Command3}) {
    ShowControl(*control, shown);
  }
}

void ShowResetControls(NumberChooser& chooser, bool shown) {
  ShowControl(chooser.ResetText, shown);
  ShowControl(chooser.ResetOK, shown);
  ShowControl(chooser.ResetCancel, shown);
}

bool ChoosingToVary(int16_t mode) { return mode == kModeNumChoice60 || mode == kModeNumVaryChoice; }
bool ChoosingForOthers(int16_t mode) { return mode == kModeNumTrace || mode == kModePickEdit; }

// The face the construction under way asks for, by the kind of its step.
void ConstructionFace(Program& p) {
  NumberChooser& chooser = Chooser(p);
  std::string_view kind =
      p.Fig.StepCount >= 1 ? Trim(StepKindText(p.Fig, p.Fig.StepCount)) : std::string_view{};
  std::string_view preset;
  if (kind == "PNEQ") preset = "2";
  if (kind == "PEXT") preset = "1";
  if (kind == "LPGN" || kind == "LH2+" || kind == "LRGN") preset = "3";
  if (!preset.empty()) SelNumText1Changed(p, preset);
  if (!preset.empty() || kind == "PN" || kind == "C1" || chooser.NumList.Lines.empty()) {
    SelNumNewNumberFace(p);
  } else {
    SelNumExistingFace(p);
  }
}

void Hide(NumberChooser& chooser) {
  chooser.Shown = false;
  ShowResetControls(chooser, false);
}

void Translated(Program& p, DialogControl& control, std::string_view text) {
  control.Caption = Translate(p.Lang, text);
}

// The construction's number slot waits only while its pick mode is in force.
bool ConstructionWaiting(const Program& p) { return CurrentMode(p.Modes) == kModePickConstruct; }

}  // namespace

void SelNumSetAll(Program& p) { FillList(p, false); }

void SelNumSetbyIndependent(Program& p) { FillList(p, true); }

void SelNumSet(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int16_t mode = CurrentMode(p.Modes);
  SelNumText1Changed(p, "");
  chooser.Cmd_OK.Enabled = false;
  ShowResetControls(chooser, false);
  if (ChoosingToVary(mode)) {
    SelNumSetbyIndependent(p);
    ShowList(chooser, true);
    ShowNewNumberControls(chooser, false);
  } else {
    SelNumSetAll(p);
    if (ChoosingForOthers(mode)) {
      ShowList(chooser, true);
      ShowNewNumberControls(chooser, false);
      chooser.Command1.Enabled = false;
      chooser.NewNum.Enabled = false;
    }
  }
}

void SelNumActivate(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int16_t mode = CurrentMode(p.Modes);
  Translated(p, chooser.Cmd_OK, "OK");
  Translated(p, chooser.Cmd_Cancel, "キャンセル");
  ShowControl(chooser.Command1, true);
  ShowControl(chooser.NewNum, true);
  chooser.Reset.Visible = false;
  if (mode == kModeNumVaryChoice) {
    ShowControl(chooser.NewNum, false);
    chooser.Reset.Visible = true;
    Translated(p, chooser.Cmd_OK, "変化させる");
    Translated(p, chooser.Cmd_Cancel, "元に戻る");
  } else if (ChoosingForOthers(mode)) {
    ShowControl(chooser.NewNum, false);
  } else if (mode != kModeNumChoice60) {
    ConstructionFace(p);
  }
  if (chooser.NumList.Selected < 0) ShowControl(chooser.Reset, false);
}

void ShowNumberChooser(Program& p) {
  NumberChooser& chooser = Chooser(p);
  chooser.Caption = Translate(p.Lang, "数値の選択");
  const std::pair<DialogControl*, std::string_view> captions[] = {
      {&chooser.Command1, "既存の変数から選択する"},
      {&chooser.NewNum, "新しい変数を追加する"},
      {&chooser.Label2, "確認 :"},
      {&chooser.NewNumOK, "OK"},
      {&chooser.NewNumCancel, "キャンセル"},
      {&chooser.Command2, "↑(+1)"},
      {&chooser.Command3, "↓(-1)"},
      {&chooser.Reset, "値の変更"},
      {&chooser.ResetOK, "OK"},
      {&chooser.ResetCancel, "キャンセル"}};
  for (const auto& [control, text] : captions) Translated(p, *control, text);
  SelNumSet(p);
  chooser.Shown = true;
  SelNumActivate(p);
}

void WireNumberChooser(Program& p) { p.Build.OpenNumberDialog = ShowNumberChooser; }

void SelNumExistingFace(Program& p) {
  NumberChooser& chooser = Chooser(p);
  ShowNewNumberControls(chooser, false);
  ShowList(chooser, true);
  SelNumSelectLine(p, 0);
  chooser.Focus = "NumList";
}

void SelNumNewNumberFace(Program& p) {
  NumberChooser& chooser = Chooser(p);
  ShowList(chooser, false);
  ShowNewNumberControls(chooser, true);
  chooser.Focus = "Text1";
}

void SelNumSelectLine(Program& p, int line) {
  NumberChooser& chooser = Chooser(p);
  if (line < 0 || line >= static_cast<int>(chooser.NumList.Lines.size())) return;
  chooser.NumList.Selected = line;
  ShowControl(chooser.Cmd_OK, true);
  if (CurrentMode(p.Modes) == kModeNumVaryChoice) ShowControl(chooser.Reset, true);
}

int SelNumLineIndex(const NumberChooser& chooser) {
  const DialogList& list = chooser.NumList;
  if (list.Selected < 0 || list.Selected >= static_cast<int>(list.Lines.size())) return 0;
  double index = LeadingNumber(NthField(list.Lines[static_cast<size_t>(list.Selected)], ":", 1));
  return static_cast<int>(std::clamp(index, 0.0, static_cast<double>(kMaxCount)));
}

void SelNumOK(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int index = SelNumLineIndex(chooser);
  if (index == 0) return;  // nothing chosen yet
  chooser.SelectedNum = index;
  Hide(chooser);
  SelNumExit(p);
}

void SelNumHide(Program& p) {
  Chooser(p).SelectedNum = 0;
  Hide(Chooser(p));
}

void SelNumNewNumOK(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int made = AppendNumber(p.Fig, LeadingNumber(chooser.Text1.Caption));
  if (made == 0) {
    TellStoreFull(p);
    return;
  }
  chooser.SelectedNum = made;
  Hide(chooser);
  SelNumExit(p);
}

void SelNumNewNumCancel(Program& p) {
  NumberChooser& chooser = Chooser(p);
  chooser.SelectedNum = 0;
  Hide(chooser);
  SelNumExit(p);
}

void SelNumCancel(Program& p) {
  NumberChooser& chooser = Chooser(p);
  chooser.SelectedNum = 0;
  Hide(chooser);
  if (ConstructionWaiting(p)) {
    // Popping the two modes alone would leave the step half made: the
    // construction is withdrawn as Escape withdraws it.
    AcceptInput(p, {});
  } else if (CurrentMode(p.Modes) == kModeNumTrace) {
    ModePop(p.Modes, *p.Host);  // the locus number's choice pushed one mode
  } else {
    ModePop(p.Modes, *p.Host);
    ModePop(p.Modes, *p.Host);
  }
  RefreshModeDisplay(p);
  Redraw(p);
}

void SelNumReset(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int index = SelNumLineIndex(chooser);
  if (index == 0 || !RefInRange(p.Fig, ObjRef::Of(kClassNumber, index))) return;
  ShowResetControls(chooser, true);
  chooser.ResetText.Caption = PlainNumberText(p.Fig.NumTable[index].Value);
  chooser.Cmd_OK.Visible = false;
  chooser.Cmd_Cancel.Visible = false;
  chooser.Focus = "ResetText";
}

void SelNumResetOK(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int index = SelNumLineIndex(chooser);
  if (index != 0 && RefInRange(p.Fig, ObjRef::Of(kClassNumber, index))) {
    NumRec& num = p.Fig.NumTable[index];
    num.Value = LeadingNumber(chooser.ResetText.Caption);
    chooser.NumList.Lines[static_cast<size_t>(chooser.NumList.Selected)] =
        PlainNumberText(index) + ":" + std::string(Trim(num.Name)) + " = " +
        PlainNumberText(num.Value);
    Redraw(p);
  }
  SelNumResetCancel(p);
  chooser.Focus = "Cmd_OK";
}

void SelNumResetCancel(Program& p) {
  NumberChooser& chooser = Chooser(p);
  ShowResetControls(chooser, false);
  chooser.Cmd_OK.Visible = true;
  chooser.Cmd_Cancel.Visible = true;
}

void SelNumResetTextChanged(Program& p, std::string_view text) {
  Chooser(p).ResetText.Caption = std::string(text);
}

void SelNumText1Changed(Program& p, std::string_view text) {
  NumberChooser& chooser = Chooser(p);
  chooser.Text1.Caption = std::string(text);
  chooser.Label3.Caption = PlainNumberText(LeadingNumber(text));
}

void SelNumText1Step(Program& p, int direction) {
  double value = LeadingNumber(Chooser(p).Text1.Caption) + direction;
  SelNumText1Changed(p, PlainNumberText(value));
}

bool SelNumKey(Program& p, std::string_view control, int16_t key) {
  if (control == "NumList" || control == "Cmd_OK") {
    if (key == kKeyEnter) SelNumOK(p);
    if (key == kKeyEscape) SelNumCancel(p);
    return key == kKeyEnter || key == kKeyEscape;
  }
  if (control == "Text1") {
    switch (key) {
      case kKeyEnter: SelNumNewNumOK(p); return true;
      case kKeyEscape: SelNumNewNumCancel(p); return true;
      case kKeyUp: SelNumText1Step(p, 1); return true;
      case kKeyDown: SelNumText1Step(p, -1); return true;
      default: return false;
    }
  }
  if (control == "ResetText") {
    if (key == kKeyEnter) SelNumResetOK(p);
    if (key == kKeyEscape) SelNumResetCancel(p);
    return key == kKeyEnter || key == kKeyEscape;
  }
  return false;
}

void SelNumExit(Program& p) {
  NumberChooser& chooser = Chooser(p);
  int16_t mode = CurrentMode(p.Modes);
  ObjRef chosen = ObjRef::Of(kClassNumber, chooser.SelectedNum);
  if (ChoosingToVary(mode)) {
    p.Var.VarTarget = chosen;
    ModePop(p.Modes, *p.Host);
    if (chosen.Index != 0) ShowObjStatus(p, chosen);  // numbers are not drawn
    RefreshModeDisplay(p);
    Redraw(p);
  } else if (mode == kModePickEdit) {
    AcceptEditPick(p, chosen);  // pops mode 40 and opens the number's dialog
  } else if (mode == kModeNumTrace) {
    if (chosen.Index != 0) p.Locus.LocusNum = chosen.Index;
    ModePop(p.Modes, *p.Host);
    RefreshModeDisplay(p);
    Redraw(p);
  } else {
    // The construction flow completes or abandons its step; the polygon's
    // vertex picking starts from there once its number is in.
    if (ConstructionWaiting(p)) AcceptInput(p, chosen);
    RefreshModeDisplay(p);
    Redraw(p);
  }
}

}  // namespace plandra
