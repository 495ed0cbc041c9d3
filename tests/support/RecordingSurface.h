// A surface for tests: keeps the drawing state and records every call.
#pragma once

#include <string>
#include <vector>

#include "view/Surface.h"

namespace plandra::test {

enum class CallKind { kWorldWindow, kClear, kLine, kCircle, kBox, kPixel, kText };

struct SurfaceCall {
  CallKind Kind = CallKind::kLine;
  // Line: both ends; circle: centre and radius in X2; box: corners; pixel and
  // text: X1, Y1; world window: left, top, width, height.
  double X1 = 0, Y1 = 0, X2 = 0, Y2 = 0;
  RgbColor Color;
  int PenWidth = 1;
  LineStyle Style = LineStyle::kSolid;
  bool Filled = false;
  std::string Text;
};

class RecordingSurface : public Surface {
 public:
  RecordingSurface(int width = 641, int height = 481) : width_(width), height_(height) {}

  int PixelWidth() const override { return width_; }
  int PixelHeight() const override { return height_; }
  void SetWorldWindow(double left, double top, double width, double height) override;
  void Clear() override;
  void SetBackColor(RgbColor color) override { back_ = color; }
  RgbColor BackColor() const override { return back_; }
  void SetPenWidth(int pixels) override { pen_ = pixels; }
  int PenWidth() const override { return pen_; }
  void SetLineStyle(LineStyle style) override { style_ = style; }
  LineStyle GetLineStyle() const override { return style_; }
  void SetFont(std::string_view family, double points) override;
  std::string FontFamily() const override { return family_; }
  double FontSize() const override { return points_; }
  void Line(double x1, double y1, double x2, double y2, RgbColor color) override;
  void Circle(double cx, double cy, double r, RgbColor color) override;
  void Box(double x1, double y1, double x2, double y2, RgbColor color, bool filled) override;
  void Pixel(double x, double y, RgbColor color) override;
  void Text(double x, double y, std::string_view text, RgbColor color) override;
  // As a surface that maps pixels, when MapsPixels is set.
  std::optional<PixelMapping> Mapping() const override {
    if (!MapsPixels) return std::nullopt;
    PixelMapping mapping = window_;
    mapping.Width = width_;
    mapping.Height = height_;
    return mapping;
  }
  bool MapsPixels = false;

  void Resize(int width, int height) {
    width_ = width;
    height_ = height;
  }

  // The calls of one kind, in order.
  std::vector<SurfaceCall> Of(CallKind kind) const;

  std::vector<SurfaceCall> Calls;

 private:
  void Record(SurfaceCall call);

  int width_;
  int height_;
  PixelMapping window_;
  RgbColor back_{255, 255, 255};
  int pen_ = 1;
  LineStyle style_ = LineStyle::kSolid;
  std::string family_ = "FixedSys";
  double points_ = 9;
};

}  // namespace plandra::test
