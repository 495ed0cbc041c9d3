// The published page's picture of every sample figure: its size in bytes
// (the counter "svg_bytes") and the time to draw it.
#include <benchmark/benchmark.h>

#include <string>

#include "app/Startup.h"
#include "app/WebCommands.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/io/FigFileIO.h"
#include "core/locus/PdLocus.h"
#include "figure/PDvar05.h"

namespace {

using namespace plandra;

const char* const kSamples[] = {"affine.pd4",     "complex.pd4",  "euler.pd4",     "events.pd5",
                                "inversion.pd4",  "linear.pd4",   "ninepoint.pd4", "polar.pd4",
                                "projective.pd4", "tangents.pd4", "triangle.pd4"};

void BM_PagePicture(benchmark::State& state) {
  const std::string name = kSamples[state.range(0)];
  state.SetLabel(name);
  SilentPlatform host;
  Program program;
  program.Host = &host;
  WireLocusLayer(program);
  ResetFigure(program.Fig, 200);
  program.CurFileName = std::string(PLANDRA_SAMPLES) + "/" + name;
  if (FigFileIO(program, 'R').Status != FigFileStatus::kOk) {
    state.SkipWithError("the sample cannot be read");
    return;
  }
  ZoomForOpenedFigure(program);
  RecomputeForRedraw(program.Fig, host);
  size_t bytes = 0;
  for (auto _ : state) {
    const std::string svg = FigurePictureSvg(program);
    bytes = svg.size();
    benchmark::DoNotOptimize(svg.data());
  }
  state.counters["svg_bytes"] = static_cast<double>(bytes);
}
BENCHMARK(BM_PagePicture)->DenseRange(0, 10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
