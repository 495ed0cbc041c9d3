// The figure-store side of the flow (appending and removing steps and
// elements) and the macro kinds that expand into ordinary steps.
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "app/MainModel.h"
#include "app/Program.h"
#include "app/Refresh.h"
#include "app/TranslatedText.h"
#include "interact/PDSelObj.h"
#include "interact/PDconst01.h"
#include "interact/PDconst01_internal.h"
#include "numbers/Labels05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::array<std::string_view, 5> kMacroKinds{"LPGN", "PNEQ", "LRGN", "LH2+", "L3+"};
constexpr int16_t kSegment = 1;
constexpr int16_t kHalfLine = 2;

StepRefs& InputsOf(Figure& fig, int16_t step) { return fig.StepIn[static_cast<size_t>(step)]; }
StepRefs& OutputsOf(Figure& fig, int16_t step) { return fig.StepOut[static_cast<size_t>(step)]; }

template <class T>
void ResetRecord(std::vector<T>& table, int16_t index) {
  table[static_cast<size_t>(index)] = T{};
}

void ResetElementRecord(Figure& fig, ObjRef ref) {
  switch (ref.Class) {
    case kClassNumber: ResetRecord(fig.NumTable, ref.Index); break;
    case kClassPoint: ResetRecord(fig.PtTable, ref.Index); break;
    case kClassLine: ResetRecord(fig.LnTable, ref.Index); break;
    default: ResetRecord(fig.CirTable, ref.Index); break;
  }
  ClearElement(fig, ref);
}

// The integer part of a number input, kept within what a step table holds.
int NumberInput(const Figure& fig, ObjRef ref) {
  if (!RefInRange(fig, ref)) return 0;
  double value = fig.NumTable[ref.Index].Value;
  if (!std::isfinite(value)) return 0;
  return static_cast<int>(std::clamp(std::trunc(value), 0.0, static_cast<double>(kMaxCount)));
}

// Appends a finished step with its inputs and one new output of class cls;
// the output's index, or 0 when the tables are full.
int16_t AppendBuiltStep(Figure& fig, std::string_view code, std::initializer_list<ObjRef> inputs,
                        int16_t cls) {
  if (!AppendCleanStep(fig, code)) return 0;
  int16_t step = fig.StepCount;
  size_t slot = 1;
  for (ObjRef in : inputs) InputsOf(fig, step)[slot++] = in;
  int16_t made = AppendNewElement(fig, cls);
  if (made == 0) {
    RemoveLastStep(fig);
    return 0;
  }
  OutputsOf(fig, step)[1] = {cls, made};
  return made;
}

int16_t AppendLine(Figure& fig, std::string_view code, std::initializer_list<ObjRef> inputs,
                   int16_t lineKind) {
  int16_t made = AppendBuiltStep(fig, code, inputs, kClassLine);
  if (made != 0) fig.LnTable[made].LineKind = lineKind;
  return made;
}

int16_t AppendPoint(Figure& fig, std::string_view code, std::initializer_list<ObjRef> inputs,
                    int16_t mark) {
  int16_t made = AppendBuiltStep(fig, code, inputs, kClassPoint);
  if (made != 0) fig.PtTable[made].Mark = mark;
  return made;
}

ObjRef Point(int16_t index) { return {kClassPoint, index}; }
ObjRef Line(int16_t index) { return {kClassLine, index}; }
ObjRef Number(int16_t index) { return {kSlotNumber, index}; }

void ExpandPerpendicularFoot(Figure& fig, const StepRefs& in) {
  // The "L3" step gets its line only: the foot is the intersection's, and a
  // second foot would print its name over the first.
  int16_t line = AppendLine(fig, "L3", {in[1], in[2]}, kSegment);
  if (line == 0) return;
  AppendPoint(fig, "PC1", {in[1], Line(line)}, kMarkCross);
}

void ExpandEqualParts(Figure& fig, const StepRefs& in) {
  int n = NumberInput(fig, in[3]);
  for (int i = 1; i < n; ++i) {
    int16_t part = AppendNumber(fig, i);
    int16_t rest = AppendNumber(fig, n - i);
    if (part == 0 || rest == 0) return;
    if (AppendPoint(fig, "PN", {in[1], in[2], Number(part), Number(rest)}, kMarkCross) == 0) {
      return;
    }
  }
}

