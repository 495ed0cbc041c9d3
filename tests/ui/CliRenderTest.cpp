#include <gtest/gtest.h>

#include <QImage>
#include <algorithm>
#include <optional>
#include <utility>

#include "CliRender.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "support/TestHelpers.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// A cross through the origin and a circle: what any figure is made of.
void DrawSample(Surface& surface) {
  surface.SetPenWidth(1);
  surface.Line(-5, 0, 5, 0, RgbColor{255, 0, 0});
  surface.Line(0, -5, 0, 5, RgbColor{0, 0, 255});
  surface.Circle(0, 0, 3, RgbColor{0, 0, 0});
  surface.SetFont("FixedSys", 9);
  surface.Text(1, 4, "点A", RgbColor{0, 0, 0});
}

TEST(CliRender, OptionsAreReadAndCheckedOneByOne) {
  RenderOptions options;
  std::string error;
  ASSERT_TRUE(ParseRenderArgs({"fig.pd4", "-o", "out.SVG", "--size", "320x200", "--pixel-size",
                               "0.1", "--grid", "polar", "--lang", "english", "--aliased"},
                              options, error))
      << error;
  EXPECT_EQ(options.Figure, "fig.pd4");
  EXPECT_EQ(options.Kind, PictureKind::kSvg);
  EXPECT_EQ(options.Width, 320);
  EXPECT_EQ(options.Height, 200);
  EXPECT_EQ(options.PixelSize, std::optional<double>(0.1));
  EXPECT_EQ(options.Grid, std::optional<GridChoice>(GridChoice::kPolar));
  EXPECT_EQ(options.Language, "English");
  EXPECT_TRUE(options.Aliased);

  const std::vector<std::vector<std::string>> refused = {
      {"fig.pd4"},                                       // no output
      {"-o", "a.png"},                                   // no figure
      {"fig.pd4", "-o", "a.gif"},                        // unknown picture kind
      {"fig.pd4", "-o", "a.png", "--size", "0x10"},      // too small
      {"fig.pd4", "-o", "a.png", "--size", "99999x10"},  // too large
      {"fig.pd4", "-o", "a.png", "--size", "10"},        // not W x H
      {"fig.pd4", "-o", "a.png", "--pixel-size", "-1"},
      {"fig.pd4", "-o", "a.png", "--pixel-size", "nan"},
      {"fig.pd4", "-o", "a.png", "--grid", "hex"},
      {"fig.pd4", "-o", "a.png", "--lang", "klingon"},
      {"fig.pd4", "-o", "a.png", "--colour", "red"},
      {"fig.pd4", "-o"},  // a value missing
      {"fig.pd4", "other.pd4", "-o", "a.png"},
  };
  for (const auto& args : refused) {
    RenderOptions o;
    std::string why;
    EXPECT_FALSE(ParseRenderArgs(args, o, why)) << args.back();
    EXPECT_FALSE(why.empty());
  }
}

TEST(CliRender, BitmapsShowTheDrawingInTheWindowMapping) {
  test::TempDir dir;
  std::string error;
  for (const char* name : {"a.png", "a.bmp"}) {
    const auto file = dir / name;
    ASSERT_TRUE(WritePicture({file, *PictureKindOf(file), 201, 101, 0.1}, DrawSample, error))
        << error;
    const QImage image(QString::fromStdString(file.string()));
    ASSERT_EQ(image.size(), QSize(201, 101)) << name;
    // Half width 10, half height 5: the origin is pixel (100.5, 50.5).
    EXPECT_EQ(image.pixelColor(120, 50).red(), 255);
    EXPECT_LT(image.pixelColor(120, 50).green(), 60);
    EXPECT_GT(image.pixelColor(100, 30).blue(), 200);
    EXPECT_LT(image.pixelColor(100, 30).red(), 60);
    EXPECT_EQ(image.pixelColor(5, 5), QColor(255, 255, 255));
  }
  // Aliased pictures hold only the colours drawn.
  const auto aliased = dir / "aliased.png";
  PictureRequest request{aliased, PictureKind::kPng, 201, 101, 0.1};
  request.Aliased = true;
  ASSERT_TRUE(WritePicture(
      request,
      [](Surface& s) {
        s.Circle(0, 0, 3, RgbColor{0, 0, 0});
      },
      error));
  const QImage image(QString::fromStdString(aliased.string()));
  for (int row = 0; row < image.height(); ++row) {
    for (int column = 0; column < image.width(); ++column) {
      const QColor c = image.pixelColor(column, row);
      ASSERT_TRUE(c == QColor(0, 0, 0) || c == QColor(255, 255, 255)) << column << "," << row;
    }
  }
  EXPECT_FALSE(WritePicture({dir / "no" / "such" / "x.png"}, DrawSample, error));
  EXPECT_NE(error.find("cannot write"), std::string::npos);
}

