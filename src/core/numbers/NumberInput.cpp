#include "core/numbers/NumberInput.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "core/InputEvent.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "labels/Labels05.h"
#include "persist/String05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr double kMinDrawWidth = 1;
constexpr double kMaxDrawWidth = 10;

// The text box shows a number as typed, without the sign blank.
std::string BareNumberText(double value) { return std::string(Trim(PlainNumberText(value))); }

int16_t WholePart(double value) { return static_cast<int16_t>(std::trunc(value)); }

void Hide(NumberInput& input) { input.Shown = false; }

}  // namespace

void Load_PDNum(Program& p, std::string_view Msg, std::string_view vN, double var_value,
                double dx1) {
  NumberInput& input = p.NumInput;
  input.Caption = Translate(p.Lang, "数値入力");
  input.CancelButton.Caption = Translate(p.Lang, "ｷｬﾝｾﾙ");
  input.Label1.Caption = std::string(Msg);
  input.vN = std::string(vN);
  input.dx1 = dx1;
  NumInputTextChanged(p, BareNumberText(var_value));
  input.Focus = "Text1";
  input.Shown = true;
}

void NumInputTextChanged(Program& p, std::string_view text) {
  NumberInput& input = p.NumInput;
  input.Text1.Caption = LeadingNumber(text) == 0 ? std::string() : std::string(text);
}

void NumInputStep(Program& p, int direction) {
  NumberInput& input = p.NumInput;
  double value = LeadingNumber(input.Text1.Caption) + direction * input.dx1;
  NumInputTextChanged(p, BareNumberText(value));
}

void NumInputOK(Program& p) {
  NumberInput& input = p.NumInput;
  double value = LeadingNumber(input.Text1.Caption);
  if (input.vN == kDrawWidthSetting) {
    p.Config.DrawWidth = WholePart(std::clamp(value, kMinDrawWidth, kMaxDrawWidth));
    Redraw(p);
  } else if (input.vN == kKetaDecimalSetting) {
    p.Config.KetaDecimal = WholePart(std::clamp(value, 0.0, double{kMaxKetaDecimal}));
    Redraw(p);
  } else {
    p.Host->MessageBox("Error :" + input.vN, kProgramTitle, MsgButtons::kOk);
  }
  Hide(input);
}

void NumInputCancel(Program& p) { Hide(p.NumInput); }

bool NumInputKey(Program& p, std::string_view control, int16_t key) {
  if (control == "Text1") {
    switch (key) {
      case kKeyUp: NumInputStep(p, 1); return true;
      case kKeyDown: NumInputStep(p, -1); return true;
      case kKeyEnter: NumInputOK(p); return true;
      case kKeyEscape: p.NumInput.Focus = "CancelButton"; return true;
      default: return false;
    }
  }
  if (control == "CancelButton" && (key == kKeyEnter || key == kKeyEscape)) {
    NumInputCancel(p);
    return true;
  }
  if (control == "OKButton" && key == kKeyEnter) {
    NumInputOK(p);
    return true;
  }
  return false;
}

void mnuKeta(Program& p) {
  std::string prompt = Translate(p.Lang, "測定値の") + "\n" +
                       Translate(p.Lang, "小数点以下の表示桁数") + "\n" +
                       Translate(p.Lang, "(0 - 14程度)");
  Load_PDNum(p, prompt, kKetaDecimalSetting, p.Config.KetaDecimal, 1);
}

}  // namespace plandra
