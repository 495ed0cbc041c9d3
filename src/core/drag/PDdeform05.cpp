#include "core/drag/PDdeform05.h"

#include <algorithm>
#include <cmath>

#include "core/InputEvent.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/Refresh.h"
#include "core/drag/PDdeform05_internal.h"
#include "core/locus/PdLocus.h"
#include "engine/GeoObj05.h"
#include "engine/Math05.h"
#include "engine/MoveStep.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// The record of the dragged point that moves, and the traced elements.
struct MoveCopies {
  bool HasPoint = false;
  PtRec Moving;
  TraceWatch Traced;
};

// The redraw of a move; the elements it carried leave their traces.
void RedrawMove(Program& p, const TraceWatch& traced) {
  Redraw(p);
  TraceMovedElements(p, traced);
}

// The dragged point leaves its trace where it stood before the move, drawn
// as it was drawn at the previous step.
void TraceDraggedPoint(Program& p) {
  DeformState& d = p.Deform;
  PtRec& pt = p.Fig.PtTable[d.DraggedPoint];
  const PtRec own = pt;
  pt = DrawnBefore(own, d.DragMarkPrev, d.DragStylePrev);
  AddTrace(p, ObjRef::Of(kClassPoint, d.DraggedPoint));
  pt = own;
}

// Before the position changes: the dependency analysis of the first move and
// the snapshot the two-point constructions compare with.
MoveCopies BeginMove(Program& p) {
  Figure& fig = p.Fig;
  DeformState& d = p.Deform;
  MoveCopies copies;
  copies.HasPoint = PointIndexValid(fig, d.DraggedPoint);
  copies.Traced = WatchTracedElements(p, copies.HasPoint ? d.DraggedPoint : 0);
  if (copies.HasPoint) {
    PtRec& pt = fig.PtTable[d.DraggedPoint];
    pt.Exists = kTrue;
    copies.Moving = pt;
  }
  FirstMoveAnalysis(p, copies.HasPoint ? ObjRef::Of(kClassPoint, d.DraggedPoint) : ObjRef{});
  SnapshotTables(fig);
  return copies;
}

// A full redraw with the moved point drawn enlarged. The renderer draws it
// so; the point's own mark in the figure stays as it is.
void FinishMove(Program& p, const MoveCopies& copies) {
  DeformState& d = p.Deform;
  if (!copies.HasPoint) {
    RedrawMove(p, copies.Traced);
    return;
  }
  TraceDraggedPoint(p);
  PtRec& pt = p.Fig.PtTable[d.DraggedPoint];
  pt = copies.Moving;
  p.Draw.DraggedPoint = d.DraggedPoint;
  RedrawMove(p, copies.Traced);
  p.Draw.DraggedPoint = 0;
  d.DragMarkPrev = kMarkDragged;
  d.DragStylePrev = pt.Style;
}

// The whole line follows the mouse by its two defining points.
void MoveLinePoints(Program& p, double x, double y) {
  const DeformState& d = p.Deform;
  PlaceLinePoints(p.Fig, d.DraggedLine.Index, d.LineDragOffset, x, y);
}

// The move step at a position already snapped.
void MoveTo(Program& p, double x, double y) {
  if (p.Deform.DraggedPoint == 0 && p.Deform.DraggedLine.Index != 0) MoveLinePoints(p, x, y);
  MoveCopies copies = BeginMove(p);
  if (copies.HasPoint) SetPointPosition(p, copies.Moving, x, y);
  FinishMove(p, copies);
}

bool IsArrowKey(int16_t key) {
  return key == kKeyUp || key == kKeyDown || key == kKeyLeft || key == kKeyRight;
}

// One arrow key on a point record: along the axes for a free point, along
// its host by Param otherwise.
void MoveByKey(Program& p, PtRec& pt, int16_t key, double step) {
  if (!IsArrowKey(key)) return;
  const int dx = key == kKeyRight ? 1 : key == kKeyLeft ? -1 : 0;
  const int dy = key == kKeyUp ? 1 : key == kKeyDown ? -1 : 0;
  if (StepPointByKey(p.Fig, pt, dx, dy, step)) p.Host->Beep();
}

}  // namespace

void FirstMoveAnalysis(Program& p, ObjRef moved) {
  if (p.Deform.FirstMoveFlag == 0) return;
  MarkDependencies(p.Fig, *p.Host, moved);
  p.Deform.FirstMoveFlag = 0;
}

