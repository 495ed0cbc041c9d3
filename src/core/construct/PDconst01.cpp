#include "core/construct/PDconst01.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <utility>

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01_internal.h"
#include "core/language/TranslatedText.h"
#include "core/numbers/ExpressionInput.h"
#include "core/numbers/NumberChooser.h"
#include "core/pick/PDSelObj.h"
#include "files/PDio05.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr int16_t kDefaultDeformStep = 10;

std::string NormalisedCode(std::string_view code) {
  std::string text(Trim(code));
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

StepRefs& InputsOf(Figure& fig, int step) { return fig.StepIn[static_cast<size_t>(step)]; }
StepRefs& OutputsOf(Figure& fig, int step) { return fig.StepOut[static_cast<size_t>(step)]; }

void ReportNotEnough(Program& p, std::string_view code) {
  // The brackets are translated too: English quotes the name and puts the
  // reason after a colon.
  std::string text = Translate(p.Lang, "「") + KindDisplayName(p.Lang, code) +
                     Translate(p.Lang, "」") + Translate(p.Lang, kNotEnoughInputsText);
  p.Host->MessageBox(text, kProgramTitle, MsgButtons::kOk);
}

// Picks the input of a slot: the number dialog, or a candidate list.
void PickSlot(Program& p, int step, int slot) {
  const ObjRef& ref = InputsOf(p.Fig, step)[static_cast<size_t>(slot)];
  p.Pick.LineKindFilter = p.Build.ParentLineKind[static_cast<size_t>(slot)];
  BuildPickList(p, ref.Class);
}

void CompleteConstruction(Program& p, int step) {
  Figure& fig = p.Fig;
  StepRefs& outputs = OutputsOf(fig, step);
  for (int slot = 1; slot <= 5; ++slot) {
    int16_t cls = outputs[static_cast<size_t>(slot)].Class;
    if (cls == kSlotNone) continue;
    int made = AppendNewElement(fig, cls % 100);
    if (made == 0) {
      // The tables are full: withdraw the step rather than leave it half made.
      WithdrawLastStep(fig);
      EndConstruction(p);
      TellStoreFull(p);
      return;
    }
    outputs[static_cast<size_t>(slot)] = ObjRef::Of(cls, made);
  }
  ApplyOutputStyles(p, step);
  EndConstruction(p);
}

bool IsConstructionMode(int16_t mode) {
  return mode == kModePickConstruct || mode == kModeConstruct || mode == kModeBoundPoint;
}

// A step still gathering its inputs: a slot without its element, or a bound
// point without its host.
bool StepUnfinished(const Figure& fig, int step) {
  if (step < 1 || step > UpperBound(fig.StepIn)) return false;
  if (StepKindText(fig, step) == "LPG+") return true;
  const StepRefs& inputs = fig.StepIn[static_cast<size_t>(step)];
  return std::any_of(inputs.begin() + 1, inputs.end(),
                     [](const ObjRef& in) { return in.Class != kSlotNone && in.Index == 0; });
}

bool IsLineTransform(Kind kind) {
  return kind == Kind::LT1 || kind == Kind::LT2 || kind == Kind::LT3 || kind == Kind::LRO;
}

// The first slot with a class and no element, 0 when all are filled; the
// macro marker counts as such a slot.
int FirstOpenSlot(const StepRefs& inputs) {
  for (int slot = 1; slot <= 5; ++slot) {
    const ObjRef& ref = inputs[static_cast<size_t>(slot)];
    if (ref.Class == kSlotMacro) return slot;
    if (ref.Class != kSlotNone && ref.Index == 0) return slot;
  }
  return 0;
}

void MovePointBy(Program& p, double dx, double dy) {
  PtRec& pt = p.Fig.PtTable[p.Build.NewPointRef.Index];
  pt.X += dx;
  pt.Y += dy;
  Redraw(p);
}

double KeyStep(const Program& p) {
  int16_t step = p.Config.Delta == 0 ? kDefaultDeformStep : p.Config.Delta;
  return step * p.View.PixelSize;
}

void DiscardNewPoint(Program& p) {
  RemoveHighlight(p.Draw, p.Build.NewPointRef);
  WithdrawLastStep(p.Fig);
  p.Build.NewPointRef = {};
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
  Redraw(p);
}

// The host of a new bound point was chosen: the point goes onto it and the
// user drags it to its place.
void AcceptBoundHost(Program& p, int step, ObjRef host) {
  Figure& fig = p.Fig;
  InputsOf(fig, step)[1].Index = host.Index;
  ObjRef point = OutputsOf(fig, step)[1];
  fig.PtTable[point.Index].HostIndex = host.Index;
  // The position-setting drag of mode 30 moves it.
  PreparePlacingDrag(p, point.Index);
  PopModeIf(p, kModePickConstruct);
  PopModeIf(p, kModeBoundPoint);
  ClearHighlights(p.Draw);
  AutoLabels(fig, TranslatedText(p.Lang));
  Redraw(p);
  ModePush(p.Modes, kModePlacePoint, *p.Host);
  p.Build.UnplacedPoint = point.Index;
  RefreshModeDisplay(p);
}

}  // namespace

