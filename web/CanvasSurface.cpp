#include "CanvasSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

// The page's drawing calls. Colours travel packed as 0xRRGGBB.
#define PLANDRA_CANVAS_IMPORT(name) \
  extern "C" __attribute__((import_module("canvas"), import_name(name)))

PLANDRA_CANVAS_IMPORT("clear") void JsClear(uint32_t color);
PLANDRA_CANVAS_IMPORT("pen") void JsPen(int width, int dotted);
PLANDRA_CANVAS_IMPORT("font") void JsFont(const char* family, size_t length, double pixels);
PLANDRA_CANVAS_IMPORT("line")
void JsLine(double x1, double y1, double x2, double y2, uint32_t color);
PLANDRA_CANVAS_IMPORT("ellipse")
void JsEllipse(double cx, double cy, double rx, double ry, uint32_t color);
PLANDRA_CANVAS_IMPORT("box")
void JsBox(double x, double y, double w, double h, uint32_t color, int filled);
// count pixels, each three words: column, row and colour.
PLANDRA_CANVAS_IMPORT("pixels") void JsPixels(const uint32_t* pixels, size_t count);
PLANDRA_CANVAS_IMPORT("text")
void JsText(double x, double y, const char* text, size_t length, uint32_t color);

#undef PLANDRA_CANVAS_IMPORT

namespace plandra {
namespace {

uint32_t Packed(RgbColor c) { return (uint32_t{c.R} << 16) | (uint32_t{c.G} << 8) | c.B; }

bool Finite(double a, double b) { return std::isfinite(a) && std::isfinite(b); }

// A font size in points becomes CSS pixels at 96 per inch, as on the screen.
constexpr double kPixelsPerPoint = 96.0 / 72.0;

}  // namespace

CanvasSurface::CanvasSurface(int width, int height) { Resize(width, height); }

void CanvasSurface::Resize(int width, int height) {
  view_.Width = width < 1 ? 1 : width;
  view_.Height = height < 1 ? 1 : height;
}

void CanvasSurface::SetWorldWindow(double left, double top, double width, double height) {
  // A window of no extent cannot be mapped; keep the last one.
  if (width == 0 || height == 0 || !Finite(width, height)) return;
  view_.Left = left;
  view_.Top = top;
  view_.WorldWidth = width;
  view_.WorldHeight = height;
}

void CanvasSurface::Clear() {
  FlushPixels();
  JsClear(Packed(back_));
}

void CanvasSurface::SetPenWidth(int pixels) {
  penWidth_ = pixels < 1 ? 1 : pixels;
  JsPen(penWidth_, style_ == LineStyle::kDotted);
}

void CanvasSurface::SetLineStyle(LineStyle style) {
  style_ = style;
  JsPen(penWidth_, style_ == LineStyle::kDotted);
}

void CanvasSurface::SetFont(std::string_view family, double points) {
  fontFamily_ = std::string(family);
  fontPoints_ = points > 0 && std::isfinite(points) ? points : 9;
  JsFont(fontFamily_.data(), fontFamily_.size(), fontPoints_ * kPixelsPerPoint);
}

void CanvasSurface::Line(double x1, double y1, double x2, double y2, RgbColor color) {
  double c1 = view_.Column(x1), r1 = view_.Row(y1), c2 = view_.Column(x2), r2 = view_.Row(y2);
  if (!Finite(c1, r1) || !Finite(c2, r2)) return;
  FlushPixels();
  JsLine(c1, r1, c2, r2, Packed(color));
}

void CanvasSurface::Circle(double cx, double cy, double r, RgbColor color) {
  double column = view_.Column(cx), row = view_.Row(cy);
  double rx = view_.Columns(r), ry = view_.Rows(r);
  if (!Finite(column, row) || !Finite(rx, ry)) return;
  FlushPixels();
  JsEllipse(column, row, rx, ry, Packed(color));
}

void CanvasSurface::Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) {
  double c1 = view_.Column(x1), r1 = view_.Row(y1), c2 = view_.Column(x2), r2 = view_.Row(y2);
  if (!Finite(c1, r1) || !Finite(c2, r2)) return;
  FlushPixels();
  JsBox(std::min(c1, c2), std::min(r1, r2), std::abs(c2 - c1), std::abs(r2 - r1), Packed(color),
        filled);
}

void CanvasSurface::Pixel(double x, double y, RgbColor color) {
  int column = 0, row = 0;
  if (!view_.Cell(x, y, column, row)) return;
  const auto at = static_cast<uint32_t>(column), down = static_cast<uint32_t>(row);
  const uint32_t packed = Packed(color);
  // A sampled locus puts many samples on one pixel in a row: an opaque
  // pixel drawn again in its colour changes nothing.
  const size_t size = pixels_.size();
  if (size >= 3 && pixels_[size - 3] == at && pixels_[size - 2] == down &&
      pixels_[size - 1] == packed) {
    return;
  }
  pixels_.insert(pixels_.end(), {at, down, packed});
}

void CanvasSurface::FlushPixels() {
  if (pixels_.empty()) return;
  JsPixels(pixels_.data(), pixels_.size() / 3);
  pixels_.clear();
}

void CanvasSurface::Text(double x, double y, std::string_view text, RgbColor color) {
  double column = view_.Column(x), row = view_.Row(y);
  if (!Finite(column, row)) return;
  FlushPixels();
  JsText(column, row, text.data(), text.size(), Packed(color));
}

}  // namespace plandra
