// Sampled loci in the window's own 1280x800 surface: a redraw after a change
// every locus reads, with 10 and with 40 loci sharing one driving point on a
// line (the cost should grow with the loci, not with their square); and a
// drag step of a point no locus reads, with 10 loci in the figure.
#include <benchmark/benchmark.h>

#include "BenchFigure.h"
#include "BenchQtMain.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/drag/PDdeform05.h"
#include "core/locus/PdLocus.h"
#include "qt/drawing/QtSurface.h"
#include "support/FigureBuilder.h"

namespace plandra {
namespace {

struct LociBench {
  QtSurface Surface{1280, 800};
  SilentPlatform Platform;
  Program P;
  int16_t LinePoint = 0;  // the first point of the driving point's line
  int16_t Unrelated = 0;  // a free point no locus reads

  explicit LociBench(int loci) {
    Surface.SetAntialiased(true);
    P.Canvas = &Surface;
    P.Host = &Platform;
    test::LociFigure built = test::BuildLociFigure(P.Fig, loci);
    LinePoint = built.LinePoint;
    Unrelated = built.Unrelated;
    ModePush(P.Modes, kModeStandard, Platform);
    SetScreen(P);
    WireLocusLayer(P);
    Redraw(P);
  }
};

void BM_LociRedrawQt(benchmark::State& state) {
  LociBench bench(static_cast<int>(state.range(0)));
  PtRec& moved = bench.P.Fig.PtTable[bench.LinePoint];
  int frame = 0;
  for (auto _ : state) {
    moved.X = -6 + (frame++ % 2) * 0.01;  // every locus reads the line
    Redraw(bench.P);
    benchmark::DoNotOptimize(bench.Surface.Image().constBits());
  }
}
BENCHMARK(BM_LociRedrawQt)
    ->ArgName("loci")
    ->Arg(10)
    ->Arg(40)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

void BM_UnrelatedDragWithLociQt(benchmark::State& state) {
  LociBench bench(10);
  StartPointDrag(bench.P, bench.Unrelated);
  int move = 0;
  for (auto _ : state) {
    double offset = (move++ % 20) * 0.11;
    DragStep(bench.P, 9 - offset, -7 + offset);
    benchmark::DoNotOptimize(bench.Surface.Image().constBits());
  }
}
BENCHMARK(BM_UnrelatedDragWithLociQt)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) { return plandra::RunQtBenchmarks(argc, argv); }
