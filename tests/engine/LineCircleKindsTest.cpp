#include <cmath>

#include "EngineFixture.h"
#include "core/Refresh.h"
#include "engine/Math05.h"

namespace plandra::test {
namespace {

using LineKindsTest = EngineTest;
using CircleKindsTest = EngineTest;

void ExpectLine(const LnRec& line, double x1, double y1, double x2, double y2) {
  EXPECT_EQ(line.Exists, kTrue);
  EXPECT_NEAR(line.X1, x1, 1e-9);
  EXPECT_NEAR(line.Y1, y1, 1e-9);
  EXPECT_NEAR(line.X2, x2, 1e-9);
  EXPECT_NEAR(line.Y2, y2, 1e-9);
  double length = std::hypot(x2 - x1, y2 - y1);
  if (length > 0) {
    EXPECT_NEAR(line.DX, (x2 - x1) / length, 1e-9);
    EXPECT_NEAR(line.DY, (y2 - y1) / length, 1e-9);
  }
}

void ExpectCircle(const CirRec& circle, double cx, double cy, double r) {
  EXPECT_EQ(circle.Exists, kTrue);
  EXPECT_NEAR(circle.CX, cx, 1e-9);
  EXPECT_NEAR(circle.CY, cy, 1e-9);
  EXPECT_NEAR(circle.R, r, 1e-9);
}

TEST_F(LineKindsTest, LinesFromPointsAndLines) {
  int16_t close = Line(0, 0, 0.005, 0);
  int16_t axis = Line(0, 0, 1, 0);
  int16_t p = Free(2, 3);
  int16_t onAxis = Free(5, 0);
  int16_t parallel = Step("L2", {Ln(axis), Pt(p)});
  int16_t perpendicular = Step("L3", {Ln(axis), Pt(p)});
  int16_t foot = fig.ElemCount[kClassPoint];
  int16_t throughOwnFoot = Step("L3", {Ln(axis), Pt(onAxis)});
  int16_t segment = Line(0, 0, 2, 0, 1);
  int16_t bisector = Step("L4", {Ln(segment)});
  fig.LnTable[bisector].LineKind = 2;
  Redraw();
  EXPECT_EQ(L(close).Exists, 0);
  ExpectLine(L(parallel), 2, 3, 3, 3);
  // The perpendicular runs from the point to its foot, but its direction is
  // the axis's turned counterclockwise.
  EXPECT_EQ(L(perpendicular).Exists, kTrue);
  EXPECT_DOUBLE_EQ(L(perpendicular).X1, 2);
  EXPECT_DOUBLE_EQ(L(perpendicular).Y1, 3);
  EXPECT_NEAR(L(perpendicular).X2, 2, 1e-12);
  EXPECT_NEAR(L(perpendicular).Y2, 0, 1e-12);
  EXPECT_DOUBLE_EQ(L(perpendicular).DY, 1);
  EXPECT_POINT_NEAR(2, 0, P(foot), 1e-12);
  EXPECT_EQ(L(throughOwnFoot).Exists, kTrue);
  EXPECT_NEAR(L(throughOwnFoot).X2, 5, 1e-12);
  EXPECT_DOUBLE_EQ(L(throughOwnFoot).DY, 1);
  ExpectLine(L(bisector), 1, 0, 1, 1);
  EXPECT_EQ(L(bisector).LineKind, 2);  // the kind is the construction flow's
}

TEST_F(LineKindsTest, TangentsFromAPoint) {
  int16_t unit = Circle(0, 0, 1);
  int16_t far = Step("L5", {Pt(Free(2, 0)), Cir(unit)});
  int16_t near = Step("L5", {Pt(Free(1.004, 0)), Cir(unit)});
  int16_t onCircle = Step("L5", {Pt(Free(0.996, 0)), Cir(unit)});
  int16_t inside = Step("L5", {Pt(Free(0.99, 0)), Cir(unit)});
  Redraw();
  for (int16_t line : {far, int16_t(far + 1), near, int16_t(near + 1)}) {
    EXPECT_EQ(L(line).Exists, kTrue);
    EXPECT_NEAR(DistanceFromLine(L(line), 0, 0), 1, 1e-9);
  }
  // Both lines from (2, 0) point away from the circle.
  EXPECT_GT(L(far).DX, 0);
  EXPECT_GT(L(far + 1).DX, 0);
  EXPECT_NEAR(L(far).DY, 0.5, 1e-12);
  EXPECT_NEAR(L(far + 1).DY, -0.5, 1e-12);
  EXPECT_GT(std::abs(L(near).DY - L(near + 1).DY), 0.1);
  // Just inside the tolerance: one tangent counted twice.
  EXPECT_EQ(L(onCircle).Exists, kTrue);
  EXPECT_NEAR(L(onCircle).DX, 0, 1e-12);
  EXPECT_NEAR(L(onCircle).DY, -L(onCircle + 1).DY, 1e-12);
  EXPECT_EQ(L(inside).Exists, 0);
  EXPECT_EQ(L(inside + 1).Exists, 0);
}

TEST_F(LineKindsTest, CommonTangents) {
  int16_t k0 = Circle(0, 0, 1);
  int16_t k1 = Circle(4, 0, 1);
  int16_t big = Circle(5, 0, 2);
  int16_t close = Circle(1.5, 0, 1);
  int16_t outer = Step("L6", {Cir(k0), Cir(k1)});
  int16_t inner = Step("L7", {Cir(k0), Cir(k1)});
  int16_t outerUneven = Step("L6", {Cir(k0), Cir(big)});
  int16_t innerUneven = Step("L7", {Cir(k0), Cir(big)});
  int16_t noInner = Step("L7", {Cir(k0), Cir(close)});
  Redraw();
  ExpectLine(L(outer), 0, 1, 1, 1);
  ExpectLine(L(outer + 1), 0, -1, 1, -1);
  for (int16_t line : {inner, int16_t(inner + 1)}) {
    EXPECT_NEAR(DistanceFromLine(L(line), 0, 0), 1, 1e-9);
    EXPECT_NEAR(DistanceFromLine(L(line), 4, 0), 1, 1e-9);
    EXPECT_NEAR(DistanceFromLine(L(line), 2, 0), 0, 1e-9);  // internal: crosses the middle
  }
  for (int16_t line :
       {outerUneven, int16_t(outerUneven + 1), innerUneven, int16_t(innerUneven + 1)}) {
    EXPECT_NEAR(DistanceFromLine(L(line), 0, 0), 1, 1e-9);
    EXPECT_NEAR(DistanceFromLine(L(line), 5, 0), 2, 1e-9);
  }
  EXPECT_EQ(L(noInner).Exists, 0);
  EXPECT_EQ(L(noInner + 1).Exists, 0);
}

TEST_F(LineKindsTest, PolarBisectorAndSections) {
  int16_t unit = Circle(0, 0, 1);
  int16_t polar = Step("L8", {Pt(Free(2, 0)), Cir(unit)});
  int16_t noPolar = Step("L8", {Pt(Free(0, 0)), Cir(unit)});
  int16_t shifted = Circle(3, 3, 1);
  int16_t shiftedPolar = Step("L8", {Pt(Free(5, 3)), Cir(shifted)});
  int16_t a = Free(2, 0);
  int16_t vertex = Free(0, 0);
  int16_t c = Free(0, 2);
  int16_t bisector = Step("LH1", {Pt(a), Pt(vertex), Pt(c)});
  int16_t third = Step("LH2", {Pt(a), Pt(vertex), Pt(c), Num(Number(3)), Num(Number(1))});
  int16_t byZero = Step("LH2", {Pt(a), Pt(vertex), Pt(c), Num(Number(0)), Num(Number(1))});
  Redraw();
  EXPECT_NEAR(L(polar).X1, 0.5, 1e-12);
  EXPECT_NEAR(L(polar).DX, 0, 1e-12);
  EXPECT_EQ(L(noPolar).Exists, 0);
  EXPECT_NEAR(L(shiftedPolar).X1, 3.5, 1e-12);
  EXPECT_NEAR(L(shiftedPolar).DX, 0, 1e-12);
  double half = std::sqrt(0.5);
  EXPECT_NEAR(L(bisector).DX, half, 1e-12);
  EXPECT_NEAR(L(bisector).DY, half, 1e-12);
  EXPECT_DOUBLE_EQ(L(bisector).X1, 0);
  EXPECT_NEAR(L(third).DX, std::sqrt(3.0) / 2, 1e-12);
  EXPECT_NEAR(L(third).DY, 0.5, 1e-12);
  EXPECT_EQ(L(byZero).Exists, 0);
}

TEST_F(LineKindsTest, MappedLines) {
  int16_t line = Line(0, 0, 1, 0);
  int16_t centre = Free(1, 1);
  int16_t axis = Line(0, 2, 1, 2);
  int16_t vector = Line(1, 1, 3, 2, 1);
  int16_t rotated = Step("LRO", {Ln(line), Pt(centre), Num(Number(90))});
  int16_t halfLine = Step("LHRO", {Ln(line), Num(Number(90))});
  int16_t mirrored = Step("LT1", {Ln(line), Ln(axis)});
  int16_t pointMirror = Step("LT2", {Ln(line), Pt(centre)});
  int16_t translated = Step("LT3", {Ln(line), Ln(vector)});
  Redraw();
  ExpectLine(L(rotated), 2, 0, 2, 1);
  ExpectLine(L(halfLine), 0, 0, 0, 1);
  ExpectLine(L(mirrored), 0, 4, 1, 4);
  ExpectLine(L(pointMirror), 2, 2, 1, 2);
  ExpectLine(L(translated), 2, 1, 3, 1);
}

TEST_F(CircleKindsTest, CirclesFromPointsAndNumbers) {
  int16_t centre = Free(1, 2);
  int16_t negative = Step("C1", {Pt(centre), Num(Number(-1))});
  int16_t zero = Step("C1", {Pt(centre), Num(Number(0))});
  int16_t through = Step("C2", {Pt(centre), Pt(Free(4, 6))});
  int16_t diameter = Step("C4", {Ln(Line(0, 0, 2, 0, 1))});
  fig.CirTable[negative].CX = 9;
  Redraw();
  EXPECT_EQ(K(negative).Exists, 0);
  EXPECT_EQ(K(negative).CX, 9);
  ExpectCircle(K(zero), 1, 2, 0);
  ExpectCircle(K(through), 1, 2, 5);
  ExpectCircle(K(diameter), 1, 0, 1);
}

TEST_F(CircleKindsTest, TriangleCircles) {
  int16_t a = Free(0, 0);
  int16_t b = Free(4, 0);
  int16_t c = Free(0, 3);
  int16_t circum = Step("C3", {Pt(a), Pt(b), Pt(c)});
  int16_t in = Step("C5", {Pt(a), Pt(b), Pt(c)});
  int16_t ex = Step("C6", {Pt(a), Pt(b), Pt(c)});
  int16_t nine = Step("C7", {Pt(a), Pt(b), Pt(c)});
  int16_t collinear = Step("C3", {Pt(a), Pt(b), Pt(Free(8, 0))});
  Redraw();
  ExpectCircle(K(circum), 2, 1.5, 2.5);
  ExpectCircle(K(in), 1, 1, 1);
  ExpectCircle(K(ex), 6, 6, 6);
  ExpectCircle(K(nine), 1, 0.75, 1.25);
  EXPECT_EQ(K(collinear).Exists, 0);
}

TEST_F(CircleKindsTest, MappedCircles) {
  int16_t circle = Circle(2, 0, 1.5);
  int16_t centre = Free(0, 0);
  int16_t axis = Line(0, 1, 1, 1);
  int16_t vector = Line(1, 1, 3, 2, 1);
  int16_t rotated = Step("CRO", {Cir(circle), Pt(centre), Num(Number(90))});
  int16_t mirrored = Step("CT1", {Cir(circle), Ln(axis)});
  int16_t pointMirror = Step("CT2", {Cir(circle), Pt(centre)});
  int16_t translated = Step("CT3", {Cir(circle), Ln(vector)});
  Redraw();
  ExpectCircle(K(rotated), 0, 2, 1.5);
  ExpectCircle(K(mirrored), 2, 2, 1.5);
  ExpectCircle(K(pointMirror), -2, 0, 1.5);
  ExpectCircle(K(translated), 4, 1, 1.5);
}

}  // namespace
}  // namespace plandra::test
