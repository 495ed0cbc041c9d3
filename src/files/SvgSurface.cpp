#include "files/SvgSurface.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <initializer_list>
#include <map>

#include "files/WebPages.h"

namespace plandra {
namespace {

// Pixels a point of a font takes at 96 dots an inch, as the window draws.
constexpr double kPixelsPerPoint = 96.0 / 72.0;
// The top of a line of text lies above its baseline by about this share of
// the font's size, and the lines of a text are this far apart.
constexpr double kAscentShare = 0.9;
constexpr double kLineSpacing = 1.2;

bool AllFinite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

std::string Number(double value) {
  char text[32];
  if (std::fabs(value) < 0.005) value = 0;  // no "-0.00"
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

std::string ColorText(RgbColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", color.R, color.G, color.B);
  return text;
}

uint32_t ColorKey(RgbColor color) {
  return static_cast<uint32_t>(color.R) << 16 | static_cast<uint32_t>(color.G) << 8 | color.B;
}

}  // namespace

SvgSurface::SvgSurface(int width, int height) : view_(PixelMapping::OfSize(width, height)) {}

void SvgSurface::SetWorldWindow(double left, double top, double width, double height) {
  // A window of no extent cannot be mapped; keep the last one.
  if (width == 0 || height == 0 || !AllFinite({left, top, width, height})) return;
  view_.Left = left;
  view_.Top = top;
  view_.WorldWidth = width;
  view_.WorldHeight = height;
}

void SvgSurface::Clear() {
  pixels_.clear();
  body_ = "<rect width=\"100%\" height=\"100%\" fill=\"" + ColorText(back_) + "\"/>\n";
}

void SvgSurface::SetFont(std::string_view family, double points) {
  family_ = family;
  if (points > 0 && std::isfinite(points)) points_ = points;
}

std::string SvgSurface::Stroke(RgbColor color) const {
  std::string stroke = " fill=\"none\" stroke=\"" + ColorText(color) + "\" stroke-width=\"" +
                       std::to_string(pen_) + "\"";
  if (style_ == LineStyle::kDotted) {
    stroke += " stroke-dasharray=\"" + std::to_string(pen_) + " " + std::to_string(2 * pen_) + "\"";
  }
  return stroke;
}

void SvgSurface::Line(double x1, double y1, double x2, double y2, RgbColor color) {
  FlushPixels();
  const double px1 = view_.Column(x1), py1 = view_.Row(y1), px2 = view_.Column(x2),
               py2 = view_.Row(y2);
  if (!AllFinite({px1, py1, px2, py2})) return;
  body_ += "<line x1=\"" + Number(px1) + "\" y1=\"" + Number(py1) + "\" x2=\"" + Number(px2) +
           "\" y2=\"" + Number(py2) + "\"" + Stroke(color) + "/>\n";
}

void SvgSurface::Circle(double cx, double cy, double r, RgbColor color) {
  FlushPixels();
  const double rx = view_.Columns(r);
  const double ry = view_.Rows(r);
  const double px = view_.Column(cx), py = view_.Row(cy);
  if (!AllFinite({px, py, rx, ry})) return;
  body_ += "<ellipse cx=\"" + Number(px) + "\" cy=\"" + Number(py) + "\" rx=\"" + Number(rx) +
           "\" ry=\"" + Number(ry) + "\"" + Stroke(color) + "/>\n";
}

void SvgSurface::Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) {
  FlushPixels();
  const double px1 = view_.Column(x1), py1 = view_.Row(y1), px2 = view_.Column(x2),
               py2 = view_.Row(y2);
  if (!AllFinite({px1, py1, px2, py2})) return;
  const std::string paint =
      filled ? " fill=\"" + ColorText(color) + "\" stroke=\"" + ColorText(color) + "\""
             : Stroke(color);
  body_ += "<rect x=\"" + Number(std::fmin(px1, px2)) + "\" y=\"" + Number(std::fmin(py1, py2)) +
           "\" width=\"" + Number(std::fabs(px2 - px1)) + "\" height=\"" +
           Number(std::fabs(py2 - py1)) + "\"" + paint + "/>\n";
}

void SvgSurface::Pixel(double x, double y, RgbColor color) {
  int column = 0, row = 0;
  if (!view_.Cell(x, y, column, row)) return;
  pixels_.push_back({row, column, color});
}

// A pixel drawn twice keeps its last colour, as on the window.
std::vector<SvgSurface::PendingPixel> SvgSurface::DistinctPixels(std::vector<PendingPixel> pixels) {
  std::stable_sort(pixels.begin(), pixels.end(), [](const PendingPixel& a, const PendingPixel& b) {
    return a.Row != b.Row ? a.Row < b.Row : a.Column < b.Column;
  });
  std::vector<PendingPixel> distinct;
  for (const PendingPixel& pixel : pixels) {
    if (!distinct.empty() && distinct.back().Row == pixel.Row &&
        distinct.back().Column == pixel.Column) {
      distinct.back() = pixel;
    } else {
      distinct.push_back(pixel);
    }
  }
  return distinct;
}

// One path per colour; a row's neighbouring pixels of one colour make one rectangle.
std::string SvgSurface::PixelPaths(std::vector<PendingPixel> pixels) {
  const std::vector<PendingPixel> distinct = DistinctPixels(std::move(pixels));
  std::map<uint32_t, std::string> paths;
  size_t at = 0;
  while (at < distinct.size()) {
    const PendingPixel& first = distinct[at];
    size_t end = at + 1;
    while (end < distinct.size() && distinct[end].Row == first.Row &&
           distinct[end].Column == first.Column + static_cast<int>(end - at) &&
           distinct[end].Color == first.Color) {
      ++end;
    }
    const std::string length = std::to_string(end - at);
    paths[ColorKey(first.Color)] += "M" + std::to_string(first.Column) + " " +
                                    std::to_string(first.Row) + "h" + length + "v1h-" + length +
                                    "z";
    at = end;
  }
  std::string text;
  for (const auto& [key, path] : paths) {
    const RgbColor color{static_cast<uint8_t>(key >> 16), static_cast<uint8_t>(key >> 8 & 0xff),
                         static_cast<uint8_t>(key & 0xff)};
    text += "<path fill=\"" + ColorText(color) + "\" d=\"" + path + "\"/>\n";
  }
  return text;
}

void SvgSurface::FlushPixels() {
  if (pixels_.empty()) return;
  body_ += PixelPaths(std::move(pixels_));
  pixels_.clear();
}

void SvgSurface::Text(double x, double y, std::string_view text, RgbColor color) {
  FlushPixels();
  const double left = view_.Column(x);
  const double top = view_.Row(y);
  if (!AllFinite({left, top})) return;
  const double size = points_ * kPixelsPerPoint;
  const std::string font = " font-family=\"" + HtmlEscape(family_) + ", sans-serif\" font-size=\"" +
                           Number(size) + "\" fill=\"" + ColorText(color) + "\"";
  double baseline = top + kAscentShare * size;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    body_ += "<text x=\"" + Number(left) + "\" y=\"" + Number(baseline) +
             "\" xml:space=\"preserve\"" + font + ">" +
             HtmlEscape(text.substr(start, end - start)) + "</text>\n";
    baseline += kLineSpacing * size;
    start = end + 1;
  }
}

std::string SvgSurface::Svg() const {
  const std::string w = std::to_string(view_.Width);
  const std::string h = std::to_string(view_.Height);
  return "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w + "\" height=\"" + h +
         "\" viewBox=\"0 0 " + w + " " + h + "\">\n" + body_ + PixelPaths(pixels_) + "</svg>";
}

}  // namespace plandra
