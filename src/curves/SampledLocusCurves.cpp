#include "curves/SampledLocusCurves.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <functional>
#include <string>
#include <utility>

#include "view/PDDraw05.h"

namespace plandra {
namespace {

void AppendText(const std::string& text, std::vector<uint64_t>& bits) {
  bits.push_back(std::hash<std::string>{}(text));
}

void AppendRef(ObjRef ref, std::vector<uint64_t>& bits) {
  bits.push_back(static_cast<uint64_t>(static_cast<uint16_t>(ref.Class)) << 16 |
                 static_cast<uint16_t>(ref.Index));
}

// The two intersections of a line or circle with a circle keep their
// identity by their places at the last snapshot; nothing else reads it.
bool ReadsSnapshot(Kind kind) { return kind == Kind::PC2 || kind == Kind::PC3; }

// Where the two-intersection rule compares its outputs with.
void AppendSnapshotBits(const Figure& fig, ObjRef ref, std::vector<uint64_t>& bits) {
  if (ref.BaseClass() != kClassPoint || ref.Index < 1 ||
      static_cast<size_t>(ref.Index) >= fig.PtTablePrev.size())
    return;
  const PtRec& prev = fig.PtTablePrev[ref.Index];
  for (double v : {prev.X, prev.Y}) bits.push_back(std::bit_cast<uint64_t>(v));
  bits.push_back(static_cast<uint64_t>(prev.Exists));
}

void AppendStep(const Figure& fig, int s, std::vector<uint64_t>& bits) {
  bits.push_back(static_cast<uint64_t>(s));
  bits.push_back(static_cast<uint64_t>(fig.StepKindId[s]));
  bits.push_back(static_cast<uint64_t>(fig.StepState[s]));
  bits.push_back(static_cast<uint64_t>(fig.StepRev[s]));
  for (ObjRef in : fig.StepIn[s]) {
    AppendRef(in, bits);
    AppendElementBits(fig, in, bits);
  }
  for (ObjRef out : fig.StepOut[s]) {
    AppendRef(out, bits);
    AppendElementBits(fig, out, bits);
    if (ReadsSnapshot(fig.StepKindId[s])) AppendSnapshotBits(fig, out, bits);
  }
}

// An expression reads numbers by their names.
void AppendNumbers(const Figure& fig, std::vector<uint64_t>& bits) {
  int count = std::min(fig.ElemCount[kClassNumber], UpperBound(fig.NumTable));
  for (int i = 1; i <= count; ++i) {
    AppendElementBits(fig, ObjRef::Of(kClassNumber, i), bits);
    AppendText(fig.NumTable[i].Name, bits);
    AppendText(fig.NumTable[i].Expr, bits);
  }
}

// The driving point's own place is set at every sample; its host is read.
void AppendHostedPoint(const Figure& fig, int i, int driving, std::vector<uint64_t>& bits) {
  const PtRec& pt = fig.PtTable[i];
  bits.push_back(static_cast<uint64_t>(i));
  for (int v : {pt.Exists, pt.BoundMode, pt.HostClass, pt.HostIndex})
    bits.push_back(static_cast<uint64_t>(v));
  if (i != driving) AppendElementBits(fig, ObjRef::Of(kClassPoint, i), bits);
  AppendElementBits(fig, {pt.HostClass, pt.HostIndex}, bits);
}

// What a frame has spent: on sweeps, in chain steps times samples; on
// finding chains, in steps and elements read.
struct FrameWork {
  double Sweeps = 0;
  double Chains = 0;
};

// Finding a chain reads the steps and the element tables, more than once
// where steps read what later ones make.
double ChainWork(const Figure& fig) {
  double elements = 0;
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls) elements += fig.ElemCount[cls];
  return static_cast<double>(fig.StepCount) + elements;
}

// What the chains are found from: the steps' kinds and references, the
// points' hosts and the counts; no place or value.
std::vector<uint64_t> ChainStructure(const Figure& fig) {
  std::vector<uint64_t> bits;
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls)
    bits.push_back(static_cast<uint64_t>(fig.ElemCount[cls]));
  const int steps = std::min(
      {fig.StepCount, UpperBound(fig.StepKindId), UpperBound(fig.StepIn), UpperBound(fig.StepOut)});
  bits.push_back(static_cast<uint64_t>(steps));
  for (int s = 1; s <= steps; ++s) {
    bits.push_back(static_cast<uint64_t>(fig.StepKindId[s]));
    for (ObjRef in : fig.StepIn[s]) AppendRef(in, bits);
    for (ObjRef out : fig.StepOut[s]) AppendRef(out, bits);
  }
  const int points = std::min(fig.ElemCount[kClassPoint], UpperBound(fig.PtTable));
  for (int i = 1; i <= points; ++i) {
    const PtRec& pt = fig.PtTable[i];
    for (int v : {pt.BoundMode, pt.HostClass, pt.HostIndex})
      bits.push_back(static_cast<uint64_t>(v));
  }
  return bits;
}

