// A full redraw (recompute, drawing and labels) of a large figure into the
// window's own surface, a 1280x800 image; with the locus layer wired as the
// window wires it (locus:1), the frame starts from the kept grid.
#include <benchmark/benchmark.h>

#include "BenchFigure.h"
#include "BenchQtMain.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/locus/PdLocus.h"
#include "qt/drawing/QtSurface.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

void BM_RedrawQt(benchmark::State& state) {
  QtSurface surface(1280, 800);
  surface.SetAntialiased(state.range(0) != 0);  // 1: the window's default
  SilentPlatform platform;
  Program p;
  SetUpLargeFigure(p, surface, platform);
  if (state.range(1) != 0) WireLocusLayer(p);  // as the window starts: no traces yet
  for (auto _ : state) {
    Redraw(p);
    benchmark::DoNotOptimize(surface.Image().constBits());
  }
  state.counters["elements"] = p.Fig.ElemCount[1] + p.Fig.ElemCount[2] + p.Fig.ElemCount[3];
}
BENCHMARK(BM_RedrawQt)
    ->ArgNames({"antialiased", "locus"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) { return plandra::RunQtBenchmarks(argc, argv); }
