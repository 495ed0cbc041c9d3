// The drawing surface in world coordinates. The Qt window paints on a
// persistent image; tests record the calls.
#pragma once

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

namespace plandra {

struct RgbColor {
  uint8_t R = 0;
  uint8_t G = 0;
  uint8_t B = 0;
  friend bool operator==(const RgbColor&, const RgbColor&) = default;
};

enum class LineStyle { kSolid, kDotted };

// Folds the bytes of a plain value into a layer key (FNV-1a).
template <class T>
uint64_t FoldKey(uint64_t key, const T& value) {
  unsigned char bytes[sizeof(T)];
  std::memcpy(bytes, &value, sizeof(T));
  for (unsigned char byte : bytes) key = (key ^ byte) * 0x100000001B3u;
  return key;
}
constexpr uint64_t kEmptyKey = 0xCBF29CE484222325u;

// World units to pixel positions as the surfaces map them; pixel p spans
// [p, p + 1).
struct PixelMapping {
  double Left = 0;
  double Top = 0;
  double WorldWidth = 1;
  double WorldHeight = 1;
  int Width = 1;
  int Height = 1;

  // Pixels as world units, at least one each way: a surface before its
  // world window is set.
  static PixelMapping OfSize(int width, int height) {
    width = width < 1 ? 1 : width;
    height = height < 1 ? 1 : height;
    return {0, 0, double(width), double(height), width, height};
  }

  double Column(double x) const { return (x - Left) * Width / WorldWidth; }
  double Row(double y) const { return (y - Top) * Height / WorldHeight; }
  // The pixels a world length spans across and down (radii).
  double Columns(double length) const { return std::abs(length * Width / WorldWidth); }
  double Rows(double length) const { return std::abs(length * Height / WorldHeight); }
  // The pixel that Pixel(x, y) paints; false when it paints none (outside, or
  // not finite).
  bool Cell(double x, double y, int& column, int& row) const {
    const double across = std::floor(Column(x));
    const double down = std::floor(Row(y));
    if (!(across >= 0 && down >= 0 && across < Width && down < Height)) return false;
    column = static_cast<int>(across);
    row = static_cast<int>(down);
    return true;
  }
  uint64_t Key() const {
    uint64_t key = kEmptyKey;
    for (double value : {Left, Top, WorldWidth, WorldHeight}) key = FoldKey(key, value);
    return FoldKey(FoldKey(key, Width), Height);
  }
};

// Coordinates are world units once SetWorldWindow has been called: the left
// edge is x = left, the top edge y = top, and y grows upwards when height is
// negative. Pen width is in pixels; font size in points.
class Surface {
 public:
  virtual ~Surface() = default;

  // Client size in pixels.
  virtual int PixelWidth() const = 0;
  virtual int PixelHeight() const = 0;
  virtual void SetWorldWindow(double left, double top, double width, double height) = 0;

  virtual void Clear() = 0;  // fills with the background colour
  virtual void SetBackColor(RgbColor color) = 0;
  virtual RgbColor BackColor() const = 0;

  virtual void SetPenWidth(int pixels) = 0;
  virtual int PenWidth() const = 0;
  virtual void SetLineStyle(LineStyle style) = 0;
  virtual LineStyle GetLineStyle() const = 0;

  virtual void SetFont(std::string_view family, double points) = 0;
  virtual std::string FontFamily() const = 0;
  virtual double FontSize() const = 0;

  virtual void Line(double x1, double y1, double x2, double y2, RgbColor color) = 0;
  virtual void Circle(double cx, double cy, double r, RgbColor color) = 0;
  // A rectangle between two corners, outlined or filled.
  virtual void Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) = 0;
  virtual void Pixel(double x, double y, RgbColor color) = 0;
  // How Pixel maps, for a surface whose Pixel paints exactly PixelMapping's
  // cell: drawing many samples may then skip those that fall on a pixel
  // already painted in the same colour.
  virtual std::optional<PixelMapping> Mapping() const { return std::nullopt; }
  // UTF-8 text with its top-left corner at (x, y).
  virtual void Text(double x, double y, std::string_view text, RgbColor color) = 0;

  // The beginning of a frame (background, grid, traces) kept as a picture
  // between frames by a surface that can. RestoreLayer starts the frame from
  // the picture kept under the key and gives the counts it was kept with;
  // false when none is kept (the frame then starts as ever). KeepLayer keeps
  // what was drawn since the frame began, with its counts.
  virtual bool RestoreLayer(uint64_t /*key*/, std::array<int, 4>& /*counts*/) { return false; }
  virtual void KeepLayer(uint64_t /*key*/, const std::array<int, 4>& /*counts*/) {}
};

}  // namespace plandra
