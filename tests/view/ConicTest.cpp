#include "core/Refresh.h"
#include "view/ViewFixture.h"

namespace plandra::test {
namespace {

double ConicValue(const std::array<double, 6>& k, double x, double y) {
  return k[0] * x * x + k[1] * x * y + k[2] * y * y + k[3] * x + k[4] * y + k[5];
}

TEST(ConicThroughTest, FindsTheConicOfFivePointsOrNone) {
  // A circle of radius 2 about (3, -1).
  std::array<WorldPoint, 5> circle{};
  for (int i = 0; i < 5; ++i) {
    double a = 0.4 + 1.1 * i;
    circle[i] = {3 + 2 * std::cos(a), -1 + 2 * std::sin(a)};
  }
  std::optional<std::array<double, 6>> k = ConicThrough(circle);
  ASSERT_TRUE(k);
  std::array<double, 6> c = *k;
  for (double& v : c) v /= (*k)[0];
  EXPECT_NEAR(c[1], 0, 1e-9);
  EXPECT_NEAR(c[2], 1, 1e-9);
  EXPECT_NEAR(c[3], -6, 1e-9);
  EXPECT_NEAR(c[4], 2, 1e-9);
  EXPECT_NEAR(c[5], 9 + 1 - 4, 1e-9);

  // A hyperbola xy = 1 far from the origin keeps its accuracy.
  std::array<WorldPoint, 5> hyperbola{};
  const std::array<double, 5> xs = {0.5, 1, 2, -1, -4};
  for (int i = 0; i < 5; ++i) hyperbola[i] = {100 + xs[i], 200 + 1 / xs[i]};
  k = ConicThrough(hyperbola);
  ASSERT_TRUE(k);
  double scale = (*k)[1];
  EXPECT_NEAR(ConicValue(*k, 100 + 8, 200 + 0.125) / scale, 0, 1e-6);
  EXPECT_NEAR((*k)[0] / scale, 0, 1e-9);

  // Five points on a line, or a repeated point, determine no single conic.
  std::array<WorldPoint, 5> collinear{};
  for (int i = 0; i < 5; ++i) collinear[i] = {1.0 * i, 2.0 * i + 1};
  EXPECT_FALSE(ConicThrough(collinear));
  std::array<WorldPoint, 5> repeated = circle;
  repeated[4] = repeated[0];
  EXPECT_FALSE(ConicThrough(repeated));
  std::array<WorldPoint, 5> broken = circle;
  broken[2].X = std::nan("");
  EXPECT_FALSE(ConicThrough(broken));
}

TEST_F(ViewTest, FivePointStepDrawsItsConicInsideTheWindow) {
  std::array<ObjRef, 5> in{};
  for (int i = 0; i < 5; ++i) {
    double a = 1.25 * i;
    in[i] = {kClassPoint, AddFreePoint(p.Fig, 10 * std::cos(a), 10 * std::sin(a))};
  }
  AddStep(p.Fig, "X2JI", {in[0], in[1], in[2], in[3], in[4]});
  DrawConics(Ctx());
  std::vector<SurfaceCall> pieces = Lines();
  ASSERT_GT(pieces.size(), 200u);
  double top = -100;
  for (const SurfaceCall& piece : pieces) {
    EXPECT_NEAR(std::hypot(piece.X1, piece.Y1), 10, 0.02);
    EXPECT_LE(std::fabs(piece.Y1), 12 + 1e-9);
    top = std::max(top, piece.Y1);
  }
  // The whole circle fits in the window: its top is drawn.
  EXPECT_NEAR(top, 10, 0.05);

  // A circle larger than the window shows only its parts inside.
  surface.Calls.clear();
  for (int i = 0; i < 5; ++i) {
    PtRec& pt = p.Fig.PtTable[in[i].Index];
    pt.X *= 1.5;
    pt.Y *= 1.5;
  }
  DrawConics(Ctx());
  ASSERT_FALSE(Lines().empty());
  for (const SurfaceCall& piece : Lines()) {
    EXPECT_LE(std::fabs(piece.Y1), 12 + 1e-9);
    EXPECT_LE(std::fabs(piece.X2), 16 + 2 * 0.05);
  }

  // A point that does not exist draws nothing.
  surface.Calls.clear();
  p.Fig.PtTable[in[2].Index].Exists = kFalse;
  DrawConics(Ctx());
  EXPECT_TRUE(Lines().empty());
}

TEST_F(ViewTest, LinePairThroughFivePointsIsDrawnAsBothLines) {
  // Four points on y = 0 would need a double line; three on the x axis and
  // two on the y axis give the pair xy = 0.
  std::array<ObjRef, 5> in{};
  const std::array<WorldPoint, 5> pts = {{{-5, 0}, {3, 0}, {7, 0}, {0, 4}, {0, -6}}};
  for (int i = 0; i < 5; ++i) in[i] = {kClassPoint, AddFreePoint(p.Fig, pts[i].X, pts[i].Y)};
  AddStep(p.Fig, "X2JI", {in[0], in[1], in[2], in[3], in[4]});
  Redraw(p);
  int onXAxis = 0;
  int onYAxis = 0;
  for (const SurfaceCall& piece : Lines()) {
    if (std::fabs(piece.Y1) < 0.06 && std::fabs(piece.Y2) < 0.06) ++onXAxis;
    if (std::fabs(piece.X1) < 0.06 && std::fabs(piece.X2) < 0.06) ++onYAxis;
  }
  EXPECT_GT(onXAxis, 100);
  EXPECT_GT(onYAxis, 100);
}

}  // namespace
}  // namespace plandra::test
