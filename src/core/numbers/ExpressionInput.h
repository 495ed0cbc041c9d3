// The expression dialog's logic: numbers from a list and operators from
// buttons, alternately, make the index form of a calculated number.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "core/dialogs/DialogControl.h"

namespace plandra {

struct Program;

enum class ExpressState : uint8_t {
  kNumberExpected,
  kOperatorExpected,
  kTypingConstant,
};

struct ExpressionInput {
  bool Shown = false;
  std::string Caption = "数式の入力";
  DialogControl Label1{"数式を作るには,上段(数値)と下段(演算)を交互に選択してください。"};
  DialogList NumList;
  DialogControl NumSelectOK{"左の数値(OK)"};
  DialogControl cmdAddNum{"新しい数値の追加"};
  DialogControl Text1{"", true, false};
  DialogControl LabelNewNumCheck{"", true, false};
  DialogControl cmdNewNumOK{"OK :確認", true, false};
  DialogControl cmdOpAdd{"+"};
  DialogControl cmdOpMinus{"-"};
  DialogControl cmdOpMulti{"×"};
  DialogControl cmdOpDiv{"÷"};
  DialogControl cmdOpPower{"^"};
  DialogControl Label5{"式:"};
  DialogControl LabelExpress;
  DialogControl cmdReInput{"再入力"};
  DialogControl cmdInputEnd{"入力終了"};
  DialogControl cmdCancel{"キャンセル"};
  std::string Focus;
  ExpressState State = ExpressState::kNumberExpected;
  std::string ExpByNum;  // the expression so far, in index form
};

// Pushes mode 21 and opens the dialog.
void mnuMcalc(Program& p);

// Shows the dialog and starts an empty expression (also cmdReInput).
void Init(Program& p);
// The list of every number.
void SetupNumList(Program& p);
void SetVisibleNum(Program& p);
void SetVisibleOp(Program& p);
// When the dialog becomes active.
void ExpressActivate(Program& p);

void ExpressSelectLine(Program& p, int line);
void ExpressTakeNumber(Program& p);  // NumSelectOK, a double click, Enter in the list
// An operator button: one of + - * / ^.
void ExpressOperator(Program& p, char op);
void ExpressAddNum(Program& p);  // cmdAddNum
void ExpressNewNumOK(Program& p);
void ExpressText1Changed(Program& p, std::string_view text);
void ExpressText1Step(Program& p, int direction);
void ExpressInputEnd(Program& p);  // makes the calculated number
void ExpressCancel(Program& p);
// A key (code, and its typed text) in the named control; false when the
// control keeps it.
bool ExpressKey(Program& p, std::string_view control, int16_t key, std::string_view text);

}  // namespace plandra
