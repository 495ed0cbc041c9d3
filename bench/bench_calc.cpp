// Cost of evaluating calculated numbers, the work a drag repeats at every
// mouse move for every "CALC" step of the figure.
#include <benchmark/benchmark.h>

#include <string>

#include "engine/CalcEval.h"

namespace {

using namespace plandra;

// A figure of 24 numbers and `steps` calculated numbers, each over a full
// 70-character expression mixing every operator.
Figure CalcFigure(int steps) {
  Figure fig;
  ResetFigure(fig, static_cast<int16_t>(steps + 30));
  for (int i = 1; i <= 24; ++i) {
    ReserveElement(fig, kClassNumber);
    fig.NumTable[i].Value = 1.0 + i * 0.25;
    fig.NumTable[i].Exists = kTrue;
  }
  const std::string expr = "N1+N2-N3*N4/N5^N6+N7-N8*N9/N10^N11+N12-N13*N14/N15^N16+N17-N18*N19";
  for (int s = 0; s < steps; ++s) {
    AppendStep(fig);
    SetStepKind(fig, fig.StepCount, "CALC");
    ReserveElement(fig, kClassNumber);
    int16_t n = fig.ElemCount[kClassNumber];
    fig.StepOut[fig.StepCount][1] = {kClassNumber, n};
    fig.NumTable[n].Expr = expr;
  }
  return fig;
}

void BM_EvalCalcStep(benchmark::State& state) {
  const int steps = static_cast<int>(state.range(0));
  Figure fig = CalcFigure(steps);
  for (auto _ : state) {
    for (int s = 1; s <= fig.StepCount; ++s) EvalCalcStep(fig, s);
    benchmark::ClobberMemory();
  }
  if (fig.NumTable[fig.ElemCount[kClassNumber]].Exists != kTrue) {
    state.SkipWithError("the expression did not evaluate");
  }
  state.SetItemsProcessed(state.iterations() * steps);
}
BENCHMARK(BM_EvalCalcStep)->Arg(1)->Arg(100)->Arg(1000);

}  // namespace

BENCHMARK_MAIN();