bool WithdrawUnplacedPoint(Program& p) {
  int point = std::exchange(p.Build.UnplacedPoint, 0);
  Figure& fig = p.Fig;
  if (point == 0 || CurrentMode(p.Modes) != kModePlacePoint || fig.StepCount < 1) return false;
  ObjRef made = OutputsOf(fig, fig.StepCount)[1];
  if (made.BaseClass() != kClassPoint || made.Index != point) return false;
  p.Deform.DraggedPoint = 0;
  p.Deform.DraggedLine = {};
  WithdrawLastStep(fig);
  ModePop(p.Modes, *p.Host);
  Redraw(p);
  RefreshModeDisplay(p);
  return true;
}

bool NewPointWaiting(const Program& p) {
  int16_t mode = CurrentMode(p.Modes);
  return mode == kModeAddPoint || (mode == kModePlacePoint && p.Build.UnplacedPoint != 0);
}

void ResetStyles(ConstState& state) {
  state.ParentLineKind.fill(-1);
  state.OutputStyle.fill(-1);
}

void SetKindSlots(Program& p, int step, std::string_view code) {
  Figure& fig = p.Fig;
  StepRefs& inputs = InputsOf(fig, step);
  StepRefs& outputs = OutputsOf(fig, step);
  for (int slot = 1; slot <= 5; ++slot) {
    inputs[static_cast<size_t>(slot)].Index = 0;
    outputs[static_cast<size_t>(slot)].Index = 0;
  }
  const KindInfo* info = FindKind(code);
  if (!info || info->Id == Kind::kUnknown) return;
  for (size_t slot = 1; slot <= 5; ++slot) {
    inputs[slot].Class = info->InClass[slot - 1];
    outputs[slot].Class = info->OutClass[slot - 1];
    // Only the kind's own requirements: a command may have set others.
    if (info->ParentLineKind[slot - 1] >= 0) {
      p.Build.ParentLineKind[slot] = info->ParentLineKind[slot - 1];
    }
    if (info->OutputStyle[slot - 1] >= 0) p.Build.OutputStyle[slot] = info->OutputStyle[slot - 1];
  }
}

bool CheckInputsAvailable(const Figure& fig, const StepRefs& inputs, const SlotStyles& lineKinds) {
  constexpr int kLineKinds = 11;
  std::array<int, 4> needByClass{};
  std::array<int, kLineKinds> needByLineKind{};
  for (size_t slot = 1; slot <= 5; ++slot) {
    int16_t cls = inputs[slot].Class;
    if (cls == kSlotNone || cls == kSlotMacro) continue;
    ++needByClass[static_cast<size_t>(cls % 100)];
    int16_t lineKind = lineKinds[slot];
    if (lineKind >= 0 && lineKind < kLineKinds) ++needByLineKind[static_cast<size_t>(lineKind)];
  }
  for (size_t cls = kClassPoint; cls <= kClassCircle; ++cls) {
    if (needByClass[cls] > fig.ElemCount[cls]) return false;
  }
  std::array<int, kLineKinds> haveByLineKind{};
  for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
    int16_t lineKind = fig.LnTable[i].LineKind;
    if (lineKind >= 0 && lineKind < kLineKinds) ++haveByLineKind[static_cast<size_t>(lineKind)];
  }
  for (size_t k = 0; k < kLineKinds; ++k) {
    if (needByLineKind[k] > haveByLineKind[k]) return false;
  }
  return true;
}

