// Plane-geometry primitives on element records. Each reads only the
// coordinates and Exists of its inputs and writes only the coordinates and
// Exists of its output; an input that does not exist, a degenerate case or a
// result that overflows leaves the output's coordinates as they were and
// gives it Exists 0. Outputs may alias inputs: results are formed before
// anything is written.
#pragma once

#include <cmath>
#include <cstdint>

#include "figure/Codes.h"
#include "figure/PDtype05.h"

namespace plandra {

// The program's own values of pi and the full turn, not full precision.

// Shortest direction vector that can be unitized; smallest determinant of
// two intersecting lines; angle matches in SignedAngle.
constexpr double kDirectionEps = 0.01;
// Points closer than this (sum of coordinate differences) are one point.
constexpr double kCoincidentEps = kDirectionEps / 10;
// Discriminants within this of 0 count as 0 (tangency).
constexpr double kDiscriminantEps = kDirectionEps / 100;
// A cosine whose square is this close to 1 counts as 1.
constexpr double kCosineEps = 0.000001;

inline bool Defined(int16_t exists) { return exists != 0; }

// Output writers: store finite results with Exists -1, anything else leaves
// the record's values and gives Exists 0. They return whether it exists.
// Inline: every evaluation of a step ends in one, many times a locus.
template <class Record, class Write, class... Values>
bool StoreWhenFinite(Record& out, Write write, Values... values) {
  if (!(std::isfinite(values) && ...)) {
    out.Exists = kFalse;
    return false;
  }
  write();
  out.Exists = kTrue;
  return true;
}
inline bool StoreNumber(NumRec& out, double value) {
  auto write = [&] { out.Value = value; };
  return StoreWhenFinite(out, write, value);
}
inline bool StorePoint(PtRec& out, double x, double y) {
  auto write = [&] {
    out.X = x;
    out.Y = y;
  };
  return StoreWhenFinite(out, write, x, y);
}
inline bool StoreCircle(CirRec& out, double cx, double cy, double r) {
  auto write = [&] {
    out.CX = cx;
    out.CY = cy;
    out.R = r;
  };
  return StoreWhenFinite(out, write, cx, cy, r);
}
inline bool StoreLine(LnRec& out, double x1, double y1, double x2, double y2, double dx,
                      double dy) {
  auto write = [&] {
    out.X1 = x1;
    out.Y1 = y1;
    out.X2 = x2;
    out.Y2 = y2;
    out.DX = dx;
    out.DY = dy;
  };
  return StoreWhenFinite(out, write, x1, y1, x2, y2, dx, dy);
}

// Local records built from raw values, existing.
PtRec MakePoint(double x, double y);
NumRec MakeNumber(double value);
PtRec CentreOf(const CirRec& circle);  // exists with the circle

double VectorLength(double x, double y);
bool Unitize(double& x, double& y);
// Exists when the points are at least 0.01 apart; unlike the rest it stores
// the points and the raw direction either way.
void LineFromPoints(const PtRec& a, const PtRec& b, LnRec& out);
void SplitLine(const LnRec& line, PtRec& first, PtRec& second);
void Distance(const PtRec& a, const PtRec& b, NumRec& out);
// Distance's value for two points that exist; not finite when it overflows.
double DistanceBetween(const PtRec& a, const PtRec& b);
// Of any two places with X and Y: a point and a place found for one before
// it is stored.
template <class A, class B>
bool Coincident(const A& a, const B& b) {
  return std::abs(a.Y - b.Y) + std::abs(a.X - b.X) < kCoincidentEps;
}
void UnitPointToward(const PtRec& a, const PtRec& b, PtRec& out);
void LineIntersect(const LnRec& l1, const LnRec& l2, PtRec& out);
// From p to its foot on the line, direction the line's turned a quarter
// counterclockwise.
void PerpendicularThrough(const LnRec& line, const PtRec& p, LnRec& out);
void ParallelThrough(const LnRec& line, const PtRec& p, LnRec& out);
void PerpendicularBisector(const LnRec& line, LnRec& out);
// a·x + b·y + c = 0 on the line; each number exists with the line.
void LineCoefficients(const LnRec& line, NumRec& a, NumRec& b, NumRec& c);
void LineFromCoefficients(const NumRec& a, const NumRec& b, const NumRec& c, LnRec& out);
void DivideRatio(const PtRec& a, const PtRec& b, const NumRec& m, const NumRec& n, PtRec& out);
void ExtendPoint(const PtRec& a, const PtRec& b, const NumRec& d, PtRec& out);
void ReflectInPoint(const PtRec& p, const PtRec& centre, PtRec& out);
void ReflectInLine(const PtRec& p, const LnRec& line, PtRec& out);
void RotatePoint(const PtRec& p, const PtRec& centre, const NumRec& degrees, PtRec& out);
void TranslateByLine(const PtRec& p, const LnRec& line, PtRec& out);
double ArcCosPart(double x);  // radians, negative for x < 0
void UnsignedAngle(const PtRec& a, const PtRec& vertex, const PtRec& c, NumRec& out);
// Counterclockwise turn from ray vertex->a to ray vertex->c in -180..180.
// False when neither turn direction matches: the program then shows "Error
// in Angle", and out keeps the value reached.
bool SignedAngle(const PtRec& a, const PtRec& vertex, const PtRec& c, NumRec& out);
double Determinant2(double m11, double m12, double m21, double m22);

}  // namespace plandra
