#include "qt/drawing/QtSurface.h"

#include <QBuffer>
#include <QFontDatabase>
#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPen>
#include <QRectF>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <latch>
#include <optional>
#include <utility>

#include "files/FileWriter.h"
#include "qt/drawing/QtSurfaceRaster.h"

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

uint32_t PackColor(RgbColor color) {
  return 0xFF000000u | (uint32_t{color.R} << 16) | (uint32_t{color.G} << 8) | color.B;
}

// The rows a painter call may touch: its box grown by the pen and a pixel of
// anti-aliasing, kept within int.
void RowsAround(double top, double bottom, int pen, int& first, int& last) {
  const double reach = pen + 2;
  first = static_cast<int>(std::clamp(std::floor(top - reach), -1.0, 1e9));
  last = static_cast<int>(std::clamp(std::ceil(bottom + reach), -1.0, 1e9));
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

bool WriteImageFile(const QImage& image, const std::filesystem::path& file, const char* format,
                    std::string& error) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, format)) {
    error = "the picture could not be encoded";
    return false;
  }
  return ReplaceFileContents(
      file, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

QtSurface::QtSurface(int width, int height)
    : image_(width < 1 ? 1 : width, height < 1 ? 1 : height, QImage::Format_RGB32),
      view_(PixelMapping::OfSize(image_.width(), image_.height())) {
  helperCount_ = std::clamp(QThread::idealThreadCount() - 1, 0, kMaxHelpers);
  helpers_.setMaxThreadCount(std::max(helperCount_, 1));
  helpers_.setExpiryTimeout(-1);
  SetFont(fontFamily_, fontPoints_);
  Clear();
}

QtSurface::QtSurface(QPaintDevice& device, int width, int height)
    : device_(&device),
      devicePainter_(std::make_unique<QPainter>(&device)),
      view_(PixelMapping::OfSize(width, height)) {
  SetFont(fontFamily_, fontPoints_);
}

QtSurface::~QtSurface() { Finish(); }

void QtSurface::Finish() {
  Flush();
  if (devicePainter_ && devicePainter_->isActive()) devicePainter_->end();
  imagePainter_.reset();
}

void QtSurface::SetAntialiased(bool on) {
  Flush();
  antialiased_ = on;
}

void QtSurface::Resize(int width, int height) {
  width = width < 1 ? 1 : width;
  height = height < 1 ? 1 : height;
  // The calls still to be played belong to the old size.
  Flush();
  view_.Width = width;
  view_.Height = height;
  if (device_ != nullptr) return;
  imagePainter_.reset();
  layerKept_ = false;
  layer_ = QImage();
  QImage resized(width, height, QImage::Format_RGB32);
  resized.fill(ToQColor(backColor_));
  QPainter painter(&resized);
  painter.drawImage(0, 0, image_);
  painter.end();
  image_ = std::move(resized);
}

const QFont& ThreadFonts::Of(const QFont& font) {
  for (const auto& [kept, own] : fonts_) {
    if (kept == font) return own;
  }
  QFont own = font;
  own.setPointSizeF(font.pointSizeF());  // a setter detaches the copy
  fonts_.emplace_back(font, own);
  return fonts_.back().second;
}

void QtSurface::Paint(int firstRow, int lastRow, PaintCall draw) {
  if (Banded()) {
    Keep({PendingOp::Kind::kPaint, firstRow, lastRow, 0, 0, 0, 0, 0, 0, std::move(draw)});
    return;
  }
  if (device_ != nullptr) {
    if (!devicePainter_->isActive()) return;
    devicePainter_->setRenderHint(QPainter::Antialiasing, antialiased_);
    draw(*devicePainter_, ownFonts_);
    return;
  }
  if (!imagePainter_) imagePainter_ = std::make_unique<QPainter>(&image_);
  imagePainter_->setRenderHint(QPainter::Antialiasing, antialiased_);
  draw(*imagePainter_, ownFonts_);
}

QPointF QtSurface::ToPixel(double x, double y) const {
  return QPointF(view_.Column(x), view_.Row(y));
}

void QtSurface::ToWorld(QPointF pixel, double& x, double& y) const {
  x = view_.Left + pixel.x() * view_.WorldWidth / view_.Width;
  y = view_.Top + pixel.y() * view_.WorldHeight / view_.Height;
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
  view_.Left = left;
  view_.Top = top;
  view_.WorldWidth = width;
  view_.WorldHeight = height;
}

void QtSurface::Clear() {
  if (device_ == nullptr) {
    DropPending();          // all of it would be covered
    imagePainter_.reset();  // the image is written directly
    image_.fill(ToQColor(backColor_));
    return;
  }
  const QRectF all(0, 0, view_.Width, view_.Height);
  const QColor back = ToQColor(backColor_);
  Paint(0, view_.Height,
        [all, back](QPainter& painter, ThreadFonts&) { painter.fillRect(all, back); });
}

void QtSurface::DropPending() {
  pending_.clear();
  if (layerPending_) layerKept_ = false;
  layerPending_ = false;
}

uint64_t QtSurface::SurfaceKey(uint64_t key) const {
  for (double value : {view_.Left, view_.Top, view_.WorldWidth, view_.WorldHeight})
    key = FoldKey(key, value);
  for (int value : {view_.Width, view_.Height, penWidth_, static_cast<int>(lineStyle_)}) {
    key = FoldKey(key, value);
  }
  return FoldKey(key, backColor_);
}

bool QtSurface::RestoreLayer(uint64_t key, std::array<int, 4>& counts) {
  if (!Banded()) return false;
  DropPending();
  if (!layerKept_ || layerKey_ != SurfaceKey(key)) return false;
  imagePainter_.reset();
  Keep({PendingOp::Kind::kRestore, 0, view_.Height - 1, 0, 0, 0, 0, 0, 0, {}});
  counts = layerCounts_;
  return true;
}

void QtSurface::KeepLayer(uint64_t key, const std::array<int, 4>& counts) {
  if (!Banded()) return;
  if (layer_.size() != QSize(view_.Width, view_.Height)) {
    layer_ = QImage(view_.Width, view_.Height, QImage::Format_RGB32);
  }
  Keep({PendingOp::Kind::kKeep, 0, view_.Height - 1, 0, 0, 0, 0, 0, 0, {}});
  layerKey_ = SurfaceKey(key);
  layerCounts_ = counts;
  layerKept_ = true;
  layerPending_ = true;
}

void QtSurface::Keep(PendingOp op) {
  if (op.LastRow < 0 || op.FirstRow >= view_.Height) return;
  pending_.push_back(std::move(op));
}

void QtSurface::Flush() const {
  if (pending_.empty()) return;
  imagePainter_.reset();
  // The bands are dealt out to the helper threads and this one; a band is
  // played by one thread in the order of the calls, so the picture is the
  // same whoever plays it.
  const int players = helperCount_ + 1;
  // Once, here: a shared image detaches on its first write access.
  const RasterRows rows = RowsOf(image_);
  ClearUpperVectorState();  // the window's own painting came before
  layerBits_ = layer_.isNull() ? nullptr : layer_.bits();
  // Each player takes the next band not yet taken, so that one with many
  // drawings in its bands does not leave the others waiting.
  std::atomic<int> nextBand{0};
  // Not the pool's own wait: that ends its threads, and a new thread each
  // frame costs its start, its stack and its cold font caches.
  std::latch helpersDone(players - 1);
  for (int helper = 1; helper < players; ++helper) {
    helpers_.start([this, rows, &nextBand, &helpersDone] {
      PlayBands(rows, nextBand);
      helpersDone.count_down();
    });
  }
  PlayBands(rows, nextBand);
  helpersDone.wait();
  pending_.clear();
  layerPending_ = false;
}

void QtSurface::PlayBands(const RasterRows& rows, std::atomic<int>& nextBand) const {
  for (int top = nextBand++ * kBandRows; top < view_.Height; top = nextBand++ * kBandRows) {
    const int bottom = std::min(top + kBandRows, view_.Height);
    const RasterRows band = BandOf(rows, top, bottom);
    // The painter sees only the band's rows, so its calls are cut to them.
    std::optional<QImage> bandImage;
    std::optional<QPainter> painter;
    ThreadFonts fonts;
    for (const PendingOp& op : pending_) {
      if (op.LastRow < top || op.FirstRow >= bottom) continue;
      switch (op.What) {
        case PendingOp::Kind::kLine:
          RasterLine(band, op.A, op.B, op.C, op.D, op.Width, op.Color);
          break;
        case PendingOp::Kind::kRing:
          RasterRing(band, QPointF(op.A, op.B), op.C, op.D, op.Width, op.Color);
          break;
        case PendingOp::Kind::kPixel:
          reinterpret_cast<uint32_t*>(rows.bits + op.FirstRow * rows.bytesPerLine)[int(op.A)] =
              op.Color;
          break;
        case PendingOp::Kind::kRestore:
        case PendingOp::Kind::kKeep: {
          uchar* const image = rows.bits + top * rows.bytesPerLine;
          uchar* const layer = layerBits_ + top * rows.bytesPerLine;
          const size_t bytes = static_cast<size_t>((bottom - top) * rows.bytesPerLine);
          if (op.What == PendingOp::Kind::kRestore) {
            std::memcpy(image, layer, bytes);
          } else {
            std::memcpy(layer, image, bytes);
          }
          break;
        }
        case PendingOp::Kind::kPaint:
          if (!painter) {
            bandImage.emplace(rows.bits + top * rows.bytesPerLine, view_.Width, bottom - top,
                              rows.bytesPerLine, QImage::Format_RGB32);
            painter.emplace(&*bandImage);
            painter->setRenderHint(QPainter::Antialiasing, true);
            painter->translate(0, -top);
          }
          op.Draw(*painter, fonts);
          ClearUpperVectorState();
          break;
      }
    }
  }
}

void QtSurface::SetFont(std::string_view family, double points) {
  points = points > 0 && std::isfinite(points) ? points : 9;
  // Every redraw sets the font; looking the family up costs more than a frame.
  if (fontResolved_ && family == fontFamily_ && points == fontPoints_) return;
  fontResolved_ = true;
  fontFamily_ = std::string(family);
  fontPoints_ = points;
  font_ = QFont(ResolveFontFamily(family));
  font_.setPointSizeF(fontPoints_);
  fontRowHeight_ = QFontMetricsF(font_).height();
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
    if (!AllFinite({fx, fy, tx, ty}) || !ClipToImage(fx, fy, tx, ty, view_.Width, view_.Height))
      return;
    PendingOp op{
        PendingOp::Kind::kLine, 0, 0, fx - 0.5, fy - 0.5, tx - 0.5, ty - 0.5, double(penWidth_),
        PackColor(color),       {}};
    LineRows(op.B, op.D, op.Width, op.FirstRow, op.LastRow);
    Keep(std::move(op));
    return;
  }
  const QPointF from = PaintPoint(x1, y1);
  const QPointF to = PaintPoint(x2, y2);
  int first = 0, last = 0;
  RowsAround(std::min(from.y(), to.y()), std::max(from.y(), to.y()), penWidth_, first, last);
  Paint(first, last, [pen = MakePen(color), from, to](QPainter& painter, ThreadFonts&) {
    painter.setPen(pen);
    painter.drawLine(from, to);
  });
}

