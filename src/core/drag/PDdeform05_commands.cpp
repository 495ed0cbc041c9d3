// The deformation commands, the drag starts and selections that lead to a
// deformation, and the mouse and keys of the deformation modes.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "core/drag/PDdeform05.h"
#include "core/drag/PDdeform05_internal.h"
#include "core/locus/PlaneTable.h"
#include "core/pick/PDSelObj.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {
constexpr int16_t kTimingRounds = 25;

// Every deformation command starts the same way.
void BeginDeformation(DeformState& d) {
  d.FirstMoveFlag = kTrue;
  d.DragMarkPrev = 0;
  d.DragStylePrev = 0;
  d.DraggedLine = {};
}

bool IsMovablePoint(const Figure& fig, int index) {
  return PointIndexValid(fig, index) && fig.PtTable[index].BoundMode == kBoundMovable;
}

// The movable points offered, marked, with the current one highlighted
// above its mark.
void OfferMovablePoints(Program& p) {
  BuildFreePointPickList(p);
  if (p.Pick.PickCount == 0) return;
  MarkAllCandidates(p, kColorBlack);
  HighlightCandidate(p);
}

void PushDrag(Program& p) {
  MarkAllCandidates(p, kColorNone);
  ClearHover(p);
  ModePush(p.Modes, kModeDrag, *p.Host);
  RefreshModeDisplay(p);
}

bool Shifted(const Program& p, const InputEvent& event) {
  return (event.Shift & kShiftKey) != 0 || p.Window.ShiftSwitch != 0;
}

void PointDragStep(Program& p, const InputEvent& event) {
  if (Shifted(p, event)) {
    ShiftDragStep(p, event.X, event.Y);
  } else {
    DragStep(p, event.X, event.Y);
  }
}

void ArrowKey(Program& p, int16_t mode, const InputEvent& event) {
  if (mode == kModeMultiDeform) {
    MultiKeyStep(p, event.KeyCode);
  } else if (mode == kModeDeform && Shifted(p, event)) {
    ShiftKeyStep(p, event.KeyCode);
  } else {
    KeyStep(p, event.KeyCode);
  }
}

void SetDeformStep(Program& p, int16_t pixels) {
  p.Config.Delta = pixels;
  MenuCheckSet(p);
}

// The step keys: S, M, F, 0 and 1..5; 0 when the key is none of them.
int16_t StepOfKey(int16_t key) {
  if (key == kKeyS) return kDeformStepNarrow;
  if (key == kKeyM || key == kKey0) return kDeformStepStandard;
  if (key == kKeyF) return 20;
  if (key >= kKey0 + 1 && key <= kKey0 + 5) return static_cast<int16_t>(20 * (key - kKey0));
  return 0;
}

void SetSnapKind(Program& p, int16_t kind) {
  p.Config.SDeformKind = kind;
  p.Status.Panel(kShiftPanel).Text = Translate(p.Lang, SnapKindText(kind));
  MenuCheckSet(p);
}

}  // namespace

void EndDeformation(Program& p, int16_t mode) {
  p.Deform.DraggedPoint = 0;
  p.Deform.DraggedLine = {};
  // The chosen points' marks belong to the multi-point deformation.
  if (mode == kModeMultiDeform) ClearHighlights(p.Draw);
  ModePop(p.Modes, *p.Host);
  Redraw(p);
  RefreshModeDisplay(p);
}

void PreparePlacingDrag(Program& p, int point) {
  p.Deform.DraggedPoint = point;
  p.Deform.DraggedLine = {};
  p.Deform.FirstMoveFlag = kTrue;
}

void StartPointDrag(Program& p, int point) {
  BeginDeformation(p.Deform);
  p.Deform.DraggedPoint = point;
  BuildIndependentTable(p);
  PushDrag(p);
}

void StartLineDrag(Program& p, ObjRef line, double x, double y) {
  DeformState& d = p.Deform;
  BeginDeformation(d);
  d.DraggedLine = line;
  d.DraggedPoint = 0;
  d.LineDragOffset = LineDragOffsets(p.Fig, line.Index, x, y);
  PushDrag(p);
}

void AcceptDeformPoint(Program& p, ObjRef point) {
  if (point.BaseClass() != kClassPoint || !PointIndexValid(p.Fig, point.Index)) return;
  p.Deform.DraggedPoint = point.Index;
  MarkAllCandidates(p, kColorNone);
  BuildIndependentTable(p);
}

