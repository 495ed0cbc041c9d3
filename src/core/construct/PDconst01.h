// The construction flow: a command's kind becomes a step whose inputs are
// picked one by one, then its outputs are appended and the figure redrawn.
// Also the new free and bound points, the macro kinds, undo and repeat.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDvar05.h"

namespace plandra {

struct Program;
struct InputEvent;

constexpr std::string_view kNotEnoughInputsText =
    "の元にするものが足りません。まず,それを作ってください。";
constexpr std::string_view kNoHostText = "元にする対象がありません。キャンセルします。";
constexpr std::string_view kTooFewVerticesText =
    "頂点の数が足りないので,この多角形は作れません。この作業はキャンセルします。";
constexpr std::string_view kStoreFullText =
    "図形がいっぱいなので,これ以上は作れません。作図の手順と,点・直線・円・数値は,それぞれ32767"
    "個までです。";

constexpr std::string_view kRedoAfterChangeText = "図が変わったので,やり直しはできません。";

using SlotStyles = std::array<int16_t, 6>;  // slots 1..5; 0 unused

// What an undo took: the figure before it and the figure's file text after
// it, so that a redo can tell whether anything changed in between.
struct UndoneStep {
  Figure Before;
  std::string AfterText;
  int AfterStepCount = 0;
};

struct ConstState {
  SlotStyles ParentLineKind{-1, -1, -1, -1, -1, -1};
  SlotStyles OutputStyle{-1, -1, -1, -1, -1, -1};
  bool RepeatFlag = false;
  ObjRef NewPointRef;
  int PolyVertexCount = 0;
  int PolyVertexNo = 0;
  std::vector<int> PolyVertices;  // 1-based
  int PolyStep = 0;
  // Opens the number-selection dialog for the pending number slot; the
  // dialog answers through AcceptInput with the chosen number (class 0).
  // Unset, the slot waits for AcceptInput.
  std::function<void(Program&)> OpenNumberDialog;
  // The binding being edited: the point and the host chosen for it (its
  // class while the host is picked).
  ObjRef BindTarget;
  ObjRef BindHost;
  ObjRef MenuTarget;  // the element the object context menu was opened on
  // A new bound point sliding along its host before the click that places
  // it: Escape then withdraws it with its step.
  int UnplacedPoint = 0;
  std::vector<UndoneStep> Undone;  // newest last
};

void ResetStyles(ConstState& state);
// Empties every slot of the step and writes the kind's slot classes; the
// kind's style lists go into the flow state.
void SetKindSlots(Program& p, int step, std::string_view code);
// False when the figure lacks elements the step's input slots need.
bool CheckInputsAvailable(const Figure& fig, const StepRefs& inputs, const SlotStyles& lineKinds);

void StartConstruction(Program& p, std::string_view kindCode);
// The candidate accepted in mode 15; an Index of 0 abandons the construction.
void AcceptInput(Program& p, ObjRef ref);
void AcceptVertex(Program& p, ObjRef ref);

void NewFreePoint(Program& p);
void PlaceNewPoint(Program& p, double x, double y);
void AddPointKeyDown(Program& p, const InputEvent& event);

void NewBoundPoint(Program& p, int16_t hostClass);
// Escape before the new bound point's first placing: the point and its step
// go as if the command had never started. False when no such point waits.
bool WithdrawUnplacedPoint(Program& p);
// True while a new point waits for the click that makes it.
bool NewPointWaiting(const Program& p);

void UndoLastConstruction(Program& p);
// Puts back the steps undone since the last new step, newest first; refused
// with a message when the figure changed since the undo.
void RedoUndoneStep(Program& p);
bool CanRedo(const Program& p);
void RepeatLastCommand(Program& p);

// Editing how a movable point moves: free, on another point, on a line or
// on a circle. EditBinding opens the dialog for the point (mode 51); its OK
// takes the list position, which is the host class.
void EditBinding(Program& p, ObjRef point);
void SelGeoKindBoundedOK(Program& p);
void SelGeoKindBoundedCancel(Program& p);
// The point to bind, accepted in mode 52.
void AcceptBindPoint(Program& p, ObjRef point);
// The host accepted in mode 53; an Index of 0 frees the point.
void AcceptBindHost(Program& p, ObjRef host);
// Escape in modes 52 and 53; the point keeps its binding.
void EscapeBindPick(Program& p);
void SetFree(Program& p);
void mnuEboundedPt(Program& p);
void mnuEdit2_point_Bounded(Program& p);

// Removes the last step and the elements it created (outputs that are the
// last of their class).
void RemoveLastStep(Figure& fig);

// Appends a step with empty slots and the given kind; false when full.
bool AppendCleanStep(Figure& fig, std::string_view code);
// Appends an element of class cls with its class defaults; its index, or 0
// when the table is full.
int AppendNewElement(Figure& fig, int cls);
// An independent number holding value; its index, or 0 when full.
int AppendNumber(Figure& fig, double value);

// Tells that the figure's tables cannot take what a command would add.
void TellStoreFull(Program& p);

// Leaves mode when it is the current one.
void PopModeIf(Program& p, int16_t mode);
// Escape where the construction flow has no keys of its own: a construction
// left in mode 17 or 29, the binding edit's mode 51, the expression dialog's
// mode 21. What is unfinished is withdrawn and the standard mode is back;
// false in any other mode.
bool EscapeConstructionMode(Program& p);

// Expands the macro of the step under construction (marker slot reached).
void ExpandMacro(Program& p, int step);

}  // namespace plandra
