#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "files/SvgSurface.h"

namespace plandra {
namespace {

bool Has(const std::string& svg, const std::string& part) {
  return svg.find(part) != std::string::npos;
}

TEST(SvgSurface, DrawsInPixelsOfTheWorldWindow) {
  SvgSurface svg(201, 101);
  svg.SetWorldWindow(-10, 5, 20, -10);  // y up, 10 pixels a unit
  svg.Clear();
  svg.Line(-10, 5, 0, 0, RgbColor{255, 0, 0});
  svg.SetPenWidth(2);
  svg.SetLineStyle(LineStyle::kDotted);
  svg.Circle(0, 0, 2, RgbColor{0, 0, 255});
  svg.Box(1, 1, 2, -1, RgbColor{0, 128, 0}, true);
  svg.Pixel(0.05, -0.05, RgbColor{1, 2, 3});
  const std::string text = svg.Svg();
  EXPECT_TRUE(Has(text, "width=\"201\" height=\"101\" viewBox=\"0 0 201 101\""));
  EXPECT_TRUE(Has(text, "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>"));
  EXPECT_TRUE(Has(text,
                  "<line x1=\"0.00\" y1=\"0.00\" x2=\"100.50\" y2=\"50.50\" fill=\"none\" "
                  "stroke=\"#ff0000\" stroke-width=\"1\"/>"));
  EXPECT_TRUE(Has(text,
                  "cx=\"100.50\" cy=\"50.50\" rx=\"20.10\" ry=\"20.20\" fill=\"none\" "
                  "stroke=\"#0000ff\" stroke-width=\"2\" stroke-dasharray=\"2 4\""));
  EXPECT_TRUE(Has(text,
                  "<rect x=\"110.55\" y=\"40.40\" width=\"10.05\" height=\"20.20\" "
                  "fill=\"#008000\""));
  EXPECT_TRUE(Has(text, "<path fill=\"#010203\" d=\"M101 51h1v1h-1z\"/>"));
  // Pixels stay under what is drawn after them.
  svg.Line(0, 0, 1, 1, RgbColor{9, 9, 9});
  const std::string later = svg.Svg();
  EXPECT_LT(later.find("#010203"), later.find("#090909"));
}

TEST(SvgSurface, TextIsEscapedAndClearStartsAgain) {
  SvgSurface svg(100, 100);
  svg.SetFont("A\"B", 12);
  svg.Text(0, 0, "P</text><script>x</script>&\nsecond", RgbColor{});
  const std::string text = svg.Svg();
  EXPECT_FALSE(Has(text, "<script>"));
  EXPECT_TRUE(Has(text, ">P&lt;/text&gt;&lt;script&gt;x&lt;/script&gt;&amp;</text>"));
  EXPECT_TRUE(Has(text, ">second</text>"));
  EXPECT_TRUE(Has(text, "font-family=\"A&quot;B, sans-serif\" font-size=\"16.00\""));
  svg.Clear();
  EXPECT_FALSE(Has(svg.Svg(), "<text"));
}

TEST(SvgSurface, NonFiniteGeometryIsLeftOut) {
  SvgSurface svg(100, 100);
  const double inf = std::numeric_limits<double>::infinity();
  svg.SetWorldWindow(0, 0, 0, 10);  // no extent: kept as it was
  svg.Line(0, 0, inf, 1, RgbColor{});
  svg.Circle(std::nan(""), 0, 1, RgbColor{});
  svg.Text(inf, 0, "x", RgbColor{});
  EXPECT_FALSE(Has(svg.Svg(), "<line"));
  EXPECT_FALSE(Has(svg.Svg(), "<ellipse"));
  EXPECT_FALSE(Has(svg.Svg(), "<text"));
}

}  // namespace
}  // namespace plandra
