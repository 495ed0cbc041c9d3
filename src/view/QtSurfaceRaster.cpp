#include "view/QtSurfaceRaster.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace plandra {

namespace {

// Rings up to this radius in pixels measure their distance exactly.
constexpr double kExactRingRadius = 32;

// Mixes the colour into one pixel by the weight (256ths of the pixel it
// covers): red and blue together, then green.
// Mixes the colour into one pixel by the weight (256ths of the pixel it
// covers): red and blue together, then green.
inline void BlendAt(uint32_t* pixel, uint32_t color, int weight) {
  if (weight <= 0) return;
  if (weight >= 256) {
    *pixel = color;
    return;
  }
  const auto over = static_cast<uint32_t>(weight);
  const uint32_t keep = 256 - over;
  const uint32_t under = *pixel;
  const uint32_t redBlue =
      (((under & 0xFF00FFu) * keep + (color & 0xFF00FFu) * over + 0x800080u) >> 8) & 0xFF00FFu;
  const uint32_t green =
      (((under & 0xFF00u) * keep + (color & 0xFF00u) * over + 0x8000u) >> 8) & 0xFF00u;
  *pixel = 0xFF000000u | redBlue | green;
}

uint32_t* PixelAt(const RasterRows& rows, int column, int row) {
  return reinterpret_cast<uint32_t*>(rows.bits + row * rows.bytesPerLine) + column;
}

// One pixel-wide slice across a line. Passed by value, so that the stores
// into the image cannot be taken to alias it and nothing is reloaded.
struct Cross {
  uint32_t* base;
  qsizetype step;
  int low;
  int high;
  uint32_t color;
  int majorWeight;
};

inline void Plot(Cross cross, int minor, int weight) {
  if (minor < cross.low || minor > cross.high) return;
  BlendAt(cross.base + minor * cross.step, cross.color,
          cross.majorWeight == 256 ? weight : weight * cross.majorWeight >> 8);
}

// 256ths of a pixel, floored: exact for the small offsets the clipped
// drawing works with.
inline int ToWeight(double share) { return static_cast<int>(share * 256 + 0.5 + 65536) - 65536; }

// The columns of a shallow line whose cross-section can reach the band's rows;
// the line's centre lies at y1 + (x - x1) * gradient.
void ShallowColumns(const RasterRows& rows, double x1, double y1, double gradient, double span,
                    int& first, int& last) {
  const double low = rows.bandTop - span - 1;
  const double high = rows.bandBottom + span + 1;
  if (gradient == 0) {
    if (y1 < low || y1 > high) last = first - 1;
    return;
  }
  double from = x1 + (low - y1) / gradient;
  double to = x1 + (high - y1) / gradient;
  if (from > to) std::swap(from, to);
  // Far outside the int range means the whole image on that side.
  if (from > first) first = static_cast<int>(std::max(std::floor(from) - 1, double(first)));
  if (to < last) last = static_cast<int>(std::min(std::ceil(to) + 1, double(last)));
}

struct RingShape {
  double cx;
  double rx;
  double halfInverse;
  double peakWeight;  // 256ths at the ring's middle line, rounded
  bool exactDistance;
  uint32_t color;
};

// The pixels of one row between from and to (pixel positions).
void BlendSpan(RasterRows rows, RingShape ring, double from, double to, double dy, int row) {
  const int first = std::max(0, static_cast<int>(std::ceil(from - 0.5)));
  const int last = std::min(rows.width - 1, static_cast<int>(std::floor(to - 0.5)));
  uint32_t* const line = PixelAt(rows, 0, row);
  const double rowPart = dy * dy - ring.rx * ring.rx;
  double dx = first + 0.5 - ring.cx;
  for (int column = first; column <= last; ++column, dx += 1) {
    // Off the ring by (d^2 - r^2) / (d + r); d + r is nearly 2 r on a large ring.
    const double off = ring.exactDistance ? std::sqrt(dx * dx + dy * dy) - ring.rx
                                          : (dx * dx + rowPart) * ring.halfInverse;
    BlendAt(line + column, ring.color, static_cast<int>(ring.peakWeight - std::abs(off) * 256));
  }
}

}  // namespace

