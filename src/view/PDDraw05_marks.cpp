// Point marks, point names, the number list and the angle marks.
#include <cmath>
#include <string>

#include "figure/EventMark.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"
#include "view/PDDraw05_internal.h"

namespace plandra {
namespace {

using draw_internal::BackgroundOf;

constexpr int kBlinkColors = 7;  // marks 10..17 cycle through palette 1..7
constexpr double kAngleMarkPixels = 12;

struct MarkPen {
  Surface& S;
  double X, Y, R;
  RgbColor Color;

  void Cross() const {
    S.Line(X - R, Y - R, X + R, Y + R, Color);
    S.Line(X - R, Y + R, X + R, Y - R, Color);
  }
  void Bar() const { S.Line(X - R, Y, X + R, Y, Color); }
  void Upright() const { S.Line(X, Y - R, X, Y + R, Color); }
  void Ring(double radius, RgbColor color) const { S.Circle(X, Y, radius, color); }
  void Square(double half, bool filled) const {
    S.Box(X - half, Y - half, X + half, Y + half, Color, filled);
  }
  void Triangle() const {
    S.Line(X, Y + R, X - R, Y - R, Color);
    S.Line(X - R, Y - R, X + R, Y - R, Color);
    S.Line(X + R, Y - R, X, Y + R, Color);
  }
};

bool InsideWindow(const ViewState& view, double x, double y) {
  return std::fabs(x) < view.HalfWidth && std::fabs(y) < view.HalfHeight;
}

bool OnOrInsideWindow(const ViewState& view, double x, double y) {
  return std::fabs(x) <= view.HalfWidth && std::fabs(y) <= view.HalfHeight;
}

// Candidate marks 10..17: a ring with a filled centre whose colour moves on
// one palette step at every redraw, each mark starting at its own colour.
void DrawBlinkMark(RenderContext& r, const MarkPen& pen, int16_t mark) {
  int16_t step = static_cast<int16_t>((mark - kMarkBlinkFirst + r.Draw.RedrawCount) % kBlinkColors);
  MarkPen blink = pen;
  blink.Color = ColorOf(r, static_cast<int16_t>(step + 1));
  blink.Ring(pen.R, blink.Color);
  blink.Square(pen.R / 3, true);
}

// The hover highlight: rings green, black, green from the centre out.
void DrawHoverMark(RenderContext& r, const MarkPen& pen, int16_t color) {
  RgbColor green = color == kColorNone ? pen.Color : ColorOf(r, kColorGreen);
  RgbColor black = color == kColorNone ? pen.Color : ColorOf(r, kColorBlack);
  pen.Ring(pen.R / 5, green);
  pen.Ring(2 * pen.R / 5, black);
  pen.Ring(3 * pen.R / 5, green);
}

}  // namespace

// Names and the number list are hidden by the text switch while the user
// works on the figure.
bool NamesHidden(const Settings& config, int16_t mode) {
  if (config.NotChrDisp == kFalse) return false;
  return mode == kModeStandard || mode == kModeDeform || mode == kModeComputing;
}

void DrawPointMark(RenderContext& r, const PtRec& pt) {
  if (!r.Canvas || pt.Exists == kFalse) return;
  if (!(std::fabs(pt.X) <= kFarCoordinate && std::fabs(pt.Y) <= kFarCoordinate)) return;
  double ps = r.View.PixelSize;
  double radius = (r.Draw.ThumbnailState >= 2 ? 3 : 5) * ps;
  MarkPen pen{*r.Canvas, pt.X, pt.Y, radius, ColorOf(r, pt.Color)};
  if (pt.Mark >= kMarkBlinkFirst && pt.Mark <= kMarkBlinkLast) {
    DrawBlinkMark(r, pen, pt.Mark);
    return;
  }
  switch (pt.Mark) {
    case kMarkCross: pen.Cross(); break;
    case kMarkCircle: pen.Ring(radius + (r.Canvas->PenWidth() - 1) * ps, pen.Color); break;
    case kMarkSquare: pen.Square(radius, false); break;
    case kMarkFilledSquare: pen.Square(radius, true); break;
    case kMarkTriangle: pen.Triangle(); break;
    case kMarkDragged:
      pen.Ring(radius / 2, pen.Color);
      r.Canvas->Pixel(pt.X, pt.Y, pen.Color);
      break;
    case kMarkCircleBar:
      pen.Ring(radius, pen.Color);
      pen.Bar();
      break;
    case kMarkCircleCross:
      pen.Ring(radius, pen.Color);
      pen.Bar();
      pen.Upright();
      break;
    case kMarkEventPixel:
      if (r.Draw.EventDisplayOn) r.Canvas->Pixel(pt.X, pt.Y, pen.Color);
      break;
    case kMarkHover: DrawHoverMark(r, pen, pt.Color); break;
    default: r.Canvas->Pixel(pt.X, pt.Y, pen.Color); break;  // 0 and marks without a shape
  }
}

void DrawPointLabel(RenderContext& r, int index, int16_t c, int16_t mode) {
  if (!r.Canvas || index < 1 || index > r.Fig.ElemCount[kClassPoint]) return;
  if (c != kColorNone && NamesHidden(r.Config, r.Mode)) return;
  const PtRec& pt = r.Fig.PtTable[index];
  const PtRec& prev = r.Fig.PtTablePrev[index];
  // A point that does not exist is not drawn, and neither is its name.
  if (pt.Exists == kFalse || pt.EventKind >= 10) return;
  std::string text(PointNameShown(pt.Name));
  if (text.empty()) return;
  const ViewState& view = r.View;
  if (!InsideWindow(view, pt.X, pt.Y) || !InsideWindow(view, prev.X, prev.Y)) return;
  const PtRec& at = mode == 2 ? prev : pt;
  double offset = (r.Draw.StatusBarVisible ? 10 : 2) * view.PixelSize;
  double x = at.X + offset;
  double y = at.Y + r.Canvas->FontSize() * view.PixelSize + offset;
  if (!OnOrInsideWindow(view, x, y)) return;
  RgbColor color = c >= 8 ? BackgroundOf(r) : ColorOf(r, c);
  r.Canvas->Text(x, y, text, color);
}

void DrawNumberList(RenderContext& r) {
  if (!r.Canvas || !r.NumberList || NamesHidden(r.Config, r.Mode)) return;
  const std::vector<ScreenNumberLine>& lines = *r.NumberList;
  const ViewState& view = r.View;
  // Points to pixels at 96 dpi, and a little leading.
  double rowPixels = std::ceil(r.Canvas->FontSize() * 96 / 72) + 2;
  RgbColor black = ColorOf(r, kColorBlack);
  for (const ScreenNumberLine& line : lines) {
    double x = -view.HalfWidth + line.LeftPixels * view.PixelSize;
    double y = view.HalfHeight - (3 + line.Row * rowPixels) * view.PixelSize;
    r.Canvas->Text(x, y, line.Text, black);
  }
}

void DrawAngleMarks(RenderContext& r) {
  if (!r.Canvas || !r.Draw.AngleMarksShown) return;
  double radius = kAngleMarkPixels * r.View.PixelSize;
  RgbColor black = ColorOf(r, kColorBlack);
  for (const AngleMark& mark : r.Fig.AngleMarks) {
    if (!(std::fabs(mark.VertexX) <= kFarCoordinate && std::fabs(mark.VertexY) <= kFarCoordinate) ||
        !std::isfinite(mark.Degrees)) {
      continue;
    }
    double start = std::atan2(mark.FromY - mark.VertexY, mark.FromX - mark.VertexX);
    double sweep = mark.Degrees * kPi / 180;
    int pieces = std::max(4, static_cast<int>(std::ceil(std::fabs(mark.Degrees) / 10)));
    pieces = std::min(pieces, 72);
    double x0 = mark.VertexX + radius * std::cos(start);
    double y0 = mark.VertexY + radius * std::sin(start);
    for (int k = 1; k <= pieces; ++k) {
      double a = start + sweep * k / pieces;
      double x1 = mark.VertexX + radius * std::cos(a);
      double y1 = mark.VertexY + radius * std::sin(a);
      r.Canvas->Line(x0, y0, x1, y1, black);
      x0 = x1;
      y0 = y1;
    }
  }
}

}  // namespace plandra