void ExpandAngleSections(Figure& fig, const StepRefs& in) {
  int n = NumberInput(fig, in[4]);
  for (int i = 1; i < n; ++i) {
    int16_t whole = AppendNumber(fig, n);
    int16_t part = AppendNumber(fig, i);
    if (whole == 0 || part == 0) return;
    if (AppendLine(fig, "LH2", {in[1], in[2], in[3], Number(whole), Number(part)}, kHalfLine) ==
        0) {
      return;
    }
  }
}

void ExpandRegularPolygon(Figure& fig, const StepRefs& in) {
  int n = NumberInput(fig, in[1]);
  if (n < 3) return;  // no polygon has fewer sides
  std::vector<int16_t> vertex{0, in[2].Index, in[3].Index};
  for (int k = 1; k <= n - 2; ++k) {
    int16_t angle = AppendNumber(fig, 180.0 - 360.0 / n);
    if (angle == 0) return;
    int16_t made = AppendPoint(fig, "PT1", {Point(vertex[k]), Point(vertex[k + 1]), Number(angle)},
                               kMarkPixel);
    if (made == 0) return;
    vertex.push_back(made);
  }
  for (int k = 1; k <= n; ++k) {
    int16_t next = k == n ? vertex[1] : vertex[k + 1];
    if (AppendLine(fig, "L1", {Point(vertex[k]), Point(next)}, kSegment) == 0) return;
  }
}

// Closes a macro: the closing step of the same kind, and the end of the flow.
void CloseMacro(Program& p, std::string_view code) {
  if (!AppendCleanStep(p.Fig, code)) p.Host->Beep();
  EndConstruction(p);
}

void StartPolygon(Program& p, int16_t step) {
  Figure& fig = p.Fig;
  ConstState& build = p.Build;
  int n = NumberInput(fig, InputsOf(fig, step)[1]);
  if (n < 2 || n > fig.ElemCount[kClassPoint]) {
    p.Host->MessageBox(Translate(p.Lang, kTooFewVerticesText), kProgramTitle, MsgButtons::kOk);
    RemoveLastStep(fig);
    EndConstruction(p);
    return;
  }
  build.PolyStep = step;
  build.PolyVertexCount = static_cast<int16_t>(n);
  build.PolyVertexNo = 1;
  build.PolyVertices.assign(static_cast<size_t>(n) + 1, 0);
  if (!AppendCleanStep(fig, "LPG+")) {
    RemoveLastStep(fig);
    EndConstruction(p);
    p.Host->Beep();
    return;
  }
  BuildVertexPickList(p);
}

// Withdraws the polygon: its opening step, the sides made so far and the
// placeholder.
void WithdrawPolygon(Program& p) {
  Figure& fig = p.Fig;
  while (fig.StepCount >= p.Build.PolyStep && fig.StepCount >= 1) RemoveLastStep(fig);
  p.Build.PolyVertexNo = 0;
  EndConstruction(p);
}

// Turns the placeholder into the side from vertex `from` to vertex `to`.
bool MakeSide(Figure& fig, int16_t from, int16_t to) {
  int16_t step = fig.StepCount;
  int16_t line = AppendNewElement(fig, kClassLine);
  if (line == 0) return false;
  SetStepKind(fig, step, "L1");
  InputsOf(fig, step)[1] = Point(from);
  InputsOf(fig, step)[2] = Point(to);
  OutputsOf(fig, step)[1] = Line(line);
  fig.LnTable[line].LineKind = kSegment;
  return true;
}

}  // namespace

bool AppendCleanStep(Figure& fig, std::string_view code) {
  if (!AppendStep(fig)) return false;
  int16_t step = fig.StepCount;
  SetStepKind(fig, step, code);
  InputsOf(fig, step) = StepRefs{};
  OutputsOf(fig, step) = StepRefs{};
  return true;
}

int16_t AppendNewElement(Figure& fig, int16_t cls) {
  if (!ReserveElement(fig, cls)) return 0;
  int16_t index = fig.ElemCount[cls];
  ResetElementRecord(fig, {cls, index});
  return index;
}

int16_t AppendNumber(Figure& fig, double value) {
  int16_t index = AppendNewElement(fig, kClassNumber);
  if (index == 0) return 0;
  NumRec& num = fig.NumTable[index];
  num.Value = value;
  num.Exists = kTrue;
  num.NumFlag = kTrue;
  return index;
}

