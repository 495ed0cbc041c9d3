// A full redraw (recompute, drawing and labels) of a large figure into the
// window's own surface, a 1280x800 image.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

#include "BenchFigure.h"
#include "app/Program.h"
#include "view/PDDraw05.h"
#include "view/QtSurface.h"

namespace plandra {
namespace {

void BM_RedrawQt(benchmark::State& state) {
  QtSurface surface(1280, 800);
  surface.SetAntialiased(state.range(0) != 0);  // 1: the window's default
  SilentPlatform platform;
  Program p;
  p.Canvas = &surface;
  p.Host = &platform;
  ResetFigure(p.Fig, 200);
  ModePush(p.Modes, kModeStandard, platform);
  p.Config.AxisShow = kTrue;
  ApplyDisplaySettings(p);
  SetScreen(p);
  BuildLargeFigure(p.Fig);
  for (auto _ : state) {
    Redraw(p);
    benchmark::DoNotOptimize(surface.Image().constBits());
  }
  state.counters["elements"] = p.Fig.ElemCount[1] + p.Fig.ElemCount[2] + p.Fig.ElemCount[3];
}
BENCHMARK(BM_RedrawQt)
    ->ArgName("antialiased")
    ->Arg(1)
    ->Arg(0)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) {
  // Drawing text needs the application; no display is needed for an image.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
