// The display settings commands: background, pen width, font, colour
// strength and the text and angle-mark switches.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <string>

#include "app/Program.h"
#include "numbers/NumberInput.h"
#include "view/PDDraw05.h"
#include "view/PDDraw05_internal.h"

namespace plandra {
namespace {

using draw_internal::HostOf;

constexpr double kMinFontSize = 6;
constexpr double kMaxFontSize = 100;
constexpr int kMaxColorStrength = 255;

std::string NumberText(double value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%g", value);
  return buffer;
}

void SetBackground(Program& p, RgbColor color) {
  p.Config.BackColor = ToSettingsColor(color);
  Redraw(p);
}

// Prompt and title come translated. Cancelling an input box changes nothing (an empty answer would
// otherwise read as 0 and reset the value to its bound).
std::optional<double> AskNumber(Program& p, std::string_view prompt, std::string_view title,
                                double current) {
  std::optional<std::string> answer = HostOf(p).InputBox(prompt, title, NumberText(current));
  if (!answer) return std::nullopt;
  return LeadingNumber(*answer);
}

}  // namespace

double LeadingNumber(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  std::from_chars_result result = std::from_chars(text.data(), text.data() + text.size(), value);
  if (result.ec != std::errc() || !std::isfinite(value)) return 0;
  return value;
}

void mnuOBackCWhite(Program& p) { SetBackground(p, RgbColor{255, 255, 255}); }

void mnuOBackCStandard(Program& p) { SetBackground(p, kButtonFaceColor); }

void mnuOBackCmanual(Program& p) {
  std::optional<RgbColor> chosen = HostOf(p).ColorDialog(p.Draw.DialogColor);
  if (!chosen) return;
  p.Draw.DialogColor = *chosen;
  SetBackground(p, *chosen);
}

// The number input dialog applies the width (1..10) and redraws on OK.
void mnuWidth(Program& p) {
  std::string prompt = Translate(p.Lang, "線の太さの設定") + "\n" + Translate(p.Lang, "(1から10)");
  Load_PDNum(p, prompt, kDrawWidthSetting, p.Config.DrawWidth, 1);
}

void mnuFont(Program& p) {
  std::optional<double> value =
      AskNumber(p, Translate(p.Lang, "フォントの大きさを入力してください"),
                Translate(p.Lang, "フォントサイズの設定"), p.Config.FontSize);
  if (!value) return;
  double size = std::clamp(*value, kMinFontSize, kMaxFontSize);
  p.Config.FontSize = static_cast<float>(std::floor(size));
  Redraw(p);
}

void mnuOFont(Program& p) {
  std::optional<FontChoice> chosen =
      HostOf(p).FontDialog(FontChoice{p.Config.FontName, p.Config.FontSize});
  if (!chosen) return;
  p.Config.FontName = chosen->Family;
  p.Config.FontSize = static_cast<float>(std::clamp(chosen->Points, kMinFontSize, kMaxFontSize));
  Redraw(p);
}

void mnuOColorStrength(Program& p) {
  std::optional<double> value =
      AskNumber(p, Translate(p.Lang, "1から255までの数を入力してください"),
                Translate(p.Lang, "色の濃さ"), p.Config.ColorStrength);
  if (!value) return;
  double strength = std::trunc(*value);
  p.Config.ColorStrength = static_cast<int16_t>(
      strength < 1 || strength > kMaxColorStrength ? kMaxColorStrength : strength);
  Redraw(p);
}

void mnuOchrDisp(Program& p) {
  p.Config.NotChrDisp = p.Config.NotChrDisp != kFalse ? kFalse : kTrue;
  Redraw(p);
}

void mnuAngleSW(Program& p) {
  p.Draw.AngleMarksShown = !p.Draw.AngleMarksShown;
  Redraw(p);
}

}  // namespace plandra
