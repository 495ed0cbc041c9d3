// Shared parts of the step evaluation: the view of one step's inputs and
// outputs, the per-class dispatchers, and constructions that several kinds
// build on. Internal to the engine.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/GeoObj05.h"
#include "engine/Math05.h"
#include "figure/PDvar05.h"

namespace plandra {

// The highest index a reference of each class may carry: the count, cut to
// the table, so that a store whose counts disagree with it is never overrun.
using ElemLimits = std::array<int, 4>;
ElemLimits ElemLimitsOf(const Figure& fig);

// True when ref names an element of class cls (ref's class taken mod 100).
inline bool RefMatches(const ElemLimits& limits, ObjRef ref, int cls) {
  // Most references carry the plain class; only the rest pay for the modulo.
  bool classMatches = ref.Class == cls || ref.Class % 100 == cls;
  return classMatches && cls >= kClassNumber && cls <= kClassCircle && ref.Index >= 1 &&
         ref.Index <= limits[cls];
}

// One step under evaluation. The accessors index the tables directly: call
// them only after RefsValid has checked the step's references.
struct StepEval {
  Figure& Fig;
  RecomputeReport& Report;
  int Step;
  Kind Id;
  const StepRefs& In;
  const StepRefs& Out;
  const ElemLimits& Limits;
  const MatrixDisplay* Display;  // where the map steps show their matrices, or none

  const PtRec& Pt(int slot) const { return Fig.PtTable[In[slot].Index]; }
  const LnRec& Ln(int slot) const { return Fig.LnTable[In[slot].Index]; }
  const CirRec& Cir(int slot) const { return Fig.CirTable[In[slot].Index]; }
  const NumRec& Num(int slot) const { return Fig.NumTable[In[slot].Index]; }
  PtRec& OutPt(int slot) const { return Fig.PtTable[Out[slot].Index]; }
  LnRec& OutLn(int slot) const { return Fig.LnTable[Out[slot].Index]; }
  CirRec& OutCir(int slot) const { return Fig.CirTable[Out[slot].Index]; }
  NumRec& OutNum(int slot) const { return Fig.NumTable[Out[slot].Index]; }
};

// Exists of an element whose reference RefMatches has passed.
inline int16_t ExistsAt(const Figure& fig, int16_t cls, int16_t index) {
  switch (cls) {
    case kClassNumber: return fig.NumTable[index].Exists;
    case kClassPoint: return fig.PtTable[index].Exists;
    case kClassLine: return fig.LnTable[index].Exists;
    case kClassCircle: return fig.CirTable[index].Exists;
    default: return kFalse;
  }
}

// True when every reference the kind reads and writes names an element of
// the class the kind expects and, when inputsIn is given, every input exists
// there.
bool RefsValid(Kind kind, const StepRefs& in, const StepRefs& out, const ElemLimits& limits,
               const Figure* inputsIn = nullptr);
// True for an output slot the kind may leave empty, and leaves empty here.
bool OutputOptional(Kind kind, const StepRefs& out, int slot);

// What a kind computes once its step is checked, with the step's
// references valid and its inputs there.
using StepCompute = void (*)(StepEval&);
void ComputePointStep(StepEval& eval);
void ComputeLineStep(StepEval& eval);
void ComputeCircleStep(StepEval& eval);
void ComputeNumberStep(StepEval& eval);

// How the steps of a kind are evaluated: most are checked (RefsValid) and
// then computed; the maps check their own references; the rest compute
// nothing in a pass. At most one of the two is set.
struct StepEvaluator {
  StepCompute Compute = nullptr;  // after the checks
  StepCompute Whole = nullptr;    // checks for itself
};
StepEvaluator EvaluatorOf(Kind kind);

// A checked step whose inputs are not ready: its valid outputs get Exists 0
// and a measurement leaves no angle mark.
void ComputeNothing(StepEval& eval);
inline void RunCompute(StepEval& eval, StepCompute compute, bool ready) {
  if (ready) {
    compute(eval);
  } else {
    ComputeNothing(eval);
  }
}

// A store sized for fewer than five steps has fewer CurOut entries than a
// step has output slots.
inline void EnsureCurOut(Figure& fig) {
  if (fig.CurOut.size() < 6) fig.CurOut.resize(6);
}

// The last step every step table can hold, so that a store whose counts
// disagree with its tables is never read past its end.
int StepLimit(const Figure& fig);
// RecomputeStep for a step within the step tables, CurOut made to hold it.
void EvaluateStep(Figure& fig, RecomputeReport& report, const ElemLimits& limits, int step,
                  const MatrixDisplay* display);
// Sets LastPass; the last pass drops the angle marks of steps gone.
void BeginPass(Figure& fig, bool last);
// The host step for the listed points on figures; counts once in
// HeldAtEnd when it held one at an end of its host.
void HostedPointsStep(Figure& fig, const std::vector<int>& points, const ElemLimits& limits,
                      RecomputeReport& report);

// Triangle centres and other constructions shared by several kinds.
void Midpoint(const PtRec& a, const PtRec& b, PtRec& out);
void Circumcentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out);
void Incentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out);
void Excentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out);  // opposite a
void NinePointCentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out);
void FootOnLine(const LnRec& line, const PtRec& p, PtRec& foot);
void AngleBisector(const PtRec& a, const PtRec& vertex, const PtRec& c, LnRec& out);
void Polar(const PtRec& p, const CirRec& circle, LnRec& out);

// Signed angle a-vertex-c of the step, registering its angle mark.
void MeasureAngle(StepEval& eval, const PtRec& a, const PtRec& vertex, const PtRec& c, NumRec& out);
bool MeasuresAngle(Kind kind);
// Angle marks are kept only from the last pass and while recording is on;
// one mark per step, kept in step order.
void RegisterAngleMark(Figure& fig, int step, const PtRec& from, const PtRec& vertex,
                       const PtRec& to, double degrees);
void DropAngleMark(Figure& fig, int step);
// Removes the marks of steps that are gone or no longer measure an angle.
void PruneAngleMarks(Figure& fig);

}  // namespace plandra
