// Sampled loci: the curve a traced point draws while a driving point runs
// along the line or circle it lies on, drawn with the figure.
#pragma once

#include <cstdint>
#include <functional>

#include "figure/PDvar05.h"

namespace plandra {

struct RenderContext;

// The line host is swept by t over the half-open turn, Param = tan t.
constexpr double kLineSampleStep = 0.0001;
// The circle host: its circumference in this many steps, both ends included.
constexpr int kCircleSampleSteps = 1000;

// Literal: the whole figure is evaluated for every sample. Dependents: only
// the steps that follow the driving point, which draws the same.
enum class SampleWay { Literal, Dependents };

// Runs the driving point along its host and hands the traced point to visit
// after each sample; then both points are put back and the figure evaluated
// again. A driving point on no line or circle gives no samples.
void SampleLocus(Figure& fig, int driving, int traced, SampleWay way,
                 const std::function<void(const PtRec&)>& visit);

// Every "XLOCS" step's curve, as dots in the traced point's locus colour
// (red when it has none). Nothing is computed without a surface. fig is the
// figure r draws, which the sampling moves and puts back. Needs nothing but
// the model, so the web viewer draws the curves too.
void DrawSampledLoci(Figure& fig, RenderContext& r);

}  // namespace plandra
