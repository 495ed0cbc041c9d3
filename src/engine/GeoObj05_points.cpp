// Point constructions, and the triangle centres other kinds build on.
#include <cmath>
#include <utility>

#include "engine/GeoObj05_eval.h"

namespace plandra {
namespace {

bool AllExist(const PtRec& a, const PtRec& b, const PtRec& c) {
  return Defined(a.Exists) && Defined(b.Exists) && Defined(c.Exists);
}

void Centroid(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out) {
  StorePoint(out, (a.X + b.X + c.X) / 3, (a.Y + b.Y + c.Y) / 3);
}

void Orthocentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out) {
  LnRec ab, ac, fromC, fromB;
  LineFromPoints(a, b, ab);
  PerpendicularThrough(ab, c, fromC);
  LineFromPoints(a, c, ac);
  PerpendicularThrough(ac, b, fromB);
  LineIntersect(fromC, fromB, out);
}

// The inverse of p in the circle: the foot of p on its polar.
void Invert(const PtRec& p, const CirRec& circle, PtRec& out) {
  LnRec polar, perpendicular;
  Polar(p, circle, polar);
  PerpendicularThrough(polar, p, perpendicular);
  LineIntersect(polar, perpendicular, out);
}

void Pole(const LnRec& line, const CirRec& circle, PtRec& out) {
  NumRec a, b, c;
  LineCoefficients(line, a, b, c);
  double k = a.Value * circle.CX + b.Value * circle.CY + c.Value;
  if (k == 0) {
    out.Exists = kFalse;
    return;
  }
  double r2 = circle.R * circle.R;
  StorePoint(out, circle.CX - r2 * a.Value / k, circle.CY - r2 * b.Value / k);
}

// The divisor of a complex quotient or reciprocal must be clear of 0.
bool NearOrigin(const PtRec& p) {
  return std::abs(p.X) < kDirectionEps && std::abs(p.Y) < kDirectionEps;
}

void ComplexQuotient(const PtRec& a, const PtRec& b, PtRec& out) {
  if (NearOrigin(b)) {
    out.Exists = kFalse;
    return;
  }
  double q = b.X * b.X + b.Y * b.Y;
  StorePoint(out, (a.X * b.X + a.Y * b.Y) / q, (a.Y * b.X - a.X * b.Y) / q);
}

void ComplexReciprocal(const PtRec& a, PtRec& out) {
  if (NearOrigin(a)) {
    out.Exists = kFalse;
    return;
  }
  double q = a.X * a.X + a.Y * a.Y;
  StorePoint(out, a.X / q, -a.Y / q);
}

// Argument of (x, y) in 0..2π; 0 at the origin.
double Argument(double x, double y) {
  double t;
  if (x == 0) {
    t = y > 0 ? kPi / 2 : y < 0 ? -kPi / 2 : 0;
  } else {
    t = std::atan(y / x) + (x < 0 ? kPi : 0);
  }
  return t < 0 ? t + kFullTurn : t;
}

void ComplexPower(const PtRec& a, double n, PtRec& out) {
  double r = VectorLength(a.X, a.Y);
  // The origin has no negative power.
  if (r == 0 && n < 0) {
    out.Exists = kFalse;
    return;
  }
  double t = Argument(a.X, a.Y);
  double rn = std::pow(r, n);
  StorePoint(out, rn * std::cos(n * t), rn * std::sin(n * t));
}

// Writes the two intersections so that each output keeps its identity: when
// the natural order now puts each point where its sibling was at the last
// snapshot, StepRev flips and the outputs stay where they were.
void PlacePair(StepEval& eval, double x1, double y1, double x2, double y2) {
  PtRec& out1 = eval.OutPt(1);
  PtRec& out2 = eval.OutPt(2);
  if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2)) {
    out1.Exists = out2.Exists = kFalse;
    return;
  }
  // Plain places, not records: this runs at every sample of a locus.
  struct Place {
    double X, Y;
  };
  const Place a1{x1, y1}, a2{x2, y2};
  Figure& fig = eval.Fig;
  int16_t& rev = fig.StepRev[eval.Step];
  auto prevSize = fig.PtTablePrev.size();
  auto i1 = static_cast<size_t>(eval.Out[1].Index);
  auto i2 = static_cast<size_t>(eval.Out[2].Index);
  if (i1 < prevSize && i2 < prevSize) {
    const PtRec* q1 = &fig.PtTablePrev[i1];
    const PtRec* q2 = &fig.PtTablePrev[i2];
    if (rev) std::swap(q1, q2);
    bool m11 = Coincident(a1, *q1), m12 = Coincident(a1, *q2);
    bool m21 = Coincident(a2, *q1), m22 = Coincident(a2, *q2);
    if (!m11 && !m22 && (m12 || m21)) rev = rev ? kFalse : kTrue;
  }
  const Place& first = rev ? a2 : a1;
  const Place& second = rev ? a1 : a2;
  StorePoint(out1, first.X, first.Y);
  StorePoint(out2, second.X, second.Y);
}

