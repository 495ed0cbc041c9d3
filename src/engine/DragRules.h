// What a press takes and where a drag lands, shared by the window and the
// published page's viewer so that both move a figure alike.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "figure/PDvar05.h"

namespace plandra {

// Larger than any distance on the drawing area, in world units.
constexpr double kNoDistance = 10000.0;

// Distances from (x, y) in world units, with no weights: to a line as it is
// drawn (segment, half-line or whole line by LineKind) and to a circumference.
double DistanceToPoint(const PtRec& pt, double x, double y);
double DistanceToLine(const LnRec& ln, double x, double y);
double DistanceToCircle(const CirRec& cir, double x, double y);
// Distance to an element of class 1..3; a large value for anything else.
double DistanceToElement(const Figure& fig, ObjRef ref, double x, double y);

// The weighted nearest element within ten pixels of (x, y), or {0,0}: points
// before lines and circles, movable points first. With the easy menu only
// points are looked at.
ObjRef ElementUnderPointer(const Figure& fig, double x, double y, double pixelSize, bool easyMenu);

// Each line joining two points ("L1") notes its points, and drags whole when
// both may be moved freely. Kept at every redraw.
void MarkDraggableLines(Figure& fig);

// A movable point, or a line that drags whole by its two points.
bool IsDraggable(const Figure& fig, ObjRef ref);

// By class, kTrue for each element that does not depend on the dragged point.
using IndependentTables = std::array<std::vector<int16_t>, 4>;
IndependentTables IndependentOf(const Figure& fig, int draggedPoint);

// What a Shift-drag lands on (the settings' SDeformKind).
constexpr int16_t kSnapLineOrCircle = 0;
constexpr int16_t kSnapLine = 1;
constexpr int16_t kSnapGrid = 2;

struct DragPosition {
  double X = 0;
  double Y = 0;
};

// Where a Shift-drag of the dragged point (0 for a line) to (x, y) puts it,
// on the pixel lattice: the nearest grid point, or the nearest line (or
// circle) that does not depend on the point, or else where the pointer is.
DragPosition ShiftDragTarget(Figure& fig, const IndependentTables& independent, int draggedPoint,
                             double x, double y, double pixelSize, int16_t kind);

// A line dragged whole: its two points' offsets from the press.
std::array<double, 4> LineDragOffsets(const Figure& fig, int line, double x, double y);
// The line's two points moved so that they keep their offsets from (x, y).
void PlaceLinePoints(Figure& fig, int line, const std::array<double, 4>& offsets, double x,
                     double y);

}  // namespace plandra
