// A surface that writes the figure as an SVG picture: the static picture of
// a published page, made by the same renderer as the window's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "view/Surface.h"

namespace plandra {

class SvgSurface final : public Surface {
 public:
  SvgSurface(int width, int height);

  // The picture drawn so far as one <svg> element; names and labels are
  // escaped, so any text of a figure keeps the markup whole.
  std::string Svg() const;

  int PixelWidth() const override { return view_.Width; }
  int PixelHeight() const override { return view_.Height; }
  void SetWorldWindow(double left, double top, double width, double height) override;

  void Clear() override;
  void SetBackColor(RgbColor color) override { back_ = color; }
  RgbColor BackColor() const override { return back_; }

  void SetPenWidth(int pixels) override { pen_ = pixels < 1 ? 1 : pixels; }
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
  std::optional<PixelMapping> Mapping() const override { return view_; }
  void Text(double x, double y, std::string_view text, RgbColor color) override;

 private:
  std::string Stroke(RgbColor color) const;
  // Pixels wait here until something else is drawn over them, so that a
  // sampled locus's thousands of calls become a few paths of distinct pixels.
  void FlushPixels();

  struct PendingPixel {
    int Row;
    int Column;
    RgbColor Color;
  };
  static std::vector<PendingPixel> DistinctPixels(std::vector<PendingPixel> pixels);
  static std::string PixelPaths(std::vector<PendingPixel> pixels);

  PixelMapping view_;
  RgbColor back_{255, 255, 255};
  int pen_ = 1;
  LineStyle style_ = LineStyle::kSolid;
  std::string family_ = "FixedSys";
  double points_ = 9;
  std::string body_;                  // the elements drawn since the last Clear
  std::vector<PendingPixel> pixels_;  // in the order drawn, not yet in body_
};

}  // namespace plandra
