// The view and display commands of the menus: zoom, the grid, the window
// presets, background, pen width, font, colour strength and the text and
// angle-mark switches. Each changes the settings or the view and redraws.
#include "core/ViewCommands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>
#include <string>

#include "core/Program.h"
#include "core/Refresh.h"
#include "core/io/SettingsFileIO.h"
#include "core/numbers/NumberInput.h"
#include "persist/String05.h"

namespace plandra {
namespace {

// Doubling the zoom without end would reach infinity and poison every
// coordinate; far beyond any use, zooming out stops.
constexpr double kMaxPixelSize = 1e12;

constexpr RgbColor kAxisLight{170, 170, 170};
constexpr RgbColor kAxisMiddle{128, 128, 128};
constexpr RgbColor kAxisDark{10, 10, 10};

constexpr int kStandardOuterWidth = 6525;
constexpr int kStandardOuterHeight = 6615;
constexpr int kMinStartSize = 301;

constexpr double kMinFontSize = 6;
constexpr double kMaxFontSize = 100;
constexpr int kMaxColorStrength = 255;

void ZoomTo(Program& p, double pixelSize) {
  p.View.PixelSize = pixelSize;
  SetScreen(p);
  Redraw(p);
}

void SetAxisColor(Program& p, RgbColor color) {
  p.Config.AxisColor = ToSettingsColor(color);
  Redraw(p);
}

void ShowStatusBar(Program& p, WindowGeometry& window) {
  p.Draw.StatusBarVisible = true;
  window.StatusBarVisible = true;
}

int16_t ToInt16(int value) {
  return static_cast<int16_t>(std::clamp<int>(value, std::numeric_limits<int16_t>::min(),
                                              std::numeric_limits<int16_t>::max()));
}

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

void SetScreen(Program& p) { SetScreen(p.View, p.Canvas); }

void mnuZoomIn(Program& p) {
  double halved = p.View.PixelSize / 2;
  if (halved < kMinPixelSize) {
    HostOf(p).MessageBox(Translate(p.Lang, "そろそろ限界ですので,元の画面に戻します"),
                         kProgramTitle, MsgButtons::kOk);
    halved = kDefaultPixelSize;
  }
  ZoomTo(p, halved);
}

void mnuZoomOut(Program& p) {
  double doubled = p.View.PixelSize * 2;
  if (doubled > kMaxPixelSize) {
    HostOf(p).Beep();
    return;
  }
  ZoomTo(p, doubled);
}

void mnuZoomDefault(Program& p) { ZoomTo(p, kDefaultPixelSize); }

void mnuZoomComplex(Program& p) {
  ZoomTo(p, kDefaultPixelSize / 4);
  p.Config.AxisShow = kFalse;
  mnuOAxis(p);
}

// The grid commands redraw the whole picture rather than painting the old
// grid over in the background colour, which would also wipe out every
// element the grid crossed.
void mnuOAxis(Program& p) {
  p.Config.AxisShow = p.Config.AxisShow != kFalse ? kFalse : kTrue;
  Redraw(p);
}

void mnuOAxis01(Program& p) {
  p.View.AxisKind = 0;
  p.Config.AxisShow = kTrue;
  Redraw(p);
}

void mnuOAxis02(Program& p) {
  p.View.AxisKind = 1;
  p.Config.AxisShow = kTrue;
  Redraw(p);
}

void mnuOAxisColor1(Program& p) { SetAxisColor(p, kAxisLight); }
void mnuOAxisColor2(Program& p) { SetAxisColor(p, kAxisMiddle); }
void mnuOAxisColor3(Program& p) { SetAxisColor(p, kAxisDark); }

void mnuOAxisColorManual(Program& p) {
  std::optional<RgbColor> chosen = HostOf(p).ColorDialog(p.Draw.DialogColor);
  if (!chosen) return;
  p.Draw.DialogColor = *chosen;
  SetAxisColor(p, *chosen);
}

void mnuOWindowStandard(Program& p, WindowGeometry& window) {
  window.State = kWindowNormal;
  window.OuterHeight = kStandardOuterHeight;
  window.OuterWidth = kStandardOuterWidth;
  ShowStatusBar(p, window);
  mnuOWindowSave(p, window);
}

// The window applies the new outer size; its resize runs SetScreen.
void mnuOWindowVGA(Program& p, WindowGeometry& window) {
  window.State = kWindowNormal;
  // The menu and status bars keep their size, so the outer size changes by
  // what the drawing area lacks (scaling it by the ratio would miss by their share).
  if (window.ClientWidth > 0 && window.ClientHeight > 0) {
    window.OuterHeight += (kVgaClientHeight - window.ClientHeight) * kTwipsPerPixel;
    window.OuterWidth += (kVgaClientWidth - window.ClientWidth) * kTwipsPerPixel;
  }
  ShowStatusBar(p, window);
  mnuOWindowSave(p, window);
}

void mnuOWindowMax(Program& p, WindowGeometry& window) {
  window.State = kWindowMaximized;
  ShowStatusBar(p, window);
  mnuOWindowSave(p, window);
}

bool mnuOWindowSave(Program& p, const WindowGeometry& window) {
  p.Config.StartWidth = ToInt16(window.OuterWidth);
  p.Config.StartHeight = ToInt16(window.OuterHeight);
  p.Config.StartState = window.State;
  return mnuOFileSave(p.Config, p.Folders.Folder, HostOf(p), p.Lang);
}

bool SetWindow(const Program& p, WindowGeometry& window) {
  if (p.Config.StartState == kWindowMaximized) {
    window.State = kWindowMaximized;
    return true;
  }
  if (p.Config.StartWidth < kMinStartSize || p.Config.StartHeight < kMinStartSize) return false;
  window.OuterWidth = p.Config.StartWidth;
  window.OuterHeight = p.Config.StartHeight;
  return true;
}

double LeadingNumber(std::string_view text) {
  size_t start = text.find_first_not_of(" \t");
  if (start == std::string_view::npos) return 0;
  text.remove_prefix(start);
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  double value = 0;
  if (ReadReal(text, value).Error != std::errc()) return 0;
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