void BuildMultiPickMask(Program& p) {
  const Figure& fig = p.Fig;
  SizeMask(p.Pick, fig, kClassPoint);
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    if (fig.PtTable[i].BoundMode == 0) Exclude(p.Pick, i);
  }
  for (int index : ChosenPoints(p)) Exclude(p.Pick, index);
}

void AcceptMultiPoint(Program& p, ObjRef point) {
  if (point.BaseClass() != kClassPoint || !PointIndexValid(p.Fig, point.Index)) return;
  DeformState& d = p.Deform;
  ++d.MultiCount;
  if (d.MultiPoints.size() <= static_cast<size_t>(d.MultiCount)) {
    d.MultiPoints.resize(static_cast<size_t>(d.MultiCount) + 1);
  }
  d.MultiPoints[static_cast<size_t>(d.MultiCount)] = point.Index;
  AddHighlight(p.Draw, {point, kColorBlue, kMarkSquare, false});
  DrawHighlights(p);
  ModePush(p.Modes, kModePickMulti, *p.Host);
  BuildMultiPickMask(p);
  int next = PickNext(p.Pick);
  if (next == 0) {
    EndEmptyList(p);
    return;
  }
  MakeCurrent(p, next);
  HighlightCandidate(p);
  ShowObjStatus(p, p.Pick.PickCur);
}

bool KeepMultiDeform(Program& p) {
  if (p.Deform.MultiCount == 0) return false;
  const Figure& fig = p.Fig;
  std::vector<int> chosen = ChosenPoints(p);
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    if (fig.PtTable[i].BoundMode != kBoundMovable) continue;
    bool isChosen = std::find(chosen.begin(), chosen.end(), i) != chosen.end();
    const ObjRef point = ObjRef::Of(kClassPoint, i);
    AddHighlight(p.Draw, isChosen ? HighlightEntry{point, kColorBlue, kMarkSquare, false}
                                  : HighlightEntry{point, -1, kMarkCircle, false});
  }
  DrawHighlights(p);
  return true;
}

bool IsDeformMode(int16_t mode) {
  return mode == kModeDeform || mode == kModeDrag || mode == kModePlacePoint ||
         mode == kModeMultiDeform;
}

void DeformMouseDown(Program& p, const InputEvent& event) {
  if ((event.Button & kButtonLeft) == 0) return;
  switch (CurrentMode(p.Modes)) {
    case kModeDeform: PointDragStep(p, event); break;
    case kModePlacePoint:
      p.Build.UnplacedPoint = 0;  // this click places it
      DragStep(p, event.X, event.Y);
      break;
    case kModeMultiDeform: MultiDragStep(p, event.X, event.Y); break;
    default: break;  // mode 72 starts with the press in the standard mode
  }
}

void DeformMouseMove(Program& p, const InputEvent& event) {
  if ((event.Button & kButtonLeft) == 0) return;
  switch (CurrentMode(p.Modes)) {
    case kModeDeform:
    case kModeDrag: PointDragStep(p, event); break;
    case kModePlacePoint: DragStep(p, event.X, event.Y); break;
    case kModeMultiDeform: MultiDragStep(p, event.X, event.Y); break;
    default: break;
  }
}

void DeformMouseUp(Program& p, const InputEvent&) {
  if (CurrentMode(p.Modes) != kModeDrag) return;
  ModePop(p.Modes, *p.Host);
  Redraw(p);
  RefreshModeDisplay(p);
}

void DeformKeyDown(Program& p, const InputEvent& event) {
  int16_t mode = CurrentMode(p.Modes);
  int16_t key = event.KeyCode;
  switch (key) {
    case kKeyUp:
    case kKeyDown:
    case kKeyLeft:
    case kKeyRight: ArrowKey(p, mode, event); return;
    case kKeyEnter:
      if (mode == kModePlacePoint) {
        p.Build.UnplacedPoint = 0;
        ModePop(p.Modes, *p.Host);
        Redraw(p);
        RefreshModeDisplay(p);
      }
      return;
    case kKeyEscape:
      if (mode != kModePlacePoint || !WithdrawUnplacedPoint(p)) EndDeformation(p, mode);
      return;
    case kKeyH:
      if (mode == kModeDeform) HomeStep(p);
      return;
    case kKeyX:
      if (mode == kModeDeform) StartPlaneTable(p);
      return;
    default: break;
  }
  if (SharedDeformKey(p, key)) return;
  if (int16_t step = StepOfKey(key); step != 0) SetDeformStep(p, step);
}

