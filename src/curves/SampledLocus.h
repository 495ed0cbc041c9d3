// Sampled loci: the curve a traced point draws while a driving point runs
// along the line or circle it lies on, drawn with the figure.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "engine/GeoObj05.h"
#include "figure/PDvar05.h"

namespace plandra {

// The line host is swept by t over the half-open turn, Param = tan t.
constexpr double kLineSampleStep = 0.0001;
// The circle host: its circumference in this many steps, both ends included.
constexpr int kCircleSampleSteps = 1000;

// Literal: the whole figure is evaluated for every sample, in place.
// Dependents: only the steps between the driving and the traced point, on
// copies of the figure spread over the cores; the samples are the same.
enum class SampleWay { Literal, Dependents };

// One position of the traced point.
struct LocusSample {
  double X = 0;
  double Y = 0;
  double Param = 0;
  int16_t Exists = 0;
};

// The traced point at every sample, the Dependents way, on threads copies
// of the figure (0: one a core). The figure itself is left as it stands. A
// driving point on no line or circle gives no samples.
std::vector<LocusSample> SweepLocus(const Figure& fig, int driving, int traced, int threads = 0);

// Runs the driving point along its host and hands the traced point to visit
// after each sample. The literal way puts both points back and evaluates the
// figure again; the other leaves the figure untouched.
void SampleLocus(Figure& fig, int driving, int traced, SampleWay way,
                 const std::function<void(const PtRec&)>& visit, int threads = 0);

// How many samples a sweep of the driving point takes: none for a point on
// no line or circle.
size_t SweepSampleCount(const Figure& fig, int driving);

// The bits of every value the recompute writes into the element: what tells
// two states of a figure apart. Nothing for a reference out of the tables.
void AppendElementBits(const Figure& fig, ObjRef ref, std::vector<uint64_t>& bits);

}  // namespace plandra
