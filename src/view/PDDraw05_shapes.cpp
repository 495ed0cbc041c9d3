// Lines with their kinds and arrowheads, circles, and the clipping that keeps
// far-away geometry off the surface.
#include <cmath>

#include "view/PDDraw05.h"
#include "view/PDDraw05_internal.h"

namespace plandra {
namespace {

using draw_internal::WindowRect;

// Lines reach this far past the window edge before they are cut, so that
// thick and anti-aliased ends never show inside.
constexpr double kClipMarginPixels = 16;
constexpr double kArrowPixels = 10;

enum class ArrowEnds { kNone, kFirst, kSecond, kBoth };

ArrowEnds ArrowsOf(int16_t lineKind) {
  switch (lineKind) {
    case 4:
    case 7: return ArrowEnds::kFirst;
    case 5: return ArrowEnds::kSecond;
    case 6: return ArrowEnds::kBoth;
    default: return ArrowEnds::kNone;
  }
}

// The drawn extent of a line of each kind; far = 5 L along the direction.
std::array<double, 4> LineExtent(const LnRec& ln, double far) {
  double fx = far * ln.DX;
  double fy = far * ln.DY;
  switch (ln.LineKind) {
    case 1:
    case 4:
    case 5:
    case 6: return {ln.X1, ln.Y1, ln.X2, ln.Y2};
    case 2:
    case 7: return {ln.X1, ln.Y1, ln.X1 + fx, ln.Y1 + fy};
    case 3: return {ln.X2 - fx, ln.Y2 - fy, ln.X2, ln.Y2};
    default: return {ln.X1 - fx, ln.Y1 - fy, ln.X1 + fx, ln.Y1 + fy};
  }
}

// Two strokes from the end e back along u (towards the other end), spread
// half a length to each side.
void DrawArrowhead(RenderContext& r, double ex, double ey, double ux, double uy, RgbColor color) {
  double len = kArrowPixels * r.View.PixelSize;
  double nx = -uy;
  double ny = ux;
  DrawClippedLine(r, ex, ey, ex + len * (ux + 0.5 * nx), ey + len * (uy + 0.5 * ny), color);
  DrawClippedLine(r, ex, ey, ex + len * (ux - 0.5 * nx), ey + len * (uy - 0.5 * ny), color);
}

// Colour 3 is pale on white: thin lines and circles of it are drawn as a
// black dotted stroke instead.
bool DrawnDotted(const RenderContext& r, int16_t color) {
  return color == kColorYellow && r.Canvas->PenWidth() == 1;
}

bool Finite(double a, double b, double c) {
  return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

// False when the circle cannot show in the rectangle: wholly outside it, or
// so large that the rectangle lies inside.
bool CircleMeetsRect(const ClipRect& rect, double cx, double cy, double r) {
  double nearX = std::fmax(rect.Left, std::fmin(cx, rect.Right));
  double nearY = std::fmax(rect.Bottom, std::fmin(cy, rect.Top));
  if (std::hypot(cx - nearX, cy - nearY) > r) return false;
  double farX = std::fmax(std::fabs(cx - rect.Left), std::fabs(cx - rect.Right));
  double farY = std::fmax(std::fabs(cy - rect.Bottom), std::fabs(cy - rect.Top));
  return std::hypot(farX, farY) >= r;
}

}  // namespace

std::optional<std::array<double, 4>> ClipSegment(const ClipRect& rect, double x1, double y1,
                                                 double x2, double y2) {
  if (!Finite(x1, y1, x2) || !std::isfinite(y2)) return std::nullopt;
  double dx = x2 - x1;
  double dy = y2 - y1;
  double t0 = 0;
  double t1 = 1;
  // Liang-Barsky: each edge as p t <= q.
  const std::array<double, 4> ps = {-dx, dx, -dy, dy};
  const std::array<double, 4> qs = {x1 - rect.Left, rect.Right - x1, y1 - rect.Bottom,
                                    rect.Top - y1};
  for (int i = 0; i < 4; ++i) {
    if (ps[i] == 0) {
      if (qs[i] < 0) return std::nullopt;
      continue;
    }
    double t = qs[i] / ps[i];
    if (ps[i] < 0) {
      t0 = std::fmax(t0, t);
    } else {
      t1 = std::fmin(t1, t);
    }
    if (t0 > t1) return std::nullopt;
  }
  return std::array<double, 4>{x1 + t0 * dx, y1 + t0 * dy, x1 + t1 * dx, y1 + t1 * dy};
}

void DrawClippedLine(RenderContext& r, double x1, double y1, double x2, double y2, RgbColor color) {
  if (!r.Canvas) return;
  double margin = kClipMarginPixels + r.Canvas->PenWidth();
  std::optional<std::array<double, 4>> seg = ClipSegment(WindowRect(r, margin), x1, y1, x2, y2);
  if (seg) r.Canvas->Line((*seg)[0], (*seg)[1], (*seg)[2], (*seg)[3], color);
}

void DrawLine(RenderContext& r, const LnRec& ln) {
  if (!r.Canvas || ln.Exists == kFalse) return;
  Surface& s = *r.Canvas;
  bool dotted = DrawnDotted(r, ln.Color);
  RgbColor color = ColorOf(r, dotted ? kColorBlack : ln.Color);
  if (dotted) s.SetLineStyle(LineStyle::kDotted);
  std::array<double, 4> e = LineExtent(ln, 5 * 3 * r.View.HalfWidth);
  DrawClippedLine(r, e[0], e[1], e[2], e[3], color);
  if (dotted) s.SetLineStyle(LineStyle::kSolid);
  ArrowEnds arrows = ArrowsOf(ln.LineKind);
  if (arrows == ArrowEnds::kFirst || arrows == ArrowEnds::kBoth) {
    DrawArrowhead(r, ln.X1, ln.Y1, ln.DX, ln.DY, color);
  }
  if (arrows == ArrowEnds::kSecond || arrows == ArrowEnds::kBoth) {
    DrawArrowhead(r, ln.X2, ln.Y2, -ln.DX, -ln.DY, color);
  }
}

void DrawCircle(RenderContext& r, const CirRec& cir) {
  if (!r.Canvas || cir.Exists == kFalse) return;
  if (!Finite(cir.CX, cir.CY, cir.R) || cir.R < 0 || cir.R > kFarCoordinate) return;
  Surface& s = *r.Canvas;
  if (!CircleMeetsRect(WindowRect(r, kClipMarginPixels + s.PenWidth()), cir.CX, cir.CY, cir.R)) {
    return;
  }
  bool dotted = DrawnDotted(r, cir.Color);
  RgbColor color = ColorOf(r, dotted ? kColorBlack : cir.Color);
  if (dotted) s.SetLineStyle(LineStyle::kDotted);
  s.Circle(cir.CX, cir.CY, cir.R, color);
  if (dotted) s.SetLineStyle(LineStyle::kSolid);
}

}  // namespace plandra
