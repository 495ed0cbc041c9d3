#include "engine/MoveStep.h"

#include <cmath>

#include "engine/DragRules.h"

namespace plandra {

double SnapToPixel(double c, double pixelSize) {
  if (pixelSize == 0) return c;
  double q = c / pixelSize;
  return (c > 0 ? std::floor(q + 1) : std::floor(q)) * pixelSize;
}

double HostParam(const Figure& fig, int16_t hostClass, int16_t hostIndex, double x, double y) {
  if (hostClass == kClassLine && hostIndex >= 1 && hostIndex <= fig.ElemCount[kClassLine]) {
    const LnRec& line = fig.LnTable[hostIndex];
    return (x - line.X1) * line.DX + (y - line.Y1) * line.DY;
  }
  if (hostClass == kClassCircle && hostIndex >= 1 && hostIndex <= fig.ElemCount[kClassCircle]) {
    const CirRec& circle = fig.CirTable[hostIndex];
    double angle = std::atan2(y - circle.CY, x - circle.CX);
    if (angle < 0) angle += kFullTurn;
    return angle * circle.R;
  }
  return 0;
}

bool PlacePointAt(Figure& fig, PtRec& point, double x, double y) {
  switch (point.HostClass) {
    case 0:
      point.X = x;
      point.Y = y;
      return false;
    case kClassLine:
    case kClassCircle:
      point.Param = HostParam(fig, point.HostClass, point.HostIndex, x, y);
      return UpdatePointOnHost(fig, point);
    default: return false;  // coinciding with another point: it follows that point
  }
}

namespace {

// The point moved on a copy by place, then the figure recomputed from the
// steps that depend on it (marked at a drag's first move).
template <typename Place>
PointMoveReport MoveStepWith(Figure& fig, int point, bool firstMove, const Place& place) {
  PointMoveReport report;
  if (!PointIndexValid(fig, point)) {
    return report;
  }
  PtRec& pt = fig.PtTable[point];
  pt.Exists = kTrue;
  PtRec moving = pt;
  if (firstMove) report.Recompute = MarkDependencies(fig, ObjRef::Of(kClassPoint, point));
  SnapshotTables(fig);
  report.HostRefused = place(moving);
  fig.PtTable[point] = moving;
  report.Recompute += RecomputeForRedraw(fig);
  return report;
}

}  // namespace

PointMoveReport MovePointStep(Figure& fig, int point, double x, double y, double pixelSize,
                              bool firstMove) {
  return MovePointStepAt(fig, point, SnapToPixel(x, pixelSize), SnapToPixel(y, pixelSize),
                         firstMove);
}

PointMoveReport MovePointStepAt(Figure& fig, int point, double x, double y, bool firstMove) {
  return MoveStepWith(fig, point, firstMove,
                      [&](PtRec& moving) { return PlacePointAt(fig, moving, x, y); });
}

RecomputeReport LineMoveStep(Figure& fig, int line, const std::array<double, 4>& offsets, double x,
                             double y, bool firstMove) {
  PlaceLinePoints(fig, line, offsets, x, y);
  RecomputeReport report;
  if (firstMove) report = MarkDependencies(fig, ObjRef{});
  SnapshotTables(fig);
  report += RecomputeForRedraw(fig);
  return report;
}

bool StepPointByKey(Figure& fig, PtRec& point, int dx, int dy, double step) {
  if (point.HostClass == 0) {
    if (dx != 0) point.X += dx > 0 ? step : -step;
    if (dy != 0) point.Y += dy > 0 ? step : -step;
    return false;
  }
  point.Param += dx > 0 || dy > 0 ? step : -step;
  return UpdatePointOnHost(fig, point);
}

PointMoveReport KeyMoveStep(Figure& fig, int point, int dx, int dy, double step, bool firstMove) {
  return MoveStepWith(fig, point, firstMove,
                      [&](PtRec& moving) { return StepPointByKey(fig, moving, dx, dy, step); });
}

RecomputeReport NumberVaryStep(Figure& fig, int number, int direction, double step, bool firstKey,
                               const MatrixDisplay* display) {
  RecomputeReport report;
  const ObjRef ref = ObjRef::Of(kClassNumber, number);
  if (number < 1 || !RefInRange(fig, ref)) return report;
  NumRec& num = fig.NumTable[number];
  num.Exists = kTrue;
  if (firstKey) report = MarkDependencies(fig, ref);
  if (direction > 0) num.Value += step;
  if (direction < 0) num.Value -= step;
  SnapshotTables(fig);
  report += RecomputeAll(fig, display);
  return report;
}

}  // namespace plandra