RasterRows RowsOf(QImage& image) {
  return RasterRows{image.bits(),  image.bytesPerLine(), image.width(), image.height(), 0,
                    image.height()};
}

RasterRows BandOf(const RasterRows& rows, int top, int bottom) {
  RasterRows band = rows;
  band.bandTop = std::max(top, 0);
  band.bandBottom = std::min(bottom, rows.height);
  return band;
}

// An end outside is moved onto the edge it crosses, so lines along an axis stay
// exact however far away their ends lie; slopes are taken from halves so that
// huge coordinates cannot overflow the differences.
bool ClipToImage(double& x1, double& y1, double& x2, double& y2, int width, int height) {
  constexpr double kMargin = 4;
  constexpr int kLeft = 1, kRight = 2, kTop = 4, kBottom = 8;
  const double low = -kMargin;
  const double right = width + kMargin;
  const double bottom = height + kMargin;
  auto outside = [&](double x, double y) {
    return (x < low ? kLeft : 0) | (x > right ? kRight : 0) | (y < low ? kTop : 0) |
           (y > bottom ? kBottom : 0);
  };
  // Each end needs at most two moves; more means rounding keeps it outside.
  for (int move = 0; move < 6; ++move) {
    const int out1 = outside(x1, y1);
    const int out2 = outside(x2, y2);
    if ((out1 | out2) == 0) return true;
    if ((out1 & out2) != 0) return false;
    const double slopeYx = (y2 * 0.5 - y1 * 0.5) / (x2 * 0.5 - x1 * 0.5);
    const double slopeXy = (x2 * 0.5 - x1 * 0.5) / (y2 * 0.5 - y1 * 0.5);
    const bool firstEnd = out1 != 0;
    const int out = firstEnd ? out1 : out2;
    double& x = firstEnd ? x1 : x2;
    double& y = firstEnd ? y1 : y2;
    if ((out & (kLeft | kRight)) != 0) {
      const double edge = (out & kLeft) != 0 ? low : right;
      y = y1 + (edge - x1) * slopeYx;
      x = edge;
    } else {
      const double edge = (out & kTop) != 0 ? low : bottom;
      x = x1 + (edge - y1) * slopeXy;
      y = edge;
    }
    if (!std::isfinite(x) || !std::isfinite(y)) return false;
  }
  return false;
}

// Along the major axis each pixel takes the part of the segment over it,
// across it the part of the line's cross-section over it (in 256ths, so the
// loop stays integer).
void RasterLine(const RasterRows& rows, double x1, double y1, double x2, double y2, double width,
                uint32_t color) {
  const bool steep = std::abs(y2 - y1) > std::abs(x2 - x1);
  if (steep) {
    std::swap(x1, y1);
    std::swap(x2, y2);
  }
  if (x1 > x2) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  if (x2 - x1 <= 0) return;
  const double gradient = (y2 - y1) / (x2 - x1);
  const double span = width * std::sqrt(1 + gradient * gradient);
  const int spanWeight = ToWeight(span);
  // Rows are the major axis of a steep line and its minor axis otherwise.
  const int minorLow = steep ? 0 : rows.bandTop;
  const int minorHigh = (steep ? rows.width : rows.bandBottom) - 1;
  const int first = static_cast<int>(std::floor(x1 + 0.5));
  const int last = static_cast<int>(std::floor(x2 + 0.5));
  int from = std::max(first, steep ? rows.bandTop : 0);
  int to = std::min(last, (steep ? rows.bandBottom : rows.width) - 1);
  if (!steep) ShallowColumns(rows, x1, y1, gradient, span, from, to);
  for (int major = from; major <= to; ++major) {
    double start = major - 0.5;
    double end = major + 0.5;
    int majorWeight = 256;
    if (major == first || major == last) {
      start = std::max(x1, start);
      end = std::min(x2, end);
      majorWeight = ToWeight(end - start);
    }
    // Top of the cross-section, with pixel j spanning [256 j, 256 j + 256).
    const int top = ToWeight(y1 + ((start + end) * 0.5 - x1) * gradient - 0.5 * span + 0.5);
    const int bottom = top + spanWeight;
    // Pixels across the line lie a row apart on a shallow line, side by side on a steep one.
    uint32_t* const base = steep ? PixelAt(rows, 0, major) : PixelAt(rows, major, 0);
    const qsizetype minorStep = steep ? 1 : rows.bytesPerLine / 4;
    const int firstMinor = top >> 8;
    const int lastMinor = bottom >> 8;
    if (majorWeight == 256 && firstMinor < lastMinor && firstMinor >= minorLow &&
        lastMinor <= minorHigh) {
      // The common column: whole along the line and inside the band, so no
      // pixel needs a check; the pixels between the two edges are covered.
      uint32_t* pixel = base + firstMinor * minorStep;
      BlendAt(pixel, color, (firstMinor + 1) * 256 - top);
      for (int minor = firstMinor + 1; minor < lastMinor; ++minor) *(pixel += minorStep) = color;
      BlendAt(pixel + minorStep, color, bottom - lastMinor * 256);
      continue;
    }
    const Cross cross{base, minorStep, minorLow, minorHigh, color, majorWeight};
    if (firstMinor == lastMinor) {
      Plot(cross, firstMinor, spanWeight);
      continue;
    }
    Plot(cross, firstMinor, (firstMinor + 1) * 256 - top);
    for (int minor = firstMinor + 1; minor < lastMinor; ++minor) Plot(cross, minor, 256);
    Plot(cross, lastMinor, bottom - lastMinor * 256);
  }
}

