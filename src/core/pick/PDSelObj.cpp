#include "core/pick/PDSelObj.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/drag/PDdeform05.h"
#include "core/locus/PlaneTable.h"
#include "core/pick/PDSelObj_internal.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

bool InAddPointMode(const Program& p) { return CurrentMode(p.Modes) == kModeAddPoint; }

void MoveCurrent(Program& p, int pos) {
  UnhighlightCandidate(p);
  MakeCurrent(p, pos);
  HighlightCandidate(p);
  ShowObjStatus(p, p.Pick.PickCur);
}

// The picks of an element to edit, of a point to bind and of its host.
bool IsEditPickMode(int16_t mode) {
  return mode == kModePickEdit || mode == kModePickBindPoint || mode == kModePickBindHost;
}

void AcceptEditSelection(Program& p, int16_t mode, ObjRef accepted) {
  if (mode == kModePickBindHost) {
    AcceptBindHost(p, accepted);
  } else if (accepted.Index == 0) {
    // A click that found nothing hands nothing over: the pick goes on.
  } else if (mode == kModePickEdit) {
    AcceptEditPick(p, accepted);
  } else {
    AcceptBindPoint(p, accepted);
  }
}

void EscapeEditSelection(Program& p, int16_t mode) {
  if (mode == kModePickEdit) {
    EscapeEditPick(p);
  } else {
    EscapeBindPick(p);
  }
}

// Modes whose clicks and keys move and accept the current candidate.
bool IsSelectionMode(int16_t mode) {
  return mode == kModePickConstruct || mode == kModePickDeform || mode == kModePickMulti ||
         IsEditPickMode(mode);
}

// What the mode under a selection mode does with the accepted element.
using AcceptHandler = void (*)(Program&, ObjRef);
constexpr std::pair<int16_t, AcceptHandler> kAcceptByModeBelow[] = {
    {kModeDeform, &AcceptDeformPoint},
    {kModeMultiDeform, &AcceptMultiPoint},
};

void AcceptBelowSelection(Program& p, ObjRef accepted) {
  // An empty pick accepted outside a construction is a click on nothing.
  if (accepted.Index == 0) return;
  ModePop(p.Modes, *p.Host);
  int16_t below = CurrentMode(p.Modes);
  for (const auto& [mode, handler] : kAcceptByModeBelow) {
    if (mode == below) handler(p, accepted);
  }
  RefreshModeDisplay(p);
}

void AcceptCurrent(Program& p) {
  ObjRef accepted = p.Pick.PickCur;
  UnhighlightCandidate(p);
  ClearObjStatus(p);
  const int16_t mode = CurrentMode(p.Modes);
  if (IsEditPickMode(mode)) {
    AcceptEditSelection(p, mode, accepted);
    return;
  }
  if (mode != kModePickConstruct) {
    AcceptBelowSelection(p, accepted);
    return;
  }
  int step = p.Fig.StepCount;
  if (step >= 1 && StepKindText(p.Fig, step) == "LPG+") {
    AcceptVertex(p, accepted);
  } else {
    AcceptInput(p, accepted);
  }
}

// Escape leaves the selection mode and, as a rule, the mode under it; a
// multi-point deformation with points chosen stays to drag them.
void EscapeBelowSelection(Program& p) {
  MarkAllCandidates(p, kColorNone);
  ModePop(p.Modes, *p.Host);
  if (CurrentMode(p.Modes) != kModeMultiDeform || !KeepMultiDeform(p)) {
    ModePop(p.Modes, *p.Host);
  }
  RefreshModeDisplay(p);
}

void EscapeSelection(Program& p) {
  UnhighlightCandidate(p);
  p.Pick.PickCur.Index = 0;
  ClearObjStatus(p);
  if (IsEditPickMode(CurrentMode(p.Modes))) {
    EscapeEditSelection(p, CurrentMode(p.Modes));
    return;
  }
  if (CurrentMode(p.Modes) == kModePickConstruct) {
    int step = p.Fig.StepCount;
    if (step >= 1 && StepKindText(p.Fig, step) == "LPG+") {
      AcceptVertex(p, {});
    } else {
      AcceptInput(p, {});
    }
    return;
  }
  EscapeBelowSelection(p);
}

}  // namespace

