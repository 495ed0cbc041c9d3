// The figure-store side of the flow (appending and removing steps and
// elements) and the macro kinds that expand into ordinary steps.
#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <vector>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/construct/PDconst01.h"
#include "core/construct/PDconst01_internal.h"
#include "core/language/TranslatedText.h"
#include "core/pick/PDSelObj.h"
#include "labels/Labels05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr std::array<std::string_view, 5> kMacroKinds{"LPGN", "PNEQ", "LRGN", "LH2+", "L3+"};
constexpr int16_t kSegment = 1;
constexpr int16_t kHalfLine = 2;

StepRefs& InputsOf(Figure& fig, int step) { return fig.StepIn[static_cast<size_t>(step)]; }
StepRefs& OutputsOf(Figure& fig, int step) { return fig.StepOut[static_cast<size_t>(step)]; }

template <class T>
void ResetRecord(Table<T>& table, int index) {
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
int AppendBuiltStep(Figure& fig, std::string_view code, std::initializer_list<ObjRef> inputs,
                    int cls) {
  if (!AppendCleanStep(fig, code)) return 0;
  int step = fig.StepCount;
  size_t slot = 1;
  for (ObjRef in : inputs) InputsOf(fig, step)[slot++] = in;
  int made = AppendNewElement(fig, cls);
  if (made == 0) {
    RemoveLastStep(fig);
    return 0;
  }
  OutputsOf(fig, step)[1] = ObjRef::Of(cls, made);
  return made;
}

int AppendLine(Figure& fig, std::string_view code, std::initializer_list<ObjRef> inputs,
               int16_t lineKind) {
  int made = AppendBuiltStep(fig, code, inputs, kClassLine);
  if (made != 0) fig.LnTable[made].LineKind = lineKind;
  return made;
}

int AppendPoint(Figure& fig, std::string_view code, std::initializer_list<ObjRef> inputs,
                int16_t mark) {
  int made = AppendBuiltStep(fig, code, inputs, kClassPoint);
  if (made != 0) fig.PtTable[made].Mark = mark;
  return made;
}

ObjRef Point(int index) { return ObjRef::Of(kClassPoint, index); }
ObjRef Line(int index) { return ObjRef::Of(kClassLine, index); }
ObjRef Number(int index) { return ObjRef::Of(kSlotNumber, index); }

void ExpandPerpendicularFoot(Figure& fig, const StepRefs& in) {
  // The "L3" step gets its line only: the foot is the intersection's, and a
  // second foot would print its name over the first.
  int line = AppendLine(fig, "L3", {in[1], in[2]}, kSegment);
  if (line == 0) return;
  AppendPoint(fig, "PC1", {in[1], Line(line)}, kMarkCross);
}

void ExpandEqualParts(Figure& fig, const StepRefs& in) {
  int n = NumberInput(fig, in[3]);
  for (int i = 1; i < n; ++i) {
    int part = AppendNumber(fig, i);
    int rest = AppendNumber(fig, n - i);
    if (part == 0 || rest == 0) return;
    if (AppendPoint(fig, "PN", {in[1], in[2], Number(part), Number(rest)}, kMarkCross) == 0) {
      return;
    }
  }
}

void ExpandAngleSections(Figure& fig, const StepRefs& in) {
  int n = NumberInput(fig, in[4]);
  for (int i = 1; i < n; ++i) {
    int whole = AppendNumber(fig, n);
    int part = AppendNumber(fig, i);
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
  std::vector<int> vertex{0, in[2].Index, in[3].Index};
  for (int k = 1; k <= n - 2; ++k) {
    int angle = AppendNumber(fig, 180.0 - 360.0 / n);
    if (angle == 0) return;
    int made = AppendPoint(fig, "PT1", {Point(vertex[k]), Point(vertex[k + 1]), Number(angle)},
                           kMarkPixel);
    if (made == 0) return;
    vertex.push_back(made);
  }
  for (int k = 1; k <= n; ++k) {
    int next = k == n ? vertex[1] : vertex[k + 1];
    if (AppendLine(fig, "L1", {Point(vertex[k]), Point(next)}, kSegment) == 0) return;
  }
}

// What an expansion adds: steps (its closing step included) and elements by class.
struct MacroNeeds {
  int Steps = 1;
  std::array<int, 4> Elements{};
};

MacroNeeds NeedsOf(const Figure& fig, Kind kind, const StepRefs& in) {
  MacroNeeds needs;
  auto add = [&needs](int steps, int numbers, int points, int lines) {
    needs.Steps += steps;
    needs.Elements = {numbers, points, lines, 0};
  };
  switch (kind) {
    case Kind::L3Macro: add(2, 0, 1, 1); break;
    case Kind::PNEQ: {
      int parts = std::max(NumberInput(fig, in[3]) - 1, 0);
      add(parts, 2 * parts, parts, 0);
      break;
    }
    case Kind::LH2Macro: {
      int parts = std::max(NumberInput(fig, in[4]) - 1, 0);
      add(parts, 2 * parts, 0, parts);
      break;
    }
    case Kind::LRGN: {
      int n = NumberInput(fig, in[1]);
      if (n >= 3) add(2 * n - 2, n - 2, n - 2, n);
      break;
    }
    case Kind::LPGN: {
      // More sides than points is refused by the polygon itself, with its own message.
      int n = std::min(NumberInput(fig, in[1]), fig.ElemCount[kClassPoint]);
      add(n, 0, 0, n);
      break;
    }
    default: break;
  }
  return needs;
}

// Whether the tables can take the whole expansion: a macro is made whole or
// not at all, never cut short where the tables end.
bool MacroFits(const Figure& fig, int step) {
  MacroNeeds needs = NeedsOf(fig, fig.StepKindId[static_cast<size_t>(step)], fig.StepIn[step]);
  if (fig.StepCount + needs.Steps > kMaxCount) return false;
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls) {
    if (fig.ElemCount[cls] + needs.Elements[cls] > kMaxCount) return false;
  }
  return true;
}

// Closes a macro: the closing step of the same kind, and the end of the flow.
void CloseMacro(Program& p, std::string_view code) {
  bool closed = AppendCleanStep(p.Fig, code);
  EndConstruction(p);
  if (!closed) TellStoreFull(p);
}

void StartPolygon(Program& p, int step) {
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
  build.PolyVertexCount = n;
  build.PolyVertexNo = 1;
  build.PolyVertices.assign(static_cast<size_t>(n) + 1, 0);
  if (!AppendCleanStep(fig, "LPG+")) {
    RemoveLastStep(fig);
    EndConstruction(p);
    TellStoreFull(p);
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
bool MakeSide(Figure& fig, int from, int to) {
  int step = fig.StepCount;
  int line = AppendNewElement(fig, kClassLine);
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
  int step = fig.StepCount;
  SetStepKind(fig, step, code);
  InputsOf(fig, step) = StepRefs{};
  OutputsOf(fig, step) = StepRefs{};
  return true;
}

int AppendNewElement(Figure& fig, int cls) {
  if (!ReserveElement(fig, cls)) return 0;
  int index = fig.ElemCount[static_cast<size_t>(cls)];
  ResetElementRecord(fig, ObjRef::Of(cls, index));
  return index;
}

int AppendNumber(Figure& fig, double value) {
  int index = AppendNewElement(fig, kClassNumber);
  if (index == 0) return 0;
  NumRec& num = fig.NumTable[index];
  num.Value = value;
  num.Exists = kTrue;
  num.NumFlag = kTrue;
  return index;
}

void RemoveLastStep(Figure& fig) {
  int step = fig.StepCount;
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
  std::vector<int> innerNumbers;
  RemoveLastStep(fig);  // the closing step
  while (fig.StepCount >= 1) {
    int step = fig.StepCount;
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
    ResetElementRecord(fig, ObjRef::Of(kClassNumber, innerNumbers.back()));
    --fig.ElemCount[kClassNumber];
    innerNumbers.pop_back();
  }
}

void ExpandMacro(Program& p, int step) {
  Figure& fig = p.Fig;
  std::string code(StepKindText(fig, step));
  const StepRefs in = InputsOf(fig, step);
  if (!MacroFits(fig, step)) {
    RemoveLastStep(fig);  // the opening step
    EndConstruction(p);
    TellStoreFull(p);
    return;
  }
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
  int no = build.PolyVertexNo;
  build.PolyVertices[static_cast<size_t>(no)] = ref.Index;
  MarkChosenInput(p, ref);
  if (no == 1) {
    RemoveLastStep(fig);  // the placeholder
  } else if (!MakeSide(fig, build.PolyVertices[static_cast<size_t>(no - 1)], ref.Index)) {
    WithdrawPolygon(p);
    TellStoreFull(p);
    return;
  }
  if (no < build.PolyVertexCount) {
    if (!AppendCleanStep(fig, "LPG+")) {
      WithdrawPolygon(p);
      TellStoreFull(p);
      return;
    }
    AutoLabels(fig, TranslatedText(p.Lang));
    Redraw(p);
    build.PolyVertexNo = no + 1;
    BuildVertexPickList(p);
    return;
  }
  AppendLine(fig, "L1", {Point(ref.Index), Point(build.PolyVertices[1])}, kSegment);
  build.PolyVertexNo = 0;
  CloseMacro(p, "LPGN");
}

}  // namespace plandra
