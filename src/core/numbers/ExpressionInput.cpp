#include "core/numbers/ExpressionInput.h"

#include <string>
#include <utility>

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "core/numbers/Calc05.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::string_view kOperatorChars = "+-*/^";

ExpressionInput& Express(Program& p) { return p.Express; }

void EnableChoiceOfNumber(ExpressionInput& dialog, bool enabled) {
  dialog.NumList.Enabled = enabled;
  dialog.NumSelectOK.Enabled = enabled;
  dialog.cmdAddNum.Enabled = enabled;
}

void EnableOperators(ExpressionInput& dialog, bool enabled) {
  for (DialogControl* button : {&dialog.cmdOpAdd, &dialog.cmdOpMinus, &dialog.cmdOpMulti,
                                &dialog.cmdOpDiv, &dialog.cmdOpPower, &dialog.cmdInputEnd}) {
    button->Enabled = enabled;
  }
}

void ShowConstantInput(ExpressionInput& dialog, bool shown) {
  ShowControl(dialog.Text1, shown);
  ShowControl(dialog.LabelNewNumCheck, shown);
  ShowControl(dialog.cmdNewNumOK, shown);
}

void EnterState(Program& p, ExpressState state) {
  ExpressionInput& dialog = Express(p);
  dialog.State = state;
  dialog.LabelExpress.Caption = Num2Name(p.Fig, dialog.ExpByNum);
}

void AppendOperand(Program& p, int index) {
  Express(p).ExpByNum += "N" + std::to_string(index);
  SetVisibleOp(p);
}

void Close(Program& p) {
  ExpressionInput& dialog = Express(p);
  dialog.Shown = false;
  dialog.ExpByNum.clear();
  if (CurrentMode(p.Modes) == kModeNumExpression) ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
  Redraw(p);
}

void TranslateCaptions(Program& p) {
  ExpressionInput& dialog = Express(p);
  const std::pair<DialogControl*, std::string_view> captions[] = {
      {&dialog.Label1, "数式を作るには,上段(数値)と下段(演算)を交互に選択してください。"},
      {&dialog.NumSelectOK, "左の数値(OK)"},
      {&dialog.cmdAddNum, "新しい数値の追加"},
      {&dialog.cmdNewNumOK, "OK :確認"},
      {&dialog.Label5, "式:"},
      {&dialog.cmdReInput, "再入力"},
      {&dialog.cmdInputEnd, "入力終了"},
      {&dialog.cmdCancel, "キャンセル"}};
  for (const auto& [control, text] : captions) control->Caption = Translate(p.Lang, text);
  dialog.Caption = Translate(p.Lang, "数式の入力");
}

}  // namespace

void mnuMcalc(Program& p) {
  ModePush(p.Modes, kModeNumExpression, *p.Host);
  RefreshModeDisplay(p);
  Init(p);
}

void Init(Program& p) {
  ExpressionInput& dialog = Express(p);
  TranslateCaptions(p);
  dialog.Shown = true;
  dialog.ExpByNum.clear();
  SetupNumList(p);
  SetVisibleNum(p);
  dialog.LabelExpress.Caption.clear();
  dialog.LabelNewNumCheck.Visible = false;
}

void SetupNumList(Program& p) {
  DialogList& list = Express(p).NumList;
  list.Lines = SetupNumList(p.Fig, p.Config.KetaDecimal);
  list.Selected = -1;
}

void SetVisibleNum(Program& p) {
  ExpressionInput& dialog = Express(p);
  EnableChoiceOfNumber(dialog, true);
  EnableOperators(dialog, false);
  dialog.cmdReInput.Enabled = true;
  ShowConstantInput(dialog, false);
  dialog.Text1.Caption.clear();
  if (!dialog.NumList.Lines.empty()) {
    dialog.NumList.Selected = 0;
    dialog.Focus = "NumList";
  }
  EnterState(p, ExpressState::kNumberExpected);
}

void SetVisibleOp(Program& p) {
  ExpressionInput& dialog = Express(p);
  EnableChoiceOfNumber(dialog, false);
  EnableOperators(dialog, true);
  dialog.cmdReInput.Enabled = true;
  ShowConstantInput(dialog, false);
  dialog.Focus = "cmdInputEnd";
  EnterState(p, ExpressState::kOperatorExpected);
}

