#include "engine/GeoObj05.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "engine/CalcEval.h"
#include "engine/GeoObj05_eval.h"
#include "engine/MapEval.h"
#include "engine/Math05.h"

namespace plandra {
namespace {

// The host is a line: P1 + t·direction, held within a segment or half-line.
bool PlaceOnLine(const LnRec& host, PtRec& point) {
  double t = point.Param;
  double length = VectorLength(host.X2 - host.X1, host.Y2 - host.Y1);
  bool clamped = false;
  switch (host.LineKind) {
    case 1:
      // A segment of length 0 holds the point at its first point; the point
      // keeps its Param, so it returns to its place when the segment opens.
      if (length == 0) {
        StorePoint(point, host.X1, host.Y1);
        return false;
      }
      if (t > length) {
        t = length;
        clamped = true;
      }
      if (t < 0) {
        t = 0;
        clamped = true;
      }
      StorePoint(point, ((length - t) * host.X1 + t * host.X2) / length,
                 ((length - t) * host.Y1 + t * host.Y2) / length);
      break;
    case 2:
      if (t < 0) {
        t = 0;
        clamped = true;
      }
      StorePoint(point, host.DX * t + host.X1, host.DY * t + host.Y1);
      break;
    case 0: StorePoint(point, host.DX * t + host.X1, host.DY * t + host.Y1); break;
    default: point.Exists = kTrue; break;
  }
  point.Param = t;
  return clamped;
}

// The host is a circle: Param is the arc length from angle 0.
void PlaceOnCircle(const CirRec& host, PtRec& point) {
  double circumference = host.R * kFullTurn;
  if (circumference == 0) {
    point.Exists = kFalse;
    return;
  }
  double t = point.Param;
  if (t > circumference) t -= circumference;
  if (t < 0) t += circumference;
  double angle = t * kFullTurn / circumference;
  StorePoint(point, std::cos(angle) * host.R + host.CX, std::sin(angle) * host.R + host.CY);
  point.Param = t;
}

bool HostValid(const ElemLimits& limits, const PtRec& point) {
  return point.HostClass >= kClassPoint && point.HostClass <= kClassCircle &&
         RefMatches(limits, {point.HostClass, point.HostIndex}, point.HostClass);
}

int16_t HostExists(const Figure& fig, const ElemLimits& limits, const PtRec& point) {
  return HostValid(limits, point) ? ExistsAt(fig, point.HostClass, point.HostIndex) : kFalse;
}

// UpdatePointOnHost with the limits already known.
bool PlaceOnHost(Figure& fig, const ElemLimits& limits, PtRec& point) {
  if (!HostValid(limits, point)) {
    point.Exists = kFalse;
    return false;
  }
  switch (point.HostClass) {
    case kClassPoint: {
      const PtRec& target = fig.PtTable[point.HostIndex];
      point.X = target.X;
      point.Y = target.Y;
      return false;
    }
    case kClassCircle: {
      const CirRec& circle = fig.CirTable[point.HostIndex];
      if (!Defined(circle.Exists)) {
        point.Exists = kFalse;
      } else {
        PlaceOnCircle(circle, point);
      }
      return false;
    }
    default: {
      const LnRec& line = fig.LnTable[point.HostIndex];
      if (!Defined(line.Exists)) {
        point.Exists = kFalse;
        return false;
      }
      return PlaceOnLine(line, point);
    }
  }
}

struct HostStepResult {
  bool AnyHosted = false;  // some movable point lies on a figure
  bool Clamped = false;    // some point was held at an end of its host
};

// The host step for one point: moves a point on a figure and lowers a
// movable point's Exists to its host's.
void HostStepPoint(Figure& fig, const ElemLimits& limits, PtRec& point, HostStepResult& result) {
  if (point.BoundMode == 0) return;
  int16_t hostExists;
  if (point.HostClass == 0) {
    hostExists = point.Exists;
  } else {
    result.AnyHosted = true;
    if (point.HostClass < kClassPoint || point.HostClass > kClassCircle) return;
    result.Clamped |= PlaceOnHost(fig, limits, point);
    hostExists = HostExists(fig, limits, point);
  }
  if (point.Exists > hostExists) point.Exists = hostExists;
}

HostStepResult HostStep(Figure& fig) {
  HostStepResult result;
  ElemLimits limits = ElemLimitsOf(fig);
  int count = limits[kClassPoint];
  for (int i = 1; i <= count; ++i) HostStepPoint(fig, limits, fig.PtTable[i], result);
  return result;
}

void SetListedPointExists(Figure& fig, ObjRef moved) {
  if (RefMatches(ElemLimitsOf(fig), moved, kClassPoint)) {
    fig.PtTable[moved.Index].Exists = kTrue;
  }
}

// One marking sweep; true when some StepState changed.
bool MarkingSweep(Figure& fig, int steps) {
  bool changed = false;
  for (int s = 1; s <= steps; ++s) {
    int16_t mark = StepMark(fig, s);
    changed |= mark != fig.StepState[s];
    fig.StepState[s] = mark;
    int16_t value = mark == 0 ? 0 : mark == 2 ? 2 : static_cast<int16_t>(-s);
    SetStepOutputsExists(fig, s, value);
  }
  return changed;
}

// Each host step counts once, however many points it held at an end.
HostStepResult ReportedHostStep(Figure& fig, RecomputeReport& report) {
  HostStepResult result = HostStep(fig);
  if (result.Clamped) ++report.HeldAtEnd;
  return result;
}

void FinalSweep(Figure& fig, RecomputeReport& report, int steps) {
  for (int s = 1; s <= steps; ++s) {
    int16_t mark = StepMark(fig, s);
    fig.StepState[s] = mark;
    if (mark == 0) {
      SetStepOutputsExists(fig, s, 0);
    } else if (mark == 2) {
      SetStepOutputsExists(fig, s, 2);
      if (fig.StepKindId[s] == Kind::PBND) SetStepOutputsExists(fig, s, kTrue);
    } else {
      SetStepOutputsExists(fig, s, static_cast<int16_t>(-s));
    }
  }
  ReportedHostStep(fig, report);
}

}  // namespace

int StepLimit(const Figure& fig) {
  int limit = fig.StepCount;
  for (int bound : {UpperBound(fig.StepKindId), UpperBound(fig.StepIn), UpperBound(fig.StepOut),
                    UpperBound(fig.StepState), UpperBound(fig.StepRev)}) {
    limit = std::min(limit, bound);
  }
  return limit;
}

// Asked at every pass, so every sample of a locus: the tables' bounds are
// read directly.
ElemLimits ElemLimitsOf(const Figure& fig) {
  const auto& count = fig.ElemCount;
  return {std::min(count[kClassNumber], UpperBound(fig.NumTable)),
          std::min(count[kClassPoint], UpperBound(fig.PtTable)),
          std::min(count[kClassLine], UpperBound(fig.LnTable)),
          std::min(count[kClassCircle], UpperBound(fig.CirTable))};
}

// The perpendicular's foot: the perpendicular-and-foot macro leaves it out
// and takes the foot from an intersection step instead.
bool OutputOptional(Kind kind, const StepRefs& out, int slot) {
  return kind == Kind::L3 && slot == 2 && out[2].Index == 0;
}

bool RefsValid(Kind kind, const StepRefs& in, const StepRefs& out, const ElemLimits& limits,
               const Figure* inputsIn) {
  const KindInfo& info = KindInfoOf(kind);
  for (int k = 0; k < 5 && info.InClass[k] != kSlotNone; ++k) {
    auto cls = static_cast<int16_t>(info.InClass[k] % 100);
    if (!RefMatches(limits, in[k + 1], cls)) return false;
    if (inputsIn && !Defined(ExistsAt(*inputsIn, cls, in[k + 1].Index))) return false;
  }
  for (int k = 0; k < 5 && info.OutClass[k] != kSlotNone; ++k) {
    if (OutputOptional(kind, out, k + 1)) continue;
    if (!RefMatches(limits, out[k + 1], info.OutClass[k] % 100)) return false;
  }
  return true;
}

void ComputeNothing(StepEval& eval) {
  const KindInfo& info = KindInfoOf(eval.Id);
  for (int k = 0; k < 5 && info.OutClass[k] != kSlotNone; ++k) {
    auto cls = static_cast<int16_t>(info.OutClass[k] % 100);
    ObjRef ref = eval.Out[k + 1];
    if (RefMatches(eval.Limits, ref, cls)) SetExists(eval.Fig, {cls, ref.Index}, kFalse);
  }
  if (MeasuresAngle(eval.Id)) DropAngleMark(eval.Fig, eval.Step);
}

namespace {

void EvalMapStep(StepEval& eval) { EvalTransformStep(eval.Fig, eval.Step, eval.Display); }

// CurStep and CurOut name the step being evaluated.
void EnterStep(Figure& fig, int step) {
  fig.CurStep = step;
  const StepRefs& out = fig.StepOut[step];
  for (int k = 1; k <= 5; ++k) fig.CurOut[k] = out[k].Index;
}

StepEvaluator FindEvaluator(Kind kind) {
  switch (kind) {
    case Kind::PT5:
    case Kind::PT6:
    case Kind::PT7:
    case Kind::PT62: return {.Whole = EvalMapStep};
    case Kind::PNEW:  // a free point stays where the user put it
    case Kind::PBND:  // moved by the host step of the pass
    case Kind::PNEQ:  // expanded into PN steps when built
    case Kind::L3Macro:
    case Kind::LPGN:
    case Kind::LRGN:
    case Kind::LH2Macro:  // expanded into ordinary steps when built
    case Kind::CALC:      // evaluated before the dispatch: its C names no circle
      return {};
    default: break;
  }
  // The first letter of the code names the class of the main result.
  std::string_view code = KindInfoOf(kind).Code;
  switch (code.empty() ? '\0' : code[0]) {
    case 'N': return {.Compute = ComputeNumberStep};
    case 'P': return {.Compute = ComputePointStep};
    case 'L': return {.Compute = ComputeLineStep};
    case 'C': return {.Compute = ComputeCircleStep};
    default: return {};
  }
}

}  // namespace

// Looked up for every step a recompute evaluates: found once per kind.
StepEvaluator EvaluatorOf(Kind kind) {
  static const auto evaluators = [] {
    std::array<StepEvaluator, static_cast<size_t>(Kind::kCount)> table;
    for (size_t k = 0; k < table.size(); ++k) table[k] = FindEvaluator(static_cast<Kind>(k));
    return table;
  }();
  auto index = static_cast<size_t>(kind);
  return index < evaluators.size() ? evaluators[index] : StepEvaluator{};
}

void EvaluateStep(Figure& fig, RecomputeReport& report, const ElemLimits& limits, int step,
                  const MatrixDisplay* display) {
  Kind kind = fig.StepKindId[step];
  if (kind == Kind::CALC) EvalCalcStep(fig, step);
  EnterStep(fig, step);
  // Only those steps read it; a locus sample evaluates many other steps.
  const bool named = fig.LastPass && ShowsFinalMatrix(kind);
  if (named) fig.CurKind.assign(KindInfoOf(kind).Code);
  StepEval eval{fig, report, step, kind, fig.StepIn[step], fig.StepOut[step], limits, display};
  StepEvaluator evaluator = EvaluatorOf(kind);
  if (evaluator.Whole) {
    evaluator.Whole(eval);
  } else if (evaluator.Compute) {
    RunCompute(eval, evaluator.Compute, RefsValid(kind, eval.In, eval.Out, limits, &fig));
  }
  if (named) fig.CurKind.clear();
}

RecomputeReport RecomputeStep(Figure& fig, int step, const MatrixDisplay* display) {
  RecomputeReport report;
  if (step < 1 || step > StepLimit(fig)) return report;
  EnsureCurOut(fig);
  EvaluateStep(fig, report, ElemLimitsOf(fig), step, display);
  return report;
}

void BeginPass(Figure& fig, bool last) {
  fig.LastPass = last;
  if (last) PruneAngleMarks(fig);
}

void HostedPointsStep(Figure& fig, const std::vector<int>& points, const ElemLimits& limits,
                      RecomputeReport& report) {
  HostStepResult result;
  for (int i : points)
    if (i >= 1 && i <= limits[kClassPoint]) HostStepPoint(fig, limits, fig.PtTable[i], result);
  if (result.Clamped) ++report.HeldAtEnd;
}

namespace {

void RunPass(Figure& fig, bool last, RecomputeReport& report, const MatrixDisplay* display) {
  int steps = StepLimit(fig);
  ElemLimits limits = ElemLimitsOf(fig);
  BeginPass(fig, last);
  for (int s = 1; s <= steps; ++s)
    if (fig.StepState[s] != 2) EvaluateStep(fig, report, limits, s, display);
  ReportedHostStep(fig, report);
}

using Follows = std::vector<std::vector<char>>;

bool IsFollowed(const Follows& follows, ObjRef ref) {
  int16_t cls = ref.BaseClass();
  return cls >= kClassNumber && cls <= kClassCircle && ref.Index >= 1 &&
         static_cast<size_t>(ref.Index) < follows[cls].size() && follows[cls][ref.Index] != 0;
}

// Marks the outputs of step s as following the point when an input does. A
// "CALC" step names no inputs (its expression reads numbers by name), so it
// is always taken.
bool TakeStepIfDependent(const Figure& fig, int s, Follows& follows) {
  const StepRefs& in = fig.StepIn[s];
  bool reads = std::any_of(in.begin() + 1, in.end(),
                           [&follows](ObjRef ref) { return IsFollowed(follows, ref); });
  if (!reads && fig.StepKindId[s] != Kind::CALC) return false;
  for (ObjRef out : fig.StepOut[s]) {
    int16_t cls = out.BaseClass();
    if (cls >= kClassNumber && cls <= kClassCircle && out.Index >= 1 &&
        static_cast<size_t>(out.Index) < follows[cls].size())
      follows[cls][out.Index] = 1;
  }
  return true;
}

// The step of the set that makes each element, by class and index.
using Producers = std::vector<std::vector<int>>;

// False when two steps of the set make the same element.
bool MapProducers(const Figure& fig, const DependentSet& set, Producers& producers) {
  ElemLimits limits = ElemLimitsOf(fig);
  producers.assign(4, {});
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls)
    producers[cls].assign(limits[cls] + 1, 0);
  for (int s : set.Steps) {
    for (ObjRef out : fig.StepOut[s]) {
      if (!RefMatches(limits, out, out.BaseClass())) continue;
      int& producer = producers[out.BaseClass()][out.Index];
      if (producer != 0) return false;
      producer = s;
    }
  }
  return true;
}

int ProducerOf(const Producers& producers, ObjRef ref) {
  int16_t cls = ref.BaseClass();
  if (cls < kClassNumber || cls > kClassCircle || ref.Index < 1 ||
      static_cast<size_t>(ref.Index) >= producers[cls].size())
    return 0;
  return producers[cls][ref.Index];
}

// A point on a figure follows its host; its step names no inputs.
bool TakeHostedPoints(const Figure& fig, int points, Follows& follows) {
  bool added = false;
  for (int i = 1; i <= points; ++i) {
    const PtRec& pt = fig.PtTable[i];
    if (follows[kClassPoint][i] || pt.HostClass < kClassPoint || pt.HostClass > kClassCircle)
      continue;
    if (!IsFollowed(follows, {pt.HostClass, pt.HostIndex})) continue;
    follows[kClassPoint][i] = 1;
    added = true;
  }
  return added;
}

}  // namespace

