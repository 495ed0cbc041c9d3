// The small number input dialog's logic: one numeric setting, typed or
// stepped with arrow buttons, applied on OK by the setting's name.
#pragma once

#include <string>
#include <string_view>

#include "core/dialogs/DialogControl.h"

namespace plandra {

struct Program;

constexpr std::string_view kDrawWidthSetting = "ZEvav.DrawWidth";
constexpr std::string_view kKetaDecimalSetting = "KetaDecimal";

struct NumberInput {
  bool Shown = false;
  std::string Caption = "数値入力";
  DialogControl Label1;
  DialogControl Text1;
  DialogControl Command1{"↑"};
  DialogControl Command2{"↓"};
  DialogControl OKButton{"OK"};
  DialogControl CancelButton{"ｷｬﾝｾﾙ"};
  std::string Focus;
  std::string vN;  // the setting's name
  double dx1 = 1;  // the arrow buttons' increment
};

// Msg is the prompt, vN the setting, var_value its current value, dx1 the
// arrow buttons' increment. Shows the dialog.
void Load_PDNum(Program& p, std::string_view Msg, std::string_view vN, double var_value,
                double dx1);

// A text that reads as the number 0 is emptied.
void NumInputTextChanged(Program& p, std::string_view text);
void NumInputStep(Program& p, int direction);  // Command1 (+dx1), Command2 (-dx1)
// Applies the number read from Text1 to the setting named vN, then hides.
void NumInputOK(Program& p);
void NumInputCancel(Program& p);
bool NumInputKey(Program& p, std::string_view control, int16_t key);

// The decimals of measured values.
void mnuKeta(Program& p);

}  // namespace plandra