// Each pixel whose centre lies within half the pen width plus half a pixel of
// the ring takes the overlap as coverage. A ring a little out of round is
// measured with rows scaled to make it round.
void RasterRing(const RasterRows& rows, QPointF centre, double rx, double ry, double width,
                uint32_t color) {
  const double cx = centre.x();
  const double cy = centre.y();
  const double reach = 0.5 * width + 0.5;
  const double outer = rx + reach;
  const double inner = rx - reach;
  const double rowScale = rx / ry;
  const double halfInverse = 0.5 / rx;
  const bool exactDistance = rx <= kExactRingRadius;
  // 256ths at the ring's middle line, rounded; the weight caps at a whole pixel.
  const double peakWeight = reach * 256 + 0.5;
  const double outerRows = outer / rowScale;
  // Nothing to do off the band; this also keeps the row and column numbers in range.
  if (cx + outer < 0 || cx - outer > rows.width || cy + outerRows < rows.bandTop ||
      cy - outerRows > rows.bandBottom) {
    return;
  }
  const int firstRow = std::max(rows.bandTop, static_cast<int>(std::floor(cy - outerRows)));
  const int lastRow = std::min(rows.bandBottom - 1, static_cast<int>(std::ceil(cy + outerRows)));
  const RingShape ring{cx, rx, halfInverse, peakWeight, exactDistance, color};
  for (int row = firstRow; row <= lastRow; ++row) {
    const double dy = (row + 0.5 - cy) * rowScale;
    const double outerSquare = outer * outer - dy * dy;
    if (outerSquare <= 0) continue;
    const double outerHalf = std::sqrt(outerSquare);
    const double innerSquare = inner > 0 ? inner * inner - dy * dy : 0;
    if (innerSquare <= 0) {
      BlendSpan(rows, ring, cx - outerHalf, cx + outerHalf, dy, row);
      continue;
    }
    const double innerHalf = std::sqrt(innerSquare);
    BlendSpan(rows, ring, cx - outerHalf, cx - innerHalf, dy, row);
    BlendSpan(rows, ring, cx + innerHalf, cx + outerHalf, dy, row);
  }
}

void LineRows(double y1, double y2, double width, int& first, int& last) {
  const double reach = width * 1.5 + 2;  // the cross-section of the steepest shallow line
  first = static_cast<int>(std::max(std::floor(std::min(y1, y2) - reach), -1.0));
  last = static_cast<int>(std::min(std::ceil(std::max(y1, y2) + reach), 1e9));
}

void RingRows(QPointF centre, double rx, double ry, double width, int& first, int& last) {
  const double reach = (rx + 0.5 * width + 1) * ry / rx + 1;
  first = static_cast<int>(std::max(std::floor(centre.y() - reach), -1.0));
  last = static_cast<int>(std::min(std::ceil(centre.y() + reach), 1e9));
}

}  // namespace plandra
