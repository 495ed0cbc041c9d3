// One drag step (pixel snapping, recompute and full redraw) of a point of a
// large figure into the window's own 1280x800 surface, and the timing run of
// the key "B" (100 key steps). With the locus layer wired as the window wires
// it (locus:1), each step starts from the kept grid.
#include <benchmark/benchmark.h>

#include "BenchFigure.h"
#include "BenchQtMain.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/drag/PDdeform05.h"
#include "core/locus/PdLocus.h"
#include "qt/drawing/QtSurface.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

struct DragBench {
  QtSurface Surface{1280, 800};
  SilentPlatform Platform;
  Program P;

  explicit DragBench(bool antialiased = true, bool locus = false) {
    Surface.SetAntialiased(antialiased);
    SetUpLargeFigure(P, Surface, Platform);
    if (locus) WireLocusLayer(P);  // as the window starts, the switch off
    Redraw(P);
  }
};

void BM_DragStepQt(benchmark::State& state) {
  DragBench bench(state.range(0) != 0, state.range(1) != 0);  // 1, 1: as the window
  // Point 1 carries lines and circles with it; the drag starts as a press on it does.
  StartPointDrag(bench.P, 1);
  int move = 0;
  for (auto _ : state) {
    double offset = (move++ % 20) * 0.11;
    DragStep(bench.P, -15 + offset, -9 + offset);
    benchmark::DoNotOptimize(bench.Surface.Image().constBits());
  }
  state.counters["elements"] =
      bench.P.Fig.ElemCount[1] + bench.P.Fig.ElemCount[2] + bench.P.Fig.ElemCount[3];
}
BENCHMARK(BM_DragStepQt)
    ->ArgNames({"antialiased", "locus"})
    ->Args({1, 0})
    ->Args({0, 0})
    ->Args({1, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

void BM_TimingRunQt(benchmark::State& state) {
  DragBench bench;
  bench.P.Deform.FirstMoveFlag = kTrue;
  for (auto _ : state) {
    TimingRun(bench.P);
    benchmark::DoNotOptimize(bench.Surface.Image().constBits());
  }
}
BENCHMARK(BM_TimingRunQt)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) { return plandra::RunQtBenchmarks(argc, argv); }
