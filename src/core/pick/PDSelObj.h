// Which figure element the user means: the hover pick of the standard mode
// and the candidate lists of the selection modes, fed with plain input
// events so that every pick can be played without a window.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/InputEvent.h"
#include "engine/DragRules.h"
#include "figure/PDtype05.h"

namespace plandra {

struct Figure;
struct Program;

// Key codes used by the selection and add-point modes, beside the common ones.
constexpr int16_t kKeyA = 65;
constexpr int16_t kKeyH = 72;

// How much farther than a mouse's tip a finger reaches an element: a line
// 3 pixels off for the mouse, a finger's contact, some 8 mm wide, needs
// twice that, and a point it covers is taken.
constexpr double kFingerReach = 2.0;

constexpr int16_t kCursorArrow = 1;
constexpr int16_t kCursorSizeAll = 5;

// Modes the picking serves.

constexpr int16_t kMaskAllowed = 0;
constexpr int16_t kMaskExcluded = -1;

struct PickState {
  std::vector<ObjRef> PickList;  // 1-based; entry 0 unused
  int PickCount = 0;
  ObjRef PickCur;
  int PickPos = 0;
  ObjRef HoverObj;
  ObjRef StatusObj;  // the element panel 12 names
  int16_t LineKindFilter = -1;
  // By element index of the list's class, for one selection step.
  std::vector<int16_t> Mask;
  int16_t Cursor = kCursorArrow;
};

// The weighted nearest element within 10 pixels, or {0,0}. Updates the
// hover highlight, the cursor and the status text.
ObjRef HoverPick(Program& p, double x, double y, bool finger = false);

void BuildPickList(Program& p, int16_t classCode);
void BuildFreePointPickList(Program& p);
// The redraw's refresh of the movable points in the standard and loading
// modes; with no movable point the list is left alone, since an empty list
// would leave the mode.
void RefreshFreePointCandidates(Program& p);
void BuildVertexPickList(Program& p);

bool IsExcluded(const PickState& pick, ObjRef ref);
// The exclusion mask: every element of class cls allowed, then single ones
// excluded.
void SizeMask(PickState& pick, const Figure& fig, int cls);
void Exclude(PickState& pick, int index);
// Makes the entry at pos the current candidate.
void MakeCurrent(Program& p, int pos);
// The list is empty: leave the selection mode.
void EndEmptyList(Program& p);
// The exclusion mask of the current selection step of mode 15.
void BuildConstructionMask(Program& p, int16_t cls);

// Position in PickList of the nearest allowed existing entry; 0 when none.
int PickNearest(const Program& p, double x, double y);
// The next or previous allowed position, wrapping; 0 when none is allowed.
int PickNext(const PickState& pick);
int PickPrev(const PickState& pick);

// Highlight operations through the renderer's overlay.
void HighlightCandidate(Program& p);
void UnhighlightCandidate(Program& p);
void MarkChosenInput(Program& p, ObjRef ref);
void MarkAllCandidates(Program& p, int16_t color);
void ClearHover(Program& p);

std::string ObjStatusText(Program& p, ObjRef ref);
void ShowObjStatus(Program& p, ObjRef ref);
void ClearObjStatus(Program& p);
// Renames panel 12 after the figure changed, or clears it when its element
// is gone.
void RefreshObjStatus(Program& p);

// Events of the selection modes (mode 15 and the vertex picking).
void SelectMouseDown(Program& p, const InputEvent& event);
void SelectKeyDown(Program& p, const InputEvent& event);

// Standard mode: the hover pick, and a left click off every draggable
// element marks the movable points.
void StandardMouseDown(Program& p, const InputEvent& event);

// Whole-window entry points, dispatched by the mode in force.
void MouseDown(Program& p, const InputEvent& event);
void MouseMove(Program& p, const InputEvent& event);
void MouseUp(Program& p, const InputEvent& event);
// True when the mode's keys were handled here.
bool InteractKeyDown(Program& p, const InputEvent& event);

}  // namespace plandra