RecomputeReport RecomputeAll(Figure& fig, const MatrixDisplay* display) {
  RecomputeReport report;
  EnsureCurOut(fig);
  for (int pass = 1; pass <= fig.PassCount; ++pass)
    RunPass(fig, pass == fig.PassCount, report, display);
  fig.LastPass = false;
  return report;
}

bool SettlesInOnePass(const Figure& fig, const DependentSet& set, int point) {
  if (point < 1 || point > ElemLimitsOf(fig)[kClassPoint]) return false;
  Producers producers;
  if (!MapProducers(fig, set, producers)) return false;
  const PtRec& driving = fig.PtTable[point];
  if (ProducerOf(producers, {driving.HostClass, driving.HostIndex}) != 0) return false;
  auto hostedOther = [&set, point](ObjRef ref) {
    return ref.BaseClass() == kClassPoint && ref.Index != point &&
           std::find(set.HostedPoints.begin(), set.HostedPoints.end(), ref.Index) !=
               set.HostedPoints.end();
  };
  for (int s : set.Steps) {
    // The numbers an expression reads are known only by name.
    if (fig.StepKindId[s] == Kind::CALC) return false;
    for (ObjRef in : fig.StepIn[s]) {
      if (in.IsEmpty()) continue;
      if (ProducerOf(producers, in) >= s || hostedOther(in)) return false;
    }
  }
  return true;
}

