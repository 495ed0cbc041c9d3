// A dependent set (engine/GeoObj05.h) made ready to be evaluated many times,
// as the samples of a locus evaluate it: each step's evaluator is found and
// its references checked once, so that a sample reads only what can change,
// the inputs' existence and values. A step it cannot take so (a map, an
// expression, references that name nothing of the right class) is evaluated
// as the whole recompute evaluates it. The steps it computes itself leave
// CurStep and CurOut alone: no computation reads them.
#pragma once

#include <array>
#include <vector>

#include "engine/GeoObj05.h"
#include "figure/PDvar05.h"

namespace plandra {

struct StepEval;

class PreparedChain {
 public:
  PreparedChain() = default;
  // Serves fig and its copies as long as their steps, references, states
  // and table sizes stay as they are now; only values may change.
  PreparedChain(const Figure& fig, DependentSet set);

  const DependentSet& Set() const { return set_; }

  // RecomputeAll with the same passes, over only the set. Gives what
  // RecomputeAll gives when everything outside the set is already evaluated
  // from unchanged inputs: the point moves, the rest of the figure stays.
  RecomputeReport Recompute(Figure& fig) const;
  // Recompute for a figure settled before the point moved, with
  // SettlesInOnePass true: the points on figures placed, then the one pass
  // that changes anything, as the last pass.
  RecomputeReport RecomputeSettled(Figure& fig) const;

 private:
  struct Step {
    int Index = 0;
    Kind Id = Kind::kUnknown;
    // Null: evaluated as the whole recompute evaluates it.
    void (*Compute)(StepEval&) = nullptr;
    std::array<ObjRef, 5> Reads{};  // the inputs, class taken mod 100
    int ReadCount = 0;
  };

  void RunPass(Figure& fig, bool last, RecomputeReport& report) const;
  void RunStep(Figure& fig, const Step& step, RecomputeReport& report) const;

  DependentSet set_;
  std::array<int, 4> limits_{};
  std::vector<Step> steps_;
};

}  // namespace plandra
