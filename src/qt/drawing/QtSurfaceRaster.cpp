#include "qt/drawing/QtSurfaceRaster.h"

#include <algorithm>
#include <cmath>
#include <utility>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#endif

namespace plandra {

namespace {

// Rings up to this radius in pixels measure their distance exactly.
constexpr double kExactRingRadius = 32;

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

#if defined(__SSE2__)
// Two pixels (the low 8 bytes of under) mixed with the colour as BlendAt
// mixes each, for weights from 0 to 256 given in each pixel's four 16-bit
// lanes: channel by channel (u * (256 - w) + c * w + 128) >> 8, which the
// lanes hold without overflow, so the result is the same to the bit. A
// weight of none leaves a pixel as it was.
inline __m128i MixTwo(__m128i under, uint32_t color, __m128i over) {
  const __m128i zero = _mm_setzero_si128();
  const __m128i colour = _mm_unpacklo_epi8(_mm_set1_epi32(static_cast<int>(color)), zero);
  const __m128i keep = _mm_sub_epi16(_mm_set1_epi16(256), over);
  __m128i mixed = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(under, zero), keep),
                                _mm_mullo_epi16(colour, over));
  mixed = _mm_srli_epi16(_mm_add_epi16(mixed, _mm_set1_epi16(128)), 8);
  return _mm_or_si128(_mm_packus_epi16(mixed, mixed),
                      _mm_set1_epi32(static_cast<int>(0xFF000000u)));
}

// Two weights in the low two 16-bit lanes, each spread over its pixel's four.
inline __m128i SpreadWeights(__m128i weights) {
  weights = _mm_unpacklo_epi16(weights, weights);
  return _mm_unpacklo_epi32(weights, weights);
}

inline void BlendTwo(uint32_t* first, uint32_t* second, uint32_t color, int firstWeight,
                     int secondWeight) {
  const auto weights = static_cast<uint32_t>(firstWeight) | static_cast<uint32_t>(secondWeight)
                                                                << 16;
  const __m128i under = _mm_unpacklo_epi32(_mm_cvtsi32_si128(static_cast<int>(*first)),
                                           _mm_cvtsi32_si128(static_cast<int>(*second)));
  const __m128i mixed =
      MixTwo(under, color, SpreadWeights(_mm_cvtsi32_si128(static_cast<int>(weights))));
  *first = static_cast<uint32_t>(_mm_cvtsi128_si32(mixed));
  *second = static_cast<uint32_t>(_mm_cvtsi128_si32(_mm_srli_si128(mixed, 4)));
}
#else
inline void BlendTwo(uint32_t* first, uint32_t* second, uint32_t color, int firstWeight,
                     int secondWeight) {
  BlendAt(first, color, firstWeight);
  BlendAt(second, color, secondWeight);
}
#endif

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

// Where a line's pixels lie in the image: along the major axis a column of
// a shallow line, a row of a steep one.
struct LineFrame {
  uint32_t* origin;
  qsizetype majorStep;
  qsizetype minorStep;
  int minorLow;  // the band's or the image's first and last pixel across
  int minorHigh;
  int spanWeight;  // the cross-section in 256ths
  uint32_t color;
};

// One slice across the line, its cross-section starting top 256ths down.
// Inlined into the line's loop so that the frame and colour stay in registers.
[[gnu::always_inline]] inline void LineColumn(const LineFrame& frame, int major, int top,
                                              int majorWeight) {
  const int bottom = top + frame.spanWeight;
  uint32_t* const base = frame.origin + major * frame.majorStep;
  const int firstMinor = top >> 8;
  const int lastMinor = bottom >> 8;
  if (majorWeight == 256 && firstMinor < lastMinor && firstMinor >= frame.minorLow &&
      lastMinor <= frame.minorHigh) {
    // The common slice: whole along the line and inside the band, so no
    // pixel needs a check; the pixels between the two edges are covered.
    uint32_t* const firstPixel = base + firstMinor * frame.minorStep;
    uint32_t* const lastPixel = base + lastMinor * frame.minorStep;
    BlendTwo(firstPixel, lastPixel, frame.color, (firstMinor + 1) * 256 - top,
             bottom - lastMinor * 256);
    for (uint32_t* pixel = firstPixel + frame.minorStep; pixel != lastPixel;
         pixel += frame.minorStep) {
      *pixel = frame.color;
    }
    return;
  }
  const Cross cross{base,        frame.minorStep, frame.minorLow, frame.minorHigh,
                    frame.color, majorWeight};
  if (firstMinor == lastMinor) {
    Plot(cross, firstMinor, frame.spanWeight);
    return;
  }
  Plot(cross, firstMinor, (firstMinor + 1) * 256 - top);
  for (int minor = firstMinor + 1; minor < lastMinor; ++minor) Plot(cross, minor, 256);
  Plot(cross, lastMinor, bottom - lastMinor * 256);
}

// 256ths of a pixel, floored: exact for the small offsets the clipped
// drawing works with.
inline int ToWeight(double share) { return static_cast<int>(share * 256 + 0.5 + 65536) - 65536; }

// Floor and ceiling of positions well inside the int range: x86-64's
// baseline has no rounding instruction, and the library call cost more than
// the pixels of a ring's short spans.
inline int FloorToInt(double value) {
  const int truncated = static_cast<int>(value);
  return truncated - (truncated > value ? 1 : 0);
}
inline int CeilToInt(double value) {
  const int truncated = static_cast<int>(value);
  return truncated + (truncated < value ? 1 : 0);
}

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

