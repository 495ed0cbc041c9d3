// The drawing surface in world coordinates. The Qt window paints on a
// persistent image; tests record the calls.
#pragma once

#include <array>
#include <cstdint>
#include <cstring>
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