// LocusInputs over a chain found before.
std::vector<uint64_t> ChainInputs(const Figure& fig, int driving, int traced,
                                  const DependentSet& chain) {
  std::vector<uint64_t> bits;
  if (!PointIndexValid(fig, driving) || !PointIndexValid(fig, traced)) return bits;
  bits.push_back(static_cast<uint64_t>(driving));
  bits.push_back(static_cast<uint64_t>(traced));
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls)
    bits.push_back(static_cast<uint64_t>(fig.ElemCount[cls]));
  bits.push_back(static_cast<uint64_t>(fig.StepCount));
  bits.push_back(static_cast<uint64_t>(fig.PassCount));
  bool readsNames = false;
  for (int s : chain.Steps) {
    AppendStep(fig, s, bits);
    readsNames |= fig.StepKindId[s] == Kind::CALC;
  }
  if (readsNames) AppendNumbers(fig, bits);
  bool drivingListed = false;
  for (int i : chain.HostedPoints) {
    AppendHostedPoint(fig, i, driving, bits);
    drivingListed |= i == driving;
  }
  if (!drivingListed) AppendHostedPoint(fig, driving, driving, bits);
  AppendElementBits(fig, ObjRef::Of(kClassPoint, traced), bits);
  return bits;
}

// The curve, swept again when what it reads changed; none when the frame
// has already swept what it may (spent, in chain steps times samples).
LocusCurve* CurveOf(SampledLocusCurves& curves, const Figure& fig, int step, int driving,
                    int traced, FrameWork& spent) {
  LocusCurve& curve = curves.ByStep[step];
  if (!curve.ChainFound) {
    const double work = ChainWork(fig);
    if (curves.ChainWorkPerFrame > 0 && spent.Chains > 0 &&
        spent.Chains + work > curves.ChainWorkPerFrame) {
      curves.Unfinished = true;
      return nullptr;
    }
    spent.Chains += work;
    curve.Chain = ChainBetween(fig, driving, traced);
    curve.ChainFound = true;
  }
  std::vector<uint64_t> inputs = ChainInputs(fig, driving, traced, curve.Chain);
  if (curve.Inputs == inputs && !curve.Inputs.empty()) return &curve;
  const double work = static_cast<double>(SweepSampleCount(fig, driving)) *
                      static_cast<double>(std::max<size_t>(curve.Chain.Steps.size(), 1));
  if (curves.WorkPerFrame > 0 && spent.Sweeps > 0 && spent.Sweeps + work > curves.WorkPerFrame) {
    curves.Unfinished = true;
    return nullptr;
  }
  spent.Sweeps += work;
  curve.Samples = SweepLocus(fig, driving, traced);
  curve.Inputs = std::move(inputs);
  curve.PixelsKey = 0;
  ++curves.Resamples;
  return &curve;
}

// What DrawPointMark draws of a sample: nothing when it does not exist or
// lies far out.
bool SampleDrawn(const LocusSample& sample) {
  return sample.Exists != kFalse && std::fabs(sample.X) <= kFarCoordinate &&
         std::fabs(sample.Y) <= kFarCoordinate;
}