void StartConstruction(Program& p, std::string_view kindCode) {
  Figure& fig = p.Fig;
  ConstState& build = p.Build;
  int last = fig.StepCount;
  if (last >= 1 && build.RepeatFlag && StepKindText(fig, last) == "PBND") {
    NewBoundPoint(p, InputsOf(fig, last)[1].BaseClass());
    return;
  }
  std::string code = NormalisedCode(kindCode);
  if (!AppendCleanStep(fig, code)) {
    TellStoreFull(p);
    return;
  }
  ModePush(p.Modes, kModeConstruct, *p.Host);
  RefreshModeDisplay(p);
  int step = fig.StepCount;
  if (build.RepeatFlag && step >= 2) {
    InputsOf(fig, step) = InputsOf(fig, step - 1);
  } else {
    ResetStyles(build);
  }
  SetKindSlots(p, step, code);
  build.RepeatFlag = false;
  p.Pick.LineKindFilter = -1;
  const StepRefs& inputs = InputsOf(fig, step);
  if (!CheckInputsAvailable(fig, inputs, build.ParentLineKind)) {
    WithdrawLastStep(fig);
    ReportNotEnough(p, code);
    PopModeIf(p, kModeConstruct);
    RefreshModeDisplay(p);
    return;
  }
  if (inputs[1].Class == kSlotNone) {
    // No kind starts with an empty slot; one that does cannot be built.
    WithdrawLastStep(fig);
    p.Host->MessageBox("internal error: " + code, kProgramTitle, MsgButtons::kOk);
    PopModeIf(p, kModeConstruct);
    RefreshModeDisplay(p);
    return;
  }
  ModePush(p.Modes, kModePickConstruct, *p.Host);
  RefreshModeDisplay(p);
  if (inputs[1].Index == 0) PickSlot(p, step, 1);
}

void AcceptInput(Program& p, ObjRef ref) {
  Figure& fig = p.Fig;
  int step = fig.StepCount;
  if (step < 1) return;
  if (ref.Index == 0) {
    WithdrawLastStep(fig);
    p.Build.NewPointRef = {};
    EndConstruction(p);
    return;
  }
  if (StepKindText(fig, step) == "PBND") {
    AcceptBoundHost(p, step, ref);
    return;
  }
  StepRefs& inputs = InputsOf(fig, step);
  int open = FirstOpenSlot(inputs);
  if (open == 0 || inputs[static_cast<size_t>(open)].Class == kSlotMacro) return;
  ObjRef& slot = inputs[static_cast<size_t>(open)];
  // Only an element of the slot's class that the figure holds fills it.
  if (slot.BaseClass() != ref.BaseClass() || !RefInRange(fig, {slot.BaseClass(), ref.Index})) {
    return;
  }
  slot.Index = ref.Index;
  MarkChosenInput(p, ref);
  int next = FirstOpenSlot(inputs);
  if (next == 0) {
    CompleteConstruction(p, step);
  } else if (inputs[static_cast<size_t>(next)].Class == kSlotMacro) {
    ExpandMacro(p, step);
  } else {
    PickSlot(p, step, next);
  }
}

void ApplyOutputStyles(Program& p, int step) {
  Figure& fig = p.Fig;
  const StepRefs& outputs = OutputsOf(fig, step);
  for (size_t slot = 1; slot <= 5; ++slot) {
    int16_t style = p.Build.OutputStyle[slot];
    const ObjRef& out = outputs[slot];
    if (style < 0 || out.Index == 0) continue;
    if (out.Class == kClassPoint) fig.PtTable[out.Index].Mark = style;
    if (out.Class == kClassLine) fig.LnTable[out.Index].LineKind = style;
  }
  const ObjRef& source = InputsOf(fig, step)[1];
  const ObjRef& made = outputs[1];
  if (IsLineTransform(fig.StepKindId[static_cast<size_t>(step)]) && made.Class == kClassLine &&
      made.Index != 0 && source.Class == kClassLine && RefInRange(fig, source)) {
    fig.LnTable[made.Index].LineKind = fig.LnTable[source.Index].LineKind;
  }
}