void NoPair(StepEval& eval) { eval.OutPt(1).Exists = eval.OutPt(2).Exists = kFalse; }

// A discriminant just below 0 is a tangency; false when clearly negative.
bool SettleDiscriminant(double& d) {
  if (d < -kDiscriminantEps) return false;
  if (std::abs(d) < kDiscriminantEps) d = 0;
  return true;
}

void LineCircleCrossing(StepEval& eval, const LnRec& line, const CirRec& circle) {
  double dx = line.DX, dy = line.DY;
  double h = (line.Y1 - circle.CY) * dx - (line.X1 - circle.CX) * dy;
  double d = circle.R * circle.R - h * h;
  if (!SettleDiscriminant(d)) return NoPair(eval);
  double e = std::sqrt(d);
  double t = (circle.CX - line.X1) * dx + (circle.CY - line.Y1) * dy;
  PlacePair(eval, line.X1 + (t + e) * dx, line.Y1 + (t + e) * dy, line.X1 + (t - e) * dx,
            line.Y1 + (t - e) * dy);
}

void CircleCircleCrossing(StepEval& eval, const CirRec& k0, const CirRec& k1) {
  double dx = k1.CX - k0.CX, dy = k1.CY - k0.CY;
  double q = dx * dx + dy * dy;
  if (q <= 0) return NoPair(eval);
  double r0 = k0.R * k0.R, r1 = k1.R * k1.R;
  double g = r1 - r0;
  double d = 2 * q * (r0 + r1) - q * q - g * g;
  if (!SettleDiscriminant(d)) return NoPair(eval);
  double m = 0.5 / q;
  double f = 0.5 - m * g;
  double fx = k0.CX + f * dx, fy = k0.CY + f * dy;
  double k = m * std::sqrt(d);
  PlacePair(eval, fx - k * dy, fy + k * dx, fx + k * dy, fy - k * dx);
}

void EvalComplex(StepEval& eval, PtRec& out) {
  const PtRec& a = eval.Pt(1);
  switch (eval.Id) {
    case Kind::POAdd: StorePoint(out, a.X + eval.Pt(2).X, a.Y + eval.Pt(2).Y); break;
    case Kind::POSub: StorePoint(out, a.X - eval.Pt(2).X, a.Y - eval.Pt(2).Y); break;
    case Kind::POMul: {
      const PtRec& b = eval.Pt(2);
      StorePoint(out, a.X * b.X - a.Y * b.Y, a.X * b.Y + a.Y * b.X);
      break;
    }
    case Kind::PODiv: ComplexQuotient(a, eval.Pt(2), out); break;
    case Kind::POInv: ComplexReciprocal(a, out); break;
    case Kind::POPow: ComplexPower(a, eval.Num(2).Value, out); break;
    default: break;
  }
}

