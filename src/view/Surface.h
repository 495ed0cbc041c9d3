// The drawing surface in world coordinates. The Qt window paints on a
// persistent image; tests record the calls.
#pragma once

#include <cstdint>
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
};

}  // namespace plandra