TEST(CliRender, SvgAndPdfAreVectorPictures) {
  test::TempDir dir;
  std::string error;
  ASSERT_TRUE(WritePicture({dir / "a.svg", PictureKind::kSvg}, DrawSample, error)) << error;
  const std::string svg = test::ReadFileBytes(dir / "a.svg");
  EXPECT_NE(svg.find("viewBox=\"0 0 641 481\""), std::string::npos);
  EXPECT_NE(svg.find("<polyline"), std::string::npos);  // the lines stay lines
  EXPECT_EQ(svg.find("<image"), std::string::npos);
  EXPECT_NE(svg.find("169.598mm"), std::string::npos);  // 641 pixels at 96 per inch

  ASSERT_TRUE(WritePicture({dir / "a.pdf", PictureKind::kPdf}, DrawSample, error)) << error;
  const std::string pdf = test::ReadFileBytes(dir / "a.pdf");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
  EXPECT_EQ(pdf.find("/Subtype /Image"), std::string::npos);
  const size_t box = pdf.find("/MediaBox");
  ASSERT_NE(box, std::string::npos);
  // 641 x 481 pixels at 96 per inch, in whole points.
  EXPECT_EQ(pdf.substr(box, 27), "/MediaBox [0 0 481.000000 3");
}

TEST(CliRender, ExitStatusTellsWhatWentWrong) {
  test::TempDir dir;
  EXPECT_EQ(RenderCommand({}), kRenderUsage);
  EXPECT_EQ(RenderCommand({"x.pd4", "-o", "x.gif"}), kRenderUsage);
  const std::string out = (dir / "o.png").string();
  EXPECT_EQ(RenderCommand({(dir / "missing.pd4").string(), "-o", out}), kRenderUnreadable);
  EXPECT_EQ(RenderCommand({dir.Path().string(), "-o", out}), kRenderUnreadable);  // a folder
  test::WriteFileBytes(dir / "f.pd4", "not a figure\r\n");
  EXPECT_EQ(RenderCommand({(dir / "f.pd4").string(), "-o", out}), kRenderUnreadable);
  EXPECT_FALSE(std::filesystem::exists(dir / "o.png"));
  const std::string sample = std::string(PLANDRA_SAMPLES) + "/triangle.pd4";
  EXPECT_EQ(RenderCommand({sample, "-o", (dir / "no" / "o.png").string()}), kRenderWriteFailed);
}

// The sample triangle drawn by the window's renderer, as a bitmap and as vectors.
TEST(CliRender, SampleFigureIsDrawn) {
  test::TempDir dir;
  const std::string sample = std::string(PLANDRA_SAMPLES) + "/triangle.pd4";
  const std::string png = (dir / "t.png").string();
  ASSERT_EQ(RenderCommand({sample, "-o", png, "--size", "400x300", "--grid", "orthogonal"}),
            kRenderOk);
  const QImage image(QString::fromStdString(png));
  ASSERT_EQ(image.size(), QSize(400, 300));
  int drawn = 0;
  for (int row = 0; row < image.height(); ++row) {
    for (int column = 0; column < image.width(); ++column) {
      if (image.pixelColor(column, row) != QColor(255, 255, 255)) ++drawn;
    }
  }
  EXPECT_GT(drawn, 500);
  const std::string svg = (dir / "t.svg").string();
  ASSERT_EQ(RenderCommand({sample, "-o", svg, "--lang", "english"}), kRenderOk);
  const std::string text = test::ReadFileBytes(svg);
  EXPECT_NE(text.find("<polyline"), std::string::npos);
  EXPECT_EQ(text.find("<image"), std::string::npos);
}

