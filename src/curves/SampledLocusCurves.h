// The curves of a figure's "XLOCS" steps as the renderer draws them: each
// kept between frames and sampled again only when something it reads changed.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "curves/SampledLocus.h"
#include "engine/GeoObj05.h"

namespace plandra {

struct RenderContext;

struct LocusCurve {
  // The steps and points between the driving and the traced point, found
  // while the figure's structure was SampledLocusCurves::Structure.
  DependentSet Chain;
  bool ChainFound = false;
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
// Finding a curve's chain reads every step and element of the figure: what a
// frame may spend on that, in steps and elements read, about a third of a
// second here. A figure of thousands of loci over thousands of steps finds
// its chains over several frames too.
constexpr double kLocusChainWorkPerFrame = 5e5;
// Whatever a frame's share of sweeping, it may find this much of chains: a
// lesson's figure finds all of its chains in its first frame.
constexpr double kLeastChainWorkPerFrame = 2e4;

struct SampledLocusCurves {
  std::map<int, LocusCurve> ByStep;
  // Sweeps taken since the program started: a frame that finds every curve
  // still valid adds none.
  long Resamples = 0;
  // What one frame may sweep (0: everything, for pictures and pages drawn
  // once). A frame sweeps at least one curve, so every curve comes in time.
  double WorkPerFrame = 0;
  // What one frame may spend finding chains (0: no limit). A frame finds
  // at least one, so every chain comes in time.
  double ChainWorkPerFrame = 0;
  // The steps' kinds and references and the points' hosts at the last frame:
  // while they stay, every chain found stays (a drag changes only places).
  std::vector<uint64_t> Structure;
  // The last frame left curves to sweep for the next one.
  bool Unfinished = false;
  // The point being moved (0: none): its own curves, those it drives, are
  // swept first in a frame, the others after them. Curves are still drawn
  // in step order, so the finished picture is the same.
  int FirstDriving = 0;
};

// A frame's share of work (0: everything at once), and with it its share of
// the chain finding, in the same proportion as the window's.
void SetFrameWork(SampledLocusCurves& curves, double workPerFrame);

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
