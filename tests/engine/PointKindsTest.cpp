#include <cmath>

#include "EngineFixture.h"
#include "core/Refresh.h"
#include "engine/Math05.h"

namespace plandra::test {
namespace {

class PointKindsTest : public EngineTest {
 protected:
  // The right triangle (0, 0), (4, 0), (0, 3).
  void Triangle() {
    a = Free(0, 0);
    b = Free(4, 0);
    c = Free(0, 3);
  }
  int16_t Centre(std::string_view kind) { return Step(kind, {Pt(a), Pt(b), Pt(c)}); }

  int16_t a = 0, b = 0, c = 0;
};

TEST_F(PointKindsTest, TriangleCentres) {
  Triangle();
  int16_t circum = Centre("P1");
  int16_t in = Centre("P2");
  int16_t centroid = Centre("P3");
  int16_t ortho = Centre("P4");
  int16_t ex = Centre("P5");
  int16_t nine = Centre("P6");
  Redraw();
  EXPECT_POINT_NEAR(2, 1.5, P(circum), 1e-12);
  EXPECT_POINT_NEAR(1, 1, P(in), 1e-12);
  EXPECT_POINT_NEAR(4.0 / 3, 1, P(centroid), 1e-12);
  EXPECT_POINT_NEAR(0, 0, P(ortho), 1e-12);
  EXPECT_POINT_NEAR(6, 6, P(ex), 1e-9);
  EXPECT_POINT_NEAR(1, 0.75, P(nine), 1e-12);
  for (int16_t p : {circum, in, centroid, ortho, ex, nine}) EXPECT_EQ(P(p).Exists, kTrue);
}

TEST_F(PointKindsTest, DegenerateTriangles) {
  a = Free(1, 1);
  b = Free(1, 1);
  c = Free(1, 1);
  int16_t in = Centre("P2");
  int16_t circum = Centre("P1");
  fig.PtTable[in].Name = "I";
  fig.PtTable[in].Color = 3;
  Redraw();
  // The incentre of one point is that point, and keeps its own attributes.
  EXPECT_EQ(P(in).Exists, kTrue);
  EXPECT_POINT_NEAR(1, 1, P(in), kNear);
  EXPECT_EQ(P(in).Name, "I");
  EXPECT_EQ(P(in).Color, 3);
  EXPECT_EQ(P(circum).Exists, 0);

  Move(b, 2, 2);
  Move(c, 3, 3);
  Redraw();
  EXPECT_EQ(P(circum).Exists, 0);  // collinear: the bisectors are parallel
}

TEST_F(PointKindsTest, IntersectionDivisionAndMaps) {
  int16_t axis = Line(0, 0, 1, 0);
  int16_t diagonal = Line(0, -1, 1, 0);
  int16_t parallel = Line(0, 1, 1, 1);
  int16_t cross = Step("PC1", {Ln(axis), Ln(diagonal)});
  int16_t none = Step("PC1", {Ln(axis), Ln(parallel)});
  int16_t p = Free(1, 1);
  int16_t q = Free(4, 1);
  int16_t divided = Step("PN", {Pt(p), Pt(q), Num(Number(1)), Num(Number(2))});
  int16_t noRatio = Step("PN", {Pt(p), Pt(q), Num(Number(1)), Num(Number(-1))});
  int16_t extended = Step("PEXT", {Pt(p), Pt(q), Num(Number(2))});
  int16_t turned = Step("PT1", {Pt(q), Pt(p), Num(Number(90))});
  int16_t mirrored = Step("PT2", {Pt(p), Ln(axis)});
  int16_t pointMirror = Step("PT3", {Pt(p), Pt(q)});
  int16_t shifted = Step("PT8", {Pt(p), Ln(diagonal)});
  fig.PtTable[noRatio].X = 8;
  Redraw();
  EXPECT_POINT_NEAR(1, 0, P(cross), 1e-12);
  EXPECT_EQ(P(none).Exists, 0);
  EXPECT_POINT_NEAR(2, 1, P(divided), 1e-12);
  EXPECT_EQ(P(noRatio).Exists, 0);
  EXPECT_EQ(P(noRatio).X, 8);
  EXPECT_POINT_NEAR(10, 1, P(extended), 1e-12);
  EXPECT_POINT_NEAR(1, 4, P(turned), 1e-12);
  EXPECT_POINT_NEAR(1, -1, P(mirrored), 1e-12);
  EXPECT_POINT_NEAR(7, 1, P(pointMirror), 1e-12);
  EXPECT_POINT_NEAR(2, 2, P(shifted), 1e-12);
}

TEST_F(PointKindsTest, InversionAndPole) {
  int16_t unit = Circle(0, 0, 1);
  int16_t outside = Free(2, 0);
  int16_t centre = Free(0, 0);
  int16_t inverse = Step("PT4", {Pt(outside), Cir(unit)});
  int16_t noInverse = Step("PT4", {Pt(centre), Cir(unit)});
  int16_t vertical = Line(0.5, 0, 0.5, 1);
  int16_t throughCentre = Line(-1, -1, 1, 1);
  int16_t pole = Step("PT9", {Ln(vertical), Cir(unit)});
  int16_t noPole = Step("PT9", {Ln(throughCentre), Cir(unit)});
  Redraw();
  EXPECT_POINT_NEAR(0.5, 0, P(inverse), 1e-12);
  EXPECT_EQ(P(noInverse).Exists, 0);
  EXPECT_POINT_NEAR(2, 0, P(pole), 1e-12);
  EXPECT_EQ(P(noPole).Exists, 0);
}

TEST_F(PointKindsTest, ComplexOperations) {
  int16_t u = Free(1, 2);
  int16_t v = Free(3, 4);
  int16_t tiny = Free(0.005, 0.005);
  int16_t i = Free(0, 2);
  int16_t origin = Free(0, 0);
  int16_t sum = Step("PO+", {Pt(u), Pt(v)});
  int16_t difference = Step("PO-", {Pt(u), Pt(v)});
  int16_t product = Step("PO*", {Pt(u), Pt(v)});
  int16_t quotient = Step("PO/", {Pt(product), Pt(v)});
  int16_t byTiny = Step("PO/", {Pt(u), Pt(tiny)});
  int16_t reciprocal = Step("PO-1", {Pt(i)});
  int16_t noReciprocal = Step("PO-1", {Pt(tiny)});
  int16_t square = Step("PO^", {Pt(i), Num(Number(2))});
  int16_t root = Step("PO^", {Pt(Free(0, -4)), Num(Number(0.5))});
  int16_t originNegative = Step("PO^", {Pt(origin), Num(Number(-1))});
  int16_t originSquare = Step("PO^", {Pt(origin), Num(Number(2))});
  int16_t fromNumbers = Step("PXY", {Num(Number(-3)), Num(Number(5))});
  Redraw();
  EXPECT_POINT_NEAR(4, 6, P(sum), kNear);
  EXPECT_POINT_NEAR(-2, -2, P(difference), kNear);
  EXPECT_POINT_NEAR(-5, 10, P(product), kNear);
  EXPECT_POINT_NEAR(1, 2, P(quotient), 1e-12);
  EXPECT_EQ(P(byTiny).Exists, 0);
  EXPECT_POINT_NEAR(0, -0.5, P(reciprocal), 1e-12);
  EXPECT_EQ(P(noReciprocal).Exists, 0);
  EXPECT_POINT_NEAR(-4, 0, P(square), 1e-12);
  // -4i has the argument 3π/2 in 0..2π, so its square root is on the left.
  EXPECT_POINT_NEAR(-std::sqrt(2.0), std::sqrt(2.0), P(root), 1e-12);
  EXPECT_EQ(P(originNegative).Exists, 0);
  EXPECT_POINT_NEAR(0, 0, P(originSquare), kNear);
  EXPECT_EQ(P(originSquare).Exists, kTrue);
  EXPECT_POINT_NEAR(-3, 5, P(fromNumbers), kNear);
}

TEST_F(PointKindsTest, LineCircleIntersections) {
  int16_t axis = Line(0, 0, 1, 0);
  int16_t unit = Circle(0, 0, 1);
  int16_t first = Step("PC2", {Ln(axis), Cir(unit)});
  int16_t second = first + 1;
  int16_t tangent = Line(-1, 1.00004, 1, 1.00004);
  int16_t touch = Step("PC2", {Ln(tangent), Cir(unit)});
  int16_t away = Line(-1, 1.2, 1, 1.2);
  int16_t missed = Step("PC2", {Ln(away), Cir(unit)});
  fig.PtTable[missed].X = 42;
  Redraw();
  EXPECT_POINT_NEAR(1, 0, P(first), 1e-12);
  EXPECT_POINT_NEAR(-1, 0, P(second), 1e-12);
  EXPECT_POINT_NEAR(0, 1.00004, P(touch), 1e-12);
  EXPECT_POINT_NEAR(0, 1.00004, P(touch + 1), 1e-12);
  EXPECT_EQ(P(missed).Exists, 0);
  EXPECT_EQ(P(missed + 1).Exists, 0);
  EXPECT_EQ(P(missed).X, 42);
}

TEST_F(PointKindsTest, LineCircleIntersectionsKeepTheirIdentity) {
  int16_t start = Free(0, 0);
  int16_t end = Free(1, 0);
  int16_t axis = Step("L1", {Pt(start), Pt(end)});
  int16_t unit = Circle(0, 0, 1);
  int16_t step = fig.StepCount + 1;
  int16_t first = Step("PC2", {Ln(axis), Cir(unit)});
  Redraw();
  EXPECT_POINT_NEAR(1, 0, P(first), 1e-12);
  EXPECT_EQ(fig.StepRev[step], 0);

  // Exchanging the line's points reverses its direction and so the natural
  // order; each point stays where it was.
  Move(start, 1, 0);
  Move(end, 0, 0);
  Redraw();
  EXPECT_EQ(fig.StepRev[step], kTrue);
  EXPECT_POINT_NEAR(1, 0, P(first), 1e-12);
  EXPECT_POINT_NEAR(-1, 0, P(first + 1), 1e-12);

  // A plain motion never flips the choice.
  Move(start, 1, 0.1);
  Move(end, 0, 0.1);
  Redraw();
  EXPECT_EQ(fig.StepRev[step], kTrue);
  EXPECT_GT(P(first).X, 0.9);

  // And exchanging back restores the natural order.
  Move(start, 0, 0.1);
  Move(end, 1, 0.1);
  Redraw();
  EXPECT_EQ(fig.StepRev[step], 0);
  EXPECT_GT(P(first).X, 0.9);
}

TEST_F(PointKindsTest, CircleCircleIntersectionsKeepTheirIdentity) {
  int16_t centre0 = Free(0, 0);
  int16_t centre1 = Free(1, 0);
  int16_t radius = Number(1);
  int16_t k0 = Step("C1", {Pt(centre0), Num(radius)});
  int16_t k1 = Step("C1", {Pt(centre1), Num(radius)});
  int16_t step = fig.StepCount + 1;
  int16_t first = Step("PC3", {Cir(k0), Cir(k1)});
  int16_t concentric = Step("PC3", {Cir(k0), Cir(Step("C1", {Pt(centre0), Num(Number(2))}))});
  Redraw();
  double h = std::sqrt(3.0) / 2;
  EXPECT_POINT_NEAR(0.5, h, P(first), 1e-12);
  EXPECT_POINT_NEAR(0.5, -h, P(first + 1), 1e-12);
  EXPECT_EQ(P(concentric).Exists, 0);
  EXPECT_EQ(P(concentric + 1).Exists, 0);

  // The circles change places: the natural order flips, the points do not.
  Move(centre0, 1, 0);
  Move(centre1, 0, 0);
  Redraw();
  EXPECT_EQ(fig.StepRev[step], kTrue);
  EXPECT_POINT_NEAR(0.5, h, P(first), 1e-12);
  EXPECT_POINT_NEAR(0.5, -h, P(first + 1), 1e-12);

  Move(centre1, 3.5, 0);  // too far apart now
  Redraw();
  EXPECT_EQ(P(first).Exists, 0);
  EXPECT_EQ(P(first + 1).Exists, 0);
}

}  // namespace
}  // namespace plandra::test
