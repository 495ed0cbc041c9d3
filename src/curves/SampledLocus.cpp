#include "curves/SampledLocus.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <utility>

#include "curves/SampleRuns.h"
#include "engine/PreparedChain.h"

namespace plandra {
namespace {

// A sample of the chain is quick: a thread must have this many to pay.
constexpr size_t kMinSweepSamplesPerThread = 400;

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

// None for a point on no line or circle.
std::vector<double> SampleParams(const Figure& fig, int driving) {
  const PtRec& pt = fig.PtTable[driving];
  if (pt.HostClass == kClassLine) return LineSampleParams();
  if (pt.HostClass == kClassCircle) return CircleSampleParams(fig, pt);
  return {};
}

LocusSample SampleOf(const PtRec& pt) { return {pt.X, pt.Y, pt.Param, pt.Exists}; }

void AppendBits(std::vector<uint64_t>& bits, double value) {
  bits.push_back(std::bit_cast<uint64_t>(value));
}

struct Sweep {
  std::vector<double> Params;
  int Driving = 0;
  int Traced = 0;
  PreparedChain Chain;
  bool OnePass = false;
};

// What carries from one sample to the next: the chain's elements (a missing
// one keeps its old place, a point on a segment its held Param) and which of
// two intersections is which.
std::vector<uint64_t> ChainState(const Figure& fig, const DependentSet& chain) {
  std::vector<uint64_t> bits;
  for (int s : chain.Steps) {
    bits.push_back(static_cast<uint64_t>(fig.StepRev[s]));
    for (ObjRef out : fig.StepOut[s]) AppendElementBits(fig, out, bits);
  }
  for (int i : chain.HostedPoints) AppendElementBits(fig, ObjRef::Of(kClassPoint, i), bits);
  return bits;
}

// The first sample, and the one a copy starts from, evaluate everything as
// the literal way does; the chain alone gives the same after it.
LocusSample TakeSample(Figure& fig, const Sweep& sweep, size_t i, bool whole) {
  fig.PtTable[sweep.Driving].Param = sweep.Params[i];
  if (whole) {
    RecomputeAll(fig);
  } else if (sweep.OnePass) {
    sweep.Chain.RecomputeSettled(fig);
  } else {
    sweep.Chain.Recompute(fig);
  }
  return SampleOf(fig.PtTable[sweep.Traced]);
}

void SampleLiterally(Figure& fig, int driving, int traced,
                     const std::function<void(const PtRec&)>& visit) {
  const std::vector<double> params = SampleParams(fig, driving);
  if (params.empty()) return;
  const PtRec drivingCopy = fig.PtTable[driving];
  const PtRec tracedCopy = fig.PtTable[traced];
  for (double param : params) {
    fig.PtTable[driving].Param = param;
    RecomputeAll(fig);
    visit(fig.PtTable[traced]);
  }
  fig.PtTable[driving] = drivingCopy;
  fig.PtTable[traced] = tracedCopy;
  RecomputeAll(fig);
}

}  // namespace

void AppendElementBits(const Figure& fig, ObjRef ref, std::vector<uint64_t>& bits) {
  if (ref.Index < 1 || !RefInRange(fig, ref)) return;
  switch (ref.BaseClass()) {
    case kClassNumber: {
      const NumRec& n = fig.NumTable[ref.Index];
      AppendBits(bits, n.Value);
      bits.push_back(static_cast<uint64_t>(n.Exists));
      return;
    }
    case kClassPoint: {
      const PtRec& pt = fig.PtTable[ref.Index];
      for (double v : {pt.X, pt.Y, pt.Param}) AppendBits(bits, v);
      bits.push_back(static_cast<uint64_t>(pt.Exists));
      return;
    }
    case kClassLine: {
      const LnRec& ln = fig.LnTable[ref.Index];
      for (double v : {ln.X1, ln.Y1, ln.X2, ln.Y2, ln.DX, ln.DY}) AppendBits(bits, v);
      bits.push_back(static_cast<uint64_t>(ln.Exists));
      return;
    }
    case kClassCircle: {
      const CirRec& c = fig.CirTable[ref.Index];
      for (double v : {c.CX, c.CY, c.R}) AppendBits(bits, v);
      bits.push_back(static_cast<uint64_t>(c.Exists));
      return;
    }
    default: return;
  }
}

size_t SweepSampleCount(const Figure& fig, int driving) {
  return PointIndexValid(fig, driving) ? SampleParams(fig, driving).size() : 0;
}

std::vector<LocusSample> SweepLocus(const Figure& fig, int driving, int traced, int threads) {
  if (!PointIndexValid(fig, driving) || !PointIndexValid(fig, traced)) return {};
  Sweep sweep;
  sweep.Params = SampleParams(fig, driving);
  if (sweep.Params.empty()) return {};
  sweep.Driving = driving;
  sweep.Traced = traced;
  DependentSet chain = ChainBetween(fig, driving, traced);
  sweep.OnePass = SettlesInOnePass(fig, chain, driving);
  sweep.Chain = PreparedChain(fig, std::move(chain));
  SampleRuns<LocusSample> runs(
      [&sweep](Figure& f, size_t i, bool caughtUp) {
        return TakeSample(f, sweep, i, caughtUp || i == 0);
      },
      [&sweep](const Figure& f) { return ChainState(f, sweep.Chain.Set()); });
  Figure work = fig;
  const size_t count = sweep.Params.size();
  return runs.Run(work, 0, count, SampleThreads(threads, count, kMinSweepSamplesPerThread));
}

void SampleLocus(Figure& fig, int driving, int traced, SampleWay way,
                 const std::function<void(const PtRec&)>& visit, int threads) {
  if (!PointIndexValid(fig, driving) || !PointIndexValid(fig, traced)) return;
  if (way == SampleWay::Literal) return SampleLiterally(fig, driving, traced, visit);
  PtRec pt = fig.PtTable[traced];
  for (const LocusSample& sample : SweepLocus(fig, driving, traced, threads)) {
    pt.X = sample.X;
    pt.Y = sample.Y;
    pt.Param = sample.Param;
    pt.Exists = sample.Exists;
    visit(pt);
  }
}

}  // namespace plandra
