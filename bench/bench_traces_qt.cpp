// A full redraw of the large figure with many traces left by a drag, against
// the same redraw without them, and a drag step with the locus switch on and
// 20 shown numbers recorded against one with the switch off, in the window's
// own 1280x800 surface; and the table of a number over that plane, from OK to
// the file, with its progress redraws.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "BenchFigure.h"
#include "BenchQtMain.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/drag/PDdeform05.h"
#include "core/locus/MeasureRecord.h"
#include "core/locus/PdLocus.h"
#include "core/locus/PlaneTable.h"
#include "qt/drawing/QtSurface.h"
#include "support/FigureBuilder.h"

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

// The large figure in the window's surface with the loci wired, its program
// folder a scratch one removed afterwards. SilentPlatform answers OK.
struct LocusBench {
  QtSurface Surface{1280, 800};
  SilentPlatform Platform;
  Program P;
  std::filesystem::path Folder;
  explicit LocusBench(const char* name) : Folder(std::filesystem::temp_directory_path() / name) {
    SetUpLargeFigure(P, Surface, Platform);
    WireLocusLayer(P);
    std::filesystem::create_directories(Folder);
    P.Folders.Folder = Folder;
  }
  ~LocusBench() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  LocusBench(const LocusBench&) = delete;
  LocusBench& operator=(const LocusBench&) = delete;
};

// 20 numbers shown like measured ones: the columns of the record.
void AddRecordedNumbers(Program& p) {
  for (int i = 0; i < 20; ++i) {
    NumRec& num = p.Fig.NumTable[test::AddNumber(p.Fig, i * 0.5)];
    num.NumFlag = kFalse;  // shown like a measured number
    num.Name = "d" + std::to_string(i);
  }
}

void BM_DragStepRecordedQt(benchmark::State& state) {
  LocusBench bench("plandra_bench_record");
  Program& p = bench.P;
  AddRecordedNumbers(p);
  if (state.range(0) != 0) ToggleLocus(p);
  StartPointDrag(p, 1);
  int move = 0;
  for (auto _ : state) {
    double offset = (move++ % 20) * 0.11;
    DragStep(p, -15 + offset, -9 + offset);
    benchmark::DoNotOptimize(bench.Surface.Image().constBits());
  }
  if (state.range(0) != 0) ToggleLocus(p);
}
BENCHMARK(BM_DragStepRecordedQt)
    ->ArgName("recording")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

// The row alone that the refresh appends after every drag step: 20 numbers.
void BM_RecordRowQt(benchmark::State& state) {
  LocusBench bench("plandra_bench_row");
  Program& p = bench.P;
  AddRecordedNumbers(p);
  ToggleLocus(p);
  for (auto _ : state) RecordRow(p, "");
  ToggleLocus(p);
}
BENCHMARK(BM_RecordRowQt)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly();

// Point 1 swept over the 1280x800 view; the number is its distance to point 2.
void BM_PlaneTableQt(benchmark::State& state) {
  LocusBench bench("plandra_bench_table");
  Program& p = bench.P;
  bench.Surface.SetAntialiased(true);
  p.CurFileName = (bench.Folder / "large.pd4").string();
  p.Locus.LocusNum = test::AddStep(p.Fig, "ND2P", {test::PointRef(1), test::PointRef(2)});
  Redraw(p);
  ToggleLocus(p);
  long samples = 0;
  for (auto _ : state) {
    ModePush(p.Modes, kModeDeform, bench.Platform);
    p.Deform.DraggedPoint = 1;
    StartPlaneTable(p);
    while (PlaneTableRunning(p)) PlaneTableTick(p);
    samples = p.PlaneTable.Grid.Samples();
  }
  state.counters["samples"] = static_cast<double>(samples);
  ToggleLocus(p);
}
BENCHMARK(BM_PlaneTableQt)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly();

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) { return plandra::RunQtBenchmarks(argc, argv); }