void EndConstruction(Program& p) {
  // Every mode the construction stacked goes, the bound point's 29 too, so
  // that no way out of the flow leaves a mode without keys behind.
  while (IsConstructionMode(CurrentMode(p.Modes))) ModePop(p.Modes, *p.Host);
  if (p.SelNum.Shown) SelNumHide(p);
  p.Pick.PickCount = 0;
  p.Pick.PickCur = {};
  ClearHighlights(p.Draw);
  ClearObjStatus(p);
  AutoLabels(p.Fig, TranslatedText(p.Lang));
  RefreshModeDisplay(p);
  Redraw(p);
}

void PopModeIf(Program& p, int16_t mode) {
  if (CurrentMode(p.Modes) == mode) ModePop(p.Modes, *p.Host);
}

void TellStoreFull(Program& p) {
  p.Host->MessageBox(Translate(p.Lang, kStoreFullText), kProgramTitle, MsgButtons::kOk);
}

bool EscapeConstructionMode(Program& p) {
  switch (CurrentMode(p.Modes)) {
    case kModeEditBinding: SelGeoKindBoundedCancel(p); return true;
    case kModeNumExpression: ExpressCancel(p); return true;
    case kModeConstruct:
    case kModeBoundPoint:
      if (StepUnfinished(p.Fig, p.Fig.StepCount)) WithdrawLastStep(p.Fig);
      p.Build.NewPointRef = {};
      EndConstruction(p);
      return true;
    default: return false;
  }
}

void NewFreePoint(Program& p) {
  Figure& fig = p.Fig;
  ModePush(p.Modes, kModeAddPoint, *p.Host);
  RefreshModeDisplay(p);
  if (p.Config.AxisShow != kFalse) DrawAxes(p);
  if (!AppendCleanStep(fig, "PNEW")) {
    PopModeIf(p, kModeAddPoint);
    RefreshModeDisplay(p);
    TellStoreFull(p);
    return;
  }
  ResetStyles(p.Build);
  int step = fig.StepCount;
  SetKindSlots(p, step, "PNEW");
  int index = AppendNewElement(fig, kClassPoint);
  if (index == 0) {
    WithdrawLastStep(fig);
    PopModeIf(p, kModeAddPoint);
    RefreshModeDisplay(p);
    TellStoreFull(p);
    return;
  }
  OutputsOf(fig, step)[1] = ObjRef::Of(kClassPoint, index);
  PtRec& pt = fig.PtTable[index];
  pt.Mark = kMarkCircle;
  pt.BoundMode = -1;
  pt.Exists = kTrue;
  pt.Color = kColorBlack;
  p.Build.NewPointRef = ObjRef::Of(kClassPoint, index);
  p.Pick.PickCur = p.Build.NewPointRef;
  HighlightCandidate(p);
}

void PlaceNewPoint(Program& p, double x, double y) {
  ObjRef ref = p.Build.NewPointRef;
  if (CurrentMode(p.Modes) != kModeAddPoint || ref.Index == 0) return;
  RemoveHighlight(p.Draw, ref);
  PtRec& pt = p.Fig.PtTable[ref.Index];
  pt.Mark = kMarkCross;
  pt.X = x;
  pt.Y = y;
  p.Pick.PickCur = {};
  ModePop(p.Modes, *p.Host);
  AutoLabels(p.Fig, TranslatedText(p.Lang));
  Redraw(p);
  NewFreePoint(p);
}

void AddPointKeyDown(Program& p, const InputEvent& event) {
  ObjRef ref = p.Build.NewPointRef;
  if (ref.Index == 0) return;
  double step = KeyStep(p);
  const PtRec& pt = p.Fig.PtTable[ref.Index];
  switch (event.KeyCode) {
    case kKeyLeft: MovePointBy(p, -step, 0); break;
    case kKeyRight: MovePointBy(p, step, 0); break;
    case kKeyUp: MovePointBy(p, 0, step); break;
    case kKeyDown: MovePointBy(p, 0, -step); break;
    case kKeyH: MovePointBy(p, -pt.X, -pt.Y); break;
    case kKeyA: mnuOAxis(p); break;
    case kKeyEnter: PlaceNewPoint(p, pt.X, pt.Y); break;
    case kKeyEscape: DiscardNewPoint(p); break;
    default: break;
  }
}

