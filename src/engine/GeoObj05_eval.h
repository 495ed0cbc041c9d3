// Shared parts of the step evaluation: the view of one step's inputs and
// outputs, the per-class dispatchers, and constructions that several kinds
// build on. Internal to the engine.
#pragma once

#include <array>
#include <cstdint>

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
// them only after InputsReady has checked the step's references.
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

// True when every reference the kind reads and writes names an element of
// the class the kind expects, and every input exists. Otherwise the valid
// outputs get Exists 0 (invalid ones are never written) and it is false.
bool InputsReady(StepEval& eval);
// True for an output slot the kind may leave empty, and leaves empty here.
bool OutputOptional(const StepEval& eval, int slot);

void EvalPointStep(StepEval& eval);
void EvalLineStep(StepEval& eval);
void EvalCircleStep(StepEval& eval);
void EvalNumberStep(StepEval& eval);

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
