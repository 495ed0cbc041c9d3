#include <gtest/gtest.h>

#include <cmath>

#include "engine/Math05.h"
#include "support/TestHelpers.h"

namespace plandra::test {
namespace {

LnRec LineThrough(double x1, double y1, double x2, double y2) {
  LnRec line;
  LineFromPoints(MakePoint(x1, y1), MakePoint(x2, y2), line);
  return line;
}

LnRec LineAtDegrees(double degrees) {
  double t = degrees * kPi / 180;
  return LineThrough(0, 0, std::cos(t), std::sin(t));
}

TEST(PrimitivesTest, LineFromPointsNeedsTwoDistinctPoints) {
  LnRec close = LineThrough(0, 0, 0.005, 0.005);
  EXPECT_EQ(close.Exists, 0);

  LnRec shortest = LineThrough(0, 0, 0.01, 0);
  EXPECT_EQ(shortest.Exists, kTrue);
  EXPECT_DOUBLE_EQ(shortest.DX, 1);
  EXPECT_DOUBLE_EQ(shortest.DY, 0);

  PtRec missing = MakePoint(5, 5);
  missing.Exists = 0;
  LnRec kept = LineThrough(1, 2, 3, 4);
  LineFromPoints(missing, MakePoint(9, 9), kept);
  EXPECT_EQ(kept.Exists, 0);
  EXPECT_DOUBLE_EQ(kept.X1, 1);  // coordinates left as they were
  EXPECT_DOUBLE_EQ(kept.Y2, 4);
}

TEST(PrimitivesTest, LineIntersectRefusesNearlyParallelLines) {
  PtRec out = MakePoint(7, 7);
  LineIntersect(LineAtDegrees(0), LineAtDegrees(0.5), out);
  EXPECT_EQ(out.Exists, 0);
  EXPECT_POINT_NEAR(7, 7, out, kNear);

  LineIntersect(LineAtDegrees(0), LineAtDegrees(1), out);
  EXPECT_EQ(out.Exists, kTrue);
  EXPECT_POINT_NEAR(0, 0, out, 1e-12);

  LineIntersect(LineThrough(0, 1, 1, 1), LineThrough(3, 0, 3, 5), out);
  EXPECT_POINT_NEAR(3, 1, out, 1e-12);
}

TEST(PrimitivesTest, PerpendicularRunsFromThePointToItsFoot) {
  LnRec axis = LineThrough(0, 0, 1, 0);
  LnRec perpendicular;
  PerpendicularThrough(axis, MakePoint(2, 3), perpendicular);
  EXPECT_EQ(perpendicular.Exists, kTrue);
  EXPECT_DOUBLE_EQ(perpendicular.X1, 2);
  EXPECT_DOUBLE_EQ(perpendicular.Y1, 3);
  EXPECT_NEAR(perpendicular.X2, 2, 1e-12);
  EXPECT_NEAR(perpendicular.Y2, 0, 1e-12);
  EXPECT_NEAR(perpendicular.DX, 0, 1e-12);
  EXPECT_DOUBLE_EQ(perpendicular.DY, 1);

  // On the line: both defining points coincide, the direction is still turned.
  PerpendicularThrough(axis, MakePoint(5, 0), perpendicular);
  EXPECT_EQ(perpendicular.Exists, kTrue);
  EXPECT_NEAR(perpendicular.X2, 5, 1e-12);
  EXPECT_DOUBLE_EQ(perpendicular.DY, 1);

  LnRec bisector;
  PerpendicularBisector(LineThrough(0, 0, 2, 0), bisector);
  EXPECT_DOUBLE_EQ(bisector.X1, 1);
  EXPECT_DOUBLE_EQ(bisector.Y1, 0);
  EXPECT_NEAR(bisector.X2, 1, 1e-12);
  EXPECT_DOUBLE_EQ(bisector.Y2, 1);

  LnRec parallel;
  ParallelThrough(LineThrough(0, 0, 3, 4), MakePoint(1, 1), parallel);
  EXPECT_DOUBLE_EQ(parallel.X2, 1.6);
  EXPECT_DOUBLE_EQ(parallel.Y2, 1.8);
}

TEST(PrimitivesTest, LineCoefficientsRoundTrip) {
  LnRec line = LineThrough(1, 2, 4, 6);
  NumRec a, b, c;
  LineCoefficients(line, a, b, c);
  EXPECT_NEAR(a.Value * 4 + b.Value * 6 + c.Value, 0, 1e-12);
  EXPECT_EQ(c.Exists, kTrue);

  LnRec vertical;
  LineFromCoefficients(MakeNumber(2), MakeNumber(0), MakeNumber(-1), vertical);
  EXPECT_EQ(vertical.Exists, kTrue);
  EXPECT_DOUBLE_EQ(vertical.X1, 0.5);
  EXPECT_DOUBLE_EQ(vertical.Y1, 0);
  EXPECT_DOUBLE_EQ(vertical.DY, -1);

  LnRec sloped;
  LineFromCoefficients(MakeNumber(1), MakeNumber(2), MakeNumber(-4), sloped);
  EXPECT_DOUBLE_EQ(sloped.X1, 0);
  EXPECT_DOUBLE_EQ(sloped.Y1, 2);

  LnRec none;
  LineFromCoefficients(MakeNumber(0), MakeNumber(0), MakeNumber(1), none);
  EXPECT_EQ(none.Exists, 0);
}

TEST(PrimitivesTest, DivideRatioAndItsRelatives) {
  PtRec a = MakePoint(0, 0);
  PtRec b = MakePoint(2, 4);
  PtRec out = MakePoint(9, 9);
  DivideRatio(a, b, MakeNumber(1), MakeNumber(1), out);
  EXPECT_POINT_NEAR(1, 2, out, kNear);
  DivideRatio(a, b, MakeNumber(2), MakeNumber(-1), out);
  EXPECT_POINT_NEAR(4, 8, out, kNear);
  DivideRatio(a, b, MakeNumber(1), MakeNumber(-1), out);
  EXPECT_EQ(out.Exists, 0);
  EXPECT_POINT_NEAR(4, 8, out, kNear);

  ExtendPoint(a, b, MakeNumber(0.5), out);
  EXPECT_POINT_NEAR(3, 6, out, kNear);
  ReflectInPoint(MakePoint(1, 1), MakePoint(2, 3), out);
  EXPECT_POINT_NEAR(3, 5, out, kNear);
  ReflectInLine(MakePoint(1, 1), LineThrough(0, 0, 1, 1), out);
  EXPECT_POINT_NEAR(1, 1, out, 1e-12);
  ReflectInLine(MakePoint(2, 0), LineThrough(0, 0, 1, 1), out);
  EXPECT_POINT_NEAR(0, 2, out, 1e-12);
  RotatePoint(MakePoint(2, 1), MakePoint(1, 1), MakeNumber(90), out);
  EXPECT_POINT_NEAR(1, 2, out, 1e-12);
  TranslateByLine(MakePoint(1, 1), LineThrough(1, 1, 3, 2), out);
  EXPECT_POINT_NEAR(3, 2, out, kNear);
  UnitPointToward(MakePoint(1, 1), MakePoint(4, 5), out);
  EXPECT_POINT_NEAR(1.6, 1.8, out, 1e-12);
  UnitPointToward(MakePoint(1, 1), MakePoint(1.005, 1), out);
  EXPECT_EQ(out.Exists, 0);
}

TEST(PrimitivesTest, OverflowGivesNoResultInsteadOfGarbage) {
  PtRec out = MakePoint(1, 2);
  DivideRatio(MakePoint(1e308, 0), MakePoint(1e308, 0), MakeNumber(1e10), MakeNumber(1), out);
  EXPECT_EQ(out.Exists, 0);
  EXPECT_POINT_NEAR(1, 2, out, kNear);

  LnRec line = LineThrough(-1e300, 0, 1e300, 1e300);
  EXPECT_EQ(line.Exists, 0);

  NumRec distance = MakeNumber(3);
  Distance(MakePoint(-1e308, 0), MakePoint(1e308, 0), distance);
  EXPECT_EQ(distance.Exists, 0);
  EXPECT_EQ(distance.Value, 3);
}

TEST(PrimitivesTest, ArcCosPartAndUnsignedAngle) {
  EXPECT_DOUBLE_EQ(ArcCosPart(0), kPi / 2);
  EXPECT_LT(ArcCosPart(-0.5), 0);
  EXPECT_NEAR(ArcCosPart(-0.5), -kPi / 3, 1e-12);
  EXPECT_EQ(ArcCosPart(-1), 0);  // a cosine of -1 is taken as 1

  NumRec angle;
  UnsignedAngle(MakePoint(1, 0), MakePoint(0, 0), MakePoint(-1, 1), angle);
  EXPECT_NEAR(angle.Value, 135, 1e-9);
  UnsignedAngle(MakePoint(1, 0), MakePoint(0, 0), MakePoint(-1, 0), angle);
  EXPECT_EQ(angle.Value, 0);
  EXPECT_EQ(angle.Exists, kTrue);
  UnsignedAngle(MakePoint(0, 0), MakePoint(0, 0), MakePoint(1, 0), angle);
  EXPECT_EQ(angle.Value, 0);
  EXPECT_EQ(angle.Exists, kTrue);

  EXPECT_EQ(Determinant2(1, 2, 3, 4), -2);
  EXPECT_TRUE(Coincident(MakePoint(1, 1), MakePoint(1.0004, 1.0005)));
  EXPECT_FALSE(Coincident(MakePoint(1, 1), MakePoint(1.0006, 1.0005)));
}

TEST(PrimitivesTest, SignedAngleTurnsCounterclockwise) {
  NumRec angle;
  EXPECT_TRUE(SignedAngle(MakePoint(1, 0), MakePoint(0, 0), MakePoint(0, 1), angle));
  EXPECT_NEAR(angle.Value, 90, 1e-9);
  EXPECT_TRUE(SignedAngle(MakePoint(0, 1), MakePoint(0, 0), MakePoint(1, 0), angle));
  EXPECT_NEAR(angle.Value, -90, 1e-9);
  EXPECT_TRUE(SignedAngle(MakePoint(3, 1), MakePoint(1, 1), MakePoint(-5, 1), angle));
  EXPECT_EQ(angle.Value, 180);
  EXPECT_TRUE(SignedAngle(MakePoint(2, 2), MakePoint(1, 1), MakePoint(1, 1), angle));
  EXPECT_EQ(angle.Value, 0);  // a ray of length 0

  PtRec missing = MakePoint(0, 1);
  missing.Exists = 0;
  angle = MakeNumber(45);
  EXPECT_TRUE(SignedAngle(missing, MakePoint(0, 0), MakePoint(1, 0), angle));
  EXPECT_EQ(angle.Exists, 0);
  EXPECT_EQ(angle.Value, 0);
}

TEST(PrimitivesTest, SignedAngleReportsWhenNoTurnMatches) {
  // So far from the origin a unit step is lost in rounding: neither turn
  // brings one ray onto the other.
  NumRec angle;
  EXPECT_FALSE(
      SignedAngle(MakePoint(1e16 + 1000, 0), MakePoint(1e16, 0), MakePoint(1e16, 1000), angle));
  EXPECT_EQ(angle.Exists, kTrue);
  EXPECT_NEAR(angle.Value, -90, 1e-9);
}

}  // namespace
}  // namespace plandra::test
