#include "locus/SampledLocus.h"

#include <cmath>

#include "engine/GeoObj05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

bool PointIndexValid(const Figure& fig, int index) {
  return RefInRange(fig, ObjRef::Of(kClassPoint, index));
}

// The Param values of a point on a line, the same for every line: taken
// once, not at every redraw. By index rather than by adding the step, so that
// no rounding piles up.
const std::vector<double>& LineSampleParams() {
  static const std::vector<double> params = [] {
    std::vector<double> tangents;
    for (int i = 0;; ++i) {
      double t = -kPi / 2 + i * kLineSampleStep;
      if (t > kPi / 2) break;
      tangents.push_back(std::tan(t));
    }
    return tangents;
  }();
  return params;
}

// The Param values of a point on a circle: 1,001 positions round it; none
// for a circle that is not in the tables.
std::vector<double> CircleSampleParams(const Figure& fig, const PtRec& driving) {
  std::vector<double> params;
  if (driving.HostIndex < 1 || driving.HostIndex > fig.ElemCount[kClassCircle] ||
      driving.HostIndex > UpperBound(fig.CirTable)) {
    return params;
  }
  double step = kFullTurn * fig.CirTable[driving.HostIndex].R / kCircleSampleSteps;
  for (int i = 0; i <= kCircleSampleSteps; ++i) params.push_back(i * step);
  return params;
}

}  // namespace

void SampleLocus(Figure& fig, int driving, int traced, SampleWay way,
                 const std::function<void(const PtRec&)>& visit) {
  if (!PointIndexValid(fig, driving) || !PointIndexValid(fig, traced)) return;
  const int16_t hostClass = fig.PtTable[driving].HostClass;
  std::vector<double> circleParams;
  if (hostClass == kClassCircle) circleParams = CircleSampleParams(fig, fig.PtTable[driving]);
  // None for a point on no line or circle.
  const std::vector<double>& params = hostClass == kClassLine ? LineSampleParams() : circleParams;
  if (params.empty()) return;
  const PtRec drivingCopy = fig.PtTable[driving];
  const PtRec tracedCopy = fig.PtTable[traced];
  DependentSet dependents;
  if (way == SampleWay::Dependents) dependents = DependentsOf(fig, driving);
  const bool onePass = way == SampleWay::Dependents && SettlesInOnePass(fig, dependents, driving);
  for (size_t i = 0; i < params.size(); ++i) {
    fig.PtTable[driving].Param = params[i];
    // The first sample evaluates everything, so that the steps left out later
    // stand exactly as the literal way leaves them, and the figure is settled.
    if (way == SampleWay::Literal || i == 0) {
      RecomputeAll(fig);
    } else if (onePass) {
      RecomputeSettledDependents(fig, dependents);
    } else {
      RecomputeDependents(fig, dependents);
    }
    visit(fig.PtTable[traced]);
  }
  fig.PtTable[driving] = drivingCopy;
  fig.PtTable[traced] = tracedCopy;
  if (way == SampleWay::Literal) {
    RecomputeAll(fig);
  } else {
    RecomputeDependents(fig, dependents);
  }
}

void DrawSampledLoci(Figure& fig, RenderContext& r) {
  if (!r.Canvas) return;
  int steps = std::min({fig.StepCount, UpperBound(fig.StepKindId), UpperBound(fig.StepIn)});
  for (int s = 1; s <= steps; ++s) {
    if (fig.StepKindId[s] != Kind::XLOCS) continue;
    const StepRefs& in = fig.StepIn[s];
    if (in[1].BaseClass() != kClassPoint || in[2].BaseClass() != kClassPoint) continue;
    int traced = in[2].Index;
    if (!PointIndexValid(fig, traced)) continue;
    int16_t style = fig.PtTable[traced].Style;
    int16_t color = style != kColorNone ? style : kColorRed;
    SampleLocus(fig, in[1].Index, traced, SampleWay::Dependents, [&r, color](const PtRec& pt) {
      PtRec dot = pt;
      dot.Color = color;
      dot.Mark = kMarkPixel;
      DrawPointMark(r, dot);
    });
  }
}

}  // namespace plandra
