#include "engine/DragRules.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/GeoObj05.h"
#include "engine/Math05.h"
#include "engine/MoveStep.h"

namespace plandra {
namespace {

constexpr double kLineWeight = 3.0;
constexpr double kPointPrecedencePixels = 7.0;
constexpr double kMovableWeight = 0.5;
constexpr double kFixedFreeWeight = 0.7;
constexpr double kHoverPixels = 10.0;

// How far along the line's direction from its first point the nearest
// drawn point may lie, by LineKind.
void DrawnRange(const LnRec& ln, double& low, double& high) {
  double length = std::hypot(ln.X2 - ln.X1, ln.Y2 - ln.Y1);
  constexpr double inf = std::numeric_limits<double>::infinity();
  switch (ln.LineKind) {
    case 1:
    case 4:
    case 5:
    case 6:
      low = 0;
      high = length;
      break;
    case 2:
    case 7:
      low = 0;
      high = inf;
      break;
    case 3:
      low = -inf;
      high = length;
      break;
    default:
      low = -inf;
      high = inf;
      break;
  }
}

struct Best {
  double Distance = kNoDistance;
  ObjRef Ref;
  void Offer(double d, ObjRef ref) {
    if (d < Distance) {
      Distance = d;
      Ref = ref;
    }
  }
};

void OfferLinesAndCircles(const Figure& fig, double x, double y, Best& best) {
  for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
    const LnRec& ln = fig.LnTable[i];
    if (ln.Exists != 0)
      best.Offer(kLineWeight * DistanceToLine(ln, x, y), ObjRef::Of(kClassLine, i));
  }
  for (int i = 1; i <= fig.ElemCount[kClassCircle]; ++i) {
    const CirRec& cir = fig.CirTable[i];
    if (cir.Exists != 0) {
      best.Offer(kLineWeight * DistanceToCircle(cir, x, y), ObjRef::Of(kClassCircle, i));
    }
  }
}

void OfferPoints(const Figure& fig, double x, double y, bool easyMenu, Best& best) {
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    const PtRec& pt = fig.PtTable[i];
    if (pt.Exists == 0) continue;
    double d = DistanceToPoint(pt, x, y);
    if (pt.BoundMode == kBoundMovable) d *= kMovableWeight;
    if (pt.BoundMode == kBoundFixedFree && !easyMenu) d *= kFixedFreeWeight;
    best.Offer(d, ObjRef::Of(kClassPoint, i));
  }
}

bool Independent(const IndependentTables& independent, int cls, int index) {
  const std::vector<int16_t>& table = independent[static_cast<size_t>(cls)];
  return index >= 1 && static_cast<size_t>(index) < table.size() &&
         table[static_cast<size_t>(index)] == kTrue;
}

double LineDistance(const LnRec& line, double x, double y) {
  return std::abs((x - line.X1) * line.DY - (y - line.Y1) * line.DX);
}

// The nearest existing line (and circle, by the snap kind) that does not
// depend on the dragged point; {0,0} when there is none.
ObjRef NearestIndependent(const Figure& fig, const IndependentTables& independent, double x,
                          double y, bool withCircles) {
  double best = kNoDistance;
  ObjRef winner;
  for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
    const LnRec& line = fig.LnTable[i];
    if (!Independent(independent, kClassLine, i) || line.Exists == 0) continue;
    double distance = LineDistance(line, x, y);
    if (distance < best) {
      best = distance;
      winner = ObjRef::Of(kClassLine, i);
    }
  }
  for (int i = 1; withCircles && i <= fig.ElemCount[kClassCircle]; ++i) {
    const CirRec& circle = fig.CirTable[i];
    if (!Independent(independent, kClassCircle, i) || circle.Exists == 0) continue;
    double distance = std::abs(std::hypot(x - circle.CX, y - circle.CY) - circle.R);
    if (distance < best) {
      best = distance;
      winner = ObjRef::Of(kClassCircle, i);
    }
  }
  return winner;
}

// A point the user may move anywhere: free, and on no host.
bool FreelyMovable(const Figure& fig, int index) {
  if (index < 1 || index > fig.ElemCount[kClassPoint]) return false;
  const PtRec& pt = fig.PtTable[index];
  return pt.BoundMode == kBoundMovable && pt.HostIndex == 0;
}

}  // namespace

void MarkDraggableLines(Figure& fig) {
  for (int s = 1; s <= fig.StepCount; ++s) {
    if (fig.StepKindId[s] != Kind::L1) continue;
    ObjRef out = fig.StepOut[s][1];
    if (out.BaseClass() != kClassLine || !RefInRange(fig, out)) continue;
    LnRec& ln = fig.LnTable[out.Index];
    ln.Pt1Index = fig.StepIn[s][1].Index;
    ln.Pt2Index = fig.StepIn[s][2].Index;
    bool whole = FreelyMovable(fig, ln.Pt1Index) && FreelyMovable(fig, ln.Pt2Index);
    ln.Draggable = whole ? kTrue : kFalse;
  }
}

double DistanceToPoint(const PtRec& pt, double x, double y) {
  return std::hypot(pt.X - x, pt.Y - y);
}

double DistanceToLine(const LnRec& ln, double x, double y) {
  double dx = ln.DX;
  double dy = ln.DY;
  double norm = std::hypot(dx, dy);
  if (norm == 0) return std::hypot(ln.X1 - x, ln.Y1 - y);
  dx /= norm;
  dy /= norm;
  double low = 0;
  double high = 0;
  DrawnRange(ln, low, high);
  double t = std::clamp((x - ln.X1) * dx + (y - ln.Y1) * dy, low, high);
  return std::hypot(ln.X1 + t * dx - x, ln.Y1 + t * dy - y);
}