// All of a curve's dots have one colour and are opaque, so of the samples on
// one pixel the first alone changes the picture.
void FindPaintingSamples(LocusCurve& curve, const PixelMapping& mapping) {
  std::vector<std::pair<uint64_t, uint32_t>> cells;  // pixel, sample
  for (size_t i = 0; i < curve.Samples.size(); ++i) {
    const LocusSample& sample = curve.Samples[i];
    int column = 0, row = 0;
    if (!SampleDrawn(sample) || !mapping.Cell(sample.X, sample.Y, column, row)) continue;
    cells.emplace_back(static_cast<uint64_t>(row) << 32 | static_cast<uint32_t>(column),
                       static_cast<uint32_t>(i));
  }
  std::sort(cells.begin(), cells.end());
  curve.Painting.clear();
  for (size_t k = 0; k < cells.size(); ++k) {
    if (k == 0 || cells[k].first != cells[k - 1].first) curve.Painting.push_back(cells[k].second);
  }
  std::sort(curve.Painting.begin(), curve.Painting.end());
  curve.PixelsKey = mapping.Key();
}

void DrawCurve(RenderContext& r, LocusCurve& curve, const PtRec& traced) {
  PtRec dot = traced;
  dot.Color = traced.Style != kColorNone ? traced.Style : kColorRed;
  dot.Mark = kMarkPixel;
  auto draw = [&r, &dot](const LocusSample& sample) {
    dot.X = sample.X;
    dot.Y = sample.Y;
    dot.Param = sample.Param;
    dot.Exists = sample.Exists;
    DrawPointMark(r, dot);
  };
  const std::optional<PixelMapping> mapping = r.Canvas->Mapping();
  if (!mapping) {
    for (const LocusSample& sample : curve.Samples) draw(sample);
    return;
  }
  if (curve.PixelsKey != mapping->Key()) FindPaintingSamples(curve, *mapping);
  for (uint32_t i : curve.Painting) draw(curve.Samples[i]);
}

}  // namespace

std::vector<uint64_t> LocusInputs(const Figure& fig, int driving, int traced, size_t* chainSteps) {
  DependentSet chain = ChainBetween(fig, driving, traced);
  if (chainSteps) *chainSteps = chain.Steps.size();
  return ChainInputs(fig, driving, traced, chain);
}

void SetFrameWork(SampledLocusCurves& curves, double workPerFrame) {
  curves.WorkPerFrame = workPerFrame;
  const double chains = workPerFrame * (kLocusChainWorkPerFrame / kLocusWorkPerFrame);
  curves.ChainWorkPerFrame = workPerFrame > 0 ? std::max(chains, kLeastChainWorkPerFrame) : 0;
}

void DrawSampledLoci(SampledLocusCurves& curves, RenderContext& r) {
  curves.Unfinished = false;
  if (!r.Canvas) return;
  const Figure& fig = r.Fig;
  if (std::vector<uint64_t> structure = ChainStructure(fig); structure != curves.Structure) {
    for (auto& entry : curves.ByStep) entry.second.ChainFound = false;
    curves.Structure = std::move(structure);
  }
  int steps = std::min({fig.StepCount, UpperBound(fig.StepKindId), UpperBound(fig.StepIn)});
  std::vector<int> present;
  for (int s = 1; s <= steps; ++s) {
    if (fig.StepKindId[s] != Kind::XLOCS) continue;
    const StepRefs& in = fig.StepIn[s];
    if (in[1].BaseClass() != kClassPoint || in[2].BaseClass() != kClassPoint) continue;
    if (PointIndexValid(fig, in[2].Index)) present.push_back(s);
  }
  FrameWork spent;
  std::map<int, LocusCurve*> first;  // the moved point's curves, swept before the rest
  if (curves.FirstDriving != 0) {
    for (int s : present) {
      const StepRefs& in = fig.StepIn[s];
      if (in[1].Index == curves.FirstDriving)
        first[s] = CurveOf(curves, fig, s, in[1].Index, in[2].Index, spent);
    }
  }
  for (int s : present) {
    const StepRefs& in = fig.StepIn[s];
    const auto swept = first.find(s);
    LocusCurve* curve = swept != first.end()
                            ? swept->second
                            : CurveOf(curves, fig, s, in[1].Index, in[2].Index, spent);
    if (curve) DrawCurve(r, *curve, fig.PtTable[in[2].Index]);
  }
  // The curves of steps gone or changed to another kind are let go.
  std::erase_if(curves.ByStep, [&present](const auto& entry) {
    return !std::binary_search(present.begin(), present.end(), entry.first);
  });
}

}  // namespace plandra