// Figures of complex-number operations live near the unit circle: at the
// default zoom they would be a speck, so the picture opens them as the window
// does, unless the options say otherwise.
TEST(CliRender, ComplexFiguresGetTheWindowsOpeningView) {
  const std::string complex = std::string(PLANDRA_SAMPLES) + "/complex.pd4";
  const std::string plain = std::string(PLANDRA_SAMPLES) + "/triangle.pd4";
  const auto loaded = [](const std::vector<std::string>& args) {
    RenderOptions options;
    std::string error;
    EXPECT_TRUE(ParseRenderArgs(args, options, error)) << error;
    Program program;
    SilentPlatform host;
    program.Host = &host;
    EXPECT_TRUE(LoadForRender(options, program, error)) << error;
    return std::pair(program.View.PixelSize, program.Config.AxisShow != 0);
  };
  EXPECT_EQ(loaded({complex, "-o", "a.png"}), std::pair(kDefaultPixelSize / 4, true));
  EXPECT_EQ(loaded({plain, "-o", "a.png"}), std::pair(kDefaultPixelSize, false));
  EXPECT_EQ(loaded({complex, "-o", "a.png", "--pixel-size", "0.05", "--grid", "none"}),
            std::pair(0.05, false));
  EXPECT_EQ(loaded({complex, "-o", "a.png", "--grid", "none"}),
            std::pair(kDefaultPixelSize / 4, false));

  // The drawing spreads over the picture instead of a few pixels at its centre.
  test::TempDir dir;
  const std::string png = (dir / "c.png").string();
  ASSERT_EQ(RenderCommand({complex, "-o", png, "--grid", "none"}), kRenderOk);
  const QImage image(QString::fromStdString(png));
  int left = image.width(), right = -1;
  for (int row = 0; row < image.height(); ++row) {
    for (int column = 0; column < image.width(); ++column) {
      if (image.pixelColor(column, row) == QColor(255, 255, 255)) continue;
      left = std::min(left, column);
      right = std::max(right, column);
    }
  }
  EXPECT_GT(right - left, image.width() / 3) << left << ".." << right;
}

TEST(CliBatch, EveryFigureOfTheFolderBecomesABitmap) {
  test::TempDir dir;
  const std::string sample = std::string(PLANDRA_SAMPLES) + "/euler.pd4";
  test::WriteFileBytes(dir / "a.b.pd4", test::ReadFileBytes(sample));
  test::WriteFileBytes(dir / "broken.pd4", "7\r\nnot a figure\r\n");
  test::WriteFileBytes(dir / "notes.txt", "not a figure either");
  EXPECT_EQ(BatchCommand({dir.Path().string()}), kRenderUnreadable) << "the broken file is told";
  const QImage image(QString::fromStdString((dir / "bmp" / "a.bmp").string()));
  ASSERT_FALSE(image.isNull()) << "a.b.pd4 gives bmp/a.bmp";
  int drawn = 0;
  for (int row = 0; row < image.height(); ++row) {
    for (int column = 0; column < image.width(); ++column) {
      if (image.pixelColor(column, row) != QColor(255, 255, 255)) ++drawn;
    }
  }
  EXPECT_GT(drawn, 500);
  EXPECT_FALSE(std::filesystem::exists(dir / "bmp" / "broken.bmp"));
  EXPECT_FALSE(std::filesystem::exists(dir / "bmp" / "notes.bmp"));

  test::TempDir empty;
  EXPECT_EQ(BatchCommand({empty.Path().string()}), kRenderOk);
  EXPECT_TRUE(std::filesystem::is_directory(empty / "bmp"));
  EXPECT_EQ(BatchCommand({(empty / "missing").string()}), kRenderUnreadable);
  EXPECT_EQ(BatchCommand({"a", "b"}), kRenderUsage);
}

}  // namespace
}  // namespace plandra
