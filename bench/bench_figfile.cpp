// Writing and reading a figure file of 10,000 steps.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <random>
#include <string>

#include "figure/PDvar05.h"
#include "files/PDio05.h"
#include "support/FigureBuilder.h"

namespace {

using namespace plandra;

// 4000 free points, 3000 segments, 2000 circles through three points and
// 1000 distances, with coordinates that need all 15 digits.
Figure SyntheticFigure() {
  Figure fig;
  ResetFigure(fig, 200);
  std::mt19937_64 random(42);
  std::uniform_real_distribution<double> coordinate(-20, 20);
  std::uniform_int_distribution<int> anyPoint(1, 4000);
  for (int i = 0; i < 4000; ++i) {
    int16_t p = test::AddStep(fig, "PNEW", {});
    PtRec& pt = fig.PtTable[p];
    pt.X = coordinate(random);
    pt.Y = coordinate(random);
    pt.Exists = kTrue;
    pt.Mark = 2;
    pt.BoundMode = kTrue;
  }
  auto pick = [&] { return ObjRef{kClassPoint, static_cast<int16_t>(anyPoint(random))}; };
  for (int i = 0; i < 3000; ++i) {
    int16_t l = test::AddStep(fig, "L1", {});
    fig.StepIn[fig.StepCount][1] = pick();
    fig.StepIn[fig.StepCount][2] = pick();
    LnRec& ln = fig.LnTable[l];
    ln.X1 = coordinate(random);
    ln.Y1 = coordinate(random);
    ln.X2 = coordinate(random);
    ln.Y2 = coordinate(random);
    ln.DX = 0.6;
    ln.DY = -0.8;
    ln.Exists = kTrue;
    ln.LineKind = 1;
  }
  for (int i = 0; i < 2000; ++i) {
    int16_t c = test::AddStep(fig, "C3", {});
    for (int k = 1; k <= 3; ++k) fig.StepIn[fig.StepCount][k] = pick();
    CirRec& cir = fig.CirTable[c];
    cir.CX = coordinate(random);
    cir.CY = coordinate(random);
    cir.R = std::abs(coordinate(random));
    cir.Exists = kTrue;
  }
  for (int i = 0; i < 1000; ++i) {
    int16_t n = test::AddStep(fig, "ND2P", {});
    fig.StepIn[fig.StepCount][1] = pick();
    fig.StepIn[fig.StepCount][2] = pick();
    fig.NumTable[n].Value = std::abs(coordinate(random));
    fig.NumTable[n].Exists = kTrue;
    fig.NumTable[n].Name = "d" + std::to_string(i);
  }
  return fig;
}

std::filesystem::path BenchFolder() {
  auto folder =
      std::filesystem::temp_directory_path() / ("plandra_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  return folder;
}

void BM_FigFileWrite(benchmark::State& state) {
  Figure fig = SyntheticFigure();
  auto folder = BenchFolder();
  for (auto _ : state) {
    FigFileResult result = FigFileCore(fig, folder / "bench.pd4", 'W');
    if (result.Status != FigFileStatus::kOk) state.SkipWithError(result.Message.c_str());
  }
  state.counters["bytes"] = static_cast<double>(std::filesystem::file_size(folder / "bench.pd4"));
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FigFileWrite)->Unit(benchmark::kMillisecond);

void BM_FigFileRead(benchmark::State& state) {
  Figure source = SyntheticFigure();
  auto folder = BenchFolder();
  FigFileCore(source, folder / "bench.pd4", 'W');
  Figure fig;
  for (auto _ : state) {
    ResetFigure(fig, 200);
    FigFileResult result = FigFileCore(fig, folder / "bench.pd4", 'R');
    if (result.Status != FigFileStatus::kOk || fig.StepCount != 10000) {
      state.SkipWithError(result.Message.c_str());
    }
  }
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_FigFileRead)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
