#include <gtest/gtest.h>

#include <vector>

#include "app/KeyDispatch.h"
#include "core/MainModel.h"
#include "core/Rakugaki.h"
#include "support/AppFixture.h"

namespace plandra {
namespace {

using test::AppFixture;

constexpr int16_t kKeyA = 65;

TEST(KeyDispatchTest, EscInTheStandardModeRedrawsAndPopsOnlyWithShift) {
  AppFixture app;
  Program& p = app.P;
  EXPECT_EQ(KeyDown(p, kKeyEscape, false), KeyResult::kHandled);
  EXPECT_EQ(app.Redraws(), 1);
  EXPECT_EQ(p.Modes.Depth, 1);
  EXPECT_EQ(app.Host.Beeps, 0);

  // With Shift it pops too, and at the base of the stack that only beeps.
  KeyDown(p, kKeyEscape, true);
  EXPECT_EQ(app.Redraws(), 2);
  EXPECT_EQ(p.Modes.Depth, 1);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(app.Host.Beeps, 1);

  // Other keys do nothing here.
  KeyDown(p, kKeyA, true);
  EXPECT_EQ(app.Redraws(), 2);
}

TEST(KeyDispatchTest, EscPopsAnOtherModeWithShiftOrTheShiftSwitch) {
  AppFixture app;
  Program& p = app.P;
  // Measuring (19); the modes of a construction leave with Escape alone.
  ModePush(p.Modes, 19, app.Host);
  KeyDown(p, kKeyEscape, false);
  EXPECT_EQ(CurrentMode(p.Modes), 19);
  KeyDown(p, kKeyEscape, true);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(p.Status.Panel(kModePanel).Text, "標準");

  ModePush(p.Modes, 9, app.Host);
  p.Window.ShiftSwitch = -1;
  KeyDown(p, kKeyEscape, false);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(app.Redraws(), 3);
  EXPECT_EQ(app.Host.Beeps, 0);
}

TEST(KeyDispatchTest, ModesOfLaterCommandsAreNotHandled) {
  AppFixture app;
  Program& p = app.P;
  // Modes 15 and 28 have their keys in the construction flow, 73 in the
  // replay, 6, 30 and 61 in the deformation, 22 in the number variation,
  // 13, 40, 52, 53 and 62 in the picks.
  for (int16_t mode : {14}) {
    ModePush(p.Modes, mode, app.Host);
    EXPECT_EQ(KeyDown(p, kKeyEscape, true), KeyResult::kNotHandled) << mode;
    EXPECT_EQ(CurrentMode(p.Modes), mode);
    ModePop(p.Modes, app.Host);
  }
  EXPECT_EQ(app.Redraws(), 0);
}

// Records the strokes drawn.
class StrokeSurface : public Surface {
 public:
  struct Stroke {
    double X1, Y1, X2, Y2;
    RgbColor Color;
  };
  std::vector<Stroke> Lines;
  std::vector<Stroke> Pixels;
  int Clears = 0;

  int PixelWidth() const override { return 400; }
  int PixelHeight() const override { return 300; }
  void SetWorldWindow(double, double, double, double) override {}
  void Clear() override { ++Clears; }
  void SetBackColor(RgbColor) override {}
  RgbColor BackColor() const override { return {}; }
  void SetPenWidth(int) override {}
  int PenWidth() const override { return 1; }
  void SetLineStyle(LineStyle) override {}
  LineStyle GetLineStyle() const override { return LineStyle::kSolid; }
  void SetFont(std::string_view, double) override {}
  std::string FontFamily() const override { return {}; }
  double FontSize() const override { return 9; }
  void Line(double x1, double y1, double x2, double y2, RgbColor color) override {
    Lines.push_back({x1, y1, x2, y2, color});
  }
  void Circle(double, double, double, RgbColor) override {}
  void Box(double, double, double, double, RgbColor, bool) override {}
  void Pixel(double x, double y, RgbColor color) override { Pixels.push_back({x, y, x, y, color}); }
  void Text(double, double, std::string_view, RgbColor) override {}
};

TEST(KeyDispatchTest, ScribbleStrokesAndEsc) {
  AppFixture app;
  StrokeSurface surface;
  Program& p = app.P;
  p.Canvas = &surface;
  mnuRakugaki(p);
  EXPECT_EQ(CurrentMode(p.Modes), kModeScribble);

  ScribbleMouseMove(p, 1, 1);  // no button down: nothing
  EXPECT_TRUE(surface.Lines.empty());
  p.Scribble.ScribbleColor = {0, 0, 255};
  ScribbleMouseDown(p, 1, 2);
  ScribbleMouseMove(p, 3, 4);
  ScribbleMouseMove(p, 5, 6);
  ScribbleMouseUp(p);
  ScribbleMouseMove(p, 7, 8);
  ASSERT_EQ(surface.Pixels.size(), 1u);
  ASSERT_EQ(surface.Lines.size(), 2u);
  EXPECT_EQ(surface.Lines[1].X1, 3);
  EXPECT_EQ(surface.Lines[1].Y2, 6);
  EXPECT_EQ(surface.Lines[0].Color, (RgbColor{0, 0, 255}));

  EXPECT_EQ(KeyDown(p, kKeyA, false), KeyResult::kHandled);
  EXPECT_EQ(CurrentMode(p.Modes), kModeScribble);
  EXPECT_EQ(app.Redraws(), 0);
  KeyDown(p, kKeyEscape, false);
  EXPECT_EQ(CurrentMode(p.Modes), kModeStandard);
  EXPECT_EQ(app.Redraws(), 1);
  EXPECT_EQ(p.Status.Panel(kMarkerPanel).Text, "Marker");
  // The colour stays for the next scribble of the run.
  mnuRakugaki(p);
  EXPECT_EQ(p.Scribble.ScribbleColor, (RgbColor{0, 0, 255}));
}

}  // namespace
}  // namespace plandra