void QtSurface::Circle(double cx, double cy, double r, RgbColor color) {
  if (!AllFinite({cx, cy, r})) return;
  const double rx = view_.Columns(r);
  const double ry = view_.Rows(r);
  // Nearly round rings of a sane size only; ellipses and near-straight arcs stay
  // with the painter.
  if (RastersItself() && std::abs(rx - ry) <= kMaxRasterOutOfRound * rx && rx > 0 &&
      rx < kMaxRasterRadius) {
    const QPointF centre = ToPixel(cx, cy);
    if (!AllFinite({centre.x(), centre.y()})) return;
    PendingOp op{PendingOp::Kind::kRing, 0, 0, centre.x(), centre.y(), rx, ry, double(penWidth_),
                 PackColor(color),       {}};
    RingRows(centre, rx, ry, op.Width, op.FirstRow, op.LastRow);
    Keep(std::move(op));
    return;
  }
  const QPointF centre = PaintPoint(cx, cy);
  int first = 0, last = 0;
  RowsAround(centre.y() - ry, centre.y() + ry, penWidth_, first, last);
  Paint(first, last, [pen = MakePen(color), centre, rx, ry](QPainter& painter, ThreadFonts&) {
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, rx, ry);
  });
}

void QtSurface::Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) {
  const QRectF rect = NormalizedRect(PaintPoint(x1, y1), PaintPoint(x2, y2));
  int first = 0, last = 0;
  RowsAround(rect.top(), rect.bottom(), penWidth_, first, last);
  const QBrush brush = filled ? QBrush(ToQColor(color)) : QBrush(Qt::NoBrush);
  Paint(first, last, [pen = MakePen(color), brush, rect](QPainter& painter, ThreadFonts&) {
    painter.setPen(pen);
    painter.setBrush(brush);
    painter.drawRect(rect);
  });
}

