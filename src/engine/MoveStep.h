// The move step of a dragged point, shared by the window and the web viewer:
// the mouse position snapped to the pixel lattice, the point placed by its
// host, and the figure recomputed from the marked steps.
#pragma once

#include <array>
#include <cstdint>

#include "engine/GeoObj05.h"
#include "figure/PDvar05.h"

namespace plandra {

// The mouse coordinate on the pixel lattice, rounding away from the origin
// for positive values.
double SnapToPixel(double c, double pixelSize);

// The signed distance along the line from its first point, or the arc length
// on the circle, of the projection of (x, y); 0 for any other host.
double HostParam(const Figure& fig, int16_t hostClass, int16_t hostIndex, double x, double y);

// Moves a point record to (x, y) by its HostClass: free points go there,
// points on a line or circle go to the projection, coinciding points stay.
// True when the point on a host could not be placed (the window beeps).
bool PlacePointAt(Figure& fig, PtRec& point, double x, double y);

struct PointMoveReport {
  RecomputeReport Recompute;
  bool HostRefused = false;
};

// One move of a dragged point as the window makes it, without drawing: the
// first move of a drag marks the steps that depend on the point.
PointMoveReport MovePointStep(Figure& fig, int point, double x, double y, double pixelSize,
                              bool firstMove);

// The move step to a position already on the pixel lattice (a Shift-drag's
// landing), with nothing snapped again.
PointMoveReport MovePointStepAt(Figure& fig, int point, double x, double y, bool firstMove);

// One step of a line dragged whole to (x, y) on the pixel lattice: its two
// points keep their offsets, and the figure is recomputed as the window's
// line drag does.
RecomputeReport LineMoveStep(Figure& fig, int line, const std::array<double, 4>& offsets, double x,
                             double y, bool firstMove);

// One deformation key on a point record: a free point moves step along the
// axis of (dx, dy) (each -1, 0 or 1), a point on a line or circle moves step
// along its host, forward for right and up. True when the point on a host
// could not be placed (the window beeps).
bool StepPointByKey(Figure& fig, PtRec& point, int dx, int dy, double step);

// One deformation key on a point as the window's deformation keys make it.
PointMoveReport KeyMoveStep(Figure& fig, int point, int dx, int dy, double step, bool firstMove);

// One variation key on an independent number, as the window's number
// variation makes it: up (direction 1) adds step to its value, down (-1)
// takes it away, and the figure follows; the first key marks the steps that
// depend on the number.
RecomputeReport NumberVaryStep(Figure& fig, int number, int direction, double step, bool firstKey,
                               const MatrixDisplay* display = nullptr);

}  // namespace plandra
