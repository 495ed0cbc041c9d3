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

#include "BenchFigure.h"
#include "CliJson.h"
#include "app/FigFileIO.h"
#include "app/Platform.h"
#include "app/Program.h"
#include "app/Recompute.h"
#include "engine/GeoObj05.h"
#include "persist/PDio05.h"

namespace {

using namespace plandra;

// A quarter free points, then lines and circles through them, every element named.
void BuildFigureOfSteps(Figure& fig, int steps) {
  const int points = std::max(3, steps / 4);
  ResetFigure(fig, static_cast<int16_t>(steps + 10));
  for (int i = 0; i < points; ++i) {
    ObjRef pt = FreePoint(fig, std::fmod(i * 3.7, 30) - 15, std::fmod(i * 2.3, 18) - 9);
    SetElementName(fig, pt, "P" + std::to_string(i + 1));
  }
  auto point = [points](int i) {
    return ObjRef{kClassPoint, static_cast<int16_t>(i % points + 1)};
  };
  for (int i = 0; fig.StepCount < steps; ++i) {
    if (i % 2 == 0) {
      const int16_t line = AddStepWith(fig, "L1", {point(i), point(i + 7)});
      SetElementName(fig, {kClassLine, line}, "l" + std::to_string(i + 1));
    } else {
      const int16_t circle = AddStepWith(fig, "C2", {point(i), point(i + 1)});
      SetElementName(fig, {kClassCircle, circle}, "c" + std::to_string(i + 1));
    }
  }
}

std::filesystem::path WriteFigureFile(int steps) {
  SilentPlatform host;
  Program program;
  program.Host = &host;
  BuildFigureOfSteps(program.Fig, steps);
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