void QtSurface::Pixel(double x, double y, RgbColor color) {
  int column = 0, row = 0;
  const bool inside = view_.Cell(x, y, column, row);
  if (Banded()) {
    if (inside) {
      Keep({PendingOp::Kind::kPixel, row, row, double(column), 0, 0, 0, 0, PackColor(color), {}});
    }
    return;
  }
  if (device_ == nullptr && !imagePainter_) {
    if (inside) image_.setPixelColor(column, row, ToQColor(color));
    return;
  }
  const QPointF p = ToPixel(x, y);
  const QRectF dot(std::floor(p.x()), std::floor(p.y()), 1, 1);
  const QColor fill = ToQColor(color);
  Paint(0, 0, [dot, fill](QPainter& painter, ThreadFonts&) { painter.fillRect(dot, fill); });
}

void QtSurface::Text(double x, double y, std::string_view text, RgbColor color) {
  const QPointF corner = ToPixel(x, y);
  if (!AllFinite({corner.x(), corner.y()})) return;
  const QString content = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  const double lines = 1 + content.count(QLatin1Char('\n'));
  int first = 0, last = 0;
  RowsAround(corner.y(), corner.y() + lines * fontRowHeight_, 0, first, last);
  // Large enough that the text is never cut; it is not wrapped.
  const QRectF box(corner, QSizeF(view_.Width + 1e4, view_.Height + 1e4));
  Paint(first, last,
        [font = font_, pen = ToQColor(color), box, content](QPainter& painter, ThreadFonts& fonts) {
          painter.setFont(fonts.Of(font));
          painter.setPen(pen);
          painter.drawText(box, Qt::AlignLeft | Qt::AlignTop | Qt::TextDontClip, content);
        });
}

}  // namespace plandra