double DistanceToCircle(const CirRec& cir, double x, double y) {
  return std::abs(std::hypot(cir.CX - x, cir.CY - y) - cir.R);
}

double DistanceToElement(const Figure& fig, ObjRef ref, double x, double y) {
  if (!RefInRange(fig, ref)) return kNoDistance * 10;
  switch (ref.BaseClass()) {
    case kClassPoint: return DistanceToPoint(fig.PtTable[ref.Index], x, y);
    case kClassLine: return DistanceToLine(fig.LnTable[ref.Index], x, y);
    case kClassCircle: return DistanceToCircle(fig.CirTable[ref.Index], x, y);
    default: return kNoDistance * 10;
  }
}

ObjRef ElementUnderPointer(const Figure& fig, double x, double y, double pixelSize, bool easyMenu) {
  Best best;
  if (!easyMenu) OfferLinesAndCircles(fig, x, y, best);
  best.Distance = std::max(best.Distance, kPointPrecedencePixels * pixelSize);
  if (easyMenu) best.Distance = kNoDistance;
  OfferPoints(fig, x, y, easyMenu, best);
  ObjRef found = best.Distance / pixelSize < kHoverPixels ? best.Ref : ObjRef{};
  return found.Index == 0 ? ObjRef{} : found;
}

bool IsDraggable(const Figure& fig, ObjRef ref) {
  if (ref.Class == kClassPoint) return fig.PtTable[ref.Index].BoundMode == kBoundMovable;
  if (ref.Class == kClassLine) return fig.LnTable[ref.Index].Draggable != 0;
  return false;
}

IndependentTables IndependentOf(const Figure& fig, int draggedPoint) {
  IndependentTables independent;
  int largest = *std::max_element(fig.ElemCount.begin(), fig.ElemCount.begin() + 4);
  for (std::vector<int16_t>& table : independent) {
    table.assign(static_cast<size_t>(largest) + 1, kTrue);
  }
  if (PointIndexValid(fig, draggedPoint)) {
    independent[kClassPoint][static_cast<size_t>(draggedPoint)] = kFalse;
  }
  auto marked = [&independent](ObjRef ref) {
    int16_t cls = ref.BaseClass();
    return cls >= kClassNumber && cls <= kClassCircle && ref.Index >= 1 &&
           static_cast<size_t>(ref.Index) <= static_cast<size_t>(independent[0].size() - 1);
  };
  int steps =
      std::min<int>(fig.StepCount, std::min(UpperBound(fig.StepIn), UpperBound(fig.StepOut)));
  for (int s = 1; s <= steps; ++s) {
    const StepRefs& in = fig.StepIn[static_cast<size_t>(s)];
    bool dependent = std::any_of(in.begin() + 1, in.end(), [&](ObjRef ref) {
      return marked(ref) && independent[ref.BaseClass()][ref.Index] == kFalse;
    });
    if (!dependent) continue;
    for (ObjRef out : fig.StepOut[static_cast<size_t>(s)]) {
      if (marked(out)) independent[out.BaseClass()][out.Index] = kFalse;
    }
  }
  return independent;
}

DragPosition ShiftDragTarget(Figure& fig, const IndependentTables& independent, int draggedPoint,
                             double x, double y, double pixelSize, int16_t kind) {
  x = SnapToPixel(x, pixelSize);
  y = SnapToPixel(y, pixelSize);
  // Snapping a whole number to the pixel lattice again would push it one
  // pixel off the grid point: the caller moves there as it is.
  if (kind == kSnapGrid) return {std::floor(x + 0.5), std::floor(y + 0.5)};
  ObjRef host =
      draggedPoint != 0 ? NearestIndependent(fig, independent, x, y, kind != kSnapLine) : ObjRef{};
  if (host.Index == 0) return {x, y};
  // A temporary point bound to the winner gives the landing position.
  PtRec landing = MakePoint(x, y);
  landing.HostClass = host.Class;
  landing.HostIndex = host.Index;
  landing.Param = HostParam(fig, host.Class, host.Index, x, y);
  UpdatePointOnHost(fig, landing);
  return {landing.X, landing.Y};
}

std::array<double, 4> LineDragOffsets(const Figure& fig, int line, double x, double y) {
  std::array<double, 4> offsets{};
  const LnRec& ln = fig.LnTable[line];
  if (PointIndexValid(fig, ln.Pt1Index)) {
    offsets[0] = fig.PtTable[ln.Pt1Index].X - x;
    offsets[1] = fig.PtTable[ln.Pt1Index].Y - y;
  }
  if (PointIndexValid(fig, ln.Pt2Index)) {
    offsets[2] = fig.PtTable[ln.Pt2Index].X - x;
    offsets[3] = fig.PtTable[ln.Pt2Index].Y - y;
  }
  return offsets;
}

void PlaceLinePoints(Figure& fig, int line, const std::array<double, 4>& offsets, double x,
                     double y) {
  if (line < 1 || line > fig.ElemCount[kClassLine]) return;
  const LnRec& ln = fig.LnTable[line];
  if (PointIndexValid(fig, ln.Pt1Index)) {
    fig.PtTable[ln.Pt1Index].X = x + offsets[0];
    fig.PtTable[ln.Pt1Index].Y = y + offsets[1];
  }
  if (PointIndexValid(fig, ln.Pt2Index)) {
    fig.PtTable[ln.Pt2Index].X = x + offsets[2];
    fig.PtTable[ln.Pt2Index].Y = y + offsets[3];
  }
}

}  // namespace plandra