void PlaceOnHostWithBeep(Program& p, PtRec& pt) {
  if (UpdatePointOnHost(p.Fig, pt)) p.Host->Beep();
}

int16_t KeyStepPixels(Program& p) {
  if (p.Config.Delta == 0) p.Config.Delta = kDeformStepStandard;
  return p.Config.Delta;
}

void SetPointPosition(Program& p, PtRec& point, double x, double y) {
  if (PlacePointAt(p.Fig, point, x, y)) p.Host->Beep();
}

void BuildIndependentTable(Program& p) {
  p.Deform.IndependentTable = IndependentOf(p.Fig, p.Deform.DraggedPoint);
}

void DragStep(Program& p, double x, double y) {
  double pixel = p.View.PixelSize;
  MoveTo(p, SnapToPixel(x, pixel), SnapToPixel(y, pixel));
}

void ShiftDragStep(Program& p, double x, double y) {
  const DragPosition at = ShiftDragTarget(p.Fig, p.Deform.IndependentTable, p.Deform.DraggedPoint,
                                          x, y, p.View.PixelSize, p.Config.SDeformKind);
  MoveTo(p, at.X, at.Y);
}

void MultiDragStep(Program& p, double x, double y) {
  double pixel = p.View.PixelSize;
  x = SnapToPixel(x, pixel);
  y = SnapToPixel(y, pixel);
  Figure& fig = p.Fig;
  std::vector<int> chosen = ChosenPoints(p);
  if (chosen.empty()) {
    Redraw(p);
    return;
  }
  std::vector<PtRec> copies;
  for (int index : chosen) copies.push_back(fig.PtTable[index]);
  TraceWatch traced = WatchTracedElements(p, 0);
  FirstMoveAnalysis(p, ObjRef::Of(kClassPoint, chosen.front()));
  SnapshotTables(fig);
  double dx = x - copies.front().X;
  double dy = y - copies.front().Y;
  for (size_t i = 0; i < chosen.size(); ++i) {
    SetPointPosition(p, copies[i], copies[i].X + dx, copies[i].Y + dy);
    fig.PtTable[chosen[i]] = copies[i];
  }
  RedrawMove(p, traced);
}

void HomeStep(Program& p) {
  if (PointIndexValid(p.Fig, p.Deform.DraggedPoint)) MoveTo(p, 0, 0);
}

void KeyStep(Program& p, int16_t key) {
  double step = KeyStepPixels(p) * p.View.PixelSize;
  if (!PointIndexValid(p.Fig, p.Deform.DraggedPoint)) {
    Redraw(p);
    return;
  }
  MoveCopies copies = BeginMove(p);
  MoveByKey(p, copies.Moving, key, step);
  FinishMove(p, copies);
}

void ShiftKeyStep(Program& p, int16_t key) {
  int index = p.Deform.DraggedPoint;
  if (!PointIndexValid(p.Fig, index)) {
    Redraw(p);
    return;
  }
  double pixel = p.View.PixelSize;
  double step = KeyStepPixels(p) * pixel;
  // Towards the grid the key moves by one world unit.
  if (p.Config.SDeformKind == kSnapGrid) step = pixel > 0 ? std::round(1 / pixel) * pixel : 1;
  PtRec moved = p.Fig.PtTable[index];
  MoveByKey(p, moved, key, step);
  ShiftDragStep(p, moved.X, moved.Y);
}

void MultiKeyStep(Program& p, int16_t key) {
  double step = KeyStepPixels(p) * p.View.PixelSize;
  std::vector<int> chosen = ChosenPoints(p);
  TraceWatch traced;
  if (!chosen.empty()) {
    traced = WatchTracedElements(p, 0);
    FirstMoveAnalysis(p, ObjRef::Of(kClassPoint, chosen.front()));
    SnapshotTables(p.Fig);
    for (int index : chosen) MoveByKey(p, p.Fig.PtTable[index], key, step);
  }
  RedrawMove(p, traced);
}

std::vector<int> ChosenPoints(const Program& p) {
  std::vector<int> chosen;
  const DeformState& d = p.Deform;
  for (int i = 1; i <= d.MultiCount && static_cast<size_t>(i) < d.MultiPoints.size(); ++i) {
    int index = d.MultiPoints[static_cast<size_t>(i)];
    if (PointIndexValid(p.Fig, index)) chosen.push_back(index);
  }
  return chosen;
}

}  // namespace plandra
