// Cost of the recompute pass and of the dependency marking on synthetic
// figures of 100 to 30,000 steps, reported per step evaluation.
#include <benchmark/benchmark.h>

#include <initializer_list>
#include <string_view>

#include "engine/GeoObj05.h"
#include "support/FigureBuilder.h"

namespace plandra {
namespace {

constexpr ObjRef Pt(int16_t i) { return {kClassPoint, i}; }
constexpr ObjRef Ln(int16_t i) { return {kClassLine, i}; }
constexpr ObjRef Cir(int16_t i) { return {kClassCircle, i}; }
constexpr ObjRef Num(int16_t i) { return {100, i}; }

// Builds a figure the way the construction flow leaves it, stopping at a
// given number of steps.
class FigureBuilder {
 public:
  FigureBuilder(Figure& fig, int maxSteps) : fig_(fig), maxSteps_(maxSteps) {}

  bool Full() const { return fig_.StepCount >= maxSteps_; }

  int16_t Free(double x, double y) { return Full() ? 0 : test::AddFreePoint(fig_, x, y); }

  int16_t Number(double value) {
    ReserveElement(fig_, kClassNumber);
    int16_t n = fig_.ElemCount[kClassNumber];
    fig_.NumTable[n].Value = value;
    fig_.NumTable[n].Exists = kTrue;
    return n;
  }

  int16_t OnHost(ObjRef host, double param) {
    return Full() ? 0 : test::AddPointOnHost(fig_, host, param);
  }

  // Appends a step and its outputs; returns the first output, or 0 when the
  // figure is full.
  int16_t Add(std::string_view kind, std::initializer_list<ObjRef> inputs) {
    return Full() ? 0 : test::AddStep(fig_, kind, inputs);
  }

 private:
  Figure& fig_;
  int maxSteps_;
};

// One triangle with its lines, circles, points on them, intersections,
// centres, maps and measurements: 34 steps.
void AddBlock(FigureBuilder& b, double x0, double y0, int16_t angle) {
  int16_t pa = b.Free(x0, y0);
  int16_t pb = b.Free(x0 + 3, y0 + 0.5);
  int16_t pc = b.Free(x0 + 1, y0 + 2.5);
  int16_t ab = b.Add("L1", {Pt(pa), Pt(pb)});
  int16_t bc = b.Add("L1", {Pt(pb), Pt(pc)});
  int16_t circum = b.Add("C3", {Pt(pa), Pt(pb), Pt(pc)});
  int16_t aroundC = b.Add("C2", {Pt(pc), Pt(pa)});
  int16_t onCircle = b.OnHost(Cir(circum), 1.0);
  int16_t onLine = b.OnHost(Ln(ab), 1.5);
  b.OnHost(Ln(bc), 0.7);
  int16_t cross = b.Add("PC1", {Ln(ab), Ln(bc)});
  b.Add("PC2", {Ln(ab), Cir(circum)});
  b.Add("PC3", {Cir(circum), Cir(aroundC)});
  b.Add("L3", {Ln(ab), Pt(pc)});
  int16_t centre = b.Add("P1", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("P2", {Pt(pa), Pt(pb), Pt(pc)});
  int16_t centroid = b.Add("P3", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("P4", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("P5", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("P6", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("PT1", {Pt(pa), Pt(pb), Num(angle)});
  b.Add("PT4", {Pt(centroid), Cir(circum)});
  int16_t euler = b.Add("L1", {Pt(centroid), Pt(centre)});
  b.Add("PC1", {Ln(euler), Ln(bc)});
  b.Add("ND2P", {Pt(pa), Pt(pb)});
  b.Add("NA3+", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("NAR3", {Pt(pa), Pt(pb), Pt(pc)});
  b.Add("NDPL", {Pt(pc), Ln(ab)});
  b.Add("ND2P", {Pt(onCircle), Pt(onLine)});
  b.Add("L2", {Ln(ab), Pt(cross)});
  b.Add("C1", {Pt(cross), Num(angle)});
  b.Add("PT2", {Pt(centre), Ln(bc)});
  b.Add("NPX", {Pt(centre)});
  b.Add("NA3*", {Pt(pc), Pt(pa), Pt(pb)});
}

void BuildFigure(Figure& fig, int steps) {
  ResetFigure(fig, static_cast<int16_t>(steps + 10));
  FigureBuilder builder(fig, steps);
  int16_t angle = builder.Number(30);
  for (int block = 0; !builder.Full(); ++block) {
    AddBlock(builder, (block % 40) * 5.0 - 100, (block / 40) * 4.0 - 100, angle);
  }
  MarkDependencies(fig, ObjRef{});
  RecomputeAll(fig);
  SnapshotTables(fig);
}

void BM_RecomputeAll(benchmark::State& state) {
  Figure fig;
  BuildFigure(fig, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    RecomputeAll(fig);
    benchmark::DoNotOptimize(fig.PtTable.data());
  }
  double evaluations = static_cast<double>(fig.StepCount) * fig.PassCount;
  // Time per step evaluation (one step in one pass).
  state.counters["per_step"] = benchmark::Counter(
      evaluations, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  state.counters["passes"] = fig.PassCount;
}

void BM_MarkDependencies(benchmark::State& state) {
  Figure fig;
  BuildFigure(fig, static_cast<int>(state.range(0)));
  for (auto _ : state) {
    MarkDependencies(fig, ObjRef{});
    benchmark::DoNotOptimize(fig.StepState.data());
  }
  // Time per step of the figure for the whole marking.
  state.counters["per_step"] = benchmark::Counter(
      fig.StepCount, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

BENCHMARK(BM_RecomputeAll)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarkDependencies)
    ->Arg(100)
    ->Arg(1000)
    ->Arg(10000)
    ->Arg(30000)
    ->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace plandra

BENCHMARK_MAIN();
