// Circle constructions: each finds a centre and a radius; a construction it
// builds on that fails leaves no circle.
#include "engine/GeoObj05_eval.h"

namespace plandra {
namespace {

void StoreCentreAndRadius(const PtRec& centre, const NumRec& radius, CirRec& out) {
  if (!Defined(centre.Exists) || !Defined(radius.Exists)) {
    out.Exists = kFalse;
    return;
  }
  StoreCircle(out, centre.X, centre.Y, radius.Value);
}

// A circle whose centre is found by fixing a point; radius the distance to it.
void CircleToPoint(const PtRec& centre, const PtRec& onCircle, CirRec& out) {
  if (!Defined(centre.Exists) || !Defined(onCircle.Exists)) {
    out.Exists = kFalse;
    return;
  }
  StoreCircle(out, centre.X, centre.Y, DistanceBetween(centre, onCircle));
}

void CircleOnDiameter(const LnRec& line, CirRec& out) {
  PtRec first, second, middle;
  SplitLine(line, first, second);
  Midpoint(first, second, middle);
  CircleToPoint(middle, first, out);
}

// The circle about centre touching the line through p and q.
void CircleTouching(const PtRec& centre, const PtRec& p, const PtRec& q, CirRec& out) {
  LnRec line;
  LineFromPoints(p, q, line);
  PtRec foot;
  FootOnLine(line, centre, foot);
  CircleToPoint(centre, foot, out);
}

void TriangleCircle(StepEval& eval, CirRec& out) {
  const PtRec& a = eval.Pt(1);
  const PtRec& b = eval.Pt(2);
  const PtRec& c = eval.Pt(3);
  PtRec centre;
  switch (eval.Id) {
    case Kind::C3:
      Circumcentre(a, b, c, centre);
      CircleToPoint(centre, a, out);
      break;
    case Kind::C5:
      Incentre(a, b, c, centre);
      CircleTouching(centre, a, b, out);
      break;
    case Kind::C6:
      Excentre(a, b, c, centre);
      CircleTouching(centre, b, c, out);
      break;
    case Kind::C7: {
      NinePointCentre(a, b, c, centre);
      PtRec mab;
      Midpoint(a, b, mab);
      CircleToPoint(centre, mab, out);
      break;
    }
    default: break;
  }
}

// Moves the centre, keeps the radius.
template <class MapPoint>
void MapCircle(const CirRec& circle, MapPoint mapPoint, CirRec& out) {
  PtRec moved;
  mapPoint(CentreOf(circle), moved);
  StoreCentreAndRadius(moved, MakeNumber(circle.R), out);
}

void EvalMappedCircle(StepEval& eval, CirRec& out) {
  const CirRec& circle = eval.Cir(1);
  switch (eval.Id) {
    case Kind::CRO:
      MapCircle(
          circle, [&](const PtRec& p, PtRec& q) { RotatePoint(p, eval.Pt(2), eval.Num(3), q); },
          out);
      break;
    case Kind::CT1:
      MapCircle(
          circle, [&](const PtRec& p, PtRec& q) { ReflectInLine(p, eval.Ln(2), q); }, out);
      break;
    case Kind::CT2:
      MapCircle(
          circle, [&](const PtRec& p, PtRec& q) { ReflectInPoint(p, eval.Pt(2), q); }, out);
      break;
    case Kind::CT3:
      MapCircle(
          circle, [&](const PtRec& p, PtRec& q) { TranslateByLine(p, eval.Ln(2), q); }, out);
      break;
    default: break;
  }
}

}  // namespace

void ComputeCircleStep(StepEval& eval) {
  CirRec& out = eval.OutCir(1);
  switch (eval.Id) {
    case Kind::C1: {
      const NumRec& radius = eval.Num(2);
      if (radius.Value < 0) {
        out.Exists = kFalse;
      } else {
        StoreCentreAndRadius(eval.Pt(1), radius, out);
      }
      break;
    }
    case Kind::C2: CircleToPoint(eval.Pt(1), eval.Pt(2), out); break;
    case Kind::C4: CircleOnDiameter(eval.Ln(1), out); break;
    case Kind::C3:
    case Kind::C5:
    case Kind::C6:
    case Kind::C7: TriangleCircle(eval, out); break;
    default: EvalMappedCircle(eval, out); break;
  }
}

}  // namespace plandra
