#include "view/QtSurface.h"

#include <QFontDatabase>
#include <QPaintDevice>
#include <QPen>
#include <QRectF>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <utility>

namespace plandra {

namespace {

// Fallbacks with Japanese glyphs first, then whatever monospace the system has.
constexpr const char* kFallbackFamilies[] = {"IPAGothic", "IPAPGothic", "Noto Sans Mono CJK JP",
                                             "Noto Sans CJK JP", "DejaVu Sans Mono"};

QRectF NormalizedRect(QPointF a, QPointF b) { return QRectF(a, b).normalized(); }

// A degenerate construction may hand over infinities; the painter gets none.
bool AllFinite(std::initializer_list<double> values) {
  for (double v : values) {
    if (!std::isfinite(v)) return false;
  }
  return true;
}

// Anti-aliased lines and circles written straight into the image rows: the
// painter's own anti-aliased path costs most of a full redraw.
struct RasterRows {
  uchar* bits;
  qsizetype bytesPerLine;
  int width;
  int height;
};

RasterRows RowsOf(QImage& image) {
  return RasterRows{image.bits(), image.bytesPerLine(), image.width(), image.height()};
}

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

uint32_t* PixelAt(const RasterRows& rows, int column, int row) {
  return reinterpret_cast<uint32_t*>(rows.bits + row * rows.bytesPerLine) + column;
}

// 256ths of a pixel, floored: exact for the small offsets the clipped
// drawing works with.
inline int ToWeight(double share) { return static_cast<int>(share * 256 + 0.5 + 65536) - 65536; }

// Cuts the segment to the image grown by a margin; false when nothing is left.
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
    if (!AllFinite({x, y})) return false;
  }
  return false;
}

// A line of the given width from pixel centre coordinates: along the major
// axis each pixel takes the part of the segment over it, across it the part
// of the line's cross-section over it (in 256ths, so the loop stays integer).
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
  const int majorLimit = (steep ? rows.height : rows.width) - 1;
  const int minorLimit = (steep ? rows.width : rows.height) - 1;
  const int first = static_cast<int>(std::floor(x1 + 0.5));
  const int last = static_cast<int>(std::floor(x2 + 0.5));
  for (int major = std::max(first, 0); major <= std::min(last, majorLimit); ++major) {
    double from = major - 0.5;
    double to = major + 0.5;
    int majorWeight = 256;
    if (major == first || major == last) {
      from = std::max(x1, from);
      to = std::min(x2, to);
      majorWeight = ToWeight(to - from);
    }
    // Top of the cross-section, with pixel j spanning [256 j, 256 j + 256).
    const int top = ToWeight(y1 + ((from + to) * 0.5 - x1) * gradient - 0.5 * span + 0.5);
    const int bottom = top + spanWeight;
    // Pixels across the line lie a row apart on a shallow line, side by side on a steep one.
    uint32_t* const base = steep ? PixelAt(rows, 0, major) : PixelAt(rows, major, 0);
    const qsizetype minorStep = steep ? 1 : rows.bytesPerLine / 4;
    auto plot = [&](int minor, int weight) {
      if (minor < 0 || minor > minorLimit) return;
      BlendAt(base + minor * minorStep, color,
              majorWeight == 256 ? weight : weight * majorWeight >> 8);
    };
    const int firstMinor = top >> 8;
    const int lastMinor = bottom >> 8;
    if (firstMinor == lastMinor) {
      plot(firstMinor, spanWeight);
      continue;
    }
    plot(firstMinor, (firstMinor + 1) * 256 - top);
    for (int minor = firstMinor + 1; minor < lastMinor; ++minor) plot(minor, 256);
    plot(lastMinor, bottom - lastMinor * 256);
  }
}