void ExpressActivate(Program& p) {
  ExpressionInput& dialog = Express(p);
  // Only while a number is expected: two numbers in a row would make an
  // expression that cannot be evaluated.
  if (dialog.NumList.Lines.empty() || dialog.State != ExpressState::kNumberExpected) return;
  dialog.NumList.Enabled = true;
  dialog.NumList.Visible = true;
  dialog.Focus = "NumList";
}

void ExpressSelectLine(Program& p, int line) {
  DialogList& list = Express(p).NumList;
  if (line >= 0 && line < static_cast<int>(list.Lines.size())) list.Selected = line;
}

void ExpressTakeNumber(Program& p) {
  ExpressionInput& dialog = Express(p);
  const DialogList& list = dialog.NumList;
  if (dialog.State != ExpressState::kNumberExpected || list.Selected < 0 ||
      list.Selected >= static_cast<int>(list.Lines.size())) {
    return;
  }
  AppendOperand(p, list.Selected + 1);
}

void ExpressOperator(Program& p, char op) {
  ExpressionInput& dialog = Express(p);
  if (dialog.State != ExpressState::kOperatorExpected ||
      kOperatorChars.find(op) == std::string_view::npos) {
    return;
  }
  dialog.ExpByNum += op;
  SetVisibleNum(p);
}

void ExpressAddNum(Program& p) {
  ExpressionInput& dialog = Express(p);
  if (dialog.State != ExpressState::kNumberExpected) return;
  EnableChoiceOfNumber(dialog, false);
  EnableOperators(dialog, false);
  dialog.cmdReInput.Enabled = false;
  ShowConstantInput(dialog, true);
  ExpressText1Changed(p, "");
  dialog.Focus = "Text1";
  EnterState(p, ExpressState::kTypingConstant);
}

void ExpressNewNumOK(Program& p) {
  ExpressionInput& dialog = Express(p);
  if (dialog.State != ExpressState::kTypingConstant) return;
  int made = AppendNumber(p.Fig, LeadingNumber(dialog.Text1.Caption));
  if (made == 0) {
    TellStoreFull(p);
    return;
  }
  SetupNumList(p);
  dialog.Text1.Caption.clear();
  AppendOperand(p, made);
}

void ExpressText1Changed(Program& p, std::string_view text) {
  ExpressionInput& dialog = Express(p);
  dialog.Text1.Caption = std::string(text);
  dialog.LabelNewNumCheck.Caption = PlainNumberText(LeadingNumber(text));
}

void ExpressText1Step(Program& p, int direction) {
  double value = LeadingNumber(Express(p).Text1.Caption) + direction;
  ExpressText1Changed(p, PlainNumberText(value));
}

void ExpressInputEnd(Program& p) {
  ExpressionInput& dialog = Express(p);
  if (dialog.State != ExpressState::kOperatorExpected) return;
  CalcResult result = FinishExpression(p.Fig, p.Lang, dialog.ExpByNum);
  if (!result.Ok) {
    p.Host->MessageBox(result.Message, kProgramTitle, MsgButtons::kOk);
    return;
  }
  Close(p);
}

void ExpressCancel(Program& p) { Close(p); }

bool ExpressKey(Program& p, std::string_view control, int16_t key, std::string_view text) {
  ExpressionInput& dialog = Express(p);
  if (control == "NumList") {
    switch (key) {
      case kKeyEnter: ExpressTakeNumber(p); return true;
      case kKeyRight: dialog.Focus = "NumSelectOK"; return true;
      case kKeyLeft: dialog.Focus = "cmdAddNum"; return true;
      case kKeyEscape: ExpressCancel(p); return true;
      default: return false;
    }
  }
  if (control == "NumSelectOK" && key == kKeyEnter) {
    ExpressTakeNumber(p);
    return true;
  }
  if (control == "cmdInputEnd") {
    if (key == kKeyEscape) {
      ExpressCancel(p);
      return true;
    }
    if (text.size() != 1) return false;
    if (text == "=") {
      ExpressInputEnd(p);
      return true;
    }
    if (kOperatorChars.find(text[0]) == std::string_view::npos) return false;
    ExpressOperator(p, text[0]);
    return true;
  }
  if (control == "Text1") {
    switch (key) {
      case kKeyUp: ExpressText1Step(p, 1); return true;
      case kKeyDown: ExpressText1Step(p, -1); return true;
      case kKeyEnter: ExpressNewNumOK(p); return true;
      case kKeyEscape: ExpressCancel(p); return true;
      default: return false;
    }
  }
  return false;
}

}  // namespace plandra
