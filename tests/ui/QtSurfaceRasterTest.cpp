// The surface's own anti-aliased lines and rings on the backing image. With no
// world window set, world units are pixels, y downward.
#include <gtest/gtest.h>

#include <QColor>
#include <algorithm>
#include <cmath>
#include <random>

#include "qt/drawing/QtSurface.h"

namespace plandra {
namespace {

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kRed{255, 0, 0};
constexpr RgbColor kBlue{0, 0, 255};

// How much of the pixel black covers over white.
double Ink(const QtSurface& surface, int column, int row) {
  return 1 - surface.Image().pixelColor(column, row).green() / 255.0;
}

double ColumnInk(const QtSurface& surface, int column) {
  double sum = 0;
  for (int row = 0; row < surface.PixelHeight(); ++row) sum += Ink(surface, column, row);
  return sum;
}

double RowInk(const QtSurface& surface, int row) {
  double sum = 0;
  for (int column = 0; column < surface.PixelWidth(); ++column) sum += Ink(surface, column, row);
  return sum;
}

bool AllWhite(const QtSurface& surface) {
  for (int row = 0; row < surface.PixelHeight(); ++row) {
    if (RowInk(surface, row) != 0) return false;
  }
  return true;
}

TEST(QtSurfaceRaster, ShallowLineCoverageAndEnds) {
  QtSurface surface(100, 100);
  surface.Line(10.5, 20.3, 60.5, 45.3, kBlack);  // slope 1/2
  // Each inner column holds the line's cross-section, 1 / cos of its angle.
  for (int column = 11; column <= 59; ++column) {
    EXPECT_NEAR(ColumnInk(surface, column), std::sqrt(1.25), 0.03) << column;
  }
  // The ends start and stop half way through their pixels.
  EXPECT_NEAR(ColumnInk(surface, 10), std::sqrt(1.25) / 2, 0.03);
  EXPECT_NEAR(ColumnInk(surface, 60), std::sqrt(1.25) / 2, 0.03);
  EXPECT_EQ(ColumnInk(surface, 9), 0);
  EXPECT_EQ(ColumnInk(surface, 61), 0);
  // The ink sits about the line: at column 35 the line's centre is y = 32.8.
  EXPECT_GT(Ink(surface, 35, 32), 0.5);
  EXPECT_EQ(Ink(surface, 35, 30), 0);
  EXPECT_EQ(Ink(surface, 35, 35), 0);
}

TEST(QtSurfaceRaster, SteepAndWideLines) {
  QtSurface surface(100, 100);
  surface.Line(30.5, 5.5, 35.5, 85.5, kBlack);
  const double section = std::sqrt(1 + (5.0 / 80) * (5.0 / 80));
  for (int row = 6; row <= 84; ++row) EXPECT_NEAR(RowInk(surface, row), section, 0.03) << row;
  EXPECT_EQ(RowInk(surface, 4), 0);
  EXPECT_EQ(RowInk(surface, 86), 0);
  surface.Clear();
  surface.SetPenWidth(2);
  surface.Line(10, 50.5, 90, 50.5, kBlack);
  EXPECT_NEAR(ColumnInk(surface, 50), 2, 0.02);
  EXPECT_NEAR(Ink(surface, 50, 50), 1, 0.01);
  EXPECT_NEAR(Ink(surface, 50, 49), 0.5, 0.01);
  EXPECT_NEAR(Ink(surface, 50, 51), 0.5, 0.01);
}

TEST(QtSurfaceRaster, LinesFarOutsideAreClipped) {
  QtSurface surface(100, 100);
  surface.Line(-500, -500, -400, 900, kBlack);  // wholly left of the image
  surface.Line(-1e300, 1e300, 1e300, 1e300, kBlack);
  EXPECT_TRUE(AllWhite(surface));
  surface.Line(-1e300, 50.5, 1e300, 50.5, kBlack);
  EXPECT_NEAR(RowInk(surface, 50), 100, 0.01);
  EXPECT_EQ(RowInk(surface, 49), 0);
  EXPECT_EQ(RowInk(surface, 51), 0);
  surface.Clear();
  surface.Line(-1e12, -1e12, 1e12, 1e12, kBlack);  // the diagonal
  EXPECT_GT(Ink(surface, 50, 50), 0.5);
  EXPECT_GT(Ink(surface, 2, 2), 0.5);
  EXPECT_EQ(Ink(surface, 50, 55), 0);
}

TEST(QtSurfaceRaster, RingLiesAtItsRadius) {
  QtSurface surface(100, 100);
  surface.Circle(50, 50, 30, kBlack);
  double total = 0;
  for (int row = 0; row < 100; ++row) {
    for (int column = 0; column < 100; ++column) {
      const double off = std::hypot(column + 0.5 - 50, row + 0.5 - 50) - 30;
      const double ink = Ink(surface, column, row);
      total += ink;
      if (std::abs(off) > 1.01) {
        EXPECT_EQ(ink, 0) << column << "," << row;
      }
      if (std::abs(off) < 0.2) {
        EXPECT_GT(ink, 0.75) << column << "," << row;
      }
    }
  }
  EXPECT_NEAR(total, 2 * M_PI * 30, 2);
  surface.Clear();
  surface.Circle(1e12, 50, 30, kBlack);  // far off the image: nothing
  surface.Circle(50, 50, 1e7, kBlack);   // too large a ring for the rasteriser: no crash
  EXPECT_EQ(Ink(surface, 50, 50), 0);
}

TEST(QtSurfaceRaster, BlendsOverTheBackgroundAndKeepsPaintOrder) {
  QtSurface surface(60, 40);
  surface.SetBackColor(kBlue);
  surface.Clear();
  surface.Line(10.5, 20.5, 30.5, 20.5, kRed);
  const QColor end = surface.Image().pixelColor(10, 20);  // half covered
  EXPECT_NEAR(end.red(), 128, 1);
  EXPECT_EQ(end.green(), 0);
  EXPECT_NEAR(end.blue(), 127, 1);
  EXPECT_EQ(surface.Image().pixelColor(20, 20), QColor(255, 0, 0));
  EXPECT_EQ(surface.Image().pixelColor(20, 19), QColor(0, 0, 255));
  // Painted and rasterised drawing interleave in the order of the calls.
  surface.Box(40, 5, 50, 35, kBlack, true);
  surface.Line(35.5, 10.5, 55.5, 10.5, kRed);
  surface.Box(44, 20, 46, 30, kRed, true);
  surface.Line(35.5, 25.5, 55.5, 25.5, kBlue);
  EXPECT_EQ(surface.Image().pixelColor(42, 10), QColor(255, 0, 0));
  EXPECT_EQ(surface.Image().pixelColor(42, 15), QColor(0, 0, 0));
  EXPECT_EQ(surface.Image().pixelColor(45, 22), QColor(255, 0, 0));
  EXPECT_EQ(surface.Image().pixelColor(45, 25), QColor(0, 0, 255));
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

// The picture is played in bands of rows: a drawing that straddles a band's
// edge must come out exactly as the same drawing inside one band.
TEST(QtSurfaceRaster, BandEdgesLeaveNoTrace) {
  constexpr int kEdge = QtSurface::kBandRows;
  constexpr int kShift = kEdge - 12;
  QtSurface surface(200, 2 * kEdge);
  auto drawAt = [&](double dx, double dy) {
    surface.Circle(20.5 + dx, 15 + dy, 10, kBlue);
    surface.Line(5 + dx, 6 + dy, 35 + dx, 28 + dy, kBlack);
    surface.SetLineStyle(LineStyle::kDotted);
    surface.Line(5 + dx, 26 + dy, 35 + dx, 4 + dy, kRed);
    surface.SetLineStyle(LineStyle::kSolid);
    surface.Box(40 + dx, 5 + dy, 50 + dx, 12 + dy, kRed, true);
    surface.Pixel(45 + dx, 20 + dy, kBlack);
    surface.Text(40 + dx, 14 + dy, "Ab漢", kBlack);
  };
  drawAt(0, 0);         // rows 2..30
  drawAt(100, kShift);  // across the edge between the first two bands
  const QImage& image = surface.Image();
  // The painter's anti-aliasing of a line cut at the edge may differ by a
  // step of colour from the uncut line; nothing a user could see.
  constexpr int kPainterRounding = 2;
  int inked = 0;
  for (int row = 0; row < 32; ++row) {  // the drawing's rows
    for (int column = 0; column < 100; ++column) {
      const QColor inside = image.pixelColor(column, row);
      const QColor across = image.pixelColor(column + 100, row + kShift);
      const int difference = std::max({std::abs(inside.red() - across.red()),
                                       std::abs(inside.green() - across.green()),
                                       std::abs(inside.blue() - across.blue())});
      ASSERT_LE(difference, kPainterRounding) << column << "," << row;
      inked += inside != QColor(Qt::white);
    }
  }
  EXPECT_GT(inked, 150);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

uint64_t PixelHash(const QImage& image) {
  uint64_t hash = 1469598103934665603ull;
  for (int row = 0; row < image.height(); ++row) {
    const auto* pixel = reinterpret_cast<const uint32_t*>(image.constScanLine(row));
    for (int column = 0; column < image.width(); ++column) {
      hash = (hash ^ (pixel[column] & 0xFFFFFFu)) * 1099511628211ull;
    }
  }
  return hash;
}

// Lines at every slope and rings of every size, in both pen widths, over a
// background, across band edges and out of the image, on square and slightly
// unsquare pixels. The hashes are the pixels the rasteriser drew before its
// loops were rebuilt for speed: a faster loop must draw the very same pixels.
TEST(QtSurfaceRaster, RandomDrawingKeepsItsPixels) {
  const std::pair<double, uint64_t> cases[] = {{1.0, 17428530843149732984ull},
                                               {1.003, 16375345364058667054ull}};
  for (const auto& [unsquare, expected] : cases) {
    QtSurface surface(413, 401);
    surface.SetWorldWindow(0, 0, 413, 401 * unsquare);
    surface.SetBackColor({250, 240, 200});
    surface.Clear();
    std::mt19937 rng(1234);
    std::uniform_real_distribution<double> near(-60, 480);
    std::uniform_real_distribution<double> unit(0, 1);
    auto colour = [&rng] {
      return RgbColor{static_cast<uint8_t>(rng()), static_cast<uint8_t>(rng()),
                      static_cast<uint8_t>(rng())};
    };
    for (int k = 0; k < 1500; ++k) {
      surface.SetPenWidth(1 + static_cast<int>(rng() % 2));
      if (k % 3 == 0) {
        const double radius = unit(rng) < 0.5 ? 0.5 + 40 * unit(rng) : 40 + 600 * unit(rng);
        surface.Circle(near(rng), near(rng), radius, colour());
      } else {
        const double length = unit(rng) < 0.3 ? 3 * unit(rng) : 700 * unit(rng);
        const double angle = 2 * M_PI * unit(rng);
        const double x = near(rng), y = near(rng);
        surface.Line(x, y, x + length * std::cos(angle), y + length * std::sin(angle), colour());
      }
    }
    EXPECT_EQ(PixelHash(surface.Image()), expected) << "unsquare " << unsquare;
  }
}

}  // namespace
}  // namespace plandra