DependentSet DependentsOf(const Figure& fig, int point) {
  DependentSet set;
  ElemLimits limits = ElemLimitsOf(fig);
  if (point < 1 || point > limits[kClassPoint]) return set;
  Follows follows(4);
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls) follows[cls].assign(limits[cls] + 1, 0);
  follows[kClassPoint][point] = 1;
  int steps = StepLimit(fig);
  std::vector<char> taken(static_cast<size_t>(steps) + 1, 0);
  // A step may read what a later step makes: sweep until nothing is added.
  for (bool added = true; added;) {
    added = false;
    for (int s = 1; s <= steps; ++s) {
      if (taken[s] || !TakeStepIfDependent(fig, s, follows)) continue;
      taken[s] = 1;
      added = true;
    }
    added |= TakeHostedPoints(fig, limits[kClassPoint], follows);
  }
  for (int s = 1; s <= steps; ++s)
    if (taken[s]) set.Steps.push_back(s);
  for (int i = 1; i <= limits[kClassPoint]; ++i) {
    const PtRec& pt = fig.PtTable[i];
    if (follows[kClassPoint][i] && pt.BoundMode != 0 && pt.HostClass != 0)
      set.HostedPoints.push_back(i);
  }
  return set;
}

bool UpdatePointOnHost(Figure& fig, PtRec& point) {
  return PlaceOnHost(fig, ElemLimitsOf(fig), point);
}

