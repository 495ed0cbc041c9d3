// A sampled locus over a figure of 200 steps of which 20 follow the driving
// point: the curve computed by the dependent steps against the whole figure
// evaluated for every sample.
#include <benchmark/benchmark.h>

#include "curves/SampledLocus.h"
#include "engine/GeoObj05.h"
#include "support/FigureBuilder.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddStep;
using test::PointRef;

constexpr int kSteps = 200;
constexpr int kDependentSteps = 20;

struct LocusFigure {
  Figure Fig;
  int16_t Driving = 0;
  int16_t Traced = 0;
};

// Driving point on a line or a circle; a chain of 20 steps from it (circles
// through it and their meeting with the line); the rest of the
// 200 steps lines and circles through free points that do not move.
LocusFigure BuildLocusFigure(bool onLine) {
  LocusFigure f;
  Figure& fig = f.Fig;
  ResetFigure(fig, kSteps + 10);
  int16_t a = AddFreePoint(fig, -4, -1);
  int16_t b = AddFreePoint(fig, 5, 2);
  ObjRef host = onLine ? ObjRef{kClassLine, AddStep(fig, "L1", {PointRef(a), PointRef(b)})}
                       : ObjRef{kClassCircle, AddStep(fig, "C2", {PointRef(a), PointRef(b)})};
  ObjRef line = onLine ? host : ObjRef{kClassLine, AddStep(fig, "L1", {PointRef(a), PointRef(b)})};
  f.Driving = test::AddPointOnHost(fig, host, 1);
  int16_t c = AddFreePoint(fig, 1, 6);
  int first = fig.StepCount;
  int16_t last = f.Driving;
  while (fig.StepCount - first < kDependentSteps) {
    int16_t circle = AddStep(fig, "C2", {PointRef(last), PointRef(c)});
    last = AddStep(fig, "PC2", {line, {kClassCircle, circle}});
  }
  f.Traced = last;
  for (int i = 0; fig.StepCount < kSteps; ++i) {
    int16_t p = AddFreePoint(fig, (i % 17) - 8.0, (i % 11) - 5.0);
    AddStep(fig, i % 2 == 0 ? "L1" : "C2", {PointRef(p), PointRef(c)});
  }
  RecomputeForRedraw(fig);
  return f;
}

void SampleCurve(benchmark::State& state, bool onLine, SampleWay way) {
  LocusFigure f = BuildLocusFigure(onLine);
  int64_t samples = 0;
  for (auto _ : state) {
    SampleLocus(f.Fig, f.Driving, f.Traced, way,
                [&samples](const PtRec& pt) { samples += pt.Exists != 0 ? 1 : 0; });
  }
  benchmark::DoNotOptimize(samples);
}

void BM_LocusOnLine(benchmark::State& s) { SampleCurve(s, true, SampleWay::Dependents); }
void BM_LocusOnLineLiteral(benchmark::State& s) { SampleCurve(s, true, SampleWay::Literal); }
void BM_LocusOnCircle(benchmark::State& s) { SampleCurve(s, false, SampleWay::Dependents); }
void BM_LocusOnCircleLiteral(benchmark::State& s) { SampleCurve(s, false, SampleWay::Literal); }

BENCHMARK(BM_LocusOnLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocusOnLineLiteral)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_LocusOnCircle)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LocusOnCircleLiteral)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace plandra

BENCHMARK_MAIN();
