#include <cmath>

#include "EngineFixture.h"
#include "core/Refresh.h"
#include "engine/Math05.h"

namespace plandra::test {
namespace {

using MeasurementsTest = EngineTest;

TEST_F(MeasurementsTest, Distances) {
  int16_t origin = Free(0, 0);
  int16_t axis = Line(0, 0, 1, 0);
  int16_t above = Free(0, 1);
  int16_t below = Free(0, -1);
  int16_t unit = Circle(0, 0, 1);
  int16_t two = Circle(0, 0, 2);
  int16_t pointPair = Step("ND2P", {Pt(Free(3, 0)), Pt(Free(0, 4))});
  int16_t toLine = Step("NDPL", {Pt(Free(2, 3)), Ln(axis)});
  int16_t left = Step("NPL2", {Pt(above), Ln(axis)});
  int16_t right = Step("NPL2", {Pt(below), Ln(axis)});
  int16_t toCircle = Step("NDPC", {Pt(Free(3, 0)), Cir(unit)});
  int16_t insideCircle = Step("NDPC", {Pt(origin), Cir(two)});
  int16_t sameWay = Step("ND2L", {Ln(axis), Ln(Line(5, 2, 6, 2))});
  int16_t opposite = Step("ND2L", {Ln(axis), Ln(Line(6, 2, 5, 2))});
  int16_t cutting = Step("NDLC", {Ln(axis), Cir(two)});
  int16_t overlapping = Step("ND2C", {Cir(unit), Cir(two)});
  int16_t apart = Step("ND2C", {Cir(unit), Cir(Circle(5, 0, 1))});
  Redraw();
  EXPECT_DOUBLE_EQ(N(pointPair).Value, 5);
  EXPECT_NEAR(N(toLine).Value, 3, 1e-12);
  EXPECT_NEAR(N(left).Value, 1, 1e-12);
  EXPECT_NEAR(N(right).Value, -1, 1e-12);
  EXPECT_NEAR(N(toCircle).Value, 2, 1e-12);
  EXPECT_NEAR(N(insideCircle).Value, 2, 1e-12);
  EXPECT_NEAR(N(sameWay).Value, 2, 1e-12);
  EXPECT_EQ(N(opposite).Exists, 0);
  EXPECT_NEAR(N(cutting).Value, -2, 1e-12);
  EXPECT_EQ(N(overlapping).Value, 0);
  EXPECT_NEAR(N(apart).Value, 3, 1e-12);
  for (int16_t n : {pointPair, toLine, left, right, toCircle, cutting, overlapping, apart}) {
    EXPECT_EQ(N(n).Exists, kTrue);
  }
}

TEST_F(MeasurementsTest, AnglesAndTheirMarks) {
  int16_t ax = Number(0);  // a number without a step can be made to vanish
  int16_t a = Step("PXY", {Num(ax), Num(Number(1))});
  int16_t b = Free(0, 0);
  int16_t c = Free(1, 0);
  int16_t signedStep = fig.StepCount + 1;
  int16_t signedAngle = Step("NA3+", {Pt(a), Pt(b), Pt(c)});
  int16_t halfTurn = Step("NA3P", {Pt(a), Pt(b), Pt(c)});
  int16_t fullStep = fig.StepCount + 1;
  int16_t fullTurn = Step("NA3*", {Pt(a), Pt(b), Pt(c)});
  int16_t lines = Step("NA2L", {Ln(Line(0, 0, 1, 0)), Ln(Line(0, 0, -0.5, std::sqrt(0.75)))});
  Redraw();
  EXPECT_NEAR(N(signedAngle).Value, -90, 1e-9);
  EXPECT_NEAR(N(halfTurn).Value, 90, 1e-9);
  EXPECT_NEAR(N(fullTurn).Value, 270, 1e-9);
  EXPECT_NEAR(N(lines).Value, 60, 1e-9);

  // One mark per angle step, in step order, replaced on every redraw.
  Redraw();
  Redraw();
  ASSERT_EQ(fig.AngleMarks.size(), 3u);
  EXPECT_EQ(fig.AngleMarks[0].Step, signedStep);
  EXPECT_NEAR(fig.AngleMarks[0].Degrees, -90, 1e-9);
  EXPECT_EQ(fig.AngleMarks[0].FromY, 1);
  EXPECT_EQ(fig.AngleMarks[0].ToX, 1);
  EXPECT_NEAR(fig.AngleMarks[1].Degrees, -90, 1e-9);  // the signed angle, also for 0..180
  EXPECT_EQ(fig.AngleMarks[2].Step, fullStep);
  EXPECT_NEAR(fig.AngleMarks[2].Degrees, 270, 1e-9);
  EXPECT_TRUE(fig.AngleMarkRecording);

  Move(c, 1, 1);
  Redraw();
  EXPECT_NEAR(fig.AngleMarks[2].Degrees, 315, 1e-9);

  // A vanished angle leaves no mark; with recording off nothing changes.
  fig.NumTable[ax].Exists = 0;
  Redraw();
  EXPECT_TRUE(fig.AngleMarks.empty());
  EXPECT_EQ(N(fullTurn).Exists, 0);
  fig.NumTable[ax].Exists = kTrue;
  fig.AngleMarkRecording = false;
  Redraw();
  EXPECT_TRUE(fig.AngleMarks.empty());
  EXPECT_NEAR(N(fullTurn).Value, 315, 1e-9);
}

TEST_F(MeasurementsTest, AngleSectionRegistersItsMarkAndStaleMarksGo) {
  int16_t a = Free(1, 0);
  int16_t b = Free(0, 0);
  int16_t c = Free(0, 1);
  int16_t step = fig.StepCount + 1;
  Step("LH2", {Pt(a), Pt(b), Pt(c), Num(Number(2)), Num(Number(1))});
  Redraw();
  ASSERT_EQ(fig.AngleMarks.size(), 1u);
  EXPECT_EQ(fig.AngleMarks[0].Step, step);
  EXPECT_NEAR(fig.AngleMarks[0].Degrees, 90, 1e-9);

  SetStepKind(fig, step, "L1");  // the step no longer measures an angle
  Redraw();
  EXPECT_TRUE(fig.AngleMarks.empty());
}

TEST_F(MeasurementsTest, CoordinatesAreasAndCircles) {
  int16_t a = Free(0, 0);
  int16_t b = Free(4, 0);
  int16_t c = Free(0, 3);
  int16_t x = Step("NPX", {Pt(b)});
  int16_t x2 = Step("NPX2", {Pt(b)});
  int16_t y = Step("NPY", {Pt(c)});
  int16_t area = Step("NAR3", {Pt(a), Pt(b), Pt(c)});
  int16_t counterclockwise = Step("NAR+", {Pt(a), Pt(b), Pt(c)});
  int16_t clockwise = Step("NAR+", {Pt(a), Pt(c), Pt(b)});
  int16_t square = Step("NAR4", {Pt(a), Pt(Free(1, 0)), Pt(Free(1, 1)), Pt(Free(0, 1))});
  int16_t circle = Circle(0, 0, 2);
  int16_t circumference = Step("NLC", {Cir(circle)});
  int16_t radius = Step("NRC", {Cir(circle)});
  Redraw();
  EXPECT_EQ(N(x).Value, 4);
  EXPECT_EQ(N(x2).Value, 4);
  EXPECT_EQ(N(y).Value, 3);
  EXPECT_NEAR(N(area).Value, 6, 1e-12);
  EXPECT_DOUBLE_EQ(N(counterclockwise).Value, 6);
  EXPECT_DOUBLE_EQ(N(clockwise).Value, -6);
  EXPECT_DOUBLE_EQ(N(square).Value, 1);
  EXPECT_DOUBLE_EQ(N(circumference).Value, 2 * kFullTurn);
  EXPECT_DOUBLE_EQ(N(radius).Value, 2);
}

TEST_F(MeasurementsTest, TrigonometryInDegrees) {
  int16_t sine = Step("NSIN", {Num(Number(30))});
  int16_t cosine = Step("NCOS", {Num(Number(60))});
  int16_t tangent = Step("NTAN", {Num(Number(45))});
  int16_t right = Step("NTAN", {Num(Number(90))});
  Redraw();
  EXPECT_NEAR(N(sine).Value, 0.5, 1e-12);
  EXPECT_NEAR(N(cosine).Value, 0.5, 1e-12);
  EXPECT_NEAR(N(tangent).Value, 1, 1e-12);
  EXPECT_EQ(N(right).Exists, kTrue);  // very large, not a failure
  EXPECT_GT(N(right).Value, 1e13);
}

TEST_F(MeasurementsTest, MissingInputLeavesTheValue) {
  int16_t px = Number(3);
  int16_t p = Step("PXY", {Num(px), Num(Number(4))});
  int16_t q = Free(0, 0);
  int16_t distance = Step("ND2P", {Pt(p), Pt(q)});
  int16_t doubled = Step("NSIN", {Num(distance)});
  Redraw();
  EXPECT_DOUBLE_EQ(N(distance).Value, 5);
  EXPECT_EQ(N(doubled).Exists, kTrue);
  fig.NumTable[px].Exists = 0;
  Redraw();
  EXPECT_EQ(P(p).Exists, 0);
  EXPECT_EQ(N(distance).Exists, 0);
  EXPECT_DOUBLE_EQ(N(distance).Value, 5);
  EXPECT_EQ(N(doubled).Exists, 0);
}

}  // namespace
}  // namespace plandra::test