int16_t StepMark(const Figure& fig, int step) {
  if (step < 1 || step > UpperBound(fig.StepIn)) return 0;
  const StepRefs& in = fig.StepIn[step];
  int16_t mark = 2;
  for (int k = 1; k <= 5; ++k) {
    if (in[k].IsEmpty()) {
      if (k == 1) mark = -1;  // a step without inputs
      break;
    }
    int16_t exists = GetExists(fig, {in[k].BaseClass(), in[k].Index});
    if (exists == 0) return 0;
    mark = std::min(mark, exists);
  }
  return mark;
}

RecomputeReport MarkDependencies(Figure& fig, ObjRef moved) {
  RecomputeReport report;
  int steps = StepLimit(fig);
  std::fill(fig.StepState.begin(), fig.StepState.end(), int16_t{0});
  SetListedPointExists(fig, moved);
  int sweeps = 0;
  bool changed = true;
  bool anyHosted = false;
  while (changed && sweeps < kMaxMarkSweeps) {
    ++sweeps;
    changed = MarkingSweep(fig, steps);
    anyHosted |= ReportedHostStep(fig, report).AnyHosted;
  }
  fig.PassCount = sweeps + (anyHosted ? 1 : 0);
  SetListedPointExists(fig, moved);
  for (int pass = 1; pass <= fig.PassCount; ++pass) FinalSweep(fig, report, steps);
  return report;
}

}  // namespace plandra

namespace plandra {

RecomputeReport RecomputeForRedraw(Figure& fig, const MatrixDisplay* display) {
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    if (fig.NumTable[i].Exists != 0) fig.NumTable[i].Exists = kTrue;
  }
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    if (fig.PtTable[i].Exists != 0) fig.PtTable[i].Exists = kTrue;
  }
  RecomputeReport report = MarkDependencies(fig, ObjRef{});
  report += RecomputeAll(fig, display);
  SnapshotTables(fig);
  return report;
}

}  // namespace plandra
