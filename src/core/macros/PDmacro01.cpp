// The macros that build the map steps.
#include "core/macros/PDmacro01.h"

#include <array>
#include <string>
#include <vector>

namespace plandra {
namespace {

struct NewPointAttrs {
  const char* Name;
  double X, Y;
  int16_t Mark, Color, Style;
  bool Movable;
};

bool StoreCanTake(const Figure& fig, int steps, int points, int lines, int numbers) {
  return fig.StepCount + steps <= kMaxCount && fig.ElemCount[kClassPoint] + points <= kMaxCount &&
         fig.ElemCount[kClassLine] + lines <= kMaxCount &&
         fig.ElemCount[kClassNumber] + numbers <= kMaxCount;
}

int NewElement(Figure& fig, int cls) {
  ReserveElement(fig, cls);
  return fig.ElemCount[static_cast<size_t>(cls)];
}

int AppendFreePoint(Figure& fig, const NewPointAttrs& attrs) {
  AppendStep(fig);
  int step = fig.StepCount;
  int index = NewElement(fig, kClassPoint);
  fig.StepOut[step][1] = ObjRef::Of(kClassPoint, index);
  SetStepKind(fig, step, "PNEW");
  PtRec& pt = fig.PtTable[index];
  pt.X = attrs.X;
  pt.Y = attrs.Y;
  pt.Mark = attrs.Mark;
  pt.Color = attrs.Color;
  pt.Style = attrs.Style;
  pt.BoundMode = attrs.Movable ? kTrue : kFalse;
  pt.Exists = kTrue;
  SetElementName(fig, ObjRef::Of(kClassPoint, index), attrs.Name);
  return index;
}

void AppendSegment(Figure& fig, int from, int to, int16_t color) {
  AppendStep(fig);
  int step = fig.StepCount;
  int index = NewElement(fig, kClassLine);
  fig.StepIn[step][1] = ObjRef::Of(kClassPoint, from);
  fig.StepIn[step][2] = ObjRef::Of(kClassPoint, to);
  fig.StepOut[step][1] = ObjRef::Of(kClassLine, index);
  SetStepKind(fig, step, "L1");
  LnRec& line = fig.LnTable[index];
  line.LineKind = 1;
  line.Color = color;
}

std::vector<ObjRef> NewMapOutputs(Figure& fig, int size) {
  int image = NewElement(fig, kClassPoint);
  PtRec& pt = fig.PtTable[image];
  pt.Mark = 1;
  pt.Color = 1;
  pt.Style = 1;
  pt.BoundMode = kFalse;
  SetElementName(fig, ObjRef::Of(kClassPoint, image), "φ(P)");
  std::vector<ObjRef> outputs{ObjRef::Of(kClassPoint, image)};
  for (int i = 1; i <= size; ++i) {
    for (int j = 1; j <= size; ++j) {
      int entry = NewElement(fig, kClassNumber);
      fig.NumTable[entry].NumFlag = kFalse;
      std::string name = "A(" + std::to_string(i) + "," + std::to_string(j) + ")";
      SetElementName(fig, ObjRef::Of(kClassNumber, entry), name);
      outputs.push_back(ObjRef::Of(kClassNumber, entry));
    }
  }
  return outputs;
}

void FillSlots(StepRefs& slots, const std::vector<ObjRef>& refs, size_t first) {
  for (size_t k = first; k < refs.size() && k < first + 5; ++k) slots[k - first + 1] = refs[k];
}

// The map step and, for more than five references, its continuation; the
// map step's kind is written last, once all its references are in place.
void AppendMapSteps(Figure& fig, std::string_view kind, const std::vector<int>& inputPoints,
                    int size) {
  std::vector<ObjRef> inputs;
  for (int index : inputPoints) inputs.push_back(ObjRef::Of(kClassPoint, index));
  std::vector<ObjRef> outputs = NewMapOutputs(fig, size);
  AppendStep(fig);
  int step = fig.StepCount;
  FillSlots(fig.StepIn[step], inputs, 0);
  FillSlots(fig.StepOut[step], outputs, 0);
  if (outputs.size() > 5) {
    AppendStep(fig);
    FillSlots(fig.StepIn[step + 1], inputs, 5);
    FillSlots(fig.StepOut[step + 1], outputs, 5);
    SetStepKind(fig, step + 1, "PT62");
  }
  SetStepKind(fig, step, kind);
}

}  // namespace

bool MacroLinear(Figure& fig) {
  if (!StoreCanTake(fig, 11, 7, 4, 4)) return false;
  int p = AppendFreePoint(fig, {"P", 1, 1, 1, 2, 2, true});
  int o = AppendFreePoint(fig, {"O", 0, 0, 0, 7, 0, false});
  int p1 = AppendFreePoint(fig, {"P1", 1, 0, 0, 7, 0, true});
  int p2 = AppendFreePoint(fig, {"P2", 0, 1, 0, 7, 0, true});
  int q1 = AppendFreePoint(fig, {"Q1", 2, 1, 0, 7, 0, true});
  int q2 = AppendFreePoint(fig, {"Q2", 1, 2, 0, 7, 0, true});
  AppendSegment(fig, o, p1, 2);
  AppendSegment(fig, o, p2, 2);
  AppendSegment(fig, o, q1, 1);
  AppendSegment(fig, o, q2, 1);
  AppendMapSteps(fig, "PT5", {p, p1, p2, q1, q2}, 2);
  return true;
}

bool MacroAffine(Figure& fig) {
  if (!StoreCanTake(fig, 13, 8, 4, 9)) return false;
  int p = AppendFreePoint(fig, {"P", -2, 2, 1, 2, 2, true});
  int p1 = AppendFreePoint(fig, {"P1", -4, 0, 0, 2, 0, true});
  int p2 = AppendFreePoint(fig, {"P2", -3, 0, 0, 2, 0, true});
  int p3 = AppendFreePoint(fig, {"P3", -4, 1, 0, 2, 0, true});
  int q1 = AppendFreePoint(fig, {"Q1", 4, 0, 0, 1, 0, true});
  int q2 = AppendFreePoint(fig, {"Q2", 5, 0, 0, 1, 0, true});
  int q3 = AppendFreePoint(fig, {"Q3", 4, 1, 0, 1, 0, true});
  AppendSegment(fig, p1, p2, 2);
  AppendSegment(fig, p1, p3, 2);
  AppendSegment(fig, q1, q2, 1);
  AppendSegment(fig, q1, q3, 1);
  AppendMapSteps(fig, "PT6", {p, p1, p2, p3, q1, q2, q3}, 3);
  return true;
}

bool MacroProjective(Figure& fig) {
  if (!StoreCanTake(fig, 11, 10, 0, 9)) return false;
  int p = AppendFreePoint(fig, {"P", -2, 2, 1, 2, 2, true});
  const std::array<MapPt, 4> sources{{{-8, 0}, {-4, 0}, {-4, 4}, {-8, 4}}};
  const std::array<MapPt, 4> images{{{2, 0}, {6, 0}, {6, 4}, {2, 4}}};
  std::vector<int> inputs{p};
  const char* sourceNames[] = {"P1", "P2", "P3", "P4"};
  const char* imageNames[] = {"Q1", "Q2", "Q3", "Q4"};
  for (int k = 0; k < 4; ++k) {
    auto color = static_cast<int16_t>(k + 1);
    inputs.push_back(
        AppendFreePoint(fig, {sourceNames[k], sources[k].X, sources[k].Y, 1, color, 0, true}));
  }
  for (int k = 0; k < 4; ++k) {
    auto color = static_cast<int16_t>(k + 1);
    inputs.push_back(
        AppendFreePoint(fig, {imageNames[k], images[k].X, images[k].Y, 1, color, 0, true}));
  }
  AppendMapSteps(fig, "PT7", inputs, 3);
  return true;
}

}  // namespace plandra