#if defined(__SSE2__)
// The weights of two neighbouring pixels of a ring's row, in the low two
// 16-bit lanes: each lane does what BlendSpan's weightAt does, so they are
// the same weights.
inline __m128i RingPairWeights(const RingShape& ring, __m128d across, double dy, double rowPart) {
  const __m128d squares = _mm_mul_pd(across, across);
  const __m128d off =
      ring.exactDistance
          ? _mm_sub_pd(_mm_sqrt_pd(_mm_add_pd(squares, _mm_set1_pd(dy * dy))), _mm_set1_pd(ring.rx))
          : _mm_mul_pd(_mm_add_pd(squares, _mm_set1_pd(rowPart)), _mm_set1_pd(ring.halfInverse));
  const __m128d share =
      _mm_sub_pd(_mm_set1_pd(ring.peakWeight),
                 _mm_mul_pd(_mm_andnot_pd(_mm_set1_pd(-0.0), off), _mm_set1_pd(256)));
  // Truncated as the cast truncates; out of range both give the lowest int.
  __m128i weights = _mm_cvttpd_epi32(share);
  weights = _mm_packs_epi32(weights, weights);
  return _mm_min_epi16(_mm_max_epi16(weights, _mm_setzero_si128()), _mm_set1_epi16(256));
}
#endif

// The pixels of one row between from and to (pixel positions).
// Inlined into the ring's loop: a ring's spans are a few pixels, and passing the
// shape and rows cost more than them.
[[gnu::always_inline]] inline void BlendSpan(const RasterRows& rows, const RingShape& ring,
                                             double from, double to, double dy, int row) {
  const int first = std::max(0, CeilToInt(from - 0.5));
  const int last = std::min(rows.width - 1, FloorToInt(to - 0.5));
  uint32_t* const line = PixelAt(rows, 0, row);
  const double rowPart = dy * dy - ring.rx * ring.rx;
  double dx = first + 0.5 - ring.cx;
  // Off the ring by (d^2 - r^2) / (d + r); d + r is nearly 2 r on a large ring.
  auto weightAt = [&ring, dy, rowPart](double across) {
    const double off = ring.exactDistance ? std::sqrt(across * across + dy * dy) - ring.rx
                                          : (across * across + rowPart) * ring.halfInverse;
    return std::clamp(static_cast<int>(ring.peakWeight - std::abs(off) * 256), 0, 256);
  };
  int column = first;
  for (; column < last; column += 2) {
    const double left = dx;
    dx += 1;
    const double right = dx;
    dx += 1;
#if defined(__SSE2__)
    auto* const pair = reinterpret_cast<__m128i*>(line + column);
    const __m128i weights = RingPairWeights(ring, _mm_set_pd(right, left), dy, rowPart);
    _mm_storel_epi64(pair, MixTwo(_mm_loadl_epi64(pair), ring.color, SpreadWeights(weights)));
#else
    BlendTwo(line + column, line + column + 1, ring.color, weightAt(left), weightAt(right));
#endif
  }
  if (column == last) BlendAt(line + column, ring.color, weightAt(dx));
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
  const qsizetype stride = rows.bytesPerLine / 4;
  // Rows are the major axis of a steep line and its minor axis otherwise.
  const LineFrame frame{reinterpret_cast<uint32_t*>(rows.bits),
                        steep ? stride : 1,
                        steep ? 1 : stride,
                        steep ? 0 : rows.bandTop,
                        (steep ? rows.width : rows.bandBottom) - 1,
                        ToWeight(span),
                        color};
  const int first = static_cast<int>(std::floor(x1 + 0.5));
  const int last = static_cast<int>(std::floor(x2 + 0.5));
  int from = std::max(first, steep ? rows.bandTop : 0);
  int to = std::min(last, (steep ? rows.bandBottom : rows.width) - 1);
  if (!steep) ShallowColumns(rows, x1, y1, gradient, span, from, to);
  if (from > to) return;
  // The end pixels take only the part of the segment over them.
  auto endColumn = [&](int major) {
    const double start = std::max(x1, major - 0.5);
    const double end = std::min(x2, major + 0.5);
    const int top = ToWeight(y1 + ((start + end) * 0.5 - x1) * gradient - 0.5 * span + 0.5);
    LineColumn(frame, major, top, ToWeight(end - start));
  };
  if (from == first) endColumn(first);
  // Between the ends a pixel's middle along the line is the whole number itself.
  const double halfSpan = 0.5 * span;
  const int innerTo = std::min(to, last - 1);
  for (int major = std::max(from, first + 1); major <= innerTo; ++major) {
    LineColumn(frame, major, ToWeight(y1 + (major - x1) * gradient - halfSpan + 0.5), 256);
  }
  if (to == last && last != first) endColumn(last);
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

#if defined(__x86_64__) && defined(__GNUC__)
namespace {
[[gnu::target("avx")]] void ZeroUpperHalves() { _mm256_zeroupper(); }
}  // namespace

void ClearUpperVectorState() {
  static const bool hasAvx = (__builtin_cpu_init(), __builtin_cpu_supports("avx"));
  if (hasAvx) ZeroUpperHalves();
}
#else
void ClearUpperVectorState() {}
#endif

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
