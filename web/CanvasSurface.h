// A Surface on an HTML canvas: every call goes to the page's script, which
// draws with the canvas's 2D context. World coordinates become canvas pixels
// here, as the window's surface maps them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "view/Surface.h"

namespace plandra {

class CanvasSurface : public Surface {
 public:
  CanvasSurface(int width, int height);

  void Resize(int width, int height);

  int PixelWidth() const override { return view_.Width; }
  int PixelHeight() const override { return view_.Height; }
  void SetWorldWindow(double left, double top, double width, double height) override;

  void Clear() override;
  void SetBackColor(RgbColor color) override { back_ = color; }
  RgbColor BackColor() const override { return back_; }

  void SetPenWidth(int pixels) override;
  int PenWidth() const override { return penWidth_; }
  void SetLineStyle(LineStyle style) override;
  LineStyle GetLineStyle() const override { return style_; }

  void SetFont(std::string_view family, double points) override;
  std::string FontFamily() const override { return fontFamily_; }
  double FontSize() const override { return fontPoints_; }

  void Line(double x1, double y1, double x2, double y2, RgbColor color) override;
  void Circle(double cx, double cy, double r, RgbColor color) override;
  void Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) override;
  void Pixel(double x, double y, RgbColor color) override;
  std::optional<PixelMapping> Mapping() const override { return view_; }
  void Text(double x, double y, std::string_view text, RgbColor color) override;
  // The pixels drawn since the last other drawing, handed to the page at
  // once; before any other drawing, and at the end of a frame.
  void FlushPixels();

 private:
  PixelMapping view_;
  RgbColor back_{255, 255, 255};
  int penWidth_ = 1;
  LineStyle style_ = LineStyle::kSolid;
  std::string fontFamily_ = "FixedSys";
  double fontPoints_ = 9;
  std::vector<uint32_t> pixels_;
};

}  // namespace plandra
