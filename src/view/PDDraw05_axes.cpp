// The view transform and the coordinate grid.
#include <algorithm>
#include <cmath>

#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr int kPolarRays = 7;

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

void SetScreen(ViewState& view, Surface* canvas) {
  if (!canvas) return;
  int w = canvas->PixelWidth();
  int h = canvas->PixelHeight();
  if (w <= 0 || h <= 0) return;  // minimized: keep the last view
  view.ClientWidth = w;
  view.ClientHeight = h;
  view.HalfWidth = (w - 1) * view.PixelSize / 2;
  view.HalfHeight = (h - 1) * view.PixelSize / 2;
  canvas->SetWorldWindow(-view.HalfWidth, view.HalfHeight, 2 * view.HalfWidth,
                         -2 * view.HalfHeight);
}

void DrawAxes(RenderContext& r) {
  if (!r.Canvas) return;
  Surface& s = *r.Canvas;
  LineStyle style = s.GetLineStyle();
  int width = s.PenWidth();
  s.SetLineStyle(LineStyle::kDotted);
  s.SetPenWidth(1);
  RgbColor color =
      r.Config.AxisShow != kFalse ? FromSettingsColor(r.Config.AxisColor) : s.BackColor();
  if (r.View.AxisKind == 1) {
    DrawPolarGrid(s, r.View, color);
  } else {
    DrawOrthogonalGrid(s, r.View, color);
  }
  s.SetLineStyle(style);
  s.SetPenWidth(width);
}

}  // namespace plandra