void NewBoundPoint(Program& p, int16_t hostClass) {
  Figure& fig = p.Fig;
  if (hostClass < kClassLine || hostClass > kClassCircle || fig.ElemCount[hostClass] == 0) {
    p.Host->MessageBox(Translate(p.Lang, kNoHostText), kProgramTitle, MsgButtons::kOk);
    return;
  }
  p.Build.RepeatFlag = false;
  if (!AppendCleanStep(fig, "PBND")) {
    TellStoreFull(p);
    return;
  }
  int index = AppendNewElement(fig, kClassPoint);
  if (index == 0) {
    WithdrawLastStep(fig);
    TellStoreFull(p);
    return;
  }
  ModePush(p.Modes, kModeBoundPoint, *p.Host);
  RefreshModeDisplay(p);
  if (p.Config.AxisShow != kFalse) DrawAxes(p);
  ResetStyles(p.Build);
  int step = fig.StepCount;
  SetKindSlots(p, step, "PBND");
  InputsOf(fig, step)[1].Class = hostClass;
  OutputsOf(fig, step)[1] = ObjRef::Of(kClassPoint, index);
  PtRec& pt = fig.PtTable[index];
  pt.Mark = kMarkPixel;
  pt.BoundMode = -1;
  pt.Exists = kTrue;
  pt.Color = kColorBlack;
  pt.HostClass = hostClass;
  pt.HostIndex = 0;
  pt.Param = 0.0;
  ModePush(p.Modes, kModePickConstruct, *p.Host);
  RefreshModeDisplay(p);
  PickSlot(p, step, 1);
}

namespace {

// Enough to walk back through a lesson's construction; the oldest undo is
// forgotten first.
constexpr size_t kRedoDepth = 100;

std::string FigureText(const Figure& fig) {
  bool lostCharacters = false;
  return FigFileText(fig, lostCharacters);
}

// Keeps the figure before an undo. What was undone before stays redoable
// only while the figure is still what that undo left.
void RememberUndone(Program& p, Figure before) {
  std::vector<UndoneStep>& undone = p.Build.Undone;
  if (!undone.empty() && undone.back().AfterText != FigureText(before)) undone.clear();
  if (undone.size() >= kRedoDepth) undone.erase(undone.begin());
  undone.push_back({std::move(before), FigureText(p.Fig), p.Fig.StepCount});
}

}  // namespace

void UndoLastConstruction(Program& p) {
  Figure& fig = p.Fig;
  if (fig.StepCount < 1) {
    p.Host->Beep();
    return;
  }
  Figure before = fig;
  std::string kind(StepKindText(fig, fig.StepCount));
  if (IsMacroKind(kind)) {
    RemoveBracketedMacro(fig, kind);
  } else {
    RemoveLastStep(fig);
  }
  AutoLabels(fig, TranslatedText(p.Lang));
  RememberUndone(p, std::move(before));
  Redraw(p);
}

bool CanRedo(const Program& p) {
  return !p.Build.Undone.empty() && p.Build.Undone.back().AfterStepCount == p.Fig.StepCount;
}

void RedoUndoneStep(Program& p) {
  std::vector<UndoneStep>& undone = p.Build.Undone;
  if (!CanRedo(p)) {
    p.Host->Beep();
    return;
  }
  if (undone.back().AfterText != FigureText(p.Fig)) {
    undone.clear();
    p.Host->MessageBox(Translate(p.Lang, kRedoAfterChangeText), Translate(p.Lang, kProgramTitle),
                       MsgButtons::kOk);
    return;
  }
  p.Fig = std::move(undone.back().Before);
  undone.pop_back();
  Redraw(p);
}

void RepeatLastCommand(Program& p) {
  Figure& fig = p.Fig;
  if (fig.StepCount < 1) {
    p.Host->Beep();
    return;
  }
  std::string kind(StepKindText(fig, fig.StepCount));
  if (kind == "CALC") {
    mnuMcalc(p);
    return;
  }
  if (kind == "PNEW") {
    NewFreePoint(p);
    return;
  }
  p.Build.RepeatFlag = true;
  StartConstruction(p, kind);
}

}  // namespace plandra