void RemoveLastStep(Figure& fig) {
  int16_t step = fig.StepCount;
  if (step < 1) return;
  StepRefs& outputs = OutputsOf(fig, step);
  for (int slot = 5; slot >= 1; --slot) {
    ObjRef out = outputs[static_cast<size_t>(slot)];
    // A number output may carry class 0 ("CALC") or 100 (the measurements):
    // the index, not the class, tells a used slot.
    int16_t cls = out.BaseClass();
    if (out.Index == 0 || cls < kClassNumber || cls > kClassCircle) continue;
    if (out.Index != fig.ElemCount[cls]) continue;  // not this step's newest
    ResetElementRecord(fig, {cls, out.Index});
    --fig.ElemCount[cls];
  }
  SetStepKind(fig, step, "");
  InputsOf(fig, step) = StepRefs{};
  outputs = StepRefs{};
  fig.StepState[static_cast<size_t>(step)] = 0;
  fig.StepRev[static_cast<size_t>(step)] = 0;
  fig.CurOut[static_cast<size_t>(step)] = 0;
  --fig.StepCount;
}

bool IsMacroKind(std::string_view kind) {
  return std::find(kMacroKinds.begin(), kMacroKinds.end(), kind) != kMacroKinds.end();
}

void RemoveBracketedMacro(Figure& fig, std::string_view kind) {
  // The numbers the expansion made are inputs of its inner steps: they go
  // too when nothing made after them holds a higher index.
  std::vector<int16_t> innerNumbers;
  RemoveLastStep(fig);  // the closing step
  while (fig.StepCount >= 1) {
    int16_t step = fig.StepCount;
    bool opening = StepKindText(fig, step) == kind;
    if (!opening) {
      for (const ObjRef& in : InputsOf(fig, step)) {
        if (in.Class == kSlotNumber && in.Index != 0) innerNumbers.push_back(in.Index);
      }
    }
    RemoveLastStep(fig);
    if (opening) break;
  }
  std::sort(innerNumbers.begin(), innerNumbers.end());
  while (!innerNumbers.empty() && innerNumbers.back() == fig.ElemCount[kClassNumber] &&
         fig.ElemCount[kClassNumber] >= 1) {
    ResetElementRecord(fig, {kClassNumber, innerNumbers.back()});
    --fig.ElemCount[kClassNumber];
    innerNumbers.pop_back();
  }
}

void ExpandMacro(Program& p, int16_t step) {
  Figure& fig = p.Fig;
  std::string code(StepKindText(fig, step));
  const StepRefs in = InputsOf(fig, step);
  switch (fig.StepKindId[static_cast<size_t>(step)]) {
    case Kind::L3Macro: ExpandPerpendicularFoot(fig, in); break;
    case Kind::PNEQ: ExpandEqualParts(fig, in); break;
    case Kind::LH2Macro: ExpandAngleSections(fig, in); break;
    case Kind::LRGN: ExpandRegularPolygon(fig, in); break;
    case Kind::LPGN: StartPolygon(p, step); return;
    default: break;
  }
  CloseMacro(p, code);
}

void AcceptVertex(Program& p, ObjRef ref) {
  Figure& fig = p.Fig;
  ConstState& build = p.Build;
  if (build.PolyVertexNo < 1 || build.PolyVertexNo > build.PolyVertexCount) return;
  if (ref.Index == 0 || ref.BaseClass() != kClassPoint) {
    WithdrawPolygon(p);
    return;
  }
  int16_t no = build.PolyVertexNo;
  build.PolyVertices[static_cast<size_t>(no)] = ref.Index;
  MarkChosenInput(p, ref);
  if (no == 1) {
    RemoveLastStep(fig);  // the placeholder
  } else if (!MakeSide(fig, build.PolyVertices[static_cast<size_t>(no - 1)], ref.Index)) {
    WithdrawPolygon(p);
    return;
  }
  if (no < build.PolyVertexCount) {
    if (!AppendCleanStep(fig, "LPG+")) {
      WithdrawPolygon(p);
      return;
    }
    AutoLabels(fig, TranslatedText(p.Lang));
    Redraw(p);
    build.PolyVertexNo = static_cast<int16_t>(no + 1);
    BuildVertexPickList(p);
    return;
  }
  AppendLine(fig, "L1", {Point(ref.Index), Point(build.PolyVertices[1])}, kSegment);
  build.PolyVertexNo = 0;
  CloseMacro(p, "LPGN");
}

}  // namespace plandra
