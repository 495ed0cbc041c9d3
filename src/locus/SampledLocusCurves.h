// The curves of a figure's "XLOCS" steps as the renderer draws them: each
// kept between frames and sampled again only when something it reads changed.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

#include "locus/SampledLocus.h"

namespace plandra {

struct RenderContext;

struct LocusCurve {
  std::vector<uint64_t> Inputs;  // LocusInputs when it was sampled
  std::vector<LocusSample> Samples;
  // The samples that each paint a pixel no earlier one paints, in the view
  // PixelsKey names (0: none worked out): a frame in the same view draws
  // only those.
  uint64_t PixelsKey = 0;
  std::vector<uint32_t> Painting;
};

struct SampledLocusCurves {
  std::map<int, LocusCurve> ByStep;
  // Sweeps taken since the program started: a frame that finds every curve
  // still valid adds none.
  long Resamples = 0;
};

// Everything a sweep of the locus reads, as bits: the steps of its chain and
// their states, what they read from outside the chain, the chain's own
// elements (a missing one keeps its old place) and their places at the last
// snapshot, the driving point's host. Equal inputs give equal samples.
std::vector<uint64_t> LocusInputs(const Figure& fig, int driving, int traced);

// Every "XLOCS" step's curve, as dots in the traced point's locus colour
// (red when it has none). Nothing is computed without a surface. The samples
// are in figure coordinates, so a new view draws the kept ones. Needs nothing
// but the model, so the web viewer draws the curves too.
void DrawSampledLoci(SampledLocusCurves& curves, RenderContext& r);

}  // namespace plandra