ObjRef HoverPick(Program& p, double x, double y, bool finger) {
  const Figure& fig = p.Fig;
  const double reach = finger ? kFingerReach : 1.0;
  ObjRef found =
      ElementUnderPointer(fig, x, y, p.View.PixelSize * reach, p.Config.MenuEasy != 0);
  if (found.Index != 0) {
    ShowObjStatus(p, found);
  } else {
    ClearObjStatus(p);
  }
  if (found.Index == 0 || !IsDraggable(fig, found)) {
    p.Pick.Cursor = kCursorArrow;
    ClearHover(p);
    return found;
  }
  p.Pick.Cursor = kCursorSizeAll;
  if (found == p.Pick.HoverObj) return found;
  ClearHover(p);
  p.Pick.HoverObj = found;
  AddHighlight(p.Draw, {found, -1, found.Class == kClassPoint ? kMarkHover : int16_t{-1}, true});
  DrawHighlights(p);
  return found;
}

void ClearHover(Program& p) {
  if (p.Pick.HoverObj.Index == 0) return;
  RemoveHighlight(p.Draw, p.Pick.HoverObj);
  p.Pick.HoverObj = {};
  Redraw(p);
}

void HighlightCandidate(Program& p) {
  ObjRef cur = p.Pick.PickCur;
  if (cur.Index == 0) return;
  bool adding = InAddPointMode(p);
  AddHighlight(p.Draw,
               {cur, adding ? kColorBlack : kColorRed, adding ? kMarkCircle : kMarkCross, true});
  DrawHighlights(p);
}

void UnhighlightCandidate(Program& p) {
  ObjRef cur = p.Pick.PickCur;
  if (cur.Index == 0) return;
  RemoveHighlight(p.Draw, cur);
  Redraw(p);
}

void MarkChosenInput(Program& p, ObjRef ref) {
  if (ref.Index == 0 || ref.BaseClass() == kClassNumber) return;
  AddHighlight(p.Draw, {ref, kColorBlue, kMarkCross, true});
  DrawHighlights(p);
}

void MarkAllCandidates(Program& p, int16_t color) {
  for (int pos = 1; pos <= p.Pick.PickCount; ++pos) {
    ObjRef ref = Entry(p.Pick, pos);
    if (color == kColorNone) {
      RemoveHighlight(p.Draw, ref);
    } else {
      AddHighlight(p.Draw, {ref, color, kMarkHover, false});
    }
  }
  if (color == kColorNone) {
    Redraw(p);
  } else {
    DrawHighlights(p);
  }
}

std::string ObjStatusText(Program& p, ObjRef ref) {
  static constexpr std::string_view kClassWords[] = {"変数", "点", "直線", "円"};
  static constexpr std::string_view kEventMarkers[] = {"", "....", "...", "..", "."};
  int16_t cls = ref.BaseClass();
  if (!RefInRange(p.Fig, ref)) return {};
  const Figure& fig = p.Fig;
  std::string text =
      TranslateCaption(p.Lang, kClassWords[cls]) + std::string(TrimLeft(ElementName(fig, ref)));
  if (cls == kClassPoint) {
    int16_t level = fig.PtTable[ref.Index].EventKind;
    if (level >= 1 && level <= 4) text += kEventMarkers[level];
  }
  if (cls == kClassNumber) {
    text +=
        " = " + std::string(Trim(ValueText(fig.NumTable[ref.Index].Value, p.Config.KetaDecimal)));
  }
  return text;
}

void ShowObjStatus(Program& p, ObjRef ref) {
  p.Pick.StatusObj = ref;
  p.Status.Panel(12).Text = ObjStatusText(p, ref);
}

void ClearObjStatus(Program& p) {
  p.Pick.StatusObj = {};
  p.Status.Panel(12).Text.clear();
}

void RefreshObjStatus(Program& p) {
  if (p.Pick.StatusObj.Index == 0) return;
  if (RefInRange(p.Fig, p.Pick.StatusObj)) {
    ShowObjStatus(p, p.Pick.StatusObj);
  } else {
    ClearObjStatus(p);
  }
}