// A ring about a pixel position: each pixel whose centre lies within half the
// pen width plus half a pixel of the ring takes the overlap as coverage. A ring
// a little out of round (pixels not quite square in world units) is measured
// with rows scaled to make it round.
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
  // Nothing to do off the image; this also keeps the row and column numbers in range.
  if (cx + outer < 0 || cx - outer > rows.width || cy + outerRows < 0 ||
      cy - outerRows > rows.height) {
    return;
  }
  const int firstRow = std::max(0, static_cast<int>(std::floor(cy - outerRows)));
  const int lastRow = std::min(rows.height - 1, static_cast<int>(std::ceil(cy + outerRows)));
  auto blendSpan = [&](double from, double to, double dy, int row) {
    const int first = std::max(0, static_cast<int>(std::ceil(from - 0.5)));
    const int last = std::min(rows.width - 1, static_cast<int>(std::floor(to - 0.5)));
    uint32_t* const line = PixelAt(rows, 0, row);
    const double rowPart = dy * dy - rx * rx;
    double dx = first + 0.5 - cx;
    for (int column = first; column <= last; ++column, dx += 1) {
      // Off the ring by (d^2 - r^2) / (d + r); d + r is nearly 2 r on a large ring.
      const double off =
          exactDistance ? std::sqrt(dx * dx + dy * dy) - rx : (dx * dx + rowPart) * halfInverse;
      BlendAt(line + column, color, static_cast<int>(peakWeight - std::abs(off) * 256));
    }
  };
  for (int row = firstRow; row <= lastRow; ++row) {
    const double dy = (row + 0.5 - cy) * rowScale;
    const double outerSquare = outer * outer - dy * dy;
    if (outerSquare <= 0) continue;
    const double outerHalf = std::sqrt(outerSquare);
    const double innerSquare = inner > 0 ? inner * inner - dy * dy : 0;
    if (innerSquare <= 0) {
      blendSpan(cx - outerHalf, cx + outerHalf, dy, row);
      continue;
    }
    const double innerHalf = std::sqrt(innerSquare);
    blendSpan(cx - outerHalf, cx - innerHalf, dy, row);
    blendSpan(cx + innerHalf, cx + outerHalf, dy, row);
  }
}

uint32_t PackColor(RgbColor color) {
  return 0xFF000000u | (uint32_t{color.R} << 16) | (uint32_t{color.G} << 8) | color.B;
}

}  // namespace

QString ResolveFontFamily(std::string_view family) {
  const QString requested = QString::fromUtf8(family.data(), static_cast<qsizetype>(family.size()));
  const QStringList installed = QFontDatabase::families();
  if (!requested.isEmpty() && installed.contains(requested, Qt::CaseInsensitive)) {
    return requested;
  }
  for (const char* fallback : kFallbackFamilies) {
    if (installed.contains(QString::fromLatin1(fallback), Qt::CaseInsensitive)) {
      return QString::fromLatin1(fallback);
    }
  }
  return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}

QColor ToQColor(RgbColor color) { return QColor(color.R, color.G, color.B); }

QtSurface::QtSurface(int width, int height)
    : image_(width < 1 ? 1 : width, height < 1 ? 1 : height, QImage::Format_RGB32),
      width_(image_.width()),
      height_(image_.height()),
      worldWidth_(width_),
      worldHeight_(height_) {
  SetFont(fontFamily_, fontPoints_);
  Clear();
}

QtSurface::QtSurface(QPaintDevice& device, int width, int height)
    : device_(&device),
      devicePainter_(std::make_unique<QPainter>(&device)),
      width_(width < 1 ? 1 : width),
      height_(height < 1 ? 1 : height),
      worldWidth_(width_),
      worldHeight_(height_) {
  SetFont(fontFamily_, fontPoints_);
}

QtSurface::~QtSurface() { Finish(); }

void QtSurface::Finish() {
  if (devicePainter_ && devicePainter_->isActive()) devicePainter_->end();
  imagePainter_.reset();
}

void QtSurface::Resize(int width, int height) {
  width = width < 1 ? 1 : width;
  height = height < 1 ? 1 : height;
  width_ = width;
  height_ = height;
  if (device_ != nullptr) return;
  imagePainter_.reset();
  QImage resized(width, height, QImage::Format_RGB32);
  resized.fill(ToQColor(backColor_));
  QPainter painter(&resized);
  painter.drawImage(0, 0, image_);
  painter.end();
  image_ = std::move(resized);
}

template <class Draw>
void QtSurface::Paint(Draw&& draw) {
  if (device_ != nullptr) {
    if (!devicePainter_->isActive()) return;
    devicePainter_->setRenderHint(QPainter::Antialiasing, antialiased_);
    draw(*devicePainter_);
    return;
  }
  if (!imagePainter_) imagePainter_ = std::make_unique<QPainter>(&image_);
  imagePainter_->setRenderHint(QPainter::Antialiasing, antialiased_);
  draw(*imagePainter_);
}

QPointF QtSurface::ToPixel(double x, double y) const {
  return QPointF((x - left_) * width_ / worldWidth_, (y - top_) * height_ / worldHeight_);
}

void QtSurface::ToWorld(QPointF pixel, double& x, double& y) const {
  x = left_ + pixel.x() * worldWidth_ / width_;
  y = top_ + pixel.y() * worldHeight_ / height_;
}

QPointF QtSurface::PaintPoint(double x, double y) const {
  const QPointF p = ToPixel(x, y);
  if (antialiased_) return p;
  // The aliased painter fills the pixel right of and below a whole position.
  return QPointF(std::floor(p.x()), std::floor(p.y()));
}

