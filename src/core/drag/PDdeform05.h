// Drag deformation: moving free points, points on hosts and whole lines with
// the mouse and the keys, singly or several at once, recomputing and
// redrawing the figure at every move.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "engine/DragRules.h"
#include "engine/MoveStep.h"
#include "figure/PDtype05.h"

namespace plandra {

struct Figure;
struct InputEvent;
struct Program;

constexpr int16_t kDeformStepStandard = 10;
constexpr int16_t kDeformStepNarrow = 1;
constexpr int16_t kDeformStepMin = 1;
constexpr int16_t kDeformStepMax = 60;

constexpr int16_t kKeyB = 66;
constexpr int16_t kKeyF = 70;
constexpr int16_t kKeyM = 77;
constexpr int16_t kKeyS = 83;
constexpr int16_t kKeyX = 88;
constexpr int16_t kKey0 = 48;

constexpr std::string_view kTimingRunText = "100回の変形";
constexpr std::string_view kDeformStepPrompt = "1から60までの数を入力してください";
constexpr std::string_view kDeformStepTitle = "変形の幅の設定";

struct DeformState {
  int DraggedPoint = 0;  // 0: none
  ObjRef DraggedLine;
  // Pt1Index point minus the click (X, Y), then the same for Pt2Index.
  std::array<double, 4> LineDragOffset{};
  int16_t FirstMoveFlag = 0;
  // By class 0..3, indices 0..largest ElemCount: -1 = independent of
  // DraggedPoint, 0 = depends on it.
  IndependentTables IndependentTable;
  std::vector<int> MultiPoints;  // 1-based, in the order chosen
  int MultiCount = 0;
  int16_t DragMarkPrev = 0;
  int16_t DragStylePrev = 0;
};

// PlacePointAt with the window's beep when a point on a host is refused.
void SetPointPosition(Program& p, PtRec& point, double x, double y);

void BuildIndependentTable(Program& p);

// One move to the mouse: of DraggedPoint, or of DraggedLine when no point
// is dragged.
void DragStep(Program& p, double x, double y);
void ShiftDragStep(Program& p, double x, double y);
void MultiDragStep(Program& p, double x, double y);
// One arrow key on DraggedPoint; shifted lands as a Shift-drag does.
void KeyStep(Program& p, int16_t key);
void ShiftKeyStep(Program& p, int16_t key);
// Key H: DraggedPoint to the origin, as a drag there would move it.
void HomeStep(Program& p);
// One arrow key on every chosen point, with one redraw.
void MultiKeyStep(Program& p, int16_t key);

// The point a position-setting drag (mode 30) will move: a new bound point
// or a re-bound one.
void PreparePlacingDrag(Program& p, int point);

// Drags started in the standard mode (mode 72 pushed).
void StartPointDrag(Program& p, int point);
void StartLineDrag(Program& p, ObjRef line, double x, double y);

// The point accepted in the selection modes 13 and 62, with the mode under
// the selection (6 or 61) on top.
void AcceptDeformPoint(Program& p, ObjRef point);
void AcceptMultiPoint(Program& p, ObjRef point);
// The exclusion mask of mode 62: dependent and already chosen points.
void BuildMultiPickMask(Program& p);
// Escape in mode 62 with mode 61 below: true when points were chosen, so that
// mode 61 stays and the chosen points are shown for dragging together.
bool KeepMultiDeform(Program& p);

// The end of a deformation: no dragged point or line, the mode popped, the
// figure redrawn.
void EndDeformation(Program& p, int16_t mode);

// Mouse and keys in the modes 6, 72, 30 and 61.
bool IsDeformMode(int16_t mode);
void DeformMouseDown(Program& p, const InputEvent& event);
void DeformMouseMove(Program& p, const InputEvent& event);
void DeformMouseUp(Program& p, const InputEvent& event);
void DeformKeyDown(Program& p, const InputEvent& event);
// The keys the number variation shares with the deformation modes: the step
// widths S, M and F, the axes (A) and the timing run (B). False for any other.
bool SharedDeformKey(Program& p, int16_t key);

// 25 rounds of Up, Right, Down, Left on point 1; the seconds taken are
// written in the top-left corner.
void TimingRun(Program& p);

// Commands.
void mnuDeform1Pt(Program& p);
void mnuDeformPts(Program& p);
void mnuEdit2_point_Deform(Program& p);
void mnuOdeformStandard(Program& p);
void mnuOdeformNarrow(Program& p);
void mnuOdeformManual(Program& p);
void mnuOSDeformLC(Program& p);
void mnuOSDeformL(Program& p);
void mnuOSDeformCross(Program& p);

// The Shift panel's text for a snap kind.
std::string_view SnapKindText(int16_t snapKind);

}  // namespace plandra
