#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <random>

#include "CliRender.h"
#include "files/SvgSurface.h"
#include "qt/drawing/QtSurface.h"

namespace plandra {
namespace {

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kRed{255, 0, 0};
constexpr RgbColor kWhite{255, 255, 255};

bool IsBackground(const QtSurface& surface, int column, int row) {
  return surface.Image().pixelColor(column, row) == QColor(255, 255, 255);
}

int DarkPixelsInRow(const QtSurface& surface, int row, int from, int to) {
  int count = 0;
  for (int column = from; column <= to; ++column) {
    if (surface.Image().pixelColor(column, row).lightness() < 128) ++count;
  }
  return count;
}

// 641 x 481 pixels at 0.05 units a pixel: half width 16, half height 12.
TEST(QtSurface, WorldWindowMapsAsTheWindowDoes) {
  QtSurface surface(641, 481);
  SetViewWindow(surface, 0.05);
  const QPointF origin = surface.ToPixel(0, 0);
  EXPECT_DOUBLE_EQ(origin.x(), 320.5);
  EXPECT_DOUBLE_EQ(origin.y(), 240.5);
  // Pixel column p lies at x = -16 + p * 32 / 641, row q at y = 12 - q * 24 / 481.
  double x = 0;
  double y = 0;
  surface.ToWorld(QPointF(100, 50), x, y);
  EXPECT_NEAR(x, -16 + 100 * 32.0 / 641, 1e-12);
  EXPECT_NEAR(y, 12 - 50 * 24.0 / 481, 1e-12);
  surface.ToWorld(QPointF(0, 0), x, y);
  EXPECT_DOUBLE_EQ(x, -16);
  EXPECT_DOUBLE_EQ(y, 12);
  // A window of no extent is refused; the mapping stays.
  surface.SetWorldWindow(0, 0, 0, 10);
  EXPECT_DOUBLE_EQ(surface.ToPixel(0, 0).x(), 320.5);
}

TEST(QtSurface, LineLandsOnTheExpectedPixels) {
  for (bool antialiased : {true, false}) {
    SCOPED_TRACE(antialiased ? "antialiased" : "aliased");
    QtSurface surface(641, 481);
    surface.SetAntialiased(antialiased);
    SetViewWindow(surface, 0.05);
    surface.Line(0, 0, 1, 0, kBlack);
    // From pixel 320.5 to 340.5 in row 240: x = 1 is 20.03 pixels right of the origin.
    EXPECT_EQ(DarkPixelsInRow(surface, 240, 321, 339), 19);
    EXPECT_TRUE(IsBackground(surface, 330, 239));
    EXPECT_TRUE(IsBackground(surface, 330, 241));
    EXPECT_TRUE(IsBackground(surface, 318, 240));
    EXPECT_TRUE(IsBackground(surface, 343, 240));
  }
}

TEST(QtSurface, AliasedDrawingIsPixelExact) {
  QtSurface surface(100, 100);
  surface.SetAntialiased(false);
  SetViewWindow(surface, 1);
  surface.Line(-20, 10, 20, 10, kRed);
  // Only pure red and pure white: no blended edge pixels.
  for (int row = 30; row < 45; ++row) {
    for (int column = 25; column < 75; ++column) {
      const QColor c = surface.Image().pixelColor(column, row);
      EXPECT_TRUE(c == QColor(255, 0, 0) || c == QColor(255, 255, 255)) << column << "," << row;
    }
  }
}

TEST(QtSurface, DottedAndSolidAndPenWidth) {
  QtSurface surface(200, 100);
  surface.SetAntialiased(false);
  SetViewWindow(surface, 1);
  surface.Line(-80, 30, 80, 30, kBlack);  // row ~19
  surface.SetLineStyle(LineStyle::kDotted);
  surface.Line(-80, 0, 80, 0, kBlack);
  surface.SetLineStyle(LineStyle::kSolid);
  surface.SetPenWidth(5);
  surface.Line(-80, -30, 80, -30, kBlack);
  const int solidRow = static_cast<int>(surface.ToPixel(0, 30).y());
  const int dottedRow = static_cast<int>(surface.ToPixel(0, 0).y());
  const int wideRow = static_cast<int>(surface.ToPixel(0, -30).y());
  EXPECT_EQ(DarkPixelsInRow(surface, solidRow, 40, 160), 121);
  const int dots = DarkPixelsInRow(surface, dottedRow, 40, 160);
  EXPECT_GT(dots, 20);
  EXPECT_LT(dots, 90);
  // The wide pen covers five rows, the thin one only its own.
  int wideRows = 0;
  int thinRows = 0;
  for (int row = wideRow - 4; row <= wideRow + 4; ++row) {
    if (DarkPixelsInRow(surface, row, 100, 100) == 1) ++wideRows;
  }
  for (int row = solidRow - 4; row <= solidRow + 4; ++row) {
    if (DarkPixelsInRow(surface, row, 100, 100) == 1) ++thinRows;
  }
  EXPECT_EQ(wideRows, 5);
  EXPECT_EQ(thinRows, 1);
  EXPECT_EQ(surface.PenWidth(), 5);
  surface.SetPenWidth(0);
  EXPECT_EQ(surface.PenWidth(), 1);
}

TEST(QtSurface, CircleBoxPixelAndClear) {
  QtSurface surface(101, 101);
  surface.SetAntialiased(false);
  SetViewWindow(surface, 1);
  surface.Circle(0, 0, 20, kBlack);
  EXPECT_FALSE(IsBackground(surface, 70, 50));  // right end of the circle
  EXPECT_TRUE(IsBackground(surface, 50, 50));   // its centre stays empty
  surface.Box(-45, 45, -35, 35, kRed, true);
  EXPECT_EQ(surface.Image().pixelColor(10, 10), QColor(255, 0, 0));
  surface.Box(35, 45, 45, 35, kRed, false);
  EXPECT_EQ(surface.Image().pixelColor(85, 5), QColor(255, 0, 0));
  EXPECT_TRUE(IsBackground(surface, 90, 10));  // inside the outline
  surface.Pixel(-50, 50, kRed);
  EXPECT_EQ(surface.Image().pixelColor(0, 0), QColor(255, 0, 0));
  surface.Pixel(500, 500, kRed);  // outside: nothing, no crash
  surface.Line(0, 0, std::numeric_limits<double>::infinity(), 0, kBlack);
  surface.SetBackColor(RgbColor{0, 0, 255});
  surface.Clear();
  EXPECT_EQ(surface.Image().pixelColor(50, 50), QColor(0, 0, 255));
  EXPECT_EQ(surface.Image().pixelColor(0, 0), QColor(0, 0, 255));
}

// A sampled locus sends the same pixels many times over: the page's picture
// must paint what the window paints, yet hold each pixel once, not once a call.
TEST(QtSurface, PagePicturePaintsThePixelsTheWindowPaints) {
  constexpr int kWidth = 64, kHeight = 48;
  QtSurface window(kWidth, kHeight);
  window.SetAntialiased(false);
  SvgSurface page(kWidth, kHeight);
  for (Surface* surface : {static_cast<Surface*>(&window), static_cast<Surface*>(&page)}) {
    SetViewWindow(*surface, 0.25);
    surface->Clear();
  }
  const RgbColor colors[] = {kRed, kBlack, RgbColor{0, 128, 255}};
  std::mt19937 random(18);
  std::uniform_real_distribution<double> x(-9, 9), y(-7, 7);  // a little beyond the edges
  constexpr int kCalls = 20000;
  for (int call = 0; call < kCalls; ++call) {
    const double px = x(random), py = y(random);
    const RgbColor color = colors[random() % 3];
    window.Pixel(px, py, color);
    page.Pixel(px, py, color);
  }
  const std::string svg = page.Svg();
  EXPECT_LT(svg.size(), 20u * kWidth * kHeight) << "a pixel's worth of text per call";
  QSvgRenderer renderer(QByteArray::fromStdString(svg));
  ASSERT_TRUE(renderer.isValid());
  QImage painted(kWidth, kHeight, QImage::Format_RGB32);
  painted.fill(Qt::white);
  QPainter painter(&painted);
  renderer.render(&painter);
  painter.end();
  int differing = 0;
  for (int row = 0; row < kHeight; ++row) {
    for (int column = 0; column < kWidth; ++column) {
      if (painted.pixelColor(column, row) != window.Image().pixelColor(column, row)) ++differing;
    }
  }
  EXPECT_EQ(differing, 0);
}

TEST(QtSurface, TextIsDrawnBelowAndRightOfItsCorner) {
  QtSurface surface(200, 100);
  SetViewWindow(surface, 1);
  surface.SetFont("FixedSys", 12);  // not a font of this system: a fallback is used
  EXPECT_EQ(surface.FontFamily(), "FixedSys");
  EXPECT_DOUBLE_EQ(surface.FontSize(), 12);
  surface.Text(0, 0, "点Ａ", kBlack);
  int above = 0;
  int below = 0;
  for (int row = 0; row < 100; ++row) {
    const int dark = DarkPixelsInRow(surface, row, 0, 199);
    (row < 50 ? above : below) += dark;
  }
  EXPECT_EQ(above, 0);
  EXPECT_GT(below, 20);
  EXPECT_EQ(DarkPixelsInRow(surface, 60, 0, 98), 0);  // nothing left of the corner
  EXPECT_FALSE(ResolveFontFamily("FixedSys").isEmpty());
  EXPECT_NE(ResolveFontFamily("FixedSys"), QString("FixedSys"));
}

TEST(QtSurface, ResizeKeepsWhatWasDrawn) {
  QtSurface surface(50, 40);
  surface.SetBackColor(kWhite);
  surface.Clear();
  surface.Pixel(10, 10, kRed);  // before any world window: pixel units
  surface.Resize(80, 60);
  EXPECT_EQ(surface.PixelWidth(), 80);
  EXPECT_EQ(surface.Image().size(), QSize(80, 60));
  EXPECT_EQ(surface.Image().pixelColor(10, 10), QColor(255, 0, 0));
  EXPECT_EQ(surface.Image().pixelColor(70, 50), QColor(255, 255, 255));
  surface.Resize(5, 5);
  EXPECT_EQ(surface.Image().size(), QSize(5, 5));
  surface.Resize(0, -3);
  EXPECT_EQ(surface.Image().size(), QSize(1, 1));
}

}  // namespace
}  // namespace plandra