void QtSurface::SetWorldWindow(double left, double top, double width, double height) {
  // A window of no extent cannot be mapped; keep the last one.
  if (width == 0 || height == 0 || !std::isfinite(width) || !std::isfinite(height)) return;
  left_ = left;
  top_ = top;
  worldWidth_ = width;
  worldHeight_ = height;
}

void QtSurface::Clear() {
  if (device_ == nullptr) {
    imagePainter_.reset();  // the image is written directly
    image_.fill(ToQColor(backColor_));
    return;
  }
  Paint([&](QPainter& painter) {
    painter.fillRect(QRectF(0, 0, width_, height_), ToQColor(backColor_));
  });
}

void QtSurface::SetFont(std::string_view family, double points) {
  fontFamily_ = std::string(family);
  fontPoints_ = points > 0 && std::isfinite(points) ? points : 9;
  font_ = QFont(ResolveFontFamily(family));
  font_.setPointSizeF(fontPoints_);
}

QPen QtSurface::MakePen(RgbColor color) const {
  QPen pen(ToQColor(color));
  pen.setCosmetic(true);
  pen.setWidth(penWidth_);
  pen.setStyle(lineStyle_ == LineStyle::kDotted ? Qt::DotLine : Qt::SolidLine);
  pen.setCapStyle(Qt::FlatCap);
  return pen;
}

bool QtSurface::RastersItself() const {
  return device_ == nullptr && antialiased_ && lineStyle_ == LineStyle::kSolid &&
         penWidth_ <= kMaxRasterPenWidth;
}

void QtSurface::Line(double x1, double y1, double x2, double y2, RgbColor color) {
  if (!AllFinite({x1, y1, x2, y2})) return;
  if (RastersItself()) {
    QPointF from = ToPixel(x1, y1);
    QPointF to = ToPixel(x2, y2);
    double fx = from.x(), fy = from.y(), tx = to.x(), ty = to.y();
    if (!AllFinite({fx, fy, tx, ty}) || !ClipToImage(fx, fy, tx, ty, width_, height_)) return;
    imagePainter_.reset();  // the painter is done with the rows before they are written
    RasterLine(RowsOf(image_), fx - 0.5, fy - 0.5, tx - 0.5, ty - 0.5, penWidth_, PackColor(color));
    return;
  }
  Paint([&](QPainter& painter) {
    painter.setPen(MakePen(color));
    painter.drawLine(PaintPoint(x1, y1), PaintPoint(x2, y2));
  });
}

void QtSurface::Circle(double cx, double cy, double r, RgbColor color) {
  if (!AllFinite({cx, cy, r})) return;
  const double rx = std::abs(r * width_ / worldWidth_);
  const double ry = std::abs(r * height_ / worldHeight_);
  // Nearly round rings of a sane size only; ellipses and near-straight arcs stay
  // with the painter.
  if (RastersItself() && std::abs(rx - ry) <= kMaxRasterOutOfRound * rx && rx > 0 &&
      rx < kMaxRasterRadius) {
    const QPointF centre = ToPixel(cx, cy);
    if (!AllFinite({centre.x(), centre.y()})) return;
    imagePainter_.reset();  // the painter is done with the rows before they are written
    RasterRing(RowsOf(image_), centre, rx, ry, penWidth_, PackColor(color));
    return;
  }
  Paint([&](QPainter& painter) {
    painter.setPen(MakePen(color));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(PaintPoint(cx, cy), rx, ry);
  });
}

void QtSurface::Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) {
  const QRectF rect = NormalizedRect(PaintPoint(x1, y1), PaintPoint(x2, y2));
  Paint([&](QPainter& painter) {
    painter.setPen(MakePen(color));
    painter.setBrush(filled ? QBrush(ToQColor(color)) : QBrush(Qt::NoBrush));
    painter.drawRect(rect);
  });
}

void QtSurface::Pixel(double x, double y, RgbColor color) {
  const QPointF p = ToPixel(x, y);
  const double column = std::floor(p.x());
  const double row = std::floor(p.y());
  if (device_ == nullptr && !imagePainter_) {
    if (column >= 0 && row >= 0 && column < width_ && row < height_) {
      image_.setPixelColor(static_cast<int>(column), static_cast<int>(row), ToQColor(color));
    }
    return;
  }
  Paint([&](QPainter& painter) { painter.fillRect(QRectF(column, row, 1, 1), ToQColor(color)); });
}

void QtSurface::Text(double x, double y, std::string_view text, RgbColor color) {
  const QPointF corner = ToPixel(x, y);
  const QString content = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  Paint([&](QPainter& painter) {
    painter.setFont(font_);
    painter.setPen(ToQColor(color));
    // Large enough that the text is never cut; it is not wrapped.
    const QRectF box(corner, QSizeF(width_ + 1e4, height_ + 1e4));
    painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, content);
  });
}

}  // namespace plandra
