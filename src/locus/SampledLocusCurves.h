// The curves of a figure's "XLOCS" steps as the renderer draws them: each
// kept between frames and sampled again only when something it reads changed.
#pragma once

#include <cstddef>
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

// What the window's frame may sweep, in chain steps times samples: about a
// third of a second here. A file can hold hundreds of loci over chains of
// thousands of steps, hours of sweeping; such a figure's curves come over
// several frames instead, and the window answers between them.
constexpr double kLocusWorkPerFrame = 3e7;

struct SampledLocusCurves {
  std::map<int, LocusCurve> ByStep;
  // Sweeps taken since the program started: a frame that finds every curve
  // still valid adds none.
  long Resamples = 0;
  // What one frame may sweep (0: everything, for pictures and pages drawn
  // once). A frame sweeps at least one curve, so every curve comes in time.
  double WorkPerFrame = 0;
  // The last frame left curves to sweep for the next one.
  bool Unfinished = false;
  // The point being moved (0: none): its own curves, those it drives, are
  // swept first in a frame, the others after them. Curves are still drawn
  // in step order, so the finished picture is the same.
  int FirstDriving = 0;
};

// Everything a sweep of the locus reads, as bits: the steps of its chain and
// their states, what they read from outside the chain, the chain's own
// elements (a missing one keeps its old place) and their places at the last
// snapshot, the driving point's host. Equal inputs give equal samples.
// chainSteps, when given, takes how many steps the chain has.
std::vector<uint64_t> LocusInputs(const Figure& fig, int driving, int traced,
                                  size_t* chainSteps = nullptr);

// Every "XLOCS" step's curve, as dots in the traced point's locus colour
// (red when it has none); a curve its frame could not sweep is left out.
// Nothing is computed without a surface. The samples
// are in figure coordinates, so a new view draws the kept ones. Needs nothing
// but the model, so the web viewer draws the curves too.
void DrawSampledLoci(SampledLocusCurves& curves, RenderContext& r);

}  // namespace plandra
