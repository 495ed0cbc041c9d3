// The drawing surface painted with Qt: a persistent backing image for the
// window, or any paint device (SVG, PDF) for pictures written by the
// command-line renderer.
#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPointF>
#include <QThreadPool>
#include <array>
#include <atomic>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "view/Surface.h"

class QPaintDevice;

namespace plandra {
struct RasterRows;
}

namespace plandra {

// The family used for a requested one: the family itself when installed,
// else a font that holds Japanese glyphs (the settings name fonts of
// another system, "FixedSys" by default).
QString ResolveFontFamily(std::string_view family);

QColor ToQColor(RgbColor color);

// Encodes image in format ("PNG", "BMP") and writes the bytes through the
// program's file writer; false with the reason when it could not.
bool WriteImageFile(const QImage& image, const std::filesystem::path& file, const char* format,
                    std::string& error);

// The fonts one thread paints with. A font shared between threads has its
// glyph engines looked up anew whenever another thread used it last, so each
// thread paints with its own copy.
class ThreadFonts {
 public:
  const QFont& Of(const QFont& font);

 private:
  std::vector<std::pair<QFont, QFont>> fonts_;  // as kept, as this thread's copy
};

class QtSurface : public Surface {
 public:
  // Paints on its own backing image of the given size.
  QtSurface(int width, int height);
  // Paints on an external device of the given size in pixels until Finish.
  QtSurface(QPaintDevice& device, int width, int height);
  ~QtSurface() override;
  QtSurface(const QtSurface&) = delete;
  QtSurface& operator=(const QtSurface&) = delete;

  // The backing image; empty for an external device. Ends the painter that
  // the drawing calls keep open, so the image is complete and safe to copy.
  const QImage& Image() const {
    Flush();
    imagePainter_.reset();
    return image_;
  }
  // New size; what was drawn stays at the top left, the rest is background.
  void Resize(int width, int height);
  // Ends painting on an external device (writes the SVG or PDF).
  void Finish();

  // Rows of the image played together (see Flush).
  static constexpr int kBandRows = 128;

  // Anti-aliased lines and circles (default), or pixel-exact aliased drawing.
  void SetAntialiased(bool on);
  bool Antialiased() const { return antialiased_; }

  // The world window mapping; pixel p spans [p, p + 1).
  QPointF ToPixel(double x, double y) const;
  // The world position of a pixel position (mouse positions).
  void ToWorld(QPointF pixel, double& x, double& y) const;

  int PixelWidth() const override { return view_.Width; }
  int PixelHeight() const override { return view_.Height; }
  void SetWorldWindow(double left, double top, double width, double height) override;

  void Clear() override;
  void SetBackColor(RgbColor color) override { backColor_ = color; }
  RgbColor BackColor() const override { return backColor_; }

  void SetPenWidth(int pixels) override { penWidth_ = pixels < 1 ? 1 : pixels; }
  int PenWidth() const override { return penWidth_; }
  void SetLineStyle(LineStyle style) override { lineStyle_ = style; }
  LineStyle GetLineStyle() const override { return lineStyle_; }

  void SetFont(std::string_view family, double points) override;
  std::string FontFamily() const override { return fontFamily_; }
  double FontSize() const override { return fontPoints_; }

  void Line(double x1, double y1, double x2, double y2, RgbColor color) override;
  void Circle(double cx, double cy, double r, RgbColor color) override;
  void Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) override;
  void Pixel(double x, double y, RgbColor color) override;
  std::optional<PixelMapping> Mapping() const override { return view_; }
  void Text(double x, double y, std::string_view text, RgbColor color) override;

  // The kept beginning of a frame: only on the backing image when drawn
  // banded, and only for the size, world window, colours and pen it was kept
  // with.
  bool RestoreLayer(uint64_t key, std::array<int, 4>& counts) override;
  void KeepLayer(uint64_t key, const std::array<int, 4>& counts) override;

 private:
  // Runs a painter call now, or keeps it for the banded play when it touches
  // the image rows [firstRow, lastRow]. The call must own what it uses.
  using PaintCall = std::function<void(QPainter&, ThreadFonts&)>;
  void Paint(int firstRow, int lastRow, PaintCall draw);
  // Anti-aliased drawing on the backing image is kept in order and played
  // band by band when the image is read: a band of rows stays in the cache
  // while every element of the figure crosses it.
  bool Banded() const { return device_ == nullptr && antialiased_; }
  void Flush() const;
  void PlayBands(const RasterRows& rows, std::atomic<int>& nextBand) const;
  struct PendingOp {
    // kRestore and kKeep copy the band from and to the kept layer.
    enum class Kind { kLine, kRing, kPixel, kPaint, kRestore, kKeep } What;
    int FirstRow;
    int LastRow;
    double A, B, C, D;  // line ends in pixel centres, or ring centre and radii, or pixel
    double Width;
    uint32_t Color;
    PaintCall Draw;
  };
  void Keep(PendingOp op);
  // Drops the calls not yet played; a layer still to be kept by them is lost.
  void DropPending();
  uint64_t SurfaceKey(uint64_t key) const;
  QPen MakePen(RgbColor color) const;
  // Pixel position for the painter: aliased drawing lands on whole pixels.
  QPointF PaintPoint(double x, double y) const;
  // Solid anti-aliased thin lines and rings on the image are drawn by our
  // own rasteriser, much faster than the painter's.
  bool RastersItself() const;
  static constexpr int kMaxRasterPenWidth = 2;
  static constexpr double kMaxRasterRadius = 1e5;
  static constexpr double kMaxRasterOutOfRound = 0.01;

  mutable QImage image_;
  QPaintDevice* device_ = nullptr;
  std::unique_ptr<QPainter> devicePainter_;
  // Open from the first drawing call until the image is read: a painter per
  // call would cost more than most of the drawing.
  mutable std::unique_ptr<QPainter> imagePainter_;
  mutable std::vector<PendingOp> pending_;
  mutable QImage layer_;
  mutable uchar* layerBits_ = nullptr;  // taken once before the bands are played
  uint64_t layerKey_ = 0;
  std::array<int, 4> layerCounts_{};
  bool layerKept_ = false;
  mutable bool layerPending_ = false;  // the keeping is among the pending calls
  ThreadFonts ownFonts_;               // for the calls painted at once
  // Threads that stay alive between redraws: each keeps its own font caches.
  mutable QThreadPool helpers_;
  int helperCount_ = 0;
  static constexpr int kMaxHelpers = 3;
  PixelMapping view_;
  RgbColor backColor_{255, 255, 255};
  int penWidth_ = 1;
  LineStyle lineStyle_ = LineStyle::kSolid;
  std::string fontFamily_ = "FixedSys";
  double fontPoints_ = 9;
  QFont font_;
  double fontRowHeight_ = 16;  // pixels a line of text takes
  bool fontResolved_ = false;
  bool antialiased_ = true;
};

}  // namespace plandra