void EvalSinglePoint(StepEval& eval) {
  PtRec& out = eval.OutPt(1);
  switch (eval.Id) {
    case Kind::P1: Circumcentre(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::P2: Incentre(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::P3: Centroid(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::P4: Orthocentre(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::P5: Excentre(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::P6: NinePointCentre(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::PC1: LineIntersect(eval.Ln(1), eval.Ln(2), out); break;
    case Kind::PN: DivideRatio(eval.Pt(1), eval.Pt(2), eval.Num(3), eval.Num(4), out); break;
    case Kind::PEXT: ExtendPoint(eval.Pt(1), eval.Pt(2), eval.Num(3), out); break;
    case Kind::PT1: RotatePoint(eval.Pt(1), eval.Pt(2), eval.Num(3), out); break;
    case Kind::PT2: ReflectInLine(eval.Pt(1), eval.Ln(2), out); break;
    case Kind::PT3: ReflectInPoint(eval.Pt(1), eval.Pt(2), out); break;
    case Kind::PT4: Invert(eval.Pt(1), eval.Cir(2), out); break;
    case Kind::PT8: TranslateByLine(eval.Pt(1), eval.Ln(2), out); break;
    case Kind::PT9: Pole(eval.Ln(1), eval.Cir(2), out); break;
    case Kind::PXY: StorePoint(out, eval.Num(1).Value, eval.Num(2).Value); break;
    default: EvalComplex(eval, out); break;
  }
}

}  // namespace

void Midpoint(const PtRec& a, const PtRec& b, PtRec& out) {
  DivideRatio(a, b, MakeNumber(1), MakeNumber(1), out);
}

void Circumcentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out) {
  LnRec ab, ac, bisectorAb, bisectorAc;
  LineFromPoints(a, b, ab);
  LineFromPoints(a, c, ac);
  PerpendicularBisector(ab, bisectorAb);
  PerpendicularBisector(ac, bisectorAc);
  LineIntersect(bisectorAb, bisectorAc, out);
}

void Incentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out) {
  if (!AllExist(a, b, c)) {
    out.Exists = kFalse;
    return;
  }
  double la = VectorLength(b.X - c.X, b.Y - c.Y);
  double lb = VectorLength(c.X - a.X, c.Y - a.Y);
  double lc = VectorLength(a.X - b.X, a.Y - b.Y);
  double perimeter = la + lb + lc;
  if (perimeter == 0) {
    StorePoint(out, a.X, a.Y);
    return;
  }
  StorePoint(out, (la * a.X + lb * b.X + lc * c.X) / perimeter,
             (la * a.Y + lb * b.Y + lc * c.Y) / perimeter);
}

void Excentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out) {
  PtRec beyondB;  // a mirrored in b, so that the bisector at b is the outer one
  ExtendPoint(a, b, MakeNumber(1), beyondB);
  LnRec atA, atB;
  AngleBisector(b, a, c, atA);
  AngleBisector(beyondB, b, c, atB);
  LineIntersect(atA, atB, out);
}

void NinePointCentre(const PtRec& a, const PtRec& b, const PtRec& c, PtRec& out) {
  PtRec mab, mbc, mca;
  Midpoint(a, b, mab);
  Midpoint(b, c, mbc);
  Midpoint(c, a, mca);
  Circumcentre(mab, mbc, mca, out);
}

void FootOnLine(const LnRec& line, const PtRec& p, PtRec& foot) {
  LnRec perpendicular;
  PerpendicularThrough(line, p, perpendicular);
  PtRec start;
  SplitLine(perpendicular, start, foot);
}

void ComputePointStep(StepEval& eval) {
  switch (eval.Id) {
    case Kind::PC2: LineCircleCrossing(eval, eval.Ln(1), eval.Cir(2)); break;
    case Kind::PC3: CircleCircleCrossing(eval, eval.Cir(1), eval.Cir(2)); break;
    default: EvalSinglePoint(eval); break;
  }
}

}  // namespace plandra