bool SharedDeformKey(Program& p, int16_t key) {
  switch (key) {
    case kKeyS:
    case kKeyM:
    case kKeyF: SetDeformStep(p, StepOfKey(key)); return true;
    case kKeyA:
      mnuOAxis(p);
      MenuCheckSet(p);
      return true;
    case kKeyB:
      if (IsMovablePoint(p.Fig, 1) && p.Fig.PtTable[1].Exists != 0) TimingRun(p);
      return true;
    default: return false;
  }
}

void TimingRun(Program& p) {
  // The run measures; the point being dragged stays the dragged point.
  int dragged = p.Deform.DraggedPoint;
  p.Deform.DraggedPoint = 1;
  auto start = std::chrono::steady_clock::now();
  for (int round = 0; round < kTimingRounds; ++round) {
    for (int key : {kKeyUp, kKeyRight, kKeyDown, kKeyLeft}) KeyStep(p, static_cast<int16_t>(key));
  }
  std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
  p.Deform.DraggedPoint = dragged;
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", elapsed.count());
  std::string text = std::string(seconds) + "(" + Translate(p.Lang, kTimingRunText) + ")";
  if (p.Canvas) {
    p.Canvas->Text(1 - p.View.HalfWidth, p.View.HalfHeight - 1, text, ColorOf(p, kColorBlack));
  }
}

void mnuDeform1Pt(Program& p) {
  if (p.Fig.ElemCount[kClassPoint] == 0) return;
  BeginDeformation(p.Deform);
  ModePush(p.Modes, kModeDeform, *p.Host);
  ModePush(p.Modes, kModePickDeform, *p.Host);
  OfferMovablePoints(p);
  p.Status.Panel(12).Bevel = PanelBevel::kRaised;
  RefreshModeDisplay(p);
}

void mnuDeformPts(Program& p) {
  const Figure& fig = p.Fig;
  if (fig.ElemCount[kClassPoint] == 0) return;
  DeformState& d = p.Deform;
  BeginDeformation(d);
  ModePush(p.Modes, kModeMultiDeform, *p.Host);
  d.MultiPoints.assign(static_cast<size_t>(fig.ElemCount[kClassPoint]) + 1, 0);
  d.MultiCount = 0;
  ModePush(p.Modes, kModePickMulti, *p.Host);
  OfferMovablePoints(p);
  RefreshModeDisplay(p);
}

void mnuEdit2_point_Deform(Program& p) {
  ObjRef target = p.Build.MenuTarget;
  if (target.BaseClass() != kClassPoint || !IsMovablePoint(p.Fig, target.Index)) {
    p.Host->Beep();
    return;
  }
  BeginDeformation(p.Deform);
  ModePush(p.Modes, kModeDeform, *p.Host);
  p.Deform.DraggedPoint = target.Index;
  // The Shift form of the keys needs to know what the point carries along.
  BuildIndependentTable(p);
  p.Status.Panel(12).Bevel = PanelBevel::kRaised;
  RefreshModeDisplay(p);
}

void mnuOdeformStandard(Program& p) { SetDeformStep(p, kDeformStepStandard); }

void mnuOdeformNarrow(Program& p) { SetDeformStep(p, kDeformStepNarrow); }

void mnuOdeformManual(Program& p) {
  int16_t current = p.Config.Delta == 0 ? kDeformStepStandard : p.Config.Delta;
  std::optional<std::string> answer =
      p.Host->InputBox(Translate(p.Lang, kDeformStepPrompt), Translate(p.Lang, kDeformStepTitle),
                       std::to_string(current));
  if (!answer) return;
  double value = std::round(LeadingNumber(*answer));
  if (!(value >= kDeformStepMin && value <= kDeformStepMax)) {
    p.Host->Beep();
    return;
  }
  SetDeformStep(p, static_cast<int16_t>(value));
}

void mnuOSDeformLC(Program& p) { SetSnapKind(p, kSnapLineOrCircle); }

void mnuOSDeformL(Program& p) { SetSnapKind(p, kSnapLine); }

void mnuOSDeformCross(Program& p) { SetSnapKind(p, kSnapGrid); }

std::string_view SnapKindText(int16_t snapKind) {
  switch (snapKind) {
    case kSnapLine: return "→線";
    case kSnapGrid: return "→格子点";
    default: return "→線/円";
  }
}

}  // namespace plandra
