// A full redraw of the large figure with many traces left by a drag, against
// the same redraw without them, in the window's own 1280x800 surface.
#include <benchmark/benchmark.h>

#include <cmath>

#include "BenchFigure.h"
#include "BenchQtMain.h"
#include "app/Program.h"
#include "app/Refresh.h"
#include "locus/PdLocus.h"
#include "view/QtSurface.h"

namespace plandra {
namespace {

// Traces along a spiral over the window, as a drag leaves them: the dragged
// point's ring mark, or with pixels set the single pixel of mark 0.
void LeaveTraces(LocusState& locus, int count, bool pixels) {
  for (int i = 0; i < count; ++i) {
    double angle = i * 0.01;
    double radius = 2 + std::fmod(i * 0.003, 14);
    PtRec pt;
    pt.X = radius * std::cos(angle);
    pt.Y = radius * std::sin(angle) * 0.6;
    pt.Color = pt.Style = kColorRed;
    pt.Exists = kTrue;
    pt.Mark = pixels ? kMarkPixel : kMarkDragged;
    AppendTracePoint(locus, pt);
  }
}

void BM_RedrawWithTracesQt(benchmark::State& state) {
  QtSurface surface(1280, 800);
  surface.SetAntialiased(true);  // as the window draws
  SilentPlatform platform;
  Program p;
  SetUpLargeFigure(p, surface, platform);
  WireLocusLayer(p);
  LeaveTraces(p.Locus, static_cast<int>(state.range(0)), state.range(1) != 0);
  for (auto _ : state) {
    Redraw(p);
    benchmark::DoNotOptimize(surface.Image().constBits());
  }
}
BENCHMARK(BM_RedrawWithTracesQt)
    ->ArgNames({"traces", "pixels"})
    ->Args({0, 0})
    ->Args({10000, 0})
    ->Args({10000, 1})
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) { return plandra::RunQtBenchmarks(argc, argv); }
