#include "engine/Math05.h"

#include <cmath>

namespace plandra {
namespace {

bool Exist(const PtRec& a, const PtRec& b) { return Defined(a.Exists) && Defined(b.Exists); }

// A line as a point and a direction, for the solves inside the primitives.
struct Ray {
  double X, Y, DX, DY;
};

Ray RayOf(const LnRec& line) { return {line.X1, line.Y1, line.DX, line.DY}; }

// Solves r1.P + t·d1 = r2.P + u·d2 for the point; false when the lines are
// too close to parallel.
bool Intersect(const Ray& r1, const Ray& r2, double& x, double& y) {
  double det = r1.DX * -r2.DY - -r2.DX * r1.DY;
  if (std::abs(det) < kDirectionEps) return false;
  // Cramer's rule for t.
  double rx = r2.X - r1.X;
  double ry = r2.Y - r1.Y;
  double t = (rx * -r2.DY - -r2.DX * ry) / det;
  x = r1.X + t * r1.DX;
  y = r1.Y + t * r1.DY;
  return true;
}

// The perpendicular through (x, y) as PerpendicularThrough builds it.
bool Perpendicular(const LnRec& line, double x, double y, LnRec& out) {
  Ray perpendicular{x, y, -line.DY, line.DX};
  double footX, footY;
  if (!Intersect(RayOf(line), perpendicular, footX, footY)) {
    out.Exists = kFalse;
    return false;
  }
  return StoreLine(out, x, y, footX, footY, perpendicular.DX, perpendicular.DY);
}

// Rotation of (x, y) about (cx, cy) by t radians, counterclockwise.
void Rotate(double x, double y, double cx, double cy, double t, double& rx, double& ry) {
  double c = std::cos(t);
  double s = std::sin(t);
  rx = (x - cx) * c + cx - (y - cy) * s;
  ry = (x - cx) * s + cy + (y - cy) * c;
}

}  // namespace

PtRec MakePoint(double x, double y) {
  PtRec p;
  p.X = x;
  p.Y = y;
  p.Exists = kTrue;
  return p;
}

NumRec MakeNumber(double value) {
  NumRec n;
  n.Value = value;
  n.Exists = kTrue;
  return n;
}

PtRec CentreOf(const CirRec& circle) {
  PtRec p;
  p.X = circle.CX;
  p.Y = circle.CY;
  p.Exists = Defined(circle.Exists) ? kTrue : kFalse;
  return p;
}

double VectorLength(double x, double y) { return std::sqrt(x * x + y * y); }

bool Unitize(double& x, double& y) {
  double length = VectorLength(x, y);
  // An overflowing length would turn the direction into (0, 0).
  if (!std::isfinite(length) || std::abs(length) < kDirectionEps) return false;
  x /= length;
  y /= length;
  return true;
}

void LineFromPoints(const PtRec& a, const PtRec& b, LnRec& out) {
  if (!Exist(a, b)) {
    out.Exists = kFalse;
    return;
  }
  double dx = b.X - a.X;
  double dy = b.Y - a.Y;
  bool unit = Unitize(dx, dy);
  if (StoreLine(out, a.X, a.Y, b.X, b.Y, dx, dy) && !unit) out.Exists = kFalse;
}

void SplitLine(const LnRec& line, PtRec& first, PtRec& second) {
  int16_t exists = Defined(line.Exists) ? kTrue : kFalse;
  first.X = line.X1;
  first.Y = line.Y1;
  first.Exists = exists;
  second.X = line.X2;
  second.Y = line.Y2;
  second.Exists = exists;
}

void Distance(const PtRec& a, const PtRec& b, NumRec& out) {
  if (!Exist(a, b)) {
    out.Exists = kFalse;
    return;
  }
  StoreNumber(out, DistanceBetween(a, b));
}

double DistanceBetween(const PtRec& a, const PtRec& b) {
  return std::sqrt((a.Y - b.Y) * (a.Y - b.Y) + (a.X - b.X) * (a.X - b.X));
}

void UnitPointToward(const PtRec& a, const PtRec& b, PtRec& out) {
  double dx = b.X - a.X;
  double dy = b.Y - a.Y;
  if (!Exist(a, b) || !Unitize(dx, dy)) {
    out.Exists = kFalse;
    return;
  }
  StorePoint(out, a.X + dx, a.Y + dy);
}

void LineIntersect(const LnRec& l1, const LnRec& l2, PtRec& out) {
  double x, y;
  if (!Defined(l1.Exists) || !Defined(l2.Exists) || !Intersect(RayOf(l1), RayOf(l2), x, y)) {
    out.Exists = kFalse;
    return;
  }
  StorePoint(out, x, y);
}

void PerpendicularThrough(const LnRec& line, const PtRec& p, LnRec& out) {
  if (!Defined(line.Exists) || !Defined(p.Exists)) {
    out.Exists = kFalse;
    return;
  }
  Perpendicular(line, p.X, p.Y, out);
}

void ParallelThrough(const LnRec& line, const PtRec& p, LnRec& out) {
  if (!Defined(line.Exists) || !Defined(p.Exists)) {
    out.Exists = kFalse;
    return;
  }
  StoreLine(out, p.X, p.Y, p.X + line.DX, p.Y + line.DY, line.DX, line.DY);
}

void PerpendicularBisector(const LnRec& line, LnRec& out) {
  if (!Defined(line.Exists)) {
    out.Exists = kFalse;
    return;
  }
  // The midpoint as DivideRatio gives it for the ratio 1 : 1.
  double mx = (line.X1 + line.X2) / 2;
  double my = (line.Y1 + line.Y2) / 2;
  if (!Perpendicular(line, mx, my, out)) return;
  StoreLine(out, mx, my, mx + out.DX, my + out.DY, out.DX, out.DY);
}

void LineCoefficients(const LnRec& line, NumRec& a, NumRec& b, NumRec& c) {
  double va = line.DY;
  double vb = -line.DX;
  double vc = -(vb * line.Y1 + va * line.X1);
  bool exists = Defined(line.Exists);
  auto put = [exists](NumRec& rec, double value) {
    if (exists) {
      StoreNumber(rec, value);
    } else {
      rec.Exists = kFalse;
    }
  };
  put(a, va);
  put(b, vb);
  put(c, vc);
}

void LineFromCoefficients(const NumRec& a, const NumRec& b, const NumRec& c, LnRec& out) {
  double dx = b.Value;
  double dy = -a.Value;
  bool inputs = Defined(a.Exists) && Defined(b.Exists) && Defined(c.Exists);
  if (!inputs || (a.Value == 0 && b.Value == 0) || !Unitize(dx, dy)) {
    out.Exists = kFalse;
    return;
  }
  double x = b.Value == 0 ? -c.Value / a.Value : 0;
  double y = b.Value == 0 ? 0 : -c.Value / b.Value;
  StoreLine(out, x, y, x + dx, y + dy, dx, dy);
}

void DivideRatio(const PtRec& a, const PtRec& b, const NumRec& m, const NumRec& n, PtRec& out) {
  double sum = m.Value + n.Value;
  if (!Exist(a, b) || !Defined(m.Exists) || !Defined(n.Exists) || sum == 0) {
    out.Exists = kFalse;
    return;
  }
  StorePoint(out, (n.Value * a.X + m.Value * b.X) / sum, (n.Value * a.Y + m.Value * b.Y) / sum);
}

void ExtendPoint(const PtRec& a, const PtRec& b, const NumRec& d, PtRec& out) {
  if (!Defined(d.Exists)) {
    out.Exists = kFalse;
    return;
  }
  DivideRatio(a, b, MakeNumber(d.Value + 1), MakeNumber(-d.Value), out);
}

void ReflectInPoint(const PtRec& p, const PtRec& centre, PtRec& out) {
  ExtendPoint(p, centre, MakeNumber(1), out);
}

void ReflectInLine(const PtRec& p, const LnRec& line, PtRec& out) {
  LnRec perpendicular;
  PerpendicularThrough(line, p, perpendicular);
  PtRec first, foot;
  SplitLine(perpendicular, first, foot);
  ReflectInPoint(p, foot, out);
}

void RotatePoint(const PtRec& p, const PtRec& centre, const NumRec& degrees, PtRec& out) {
  if (!Exist(p, centre) || !Defined(degrees.Exists)) {
    out.Exists = kFalse;
    return;
  }
  double x, y;
  Rotate(p.X, p.Y, centre.X, centre.Y, degrees.Value * kPi / 180, x, y);
  StorePoint(out, x, y);
}

void TranslateByLine(const PtRec& p, const LnRec& line, PtRec& out) {
  if (!Defined(p.Exists) || !Defined(line.Exists)) {
    out.Exists = kFalse;
    return;
  }
  StorePoint(out, p.X + (line.X2 - line.X1), p.Y + (line.Y2 - line.Y1));
}

double ArcCosPart(double x) {
  if (1 - x * x < kCosineEps) x = 1;
  double s = std::sqrt(1 - x * x);
  if (x == 0) return kPi / 2;
  return std::atan(s / x);
}

void UnsignedAngle(const PtRec& a, const PtRec& vertex, const PtRec& c, NumRec& out) {
  if (!Exist(a, vertex) || !Defined(c.Exists)) {
    out.Exists = kFalse;
    return;
  }
  double ux = a.X - vertex.X, uy = a.Y - vertex.Y;
  double vx = c.X - vertex.X, vy = c.Y - vertex.Y;
  if (!Unitize(ux, uy) || !Unitize(vx, vy)) {
    StoreNumber(out, 0);
    return;
  }
  double u = ArcCosPart(ux * vx + uy * vy) * 180 / kPi;
  if (u < 0) u += 180;
  StoreNumber(out, u);
}

namespace {

// True when u turned about the vertex by theta degrees lands on v.
bool TurnMatches(const PtRec& u, const PtRec& vertex, double theta, const PtRec& v) {
  double x, y;
  Rotate(u.X, u.Y, vertex.X, vertex.Y, theta * kPi / 180, x, y);
  return std::abs(x - v.X) < kDirectionEps && std::abs(y - v.Y) < kDirectionEps;
}

}  // namespace

bool SignedAngle(const PtRec& a, const PtRec& vertex, const PtRec& c, NumRec& out) {
  if (!Exist(a, vertex) || !Defined(c.Exists)) {
    out.Value = 0;
    out.Exists = kFalse;
    return true;
  }
  NumRec angle;
  UnsignedAngle(a, vertex, c, angle);
  if (!Defined(angle.Exists)) {
    out.Exists = kFalse;
    return true;
  }
  double theta = angle.Value;
  PtRec u, v;
  UnitPointToward(vertex, a, u);
  UnitPointToward(vertex, c, v);
  bool decided = !Defined(u.Exists) || !Defined(v.Exists) || TurnMatches(u, vertex, theta, v);
  if (!decided) {
    theta = -theta;
    decided = TurnMatches(u, vertex, theta, v);
  }
  bool matched = true;
  if (!decided) {
    // The cosine was taken as 1 for rays that are in fact opposite.
    if (std::abs(theta) < kDirectionEps) {
      theta = 180;
    } else {
      matched = false;
    }
  }
  StoreNumber(out, theta);
  return matched;
}

double Determinant2(double m11, double m12, double m21, double m22) {
  return m11 * m22 - m21 * m12;
}

}  // namespace plandra
