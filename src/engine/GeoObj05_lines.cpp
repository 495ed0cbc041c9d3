// Line constructions. Only the defining points, the direction and Exists of
// an output line are written; its LineKind is the construction flow's.
#include <cmath>

#include "engine/GeoObj05_eval.h"

namespace plandra {
namespace {

void NoLine(LnRec& out) { out.Exists = kFalse; }
void NoLines(LnRec& out1, LnRec& out2) { out1.Exists = out2.Exists = kFalse; }

// The two tangents from a to the circle, both pointing away from it.
void Tangents(const PtRec& a, const CirRec& circle, LnRec& out1, LnRec& out2) {
  double dx = circle.CX - a.X, dy = circle.CY - a.Y;
  double q = dx * dx + dy * dy;
  double r = circle.R;
  double k = q - r * r;
  if (k < -kDirectionEps || q < kDirectionEps) return NoLines(out1, out2);
  // Within the tolerance of the circle the two tangents coincide.
  double s = k <= 0 ? 0 : std::sqrt(k);
  double ex = -dy, ey = dx;
  double d1x = -(s * dx + r * ex), d1y = -(s * dy + r * ey);
  double d2x = -(s * dx - r * ex), d2y = -(s * dy - r * ey);
  if (!Unitize(d1x, d1y) || !Unitize(d2x, d2y)) return NoLines(out1, out2);
  StoreLine(out1, a.X, a.Y, a.X + d1x, a.Y + d1y, d1x, d1y);
  StoreLine(out2, a.X, a.Y, a.X + d2x, a.Y + d2y, d2x, d2y);
}

// A common tangent of k0 and k1: w is the signed radius combination that
// selects it, side the sign of its touching point on k0.
void CommonTangent(const CirRec& k0, const CirRec& k1, double w, double side, LnRec& out) {
  double dx = k1.CX - k0.CX, dy = k1.CY - k0.CY;
  double q = dx * dx + dy * dy;
  if (q <= 0 || q - w * w < 0) return NoLine(out);
  double k = std::sqrt(q - w * w);
  double nx = (-w * dx - k * dy) / q;
  double ny = (k * dx - w * dy) / q;
  double tx = k0.CX + side * k0.R * nx;
  double ty = k0.CY + side * k0.R * ny;
  StoreLine(out, tx, ty, tx + ny, ty - nx, ny, -nx);
}

void ExternalTangents(const CirRec& k0, const CirRec& k1, LnRec& out1, LnRec& out2) {
  CommonTangent(k0, k1, k1.R - k0.R, 1, out1);
  CommonTangent(k0, k1, k0.R - k1.R, -1, out2);
}

void InternalTangents(const CirRec& k0, const CirRec& k1, LnRec& out1, LnRec& out2) {
  CommonTangent(k0, k1, -k1.R - k0.R, 1, out1);
  CommonTangent(k0, k1, k1.R + k0.R, -1, out2);
}

// The m-th of the n lines that cut the angle a-vertex-c into equal parts.
void AngleSection(StepEval& eval, LnRec& out) {
  const PtRec& a = eval.Pt(1);
  const PtRec& vertex = eval.Pt(2);
  double n = eval.Num(4).Value;
  double m = eval.Num(5).Value;
  NumRec theta;
  MeasureAngle(eval, a, vertex, eval.Pt(3), theta);
  if (n == 0 || !Defined(theta.Exists)) return NoLine(out);
  PtRec turned;
  RotatePoint(a, vertex, MakeNumber(theta.Value * m / n), turned);
  LineFromPoints(vertex, turned, out);
}

// Maps both defining points and joins the images.
template <class MapPoint>
void MapLine(const LnRec& line, MapPoint mapPoint, LnRec& out) {
  PtRec p1, p2, image1, image2;
  SplitLine(line, p1, p2);
  mapPoint(p1, image1);
  mapPoint(p2, image2);
  LineFromPoints(image1, image2, out);
}

void RotateHalfLine(const LnRec& line, const NumRec& degrees, LnRec& out) {
  PtRec start, through, turned;
  SplitLine(line, start, through);
  RotatePoint(through, start, degrees, turned);
  LineFromPoints(start, turned, out);
}

void EvalMappedLine(StepEval& eval, LnRec& out) {
  const LnRec& line = eval.Ln(1);
  switch (eval.Id) {
    case Kind::LRO:
      MapLine(
          line, [&](const PtRec& p, PtRec& q) { RotatePoint(p, eval.Pt(2), eval.Num(3), q); }, out);
      break;
    case Kind::LT1:
      MapLine(
          line, [&](const PtRec& p, PtRec& q) { ReflectInLine(p, eval.Ln(2), q); }, out);
      break;
    case Kind::LT2:
      MapLine(
          line, [&](const PtRec& p, PtRec& q) { ReflectInPoint(p, eval.Pt(2), q); }, out);
      break;
    case Kind::LT3:
      MapLine(
          line, [&](const PtRec& p, PtRec& q) { TranslateByLine(p, eval.Ln(2), q); }, out);
      break;
    case Kind::LHRO: RotateHalfLine(line, eval.Num(2), out); break;
    default: break;
  }
}

}  // namespace

void AngleBisector(const PtRec& a, const PtRec& vertex, const PtRec& c, LnRec& out) {
  PtRec centre;
  Incentre(a, vertex, c, centre);
  LineFromPoints(vertex, centre, out);
}

void Polar(const PtRec& p, const CirRec& circle, LnRec& out) {
  if (!Defined(p.Exists) || !Defined(circle.Exists)) return NoLine(out);
  // The polar of the point relative to the centre, moved back.
  LnRec relative;
  LineFromCoefficients(MakeNumber(p.X - circle.CX), MakeNumber(p.Y - circle.CY),
                       MakeNumber(-circle.R * circle.R), relative);
  if (!Defined(relative.Exists)) return NoLine(out);
  StoreLine(out, relative.X1 + circle.CX, relative.Y1 + circle.CY, relative.X2 + circle.CX,
            relative.Y2 + circle.CY, relative.DX, relative.DY);
}

void ComputeLineStep(StepEval& eval) {
  LnRec& out = eval.OutLn(1);
  switch (eval.Id) {
    case Kind::L1: LineFromPoints(eval.Pt(1), eval.Pt(2), out); break;
    case Kind::L2: ParallelThrough(eval.Ln(1), eval.Pt(2), out); break;
    case Kind::L3:
      PerpendicularThrough(eval.Ln(1), eval.Pt(2), out);
      if (!OutputOptional(eval.Id, eval.Out, 2)) LineIntersect(eval.Ln(1), out, eval.OutPt(2));
      break;
    case Kind::L4: PerpendicularBisector(eval.Ln(1), out); break;
    case Kind::L5: Tangents(eval.Pt(1), eval.Cir(2), out, eval.OutLn(2)); break;
    case Kind::L6: ExternalTangents(eval.Cir(1), eval.Cir(2), out, eval.OutLn(2)); break;
    case Kind::L7: InternalTangents(eval.Cir(1), eval.Cir(2), out, eval.OutLn(2)); break;
    case Kind::L8: Polar(eval.Pt(1), eval.Cir(2), out); break;
    case Kind::LH1: AngleBisector(eval.Pt(1), eval.Pt(2), eval.Pt(3), out); break;
    case Kind::LH2: AngleSection(eval, out); break;
    default: EvalMappedLine(eval, out); break;
  }
}

}  // namespace plandra
