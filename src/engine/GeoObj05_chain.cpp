#include <algorithm>

#include "engine/GeoObj05.h"
#include "engine/GeoObj05_eval.h"

namespace plandra {
namespace {

using Needed = std::vector<std::vector<char>>;

bool InNeed(const Needed& needed, ObjRef ref) {
  int16_t cls = ref.BaseClass();
  return cls >= kClassNumber && cls <= kClassCircle && ref.Index >= 1 &&
         static_cast<size_t>(ref.Index) < needed[cls].size() && needed[cls][ref.Index] != 0;
}

void Need(Needed& needed, ObjRef ref) {
  int16_t cls = ref.BaseClass();
  if (cls >= kClassNumber && cls <= kClassCircle && ref.Index >= 1 &&
      static_cast<size_t>(ref.Index) < needed[cls].size())
    needed[cls][ref.Index] = 1;
}

// Takes step s when the chain reads one of its outputs; its inputs are then
// read by the chain too. True when it was taken now.
bool TakeStepIfRead(const Figure& fig, int s, Needed& needed) {
  const StepRefs& out = fig.StepOut[s];
  if (std::none_of(out.begin(), out.end(), [&needed](ObjRef ref) { return InNeed(needed, ref); }))
    return false;
  for (ObjRef in : fig.StepIn[s]) Need(needed, in);
  if (fig.StepKindId[s] == Kind::CALC)
    std::fill(needed[kClassNumber].begin(), needed[kClassNumber].end(), 1);
  return true;
}

// A point on a figure the chain reads reads its host.
void NeedHosts(const Figure& fig, const std::vector<int>& hosted, Needed& needed) {
  for (int i : hosted) {
    const PtRec& pt = fig.PtTable[i];
    if (needed[kClassPoint][i]) Need(needed, {pt.HostClass, pt.HostIndex});
  }
}

}  // namespace

DependentSet ChainBetween(const Figure& fig, int driving, int traced) {
  DependentSet dependents = DependentsOf(fig, driving);
  ElemLimits limits = ElemLimitsOf(fig);
  if (traced < 1 || traced > limits[kClassPoint]) return {};
  Needed needed(4);
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls) needed[cls].assign(limits[cls] + 1, 0);
  needed[kClassPoint][traced] = 1;
  std::vector<char> taken(dependents.Steps.size(), 0);
  // A step may read what a later step makes: walk back until nothing is added.
  for (bool added = true; added;) {
    added = false;
    NeedHosts(fig, dependents.HostedPoints, needed);
    for (size_t k = dependents.Steps.size(); k-- > 0;) {
      if (taken[k] || !TakeStepIfRead(fig, dependents.Steps[k], needed)) continue;
      taken[k] = 1;
      added = true;
    }
  }
  DependentSet chain;
  for (size_t k = 0; k < taken.size(); ++k)
    if (taken[k]) chain.Steps.push_back(dependents.Steps[k]);
  for (int i : dependents.HostedPoints)
    if (i == driving || needed[kClassPoint][i]) chain.HostedPoints.push_back(i);
  return chain;
}

}  // namespace plandra
