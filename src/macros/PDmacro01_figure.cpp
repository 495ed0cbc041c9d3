// The map steps in the figure: their evaluation during a recompute and the
// macros that build them.
#include <array>
#include <string>
#include <vector>

#include "macros/PDmacro01.h"
#include "macros/ViewerText.h"

namespace plandra {
namespace {

// A map step with its continuation holds at most 5 + 4 inputs and 5 + 5
// outputs.
// Fixed arrays: the recompute runs at every mouse move.
struct MapRefs {
  std::array<ObjRef, 9> In{};
  size_t InCount = 0;
  std::array<ObjRef, 10> Out{};
  size_t OutCount = 0;
};

using MapPoints = std::array<MapPt, 9>;

// Inputs and outputs carried by the continuation step of each kind.
int ContinuationInputs(Kind kind) { return kind == Kind::PT6 ? 2 : 4; }

bool HasContinuation(const Figure& fig, int16_t step) {
  return step + 1 <= fig.StepCount && fig.StepKindId[step + 1] == Kind::PT62;
}

template <size_t N>
void AddSlots(const StepRefs& refs, int count, std::array<ObjRef, N>& into, size_t& used) {
  for (int k = 1; k <= count && used < N; ++k) into[used++] = refs[k];
}

MapRefs GatherRefs(const Figure& fig, int16_t step, Kind kind) {
  MapRefs refs;
  AddSlots(fig.StepIn[step], 5, refs.In, refs.InCount);
  AddSlots(fig.StepOut[step], 5, refs.Out, refs.OutCount);
  if (kind != Kind::PT5 && HasContinuation(fig, step)) {
    AddSlots(fig.StepIn[step + 1], ContinuationInputs(kind), refs.In, refs.InCount);
    AddSlots(fig.StepOut[step + 1], 5, refs.Out, refs.OutCount);
  }
  return refs;
}

bool ReadPoint(const Figure& fig, ObjRef ref, MapPt& pt) {
  if (ref.BaseClass() != kClassPoint || !RefInRange(fig, ref)) return false;
  const PtRec& rec = fig.PtTable[ref.Index];
  if (rec.Exists == 0) return false;
  pt = {rec.X, rec.Y};
  return true;
}

bool ReadPoints(const Figure& fig, const MapRefs& refs, MapPoints& pts) {
  for (size_t k = 0; k < refs.InCount; ++k) {
    if (!ReadPoint(fig, refs.In[k], pts[k])) return false;
  }
  return true;
}

PtRec* ImageRecord(Figure& fig, const MapRefs& refs) {
  ObjRef ref = refs.Out[0];
  if (ref.BaseClass() != kClassPoint || !RefInRange(fig, ref)) return nullptr;
  return &fig.PtTable[ref.Index];
}

NumRec* EntryRecord(Figure& fig, const MapRefs& refs, size_t entry) {
  if (entry + 1 >= refs.OutCount) return nullptr;
  ObjRef ref = refs.Out[entry + 1];
  if (ref.BaseClass() != kClassNumber || !RefInRange(fig, ref)) return nullptr;
  return &fig.NumTable[ref.Index];
}

void MarkOutputsMissing(Figure& fig, const MapRefs& refs) {
  if (PtRec* image = ImageRecord(fig, refs)) image->Exists = kFalse;
  for (size_t e = 0; e + 1 < refs.OutCount; ++e) {
    if (NumRec* entry = EntryRecord(fig, refs, e)) entry->Exists = kFalse;
  }
}

void WriteResult(Figure& fig, const MapRefs& refs, const MapResult& result) {
  if (PtRec* image = ImageRecord(fig, refs)) {
    image->Exists = result.ImageExists ? kTrue : kFalse;
    if (result.ImageExists) {
      image->X = result.Image.X;
      image->Y = result.Image.Y;
    }
  }
  if (!result.EntriesValid) return;
  for (int i = 1; i <= result.A.Rows; ++i) {
    for (int j = 1; j <= result.A.Cols; ++j) {
      NumRec* entry = EntryRecord(fig, refs, static_cast<size_t>((i - 1) * result.A.Cols + j - 1));
      if (entry == nullptr) continue;
      entry->Value = result.A(i, j);
      entry->Exists = kTrue;
    }
  }
}

MapResult ApplyMap(Kind kind, const MapPoints& p) {
  switch (kind) {
    case Kind::PT5: return MapLinear(p[0], p[1], p[2], p[3], p[4]);
    case Kind::PT6: return MapAffine(p[0], p[1], p[2], p[3], p[4], p[5], p[6]);
    default: return MapProjective(p[0], {p[1], p[2], p[3], p[4]}, {p[5], p[6], p[7], p[8]});
  }
}

size_t InputCount(Kind kind) { return kind == Kind::PT5 ? 5 : 5 + ContinuationInputs(kind); }

void ShowMatrices(const Figure& fig, Kind kind, const MapResult& result,
                  const MatrixDisplay* display) {
  if (display == nullptr || display->Viewer == nullptr || display->Lang == nullptr) return;
  if (kind == Kind::PT7) InspectMatrix(*display->Viewer, *display->Lang, "M2=", result.FQ);
  bool mapStepInLastPass = fig.CurKind == "PT5" || fig.CurKind == "PT6" || fig.CurKind == "PT7";
  if (display->MatrixShowSwitch != kFalse && mapStepInLastPass && result.EntriesValid) {
    InspectMatrix(*display->Viewer, *display->Lang, "M=", result.A);
  }
}

// ---- macros ----

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

int16_t NewElement(Figure& fig, int16_t cls) {
  ReserveElement(fig, cls);
  return fig.ElemCount[cls];
}

int16_t AppendFreePoint(Figure& fig, const NewPointAttrs& attrs) {
  AppendStep(fig);
  int16_t step = fig.StepCount;
  int16_t index = NewElement(fig, kClassPoint);
  fig.StepOut[step][1] = {kClassPoint, index};
  SetStepKind(fig, step, "PNEW");
  PtRec& pt = fig.PtTable[index];
  pt.X = attrs.X;
  pt.Y = attrs.Y;
  pt.Mark = attrs.Mark;
  pt.Color = attrs.Color;
  pt.Style = attrs.Style;
  pt.BoundMode = attrs.Movable ? kTrue : kFalse;
  pt.Exists = kTrue;
  SetElementName(fig, {kClassPoint, index}, attrs.Name);
  return index;
}

void AppendSegment(Figure& fig, int16_t from, int16_t to, int16_t color) {
  AppendStep(fig);
  int16_t step = fig.StepCount;
  int16_t index = NewElement(fig, kClassLine);
  fig.StepIn[step][1] = {kClassPoint, from};
  fig.StepIn[step][2] = {kClassPoint, to};
  fig.StepOut[step][1] = {kClassLine, index};
  SetStepKind(fig, step, "L1");
  LnRec& line = fig.LnTable[index];
  line.LineKind = 1;
  line.Color = color;
}

std::vector<ObjRef> NewMapOutputs(Figure& fig, int size) {
  int16_t image = NewElement(fig, kClassPoint);
  PtRec& pt = fig.PtTable[image];
  pt.Mark = 1;
  pt.Color = 1;
  pt.Style = 1;
  pt.BoundMode = kFalse;
  SetElementName(fig, {kClassPoint, image}, "φ(P)");
  std::vector<ObjRef> outputs{{kClassPoint, image}};
  for (int i = 1; i <= size; ++i) {
    for (int j = 1; j <= size; ++j) {
      int16_t entry = NewElement(fig, kClassNumber);
      fig.NumTable[entry].NumFlag = kFalse;
      std::string name = "A(" + std::to_string(i) + "," + std::to_string(j) + ")";
      SetElementName(fig, {kClassNumber, entry}, name);
      outputs.push_back({kClassNumber, entry});
    }
  }
  return outputs;
}

void FillSlots(StepRefs& slots, const std::vector<ObjRef>& refs, size_t first) {
  for (size_t k = first; k < refs.size() && k < first + 5; ++k) slots[k - first + 1] = refs[k];
}

// The map step and, for more than five references, its continuation; the
// map step's kind is written last, once all its references are in place.
void AppendMapSteps(Figure& fig, std::string_view kind, const std::vector<int16_t>& inputPoints,
                    int size) {
  std::vector<ObjRef> inputs;
  for (int16_t index : inputPoints) inputs.push_back({kClassPoint, index});
  std::vector<ObjRef> outputs = NewMapOutputs(fig, size);
  AppendStep(fig);
  int16_t step = fig.StepCount;
  FillSlots(fig.StepIn[step], inputs, 0);
  FillSlots(fig.StepOut[step], outputs, 0);
  if (outputs.size() > 5) {
    AppendStep(fig);
    FillSlots(fig.StepIn[step + 1], inputs, 5);
    FillSlots(fig.StepOut[step + 1], outputs, 5);
    SetStepKind(fig, static_cast<int16_t>(step + 1), "PT62");
  }
  SetStepKind(fig, step, kind);
}

}  // namespace

void EvalTransformStep(Figure& fig, int16_t step, const MatrixDisplay* display) {
  if (step < 1 || step > fig.StepCount) return;
  Kind kind = fig.StepKindId[step];
  if (kind != Kind::PT5 && kind != Kind::PT6 && kind != Kind::PT7) return;
  MapRefs refs = GatherRefs(fig, step, kind);
  MapPoints points{};
  if (refs.InCount != InputCount(kind) || !ReadPoints(fig, refs, points)) {
    MarkOutputsMissing(fig, refs);
    return;
  }
  MapResult result = ApplyMap(kind, points);
  WriteResult(fig, refs, result);
  ShowMatrices(fig, kind, result, display);
}

bool MacroLinear(Figure& fig) {
  if (!StoreCanTake(fig, 11, 7, 4, 4)) return false;
  int16_t p = AppendFreePoint(fig, {"P", 1, 1, 1, 2, 2, true});
  int16_t o = AppendFreePoint(fig, {"O", 0, 0, 0, 7, 0, false});
  int16_t p1 = AppendFreePoint(fig, {"P1", 1, 0, 0, 7, 0, true});
  int16_t p2 = AppendFreePoint(fig, {"P2", 0, 1, 0, 7, 0, true});
  int16_t q1 = AppendFreePoint(fig, {"Q1", 2, 1, 0, 7, 0, true});
  int16_t q2 = AppendFreePoint(fig, {"Q2", 1, 2, 0, 7, 0, true});
  AppendSegment(fig, o, p1, 2);
  AppendSegment(fig, o, p2, 2);
  AppendSegment(fig, o, q1, 1);
  AppendSegment(fig, o, q2, 1);
  AppendMapSteps(fig, "PT5", {p, p1, p2, q1, q2}, 2);
  return true;
}

bool MacroAffine(Figure& fig) {
  if (!StoreCanTake(fig, 13, 8, 4, 9)) return false;
  int16_t p = AppendFreePoint(fig, {"P", -2, 2, 1, 2, 2, true});
  int16_t p1 = AppendFreePoint(fig, {"P1", -4, 0, 0, 2, 0, true});
  int16_t p2 = AppendFreePoint(fig, {"P2", -3, 0, 0, 2, 0, true});
  int16_t p3 = AppendFreePoint(fig, {"P3", -4, 1, 0, 2, 0, true});
  int16_t q1 = AppendFreePoint(fig, {"Q1", 4, 0, 0, 1, 0, true});
  int16_t q2 = AppendFreePoint(fig, {"Q2", 5, 0, 0, 1, 0, true});
  int16_t q3 = AppendFreePoint(fig, {"Q3", 4, 1, 0, 1, 0, true});
  AppendSegment(fig, p1, p2, 2);
  AppendSegment(fig, p1, p3, 2);
  AppendSegment(fig, q1, q2, 1);
  AppendSegment(fig, q1, q3, 1);
  AppendMapSteps(fig, "PT6", {p, p1, p2, p3, q1, q2, q3}, 3);
  return true;
}

bool MacroProjective(Figure& fig) {
  if (!StoreCanTake(fig, 11, 10, 0, 9)) return false;
  int16_t p = AppendFreePoint(fig, {"P", -2, 2, 1, 2, 2, true});
  const std::array<MapPt, 4> sources{{{-8, 0}, {-4, 0}, {-4, 4}, {-8, 4}}};
  const std::array<MapPt, 4> images{{{2, 0}, {6, 0}, {6, 4}, {2, 4}}};
  std::vector<int16_t> inputs{p};
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
