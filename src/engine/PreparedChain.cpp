#include "engine/PreparedChain.h"

#include <utility>

#include "engine/GeoObj05_eval.h"

namespace plandra {

PreparedChain::PreparedChain(const Figure& fig, DependentSet set)
    : set_(std::move(set)), limits_(ElemLimitsOf(fig)) {
  const int steps = StepLimit(fig);
  steps_.reserve(set_.Steps.size());
  for (int s : set_.Steps) {
    // A step the marking left at 2 is never evaluated; its state stays.
    if (s < 1 || s > steps || fig.StepState[s] == 2) continue;
    Step step{.Index = s, .Id = fig.StepKindId[s]};
    const StepRefs& in = fig.StepIn[s];
    if (RefsValid(step.Id, in, fig.StepOut[s], limits_)) {
      step.Compute = EvaluatorOf(step.Id).Compute;
      const KindInfo& info = KindInfoOf(step.Id);
      for (int k = 0; k < 5 && info.InClass[k] != kSlotNone; ++k)
        step.Reads[step.ReadCount++] = ObjRef::Of(info.InClass[k] % 100, in[k + 1].Index);
    }
    steps_.push_back(step);
  }
}

void PreparedChain::RunStep(Figure& fig, const Step& step, RecomputeReport& report) const {
  if (!step.Compute) return EvaluateStep(fig, report, limits_, step.Index, nullptr);
  bool ready = true;
  for (int k = 0; k < step.ReadCount && ready; ++k)
    ready = Defined(ExistsAt(fig, step.Reads[k].Class, step.Reads[k].Index));
  const int s = step.Index;
  StepEval eval{fig, report, s, step.Id, fig.StepIn[s], fig.StepOut[s], limits_, nullptr};
  RunCompute(eval, step.Compute, ready);
}

void PreparedChain::RunPass(Figure& fig, bool last, RecomputeReport& report) const {
  BeginPass(fig, last);
  for (const Step& step : steps_) RunStep(fig, step, report);
  HostedPointsStep(fig, set_.HostedPoints, limits_, report);
}

RecomputeReport PreparedChain::Recompute(Figure& fig) const {
  RecomputeReport report;
  EnsureCurOut(fig);
  for (int pass = 1; pass <= fig.PassCount; ++pass) RunPass(fig, pass == fig.PassCount, report);
  fig.LastPass = false;
  return report;
}

RecomputeReport PreparedChain::RecomputeSettled(Figure& fig) const {
  RecomputeReport report;
  EnsureCurOut(fig);
  // The first passes would evaluate every step as the settled figure stands,
  // changing nothing, before the points on figures took their new places.
  HostedPointsStep(fig, set_.HostedPoints, limits_, report);
  RunPass(fig, true, report);
  fig.LastPass = false;
  return report;
}

}  // namespace plandra
