// Cost of one full redraw (recompute and drawing) of triangles with their
// circumcircles and side lengths, onto a surface that only counts calls, so
// that the renderer's own share is seen apart from any painter.
#include <benchmark/benchmark.h>

#include <cmath>

#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "support/FigureBuilder.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

class CountingSurface : public Surface {
 public:
  int PixelWidth() const override { return 801; }
  int PixelHeight() const override { return 601; }
  void SetWorldWindow(double, double, double, double) override {}
  void Clear() override { ++calls; }
  void SetBackColor(RgbColor color) override { back_ = color; }
  RgbColor BackColor() const override { return back_; }
  void SetPenWidth(int pixels) override { pen_ = pixels; }
  int PenWidth() const override { return pen_; }
  void SetLineStyle(LineStyle style) override { style_ = style; }
  LineStyle GetLineStyle() const override { return style_; }
  void SetFont(std::string_view, double points) override { points_ = points; }
  std::string FontFamily() const override { return "FixedSys"; }
  double FontSize() const override { return points_; }
  void Line(double, double, double, double, RgbColor) override { ++calls; }
  void Circle(double, double, double, RgbColor) override { ++calls; }
  void Box(double, double, double, double, RgbColor, bool) override { ++calls; }
  void Pixel(double, double, RgbColor) override { ++calls; }
  void Text(double, double, std::string_view, RgbColor) override { ++calls; }

  long calls = 0;

 private:
  RgbColor back_{255, 255, 255};
  int pen_ = 1;
  LineStyle style_ = LineStyle::kSolid;
  double points_ = 9;
};

void BuildTriangles(Figure& fig, int triangles) {
  for (int t = 0; t < triangles; ++t) {
    double cx = std::fmod(t * 3.7, 30) - 15;
    double cy = std::fmod(t * 2.3, 20) - 10;
    ObjRef a = test::PointRef(test::AddFreePoint(fig, cx, cy));
    ObjRef b = test::PointRef(test::AddFreePoint(fig, cx + 2, cy + 0.5));
    ObjRef c = test::PointRef(test::AddFreePoint(fig, cx + 0.7, cy + 1.8));
    test::AddStep(fig, "L1", {a, b});
    test::AddStep(fig, "L1", {b, c});
    test::AddStep(fig, "L1", {c, a});
    test::AddStep(fig, "C3", {a, b, c});
    test::AddStep(fig, "ND2P", {a, b});
  }
}

void BM_RedrawBody(benchmark::State& state) {
  CountingSurface surface;
  SilentPlatform platform;
  Program p;
  p.Canvas = &surface;
  p.Host = &platform;
  ResetFigure(p.Fig, 200);
  ModePush(p.Modes, kModeStandard, platform);
  p.Config.AxisShow = kTrue;
  SetScreen(p);
  BuildTriangles(p.Fig, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    Redraw(p);
    benchmark::DoNotOptimize(surface.calls);
  }
  state.counters["steps"] = p.Fig.StepCount;
  state.counters["calls/frame"] =
      benchmark::Counter(static_cast<double>(surface.calls) / state.iterations());
}
BENCHMARK(BM_RedrawBody)->Arg(10)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace plandra

BENCHMARK_MAIN();
