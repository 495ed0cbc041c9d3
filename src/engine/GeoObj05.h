// The recompute pass: evaluates every construction step from its inputs, in
// step order, as many passes as the dependency marking asks for, and moves
// the points placed on figures along their hosts.
#pragma once

#include <cstdint>

#include "app/Platform.h"
#include "figure/PDvar05.h"

namespace plandra {

// A cyclic or hostile figure would keep the marking sweeps changing forever;
// after this many the figure is evaluated with the marks it has.
constexpr int kMaxMarkSweeps = 64;

// Evaluates step s. A step whose references do not name elements of the
// classes its kind uses is not evaluated: its valid outputs get Exists 0.
void RecomputeStep(Figure& fig, Platform& platform, int16_t step);

// Evaluates the whole figure PassCount times; beeps once per pass when a
// point on a segment or half-line had to be held at an end.
void RecomputeAll(Figure& fig, Platform& platform);

// Moves a point on a figure onto its host (HostClass, HostIndex). Returns
// true when the point had to be held at an end of a segment or half-line, so
// that the caller can sound the beep.
bool UpdatePointOnHost(Figure& fig, PtRec& point);

// The dependency mark of step s from the Exists of its inputs.
int16_t StepMark(const Figure& fig, int16_t step);

// Computes StepState and PassCount. moved names the point about to be
// dragged, or is the empty reference. The points on figures are moved here
// too, so a point held at an end beeps here when it first gets there.
void MarkDependencies(Figure& fig, Platform& platform, ObjRef moved);

// What a full redraw does before drawing: every defined number and point
// gets Exists -1, then the marking, the recompute and the snapshot.
void RecomputeForRedraw(Figure& fig, Platform& platform);

}  // namespace plandra