void SelectMouseDown(Program& p, const InputEvent& event) {
  p.Status.Panel(2).Bevel = PanelBevel::kRaised;
  if (CurrentMode(p.Modes) == kModePickConstruct) {
    int step = p.Fig.StepCount;
    ObjRef cur = p.Pick.PickCur;
    int16_t cls = cur.Class != 0 ? cur.BaseClass() : Entry(p.Pick, 1).BaseClass();
    if (step >= 1 && StepKindText(p.Fig, step) == "LPG+") {
      SizeMask(p.Pick, p.Fig, kClassPoint);
    } else {
      BuildConstructionMask(p, cls);
    }
  } else if (CurrentMode(p.Modes) == kModePickMulti) {
    BuildMultiPickMask(p);
    if (FirstAllowed(p.Pick) == 0) {
      EndEmptyList(p);
      RefreshModeDisplay(p);
      return;
    }
  }
  int pos = PickNearest(p, event.X, event.Y);
  ObjRef found = Entry(p.Pick, pos);
  if (found == p.Pick.PickCur && (pos == p.Pick.PickPos || found.Index == 0)) {
    AcceptCurrent(p);
    return;
  }
  MoveCurrent(p, pos);
}

void SelectKeyDown(Program& p, const InputEvent& event) {
  switch (event.KeyCode) {
    case kKeyEnter: AcceptCurrent(p); break;
    case kKeyEscape: EscapeSelection(p); break;
    case kKeyDown:
    case kKeyUp: {
      int pos = event.KeyCode == kKeyDown ? PickNext(p.Pick) : PickPrev(p.Pick);
      if (pos != 0) MoveCurrent(p, pos);
      break;
    }
    default: break;
  }
}

void StandardMouseDown(Program& p, const InputEvent& event) {
  ObjRef found = HoverPick(p, event.X, event.Y, event.Finger);
  bool draggable = found.Index != 0 && IsDraggable(p.Fig, found);
  if (event.Button == kButtonLeft && draggable) {
    if (found.Class == kClassPoint) {
      StartPointDrag(p, found.Index);
    } else {
      StartLineDrag(p, found, event.X, event.Y);
    }
  } else if (event.Button == kButtonLeft) {
    // Shows what can be dragged; with no movable point there is nothing to
    // show and the standard mode must not be left.
    bool anyMovable = false;
    for (int i = 1; i <= p.Fig.ElemCount[kClassPoint]; ++i) {
      anyMovable |= p.Fig.PtTable[i].BoundMode == kBoundMovable;
    }
    if (anyMovable) {
      BuildFreePointPickList(p);
      MarkAllCandidates(p, kColorBlack);
    }
  } else if (event.Button == kButtonRight && found.Index != 0 && p.Config.MenuEasy == 0) {
    ShowObjectMenu(p, found);
  } else if (event.Button == kButtonRight) {
    Redraw(p);
  }
  p.Pick.Cursor = kCursorArrow;
}

void MouseDown(Program& p, const InputEvent& event) {
  if (PlaneTableRunning(p)) return;
  int16_t mode = CurrentMode(p.Modes);
  if (IsSelectionMode(mode)) {
    SelectMouseDown(p, event);
  } else if (IsDeformMode(mode)) {
    DeformMouseDown(p, event);
  } else if (mode == kModeAddPoint && event.Button == kButtonLeft) {
    PlaceNewPoint(p, event.X, event.Y);
  } else if (mode == kModeStandard) {
    StandardMouseDown(p, event);
  }
}

void MouseMove(Program& p, const InputEvent& event) {
  if (PlaneTableRunning(p)) return;
  int16_t mode = CurrentMode(p.Modes);
  if (mode == kModeStandard) {
    HoverPick(p, event.X, event.Y, event.Finger);
  } else if (IsDeformMode(mode)) {
    DeformMouseMove(p, event);
  }
}

void MouseUp(Program& p, const InputEvent& event) {
  if (PlaneTableRunning(p)) return;
  if (IsDeformMode(CurrentMode(p.Modes))) DeformMouseUp(p, event);
}

bool InteractKeyDown(Program& p, const InputEvent& event) {
  int16_t mode = CurrentMode(p.Modes);
  if (IsSelectionMode(mode)) {
    SelectKeyDown(p, event);
    RefreshModeDisplay(p);
    return true;
  }
  if (mode == kModeAddPoint) {
    AddPointKeyDown(p, event);
    return true;
  }
  return false;
}

}  // namespace plandra
