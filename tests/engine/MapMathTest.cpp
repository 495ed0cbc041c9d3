#include <gtest/gtest.h>

#include "engine/MapEval.h"

namespace plandra {
namespace {

constexpr double kEps = 1e-9;

MapMatrix Make(int rows, int cols, std::initializer_list<double> cells) {
  MapMatrix m = MapMatrix::Zero(rows, cols);
  auto it = cells.begin();
  for (int i = 1; i <= rows; ++i) {
    for (int j = 1; j <= cols; ++j) m(i, j) = *it++;
  }
  return m;
}

void ExpectMatrixNear(const MapMatrix& expected, const MapMatrix& actual, double eps) {
  ASSERT_EQ(expected.Rows, actual.Rows);
  ASSERT_EQ(expected.Cols, actual.Cols);
  for (int i = 1; i <= expected.Rows; ++i) {
    for (int j = 1; j <= expected.Cols; ++j) {
      EXPECT_NEAR(expected(i, j), actual(i, j), eps) << "entry (" << i << ", " << j << ")";
    }
  }
}

void ExpectImage(const MapResult& r, double x, double y) {
  ASSERT_TRUE(r.ImageExists);
  EXPECT_NEAR(r.Image.X, x, 1e-9);
  EXPECT_NEAR(r.Image.Y, y, 1e-9);
}

TEST(MapMatrices, InversesAndProducts) {
  MapMatrix inv;
  ASSERT_TRUE(Inverse2(Make(2, 2, {2, 1, 1, 1}), inv));
  ExpectMatrixNear(Make(2, 2, {1, -1, -1, 2}), inv, kEps);

  // Singular and nearly singular: |det| below 0.01 fails and leaves zeros.
  EXPECT_FALSE(Inverse2(Make(2, 2, {1, 2, 2, 4}), inv));
  ExpectMatrixNear(MapMatrix::Zero(2, 2), inv, 0);
  EXPECT_FALSE(Inverse2(Make(2, 2, {0.09, 0, 0, 0.1}), inv));  // det 0.009
  EXPECT_TRUE(Inverse2(Make(2, 2, {0.11, 0, 0, 0.1}), inv));   // det 0.011
  EXPECT_FALSE(Inverse2(MapMatrix::Identity(3), inv));

  MapMatrix a = Make(3, 3, {2, 0, 1, 1, 3, 2, 1, 1, 2});  // det 6
  ASSERT_TRUE(Inverse3(a, inv));
  MapMatrix product;
  ASSERT_TRUE(MatMul(a, inv, product));
  ExpectMatrixNear(MapMatrix::Identity(3), product, kEps);
  EXPECT_NEAR(inv(1, 1), 4.0 / 6, kEps);
  EXPECT_NEAR(inv(3, 1), -2.0 / 6, kEps);
  EXPECT_FALSE(Inverse3(Make(3, 3, {1, 2, 3, 2, 4, 6, 0, 0, 1}), inv));
  ExpectMatrixNear(MapMatrix::Zero(3, 3), inv, 0);
  EXPECT_FALSE(Inverse3(Make(3, 3, {0.1, 0, 0, 0, 0.1, 0, 0, 0, 0.0099}), inv));  // det 9.9e-5
  EXPECT_TRUE(Inverse3(Make(3, 3, {0.1, 0, 0, 0, 0.1, 0, 0, 0, 0.0101}), inv));

  // Shapes must fit; the result may be one of the operands.
  EXPECT_FALSE(MatMul(MapMatrix::Identity(2), MapMatrix::Identity(3), product));
  MapMatrix column = Make(2, 1, {1, 2});
  ASSERT_TRUE(MatMul(Make(2, 2, {0, -1, 1, 0}), column, column));
  ExpectMatrixNear(Make(2, 1, {-2, 1}), column, kEps);
}

TEST(MapLinearTest, IdentityRotationShearAndSingularSource) {
  MapResult id = MapLinear({3, -2}, {1, 0}, {0, 1}, {1, 0}, {0, 1});
  ASSERT_TRUE(id.EntriesValid);
  ExpectMatrixNear(MapMatrix::Identity(2), id.A, kEps);
  ExpectImage(id, 3, -2);

  MapResult rot = MapLinear({2, 1}, {1, 0}, {0, 1}, {0, 1}, {-1, 0});
  ExpectMatrixNear(Make(2, 2, {0, -1, 1, 0}), rot.A, kEps);
  ExpectImage(rot, -1, 2);

  // A shear seen through a skew source basis: the matrix is found anyway.
  MapResult shear = MapLinear({1, 2}, {1, 1}, {1, -1}, {3, 1}, {-1, -1});
  ExpectMatrixNear(Make(2, 2, {1, 2, 0, 1}), shear.A, kEps);
  ExpectImage(shear, 5, 2);

  MapResult singular = MapLinear({1, 1}, {1, 0}, {2, 0.001}, {2, 1}, {1, 2});  // det 0.001
  EXPECT_FALSE(singular.ImageExists);
  EXPECT_FALSE(singular.EntriesValid);
}

TEST(MapAffineTest, TranslationRotationAndFlatSource) {
  MapResult shift = MapAffine({-2, 2}, {-4, 0}, {-3, 0}, {-4, 1}, {4, 0}, {5, 0}, {4, 1});
  ExpectMatrixNear(Make(3, 3, {1, 0, 8, 0, 1, 0, 0, 0, 1}), shift.A, kEps);
  ExpectImage(shift, 6, 2);

  // A quarter turn taking (1, 1), (2, 1), (1, 2) to (0, 0), (0, 1), (-1, 0).
  MapResult turn = MapAffine({3, 2}, {1, 1}, {2, 1}, {1, 2}, {0, 0}, {0, 1}, {-1, 0});
  ExpectMatrixNear(Make(3, 3, {0, -1, 1, 1, 0, -1, 0, 0, 1}), turn.A, kEps);
  ExpectImage(turn, -1, 2);

  MapResult flat = MapAffine({0, 0}, {0, 0}, {1, 1}, {2, 2}, {4, 0}, {5, 0}, {4, 1});
  EXPECT_FALSE(flat.ImageExists);
  EXPECT_FALSE(flat.EntriesValid);
}

const std::array<MapPt, 4> kUnitSquare{{{0, 0}, {1, 0}, {1, 1}, {0, 1}}};
const std::array<MapPt, 4> kTrapezoid{{{0, 0}, {4, 0}, {3, 2}, {1, 2}}};

TEST(MapProjectiveTest, SquareOntoTrapezoid) {
  // By hand: the frame of the trapezoid is [[4, 2, 0], [0, 4, 0], [0, 1, 1]]
  // with corner weights 1, 1, 2, 2; balanced by their mean 1.5 against the
  // square's identity frame.
  MapResult centre = MapProjective({0.5, 0.5}, kUnitSquare, kTrapezoid);
  ASSERT_TRUE(centre.EntriesValid);
  ExpectMatrixNear(Make(3, 3, {8.0 / 3, 4.0 / 3, 0, 0, 8.0 / 3, 0, 0, 2.0 / 3, 2.0 / 3}), centre.A,
                   kEps);
  ExpectImage(centre, 2, 4.0 / 3);  // where the trapezoid's diagonals cross
  for (int k = 0; k < 4; ++k) {
    ExpectImage(MapProjective(kUnitSquare[k], kUnitSquare, kTrapezoid), kTrapezoid[k].X,
                kTrapezoid[k].Y);
  }

  // w = (y + 1) / 1.5: the line y = -1 goes to infinity.
  MapResult vanishing = MapProjective({0.3, -1}, kUnitSquare, kTrapezoid);
  EXPECT_FALSE(vanishing.ImageExists);
  EXPECT_TRUE(vanishing.EntriesValid);
  EXPECT_FALSE(MapProjective({0.3, -0.99}, kUnitSquare, kTrapezoid).ImageExists);  // w 0.0067
  EXPECT_TRUE(MapProjective({0.3, -0.97}, kUnitSquare, kTrapezoid).ImageExists);   // w 0.02
}

TEST(MapProjectiveTest, IdentityParallelogramAndScale) {
  const std::array<MapPt, 4> quad{{{-1, 0}, {3, -1}, {4, 5}, {0, 2}}};
  MapResult same = MapProjective({1.5, 2.5}, quad, quad);
  ExpectMatrixNear(MapMatrix::Identity(3), same.A, kEps);
  ExpectImage(same, 1.5, 2.5);

  // Between parallelograms the map is the affine one of three corners.
  const std::array<MapPt, 4> from{{{0, 0}, {2, 0}, {3, 1}, {1, 1}}};
  const std::array<MapPt, 4> to{{{1, 1}, {1, 3}, {0, 4}, {0, 2}}};
  MapResult proj = MapProjective({1.2, 0.7}, from, to);
  MapResult affine = MapAffine({1.2, 0.7}, from[0], from[1], from[3], to[0], to[1], to[3]);
  ExpectImage(proj, affine.Image.X, affine.Image.Y);
  EXPECT_NEAR(proj.A(3, 1), 0, kEps);
  EXPECT_NEAR(proj.A(3, 2), 0, kEps);

  // A hundred times smaller figure maps the same way: the tests do not
  // depend on the quadrilateral's size.
  std::array<MapPt, 4> tinySquare = kUnitSquare, tinyTrapezoid = kTrapezoid;
  for (int k = 0; k < 4; ++k) {
    tinySquare[k] = {kUnitSquare[k].X / 100, kUnitSquare[k].Y / 100};
    tinyTrapezoid[k] = {kTrapezoid[k].X / 100, kTrapezoid[k].Y / 100};
  }
  ExpectImage(MapProjective({0.005, 0.005}, tinySquare, tinyTrapezoid), 0.02, 0.04 / 3);
  EXPECT_FALSE(MapProjective({0.003, -0.0099}, tinySquare, tinyTrapezoid).ImageExists);
}

TEST(MapProjectiveTest, DegenerateSourceQuadrilaterals) {
  // P3 on the line P2 P4: no projective map of the square; M is zero.
  const std::array<MapPt, 4> triangle{{{0, 0}, {1, 0}, {0.5, 0.5}, {0, 1}}};
  MapResult flat = MapProjective({0.2, 0.2}, triangle, kTrapezoid);
  EXPECT_FALSE(flat.ImageExists);
  EXPECT_TRUE(flat.EntriesValid);
  ExpectMatrixNear(MapMatrix::Zero(3, 3), flat.A, 0);

  // Almost there: the raw frame's determinant is huge (about 2.5e9), the
  // balanced one is tiny, so the near-degenerate frame is refused...
  const std::array<MapPt, 4> almost{{{0, 0}, {1, 0}, {0.5, 0.50001}, {0, 1}}};
  EXPECT_FALSE(MapProjective({0.2, 0.2}, almost, kTrapezoid).ImageExists);
  // ... while a clearly convex one is not.
  const std::array<MapPt, 4> kite{{{0, 0}, {1, 0}, {0.5, 0.51}, {0, 1}}};
  EXPECT_TRUE(MapProjective({0.2, 0.2}, kite, kTrapezoid).ImageExists);

  const std::array<MapPt, 4> point{{{2, 2}, {2, 2}, {2, 2}, {2, 2}}};
  EXPECT_FALSE(MapProjective({2, 2}, point, kTrapezoid).ImageExists);
}

}  // namespace
}  // namespace plandra
