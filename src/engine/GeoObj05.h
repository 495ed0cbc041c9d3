// The recompute pass: evaluates every construction step from its inputs, in
// step order, as many passes as the dependency marking asks for, and moves
// the points placed on figures along their hosts.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/MapEval.h"
#include "figure/PDvar05.h"

namespace plandra {

// A cyclic or hostile figure would keep the marking sweeps changing forever;
// after this many the figure is evaluated with the marks it has.
constexpr int kMaxMarkSweeps = 64;

// What a recompute has to tell the user. The engine shows nothing itself:
// the program beeps and shows messages from this, a silent recompute (a
// sampled locus, a headless tool) drops it.
struct RecomputeReport {
  // Host steps that held some point at an end of its segment or half-line;
  // one beep each.
  int HeldAtEnd = 0;
  // Signed angles where neither turn direction matched; one "Error in
  // Angle" each.
  int AngleErrors = 0;

  RecomputeReport& operator+=(const RecomputeReport& other) {
    HeldAtEnd += other.HeldAtEnd;
    AngleErrors += other.AngleErrors;
    return *this;
  }
};

// Evaluates step s. A step whose references do not name elements of the
// classes its kind uses is not evaluated: its valid outputs get Exists 0.
RecomputeReport RecomputeStep(Figure& fig, int step, const MatrixDisplay* display = nullptr);

// Evaluates the whole figure PassCount times; each pass's host step counts
// once in HeldAtEnd when it held a point on a segment or half-line at an end.
RecomputeReport RecomputeAll(Figure& fig, const MatrixDisplay* display = nullptr);

// What follows one point: the steps that read it or read what such a step
// made, in step order, and the points on figures among it (the point itself
// when it lies on one).
struct DependentSet {
  std::vector<int> Steps;
  std::vector<int> HostedPoints;
};
DependentSet DependentsOf(const Figure& fig, int point);
// Of the dependents of driving, only what the traced point reads: the steps
// and points on figures between the two. The driving point itself stays in
// HostedPoints. A step of expressions reads numbers by name, so one in the
// chain takes every number of the set with it.
DependentSet ChainBetween(const Figure& fig, int driving, int traced);
// A set is evaluated on its own through engine/PreparedChain.

// True when one pass settles the set after the point moves: every step of
// the set reads only what earlier steps of the set made, the point itself,
// or elements outside the set; no expression; no other point on a figure of
// the set read by a step; the point's host outside the set.
bool SettlesInOnePass(const Figure& fig, const DependentSet& set, int point);

// Moves a point on a figure onto its host (HostClass, HostIndex). Returns
// true when the point had to be held at an end of a segment or half-line, so
// that the caller can sound the beep.
bool UpdatePointOnHost(Figure& fig, PtRec& point);

// The dependency mark of step s from the Exists of its inputs.
int16_t StepMark(const Figure& fig, int step);

// Computes StepState and PassCount. moved names the point about to be
// dragged, or is the empty reference. The points on figures are moved here
// too, so a point held at an end is reported here when it first gets there.
RecomputeReport MarkDependencies(Figure& fig, ObjRef moved);

// What a full redraw does before drawing: every defined number and point
// gets Exists -1, then the marking, the recompute and the snapshot.
RecomputeReport RecomputeForRedraw(Figure& fig, const MatrixDisplay* display = nullptr);

}  // namespace plandra
