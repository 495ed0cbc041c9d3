// Point marks, point names, the number list and the angle marks.
#include <cmath>
#include <string>

#include "app/Program.h"
#include "numbers/Labels05.h"
#include "view/PDDraw05.h"
#include "view/PDDraw05_internal.h"

namespace plandra {
namespace {

using draw_internal::BackgroundOf;

constexpr double kPi = 3.14159265358979;
constexpr int16_t kModeDragging = 6;
constexpr int16_t kModeComputing = 16;
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

// Names and the number list are hidden by the text switch while the user
// works on the figure.
bool TextHidden(const Program& p) {
  if (p.Config.NotChrDisp == kFalse) return false;
  int16_t mode = CurrentMode(p.Modes);
  return mode == kModeStandard || mode == kModeDragging || mode == kModeComputing;
}

// Candidate marks 10..17: a ring with a filled centre whose colour moves on
// one palette step at every redraw, each mark starting at its own colour.
void DrawBlinkMark(Program& p, const MarkPen& pen, int16_t mark) {
  int16_t step = static_cast<int16_t>((mark - kMarkBlinkFirst + p.Draw.RedrawCount) % kBlinkColors);
  MarkPen blink = pen;
  blink.Color = ColorOf(p, static_cast<int16_t>(step + 1));
  blink.Ring(pen.R, blink.Color);
  blink.Square(pen.R / 3, true);
}

// The hover highlight: rings green, black, green from the centre out.
void DrawHoverMark(Program& p, const MarkPen& pen, int16_t color) {
  RgbColor green = color == kColorNone ? pen.Color : ColorOf(p, kColorGreen);
  RgbColor black = color == kColorNone ? pen.Color : ColorOf(p, kColorBlack);
  pen.Ring(pen.R / 5, green);
  pen.Ring(2 * pen.R / 5, black);
  pen.Ring(3 * pen.R / 5, green);
}

std::string LabelText(const PtRec& pt) {
  std::string text(Trim(pt.Name));
  if (pt.EventKind >= 1 && pt.EventKind <= 9) text = text.substr(0, text.find('!'));
  return text;
}

}  // namespace

void DrawPointMark(Program& p, const PtRec& pt) {
  if (!p.Canvas || pt.Exists == kFalse) return;
  if (!(std::fabs(pt.X) <= kFarCoordinate && std::fabs(pt.Y) <= kFarCoordinate)) return;
  double ps = p.View.PixelSize;
  double r = (p.Draw.ThumbnailState >= 2 ? 3 : 5) * ps;
  MarkPen pen{*p.Canvas, pt.X, pt.Y, r, ColorOf(p, pt.Color)};
  if (pt.Mark >= kMarkBlinkFirst && pt.Mark <= kMarkBlinkLast) {
    DrawBlinkMark(p, pen, pt.Mark);
    return;
  }
  switch (pt.Mark) {
    case kMarkCross: pen.Cross(); break;
    case kMarkCircle: pen.Ring(r + (p.Canvas->PenWidth() - 1) * ps, pen.Color); break;
    case kMarkSquare: pen.Square(r, false); break;
    case kMarkFilledSquare: pen.Square(r, true); break;
    case kMarkTriangle: pen.Triangle(); break;
    case kMarkDragged:
      pen.Ring(r / 2, pen.Color);
      p.Canvas->Pixel(pt.X, pt.Y, pen.Color);
      break;
    case kMarkCircleBar:
      pen.Ring(r, pen.Color);
      pen.Bar();
      break;
    case kMarkCircleCross:
      pen.Ring(r, pen.Color);
      pen.Bar();
      pen.Upright();
      break;
    case kMarkEventPixel:
      if (p.Draw.EventDisplayOn) p.Canvas->Pixel(pt.X, pt.Y, pen.Color);
      break;
    case kMarkHover: DrawHoverMark(p, pen, pt.Color); break;
    default: p.Canvas->Pixel(pt.X, pt.Y, pen.Color); break;  // 0 and marks without a shape
  }
}

void DrawPointLabel(Program& p, int16_t index, int16_t c, int16_t mode) {
  if (!p.Canvas || index < 1 || index > p.Fig.ElemCount[kClassPoint]) return;
  if (c != kColorNone && TextHidden(p)) return;
  const PtRec& pt = p.Fig.PtTable[index];
  const PtRec& prev = p.Fig.PtTablePrev[index];
  // A point that does not exist is not drawn, and neither is its name.
  if (pt.Exists == kFalse || pt.EventKind >= 10) return;
  std::string text = LabelText(pt);
  if (text.empty()) return;
  const ViewState& view = p.View;
  if (!InsideWindow(view, pt.X, pt.Y) || !InsideWindow(view, prev.X, prev.Y)) return;
  const PtRec& at = mode == 2 ? prev : pt;
  double offset = (p.Draw.StatusBarVisible ? 10 : 2) * view.PixelSize;
  double x = at.X + offset;
  double y = at.Y + p.Canvas->FontSize() * view.PixelSize + offset;
  if (!OnOrInsideWindow(view, x, y)) return;
  RgbColor color = c >= 8 ? BackgroundOf(p) : ColorOf(p, c);
  p.Canvas->Text(x, y, text, color);
}

void DrawNumberList(Program& p) {
  if (!p.Canvas || TextHidden(p)) return;
  std::vector<ScreenNumberLine> lines =
      ScreenNumberList(p.Fig, p.Lang, p.Config.KetaDecimal, p.Draw.LeftPanelShown);
  const ViewState& view = p.View;
  // Points to pixels at 96 dpi, and a little leading.
  double rowPixels = std::ceil(p.Canvas->FontSize() * 96 / 72) + 2;
  RgbColor black = ColorOf(p, kColorBlack);
  for (const ScreenNumberLine& line : lines) {
    double x = -view.HalfWidth + line.LeftPixels * view.PixelSize;
    double y = view.HalfHeight - (3 + line.Row * rowPixels) * view.PixelSize;
    p.Canvas->Text(x, y, line.Text, black);
  }
}

void DrawAngleMarks(Program& p) {
  if (!p.Canvas || !p.Draw.AngleMarksShown) return;
  double radius = kAngleMarkPixels * p.View.PixelSize;
  RgbColor black = ColorOf(p, kColorBlack);
  for (const AngleMark& mark : p.Fig.AngleMarks) {
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
      p.Canvas->Line(x0, y0, x1, y1, black);
      x0 = x1;
      y0 = y1;
    }
  }
}

}  // namespace plandra
