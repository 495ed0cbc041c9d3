#include "view/QtSurface.h"

#include <QFontDatabase>
#include <QPaintDevice>
#include <QPen>
#include <QRectF>
#include <cmath>
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

void QtSurface::Line(double x1, double y1, double x2, double y2, RgbColor color) {
  if (!AllFinite({x1, y1, x2, y2})) return;
  Paint([&](QPainter& painter) {
    painter.setPen(MakePen(color));
    painter.drawLine(PaintPoint(x1, y1), PaintPoint(x2, y2));
  });
}

void QtSurface::Circle(double cx, double cy, double r, RgbColor color) {
  if (!AllFinite({cx, cy, r})) return;
  const double rx = std::abs(r * width_ / worldWidth_);
  const double ry = std::abs(r * height_ / worldHeight_);
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
