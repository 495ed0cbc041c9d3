// The view transform, zoom, the coordinate grid and the window presets.
#include <algorithm>
#include <cmath>
#include <limits>

#include "app/Program.h"
#include "view/PDDraw05.h"
#include "view/PDDraw05_internal.h"

namespace plandra {
namespace {

using draw_internal::HostOf;

constexpr double kPi = 3.14159265358979;
// Doubling the zoom without end would reach infinity and poison every
// coordinate; far beyond any use, zooming out stops.
constexpr double kMaxPixelSize = 1e12;
constexpr int kPolarRays = 7;

constexpr RgbColor kAxisLight{170, 170, 170};
constexpr RgbColor kAxisMiddle{128, 128, 128};
constexpr RgbColor kAxisDark{10, 10, 10};

constexpr int kStandardOuterWidth = 6525;
constexpr int kStandardOuterHeight = 6615;
constexpr int kMinStartSize = 301;

void ZoomTo(Program& p, double pixelSize) {
  p.View.PixelSize = pixelSize;
  SetScreen(p);
  Redraw(p);
}

// Unit grid lines closer than a pixel would only fill the window (and a far
// zoom-out would ask for millions of them).
bool UnitGridVisible(const ViewState& view) { return view.PixelSize <= 1.0; }

void DrawOrthogonalGrid(Surface& s, const ViewState& view, RgbColor color) {
  double hw = view.HalfWidth;
  double hh = view.HalfHeight;
  if (UnitGridVisible(view)) {
    int nx = static_cast<int>(std::floor(hw));
    int ny = static_cast<int>(std::floor(hh));
    for (int x = -nx; x <= nx; ++x) s.Line(x, hh, x, -hh, color);
    for (int y = -ny; y <= ny; ++y) s.Line(-hw, y, hw, y, color);
  }
  s.SetLineStyle(LineStyle::kSolid);
  s.Line(0, hh, 0, -hh, color);
  s.Line(-hw, 0, hw, 0, color);
}

void DrawPolarGrid(Surface& s, const ViewState& view, RgbColor color) {
  if (UnitGridVisible(view)) {
    int rings = static_cast<int>(std::floor(2 * view.HalfWidth));
    for (int r = 1; r <= rings; ++r) s.Circle(0, 0, r, color);
  }
  double x = 3 * view.HalfWidth;
  double y = 0;
  double turnCos = std::cos(kPi / 6);
  double turnSin = std::sin(kPi / 6);
  for (int i = 0; i < kPolarRays; ++i) {
    s.Line(-x, -y, x, y, color);
    double nextX = x * turnCos - y * turnSin;
    y = x * turnSin + y * turnCos;
    x = nextX;
  }
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

}  // namespace

WorldPoint PixelToWorld(const ViewState& view, double column, double row) {
  double w = std::max(view.ClientWidth, 1);
  double h = std::max(view.ClientHeight, 1);
  return {-view.HalfWidth + column * 2 * view.HalfWidth / w,
          view.HalfHeight - row * 2 * view.HalfHeight / h};
}

WorldPoint WorldToPixel(const ViewState& view, double x, double y) {
  if (view.HalfWidth <= 0 || view.HalfHeight <= 0) return {0, 0};
  return {(x + view.HalfWidth) * view.ClientWidth / (2 * view.HalfWidth),
          (view.HalfHeight - y) * view.ClientHeight / (2 * view.HalfHeight)};
}

void SetScreen(Program& p) {
  if (!p.Canvas) return;
  int w = p.Canvas->PixelWidth();
  int h = p.Canvas->PixelHeight();
  if (w <= 0 || h <= 0) return;  // minimized: keep the last view
  ViewState& view = p.View;
  view.ClientWidth = w;
  view.ClientHeight = h;
  view.HalfWidth = (w - 1) * view.PixelSize / 2;
  view.HalfHeight = (h - 1) * view.PixelSize / 2;
  p.Canvas->SetWorldWindow(-view.HalfWidth, view.HalfHeight, 2 * view.HalfWidth,
                           -2 * view.HalfHeight);
}

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

void DrawAxes(Program& p) {
  if (!p.Canvas) return;
  Surface& s = *p.Canvas;
  LineStyle style = s.GetLineStyle();
  int width = s.PenWidth();
  s.SetLineStyle(LineStyle::kDotted);
  s.SetPenWidth(1);
  RgbColor color =
      p.Config.AxisShow != kFalse ? FromSettingsColor(p.Config.AxisColor) : s.BackColor();
  if (p.View.AxisKind == 1) {
    DrawPolarGrid(s, p.View, color);
  } else {
    DrawOrthogonalGrid(s, p.View, color);
  }
  s.SetLineStyle(style);
  s.SetPenWidth(width);
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

// The window applies the new outer size; its resize runs SetScreen. The
// menu and status bars keep their size, so the outer size changes by what the
// drawing area lacks (scaling it by the ratio would miss by their share).
void mnuOWindowVGA(Program& p, WindowGeometry& window) {
  window.State = kWindowNormal;
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

}  // namespace plandra
