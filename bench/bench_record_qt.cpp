// A drag step of the large figure with 20 measured numbers shown, with the
// locus switch off (0) and on (1): on, every step appends a row of the 20
// values to the record files. The difference is what the record costs.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "BenchFigure.h"
#include "BenchQtMain.h"
#include "app/Program.h"
#include "app/Refresh.h"
#include "interact/PDdeform05.h"
#include "locus/MeasureRecord.h"
#include "locus/PdLocus.h"
#include "view/QtSurface.h"

namespace plandra {
namespace {

constexpr int kRecordedNumbers = 20;

struct RecordBench {
  QtSurface Surface{1280, 800};
  SilentPlatform Platform;
  Program P;
  std::filesystem::path Folder = std::filesystem::temp_directory_path() /
                                 ("plandra_bench_record_" + std::to_string(::getpid()));

  explicit RecordBench(bool recording) {
    SetUpLargeFigure(P, Surface, Platform);
    // Distances from the dragged point, so that every row holds new values.
    for (int16_t i = 2; i <= kRecordedNumbers + 1; ++i) {
      test::AddStep(P.Fig, "ND2P", {test::PointRef(1), test::PointRef(i)});
    }
    // No element leaves a trace: the switch's cost here is the record's alone.
    for (int i = 1; i <= P.Fig.ElemCount[kClassPoint]; ++i) P.Fig.PtTable[i].Style = 0;
    for (int i = 1; i <= P.Fig.ElemCount[kClassLine]; ++i) P.Fig.LnTable[i].Style = 0;
    for (int i = 1; i <= P.Fig.ElemCount[kClassCircle]; ++i) P.Fig.CirTable[i].Style = 0;
    std::filesystem::create_directories(Folder);
    P.Folders.Folder = Folder;
    if (recording) ToggleLocus(P);
    Redraw(P);
  }
  ~RecordBench() {
    if (P.Locus.LocusOn != kFalse) ToggleLocus(P);
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
};

void BM_DragStepRecordQt(benchmark::State& state) {
  RecordBench bench(state.range(0) != 0);
  StartPointDrag(bench.P, 1);
  int move = 0;
  for (auto _ : state) {
    double offset = (move++ % 20) * 0.11;
    DragStep(bench.P, -15 + offset, -9 + offset);
    benchmark::DoNotOptimize(bench.Surface.Image().constBits());
  }
  state.counters["numbers"] = bench.P.Fig.ElemCount[kClassNumber];
}
BENCHMARK(BM_DragStepRecordQt)
    ->ArgName("recording")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The row alone, as the refresh appends it after every drag step.
void BM_RecordRow(benchmark::State& state) {
  RecordBench bench(true);
  for (auto _ : state) RecordRow(bench.P, "");
}
BENCHMARK(BM_RecordRow)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) { return plandra::RunQtBenchmarks(argc, argv); }
