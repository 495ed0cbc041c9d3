#include "core/ViewCommands.h"
#include "core/io/SettingsFileIO.h"
#include "support/RecordingSurface.h"
#include "view/ViewFixture.h"

namespace plandra::test {
namespace {

int CountStyle(const std::vector<SurfaceCall>& calls, LineStyle style) {
  return static_cast<int>(std::count_if(calls.begin(), calls.end(),
                                        [&](const SurfaceCall& c) { return c.Style == style; }));
}

TEST_F(ViewTest, SetScreenMapsTheClientAreaAroundTheOrigin) {
  EXPECT_DOUBLE_EQ(p.View.HalfWidth, 16);
  EXPECT_DOUBLE_EQ(p.View.HalfHeight, 12);
  SetScreen(p);
  ASSERT_EQ(surface.Calls.size(), 1u);
  const SurfaceCall& window = surface.Calls[0];
  EXPECT_EQ(window.Kind, CallKind::kWorldWindow);
  EXPECT_DOUBLE_EQ(window.X1, -16);
  EXPECT_DOUBLE_EQ(window.Y1, 12);
  EXPECT_DOUBLE_EQ(window.X2, 32);
  EXPECT_DOUBLE_EQ(window.Y2, -24);

  WorldPoint topLeft = PixelToWorld(p.View, 0, 0);
  EXPECT_DOUBLE_EQ(topLeft.X, -16);
  EXPECT_DOUBLE_EQ(topLeft.Y, 12);
  WorldPoint mid = PixelToWorld(p.View, 320.5, 240.5);
  EXPECT_NEAR(mid.X, 0, 1e-12);
  EXPECT_NEAR(mid.Y, 0, 1e-12);
  WorldPoint back = WorldToPixel(p.View, 3.25, -7.5);
  WorldPoint again = PixelToWorld(p.View, back.X, back.Y);
  EXPECT_NEAR(again.X, 3.25, 1e-12);
  EXPECT_NEAR(again.Y, -7.5, 1e-12);

  // A resize keeps the scale; a minimized window (no client area) keeps the view.
  surface.Resize(1001, 201);
  SetScreen(p);
  EXPECT_DOUBLE_EQ(p.View.HalfWidth, 25);
  EXPECT_DOUBLE_EQ(p.View.HalfHeight, 5);
  surface.Resize(0, 0);
  SetScreen(p);
  EXPECT_DOUBLE_EQ(p.View.HalfWidth, 25);
}

TEST_F(ViewTest, ZoomInStopsAtTheLimitWithAMessage) {
  for (int i = 0; i < 8; ++i) mnuZoomIn(p);
  EXPECT_DOUBLE_EQ(p.View.PixelSize, 0.05 / 256);
  EXPECT_TRUE(platform.Messages.empty());
  EXPECT_DOUBLE_EQ(p.View.HalfWidth, 640 * 0.05 / 256 / 2);
  mnuZoomIn(p);
  ASSERT_EQ(platform.Messages.size(), 1u);
  EXPECT_EQ(platform.Messages[0].Text, "そろそろ限界ですので,元の画面に戻します");
  EXPECT_EQ(platform.Messages[0].Buttons, MsgButtons::kOk);
  EXPECT_DOUBLE_EQ(p.View.PixelSize, 0.05);
  EXPECT_DOUBLE_EQ(p.View.HalfWidth, 16);

  p.Lang.Language = "English";
  for (int i = 0; i < 9; ++i) mnuZoomIn(p);
  ASSERT_EQ(platform.Messages.size(), 2u);
  EXPECT_NE(platform.Messages[1].Text, "そろそろ限界ですので,元の画面に戻します");

  mnuZoomOut(p);
  EXPECT_DOUBLE_EQ(p.View.PixelSize, 0.1);
  mnuZoomDefault(p);
  EXPECT_DOUBLE_EQ(p.View.PixelSize, 0.05);
  mnuZoomComplex(p);
  EXPECT_DOUBLE_EQ(p.View.PixelSize, 0.0125);
  EXPECT_EQ(p.Config.AxisShow, kTrue);
  EXPECT_DOUBLE_EQ(p.View.HalfWidth, 4);
}

TEST_F(ViewTest, OrthogonalGridHasADottedLineAtEveryUnitAndSolidAxes) {
  surface.SetPenWidth(3);
  p.Config.AxisShow = kTrue;
  DrawAxes(p);
  std::vector<SurfaceCall> lines = Lines();
  ASSERT_EQ(lines.size(), 33u + 25u + 2u);
  EXPECT_EQ(CountStyle(lines, LineStyle::kDotted), 58);
  int vertical = 0;
  for (int i = 0; i < 58; ++i) {
    const SurfaceCall& c = lines[i];
    EXPECT_EQ(c.PenWidth, 1);
    EXPECT_EQ(c.Color, (RgbColor{170, 170, 170}));
    if (c.X1 == c.X2) {
      EXPECT_DOUBLE_EQ(c.X1, -16 + vertical);
      EXPECT_DOUBLE_EQ(c.Y1, 12);
      EXPECT_DOUBLE_EQ(c.Y2, -12);
      ++vertical;
    }
  }
  EXPECT_EQ(vertical, 33);
  EXPECT_EQ(lines[58].Style, LineStyle::kSolid);
  EXPECT_DOUBLE_EQ(lines[58].X1, 0);
  EXPECT_DOUBLE_EQ(lines[59].Y1, 0);
  EXPECT_DOUBLE_EQ(lines[59].X2, 16);
  // The surface's own style and width come back.
  EXPECT_EQ(surface.PenWidth(), 3);
  EXPECT_EQ(surface.GetLineStyle(), LineStyle::kSolid);

  // Switched off, the same grid goes in the background colour.
  surface.Calls.clear();
  p.Config.AxisShow = kFalse;
  surface.SetBackColor({1, 2, 3});
  DrawAxes(p);
  EXPECT_EQ(Lines().size(), 60u);
  EXPECT_EQ(Lines()[0].Color, (RgbColor{1, 2, 3}));
}

TEST_F(ViewTest, PolarGridHasUnitCirclesAndSevenRays) {
  p.Config.AxisShow = kTrue;
  p.View.AxisKind = 1;
  DrawAxes(p);
  std::vector<SurfaceCall> circles = Circles();
  ASSERT_EQ(circles.size(), 32u);
  EXPECT_DOUBLE_EQ(circles.front().X2, 1);
  EXPECT_DOUBLE_EQ(circles.back().X2, 32);
  EXPECT_EQ(circles.back().Style, LineStyle::kDotted);
  std::vector<SurfaceCall> rays = Lines();
  ASSERT_EQ(rays.size(), 7u);
  for (int i = 0; i < 7; ++i) {
    const SurfaceCall& ray = rays[i];
    EXPECT_NEAR(std::hypot(ray.X2, ray.Y2), 48, 1e-9);
    EXPECT_NEAR(ray.X1, -ray.X2, 1e-12);
    EXPECT_NEAR(std::atan2(ray.Y2, ray.X2), 3.14159265358979 / 6 * i, 1e-9) << i;
    EXPECT_EQ(ray.Style, LineStyle::kDotted);
  }
}

TEST_F(ViewTest, FarZoomOutKeepsTheGridBoundedAndFinite) {
  p.Config.AxisShow = kTrue;
  for (int i = 0; i < 2000; ++i) mnuZoomOut(p);
  EXPECT_TRUE(std::isfinite(p.View.PixelSize));
  EXPECT_GT(platform.Beeps, 0);
  surface.Calls.clear();
  DrawAxes(p);
  EXPECT_EQ(Lines().size(), 2u);  // only the axes: unit lines would be far closer than a pixel
  for (const SurfaceCall& c : Lines()) EXPECT_TRUE(std::isfinite(c.X1) && std::isfinite(c.Y2));
}

TEST_F(ViewTest, AxisCommandsRedrawWithTheNewGrid) {
  mnuOAxis(p);
  EXPECT_EQ(p.Config.AxisShow, kTrue);
  EXPECT_EQ(surface.Calls[0].Kind, CallKind::kClear);
  EXPECT_EQ(Lines().size(), 60u);

  surface.Calls.clear();
  mnuOAxis(p);
  EXPECT_EQ(p.Config.AxisShow, kFalse);
  EXPECT_TRUE(Lines().empty());

  surface.Calls.clear();
  mnuOAxis02(p);
  EXPECT_EQ(p.View.AxisKind, 1);
  EXPECT_EQ(Circles().size(), 32u);
  mnuOAxis01(p);
  EXPECT_EQ(p.View.AxisKind, 0);

  mnuOAxisColor2(p);
  EXPECT_EQ(p.Config.AxisColor, Rgb(128, 128, 128));
  mnuOAxisColor3(p);
  EXPECT_EQ(p.Config.AxisColor, Rgb(10, 10, 10));
  mnuOAxisColor1(p);
  EXPECT_EQ(p.Config.AxisColor, Rgb(170, 170, 170));

  // The dialog preselects its own last colour; cancelling draws nothing.
  platform.ColorAnswers.push_back(RgbColor{20, 40, 60});
  mnuOAxisColorManual(p);
  EXPECT_EQ(p.Config.AxisColor, Rgb(20, 40, 60));
  EXPECT_EQ(p.Draw.DialogColor, (RgbColor{20, 40, 60}));
  surface.Calls.clear();
  mnuOAxisColorManual(p);
  EXPECT_EQ(p.Config.AxisColor, Rgb(20, 40, 60));
  EXPECT_TRUE(surface.Calls.empty());
}

TEST_F(ViewTest, WindowPresetsRememberTheStartUpSize) {
  WindowGeometry window{9000, 7000, 600, 400, kWindowNormal, false};
  mnuOWindowVGA(p, window);
  // The bars keep their height: the outer size grows by what the 628 x 430
  // drawing area lacks.
  EXPECT_EQ(window.OuterHeight, 7000 + 30 * 15);
  EXPECT_EQ(window.OuterWidth, 9000 + 28 * 15);
  EXPECT_TRUE(window.StatusBarVisible);
  EXPECT_EQ(p.Config.StartWidth, 9420);
  EXPECT_EQ(p.Config.StartHeight, 7450);

  mnuOWindowStandard(p, window);
  EXPECT_EQ(window.OuterWidth, 6525);
  EXPECT_EQ(window.OuterHeight, 6615);

  // The settings file now holds the standard size.
  Settings read;
  ASSERT_TRUE(mnuOFileLoad(read, temp.Path(), platform, p.Lang));
  EXPECT_EQ(read.StartWidth, 6525);
  EXPECT_EQ(read.StartHeight, 6615);
  EXPECT_EQ(read.StartState, kWindowNormal);

  mnuOWindowMax(p, window);
  EXPECT_EQ(p.Config.StartState, kWindowMaximized);

  // An outer size beyond 16 bits is held at the largest value.
  window = WindowGeometry{70000, 500, 1, 1, kWindowNormal, true};
  mnuOWindowSave(p, window);
  EXPECT_EQ(p.Config.StartWidth, 32767);
}

TEST_F(ViewTest, SetWindowIgnoresSmallSavedSizes) {
  WindowGeometry window{5000, 5000, 300, 300, kWindowNormal, true};
  p.Config.StartWidth = 300;
  p.Config.StartHeight = 4000;
  EXPECT_FALSE(SetWindow(p, window));
  EXPECT_EQ(window.OuterWidth, 5000);
  p.Config.StartWidth = 301;
  p.Config.StartHeight = 301;
  EXPECT_TRUE(SetWindow(p, window));
  EXPECT_EQ(window.OuterWidth, 301);
  p.Config.StartState = kWindowMaximized;
  p.Config.StartWidth = 0;
  EXPECT_TRUE(SetWindow(p, window));
  EXPECT_EQ(window.State, kWindowMaximized);
}

}  // namespace
}  // namespace plandra::test
