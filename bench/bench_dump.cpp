// plandra-cli dump's work: read a figure file, recompute it and write its JSON
// document, for a figure of 10,000 constructions against a tiny one. The
// difference between the two is the cost that grows with the figure.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>

#include "CliJson.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/io/FigFileIO.h"
#include "engine/GeoObj05.h"
#include "files/PDio05.h"
#include "support/FigureBuilder.h"

namespace {

using namespace plandra;

std::filesystem::path WriteFigureFile(int steps) {
  SilentPlatform host;
  Program program;
  program.Host = &host;
  test::BuildFigureOfSteps(program.Fig, steps);
  program.CurFileName =
      (std::filesystem::temp_directory_path() /
       ("bench_dump_" + std::to_string(getpid()) + "_" + std::to_string(steps) + ".pd4"))
          .string();
  FigFileIO(program, 'W');
  return program.CurFileName;
}

void BM_ReadRecomputeDump(benchmark::State& state) {
  const auto steps = static_cast<int>(state.range(0));
  const std::filesystem::path file = WriteFigureFile(steps);
  size_t bytes = 0;
  for (auto _ : state) {
    SilentPlatform host;
    Program program;
    program.Host = &host;
    ResetFigure(program.Fig, 200);
    program.CurFileName = file.string();
    if (FigFileIO(program, 'R').Status != FigFileStatus::kOk) {
      state.SkipWithError("the figure does not read back");
      break;
    }
    RecomputeForRedraw(program.Fig, host);
    std::ostringstream out;
    WriteFigureJson(out, program.Fig, file.string());
    bytes = out.view().size();
    benchmark::DoNotOptimize(bytes);
  }
  state.counters["json_bytes"] = static_cast<double>(bytes);
  std::filesystem::remove(file);
}

BENCHMARK(BM_ReadRecomputeDump)->Arg(4)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
