// Matrix arithmetic and the three maps.
#include "engine/MapEval.h"

#include <cmath>

namespace plandra {
namespace {

constexpr double kInverse2DetEps = 0.01;
constexpr double kInverse3DetEps = 0.0001;
constexpr double kImageWEps = 0.01;

bool FitsShape(const MapMatrix& m) {
  return m.Rows >= 1 && m.Rows <= 3 && m.Cols >= 1 && m.Cols <= 3;
}

// The 2 x 2 matrix whose columns are u and v.
MapMatrix Columns(MapPt u, MapPt v) {
  MapMatrix m = MapMatrix::Zero(2, 2);
  m(1, 1) = u.X;
  m(2, 1) = u.Y;
  m(1, 2) = v.X;
  m(2, 2) = v.Y;
  return m;
}

MapPt Minus(MapPt a, MapPt b) { return {a.X - b.X, a.Y - b.Y}; }

MapMatrix Translation(double dx, double dy) {
  MapMatrix t = MapMatrix::Identity(3);
  t(1, 3) = dx;
  t(2, 3) = dy;
  return t;
}

MapMatrix Scaled(MapMatrix m, double factor) {
  for (double& cell : m.Cell) cell *= factor;
  return m;
}

// The linear map sending the columns of [u1 u2] to those of [v1 v2].
bool LinearPart(MapPt u1, MapPt u2, MapPt v1, MapPt v2, MapMatrix& a) {
  MapMatrix inverse;
  if (!Inverse2(Columns(u1, u2), inverse)) return false;
  return MatMul(Columns(v1, v2), inverse, a);
}

// The frame of a quadrilateral: the projective map sending the reference
// square (0, 0), (1, 0), (1, 1), (0, 1) to q[0..3], scaled so that its
// (3, 3) entry is 1. Its first two columns are the images of the square's
// side directions, i.e. the intersections of opposite sides; its third row
// (g, h, 1) holds their weights, with g = 0 exactly when q0q1 and q3q2 are
// parallel, and (0, 0, 1) for a parallelogram, where the frame is affine.
// The first two rows are then the affine construction on the corners
// weighted by that row. weights receives the third row's value at the
// four corners. A degenerate quadrilateral gives the zero matrix.
MapMatrix QuadFrame(const std::array<MapPt, 4>& q, std::array<double, 4>& weights) {
  double sumX = q[0].X - q[1].X + q[2].X - q[3].X;
  double sumY = q[0].Y - q[1].Y + q[2].Y - q[3].Y;
  MapPt side1 = Minus(q[1], q[2]);
  MapPt side2 = Minus(q[3], q[2]);
  double den = side1.X * side2.Y - side2.X * side1.Y;
  weights = {1, 1, 1, 1};
  if (!(std::abs(den) > 0)) return MapMatrix::Zero(3, 3);  // q1, q2, q3 on a line
  double g = (sumX * side2.Y - sumY * side2.X) / den;
  double h = (side1.X * sumY - sumX * side1.Y) / den;
  if (!std::isfinite(g) || !std::isfinite(h)) return MapMatrix::Zero(3, 3);
  weights = {1, 1 + g, 1 + g + h, 1 + h};
  MapMatrix f = MapMatrix::Zero(3, 3);
  f(1, 1) = q[1].X * weights[1] - q[0].X;
  f(2, 1) = q[1].Y * weights[1] - q[0].Y;
  f(1, 2) = q[3].X * weights[3] - q[0].X;
  f(2, 2) = q[3].Y * weights[3] - q[0].Y;
  f(1, 3) = q[0].X;
  f(2, 3) = q[0].Y;
  f(3, 1) = g;
  f(3, 2) = h;
  f(3, 3) = 1;
  return f;
}

double MeanAbs(const std::array<double, 4>& values) {
  double sum = 0;
  for (double v : values) sum += std::abs(v);
  return sum / 4;
}

double MeanSideLength(const std::array<MapPt, 4>& q) {
  double sum = 0;
  for (int k = 0; k < 4; ++k) {
    MapPt side = Minus(q[(k + 1) % 4], q[k]);
    sum += std::hypot(side.X, side.Y);
  }
  return sum / 4;
}

}  // namespace

MapMatrix MapMatrix::Zero(int rows, int cols) {
  MapMatrix m;
  m.Rows = rows;
  m.Cols = cols;
  return m;
}

MapMatrix MapMatrix::Identity(int n) {
  MapMatrix m = Zero(n, n);
  for (int i = 1; i <= n; ++i) m(i, i) = 1;
  return m;
}

bool Inverse2(const MapMatrix& a, MapMatrix& inverse) {
  inverse = MapMatrix::Zero(2, 2);
  if (a.Rows != 2 || a.Cols != 2) return false;
  double det = a(1, 1) * a(2, 2) - a(1, 2) * a(2, 1);
  if (!(std::abs(det) >= kInverse2DetEps)) return false;
  inverse(1, 1) = a(2, 2) / det;
  inverse(1, 2) = -a(1, 2) / det;
  inverse(2, 1) = -a(2, 1) / det;
  inverse(2, 2) = a(1, 1) / det;
  return true;
}

bool Inverse3(const MapMatrix& a, MapMatrix& inverse) {
  inverse = MapMatrix::Zero(3, 3);
  if (a.Rows != 3 || a.Cols != 3) return false;
  // Cofactor (i, j) through cyclic indices, so no sign table is needed.
  auto cofactor = [&a](int i, int j) {
    int i1 = i % 3 + 1, i2 = (i + 1) % 3 + 1;
    int j1 = j % 3 + 1, j2 = (j + 1) % 3 + 1;
    return a(i1, j1) * a(i2, j2) - a(i1, j2) * a(i2, j1);
  };
  double det = a(1, 1) * cofactor(1, 1) + a(1, 2) * cofactor(1, 2) + a(1, 3) * cofactor(1, 3);
  if (!(std::abs(det) >= kInverse3DetEps)) return false;
  for (int i = 1; i <= 3; ++i) {
    for (int j = 1; j <= 3; ++j) inverse(i, j) = cofactor(j, i) / det;
  }
  return true;
}

bool MatMul(const MapMatrix& a, const MapMatrix& b, MapMatrix& product) {
  if (!FitsShape(a) || !FitsShape(b) || a.Cols != b.Rows) return false;
  MapMatrix result = MapMatrix::Zero(a.Rows, b.Cols);
  for (int i = 1; i <= a.Rows; ++i) {
    for (int j = 1; j <= b.Cols; ++j) {
      double sum = 0;
      for (int k = 1; k <= a.Cols; ++k) sum += a(i, k) * b(k, j);
      result(i, j) = sum;
    }
  }
  product = result;
  return true;
}

MapResult MapLinear(MapPt p, MapPt p1, MapPt p2, MapPt q1, MapPt q2) {
  MapResult result;
  if (!LinearPart(p1, p2, q1, q2, result.A)) return result;
  result.EntriesValid = true;
  result.ImageExists = true;
  result.Image = {result.A(1, 1) * p.X + result.A(1, 2) * p.Y,
                  result.A(2, 1) * p.X + result.A(2, 2) * p.Y};
  return result;
}

MapResult MapAffine(MapPt p, MapPt p1, MapPt p2, MapPt p3, MapPt q1, MapPt q2, MapPt q3) {
  MapResult result;
  MapMatrix linear;
  if (!LinearPart(Minus(p2, p1), Minus(p3, p1), Minus(q2, q1), Minus(q3, q1), linear)) {
    return result;
  }
  MapMatrix bordered = MapMatrix::Identity(3);
  for (int i = 1; i <= 2; ++i) {
    for (int j = 1; j <= 2; ++j) bordered(i, j) = linear(i, j);
  }
  MapMatrix shifted;
  MatMul(bordered, Translation(-p1.X, -p1.Y), shifted);
  MatMul(Translation(q1.X, q1.Y), shifted, result.A);
  const MapMatrix& m = result.A;
  result.EntriesValid = true;
  result.ImageExists = true;
  result.Image = {m(1, 1) * p.X + m(1, 2) * p.Y + m(1, 3), m(2, 1) * p.X + m(2, 2) * p.Y + m(2, 3)};
  return result;
}

MapResult MapProjective(MapPt p, const std::array<MapPt, 4>& ps, const std::array<MapPt, 4>& qs) {
  MapResult result;
  std::array<double, 4> weightsP{}, weightsQ{};
  MapMatrix frameP = QuadFrame(ps, weightsP);
  MapMatrix frameQ = QuadFrame(qs, weightsQ);
  // The scale of the frames is free. Dividing each by the mean weight of its
  // corners keeps the third row balanced (a nearly degenerate quadrilateral
  // has huge weights and a huge raw determinant); dividing both by the
  // source's size^(2/3) makes det F_P the dimensionless area / size^2. So
  // the determinant test sees the shape of P1..P4, not their scale or
  // position, and w at the corners is the ratio of balanced weights, 1 for
  // equal quadrilaterals, whatever their size.
  double size = MeanSideLength(ps);
  double sizeFactor = std::cbrt(size * size);
  MapMatrix fp = MapMatrix::Zero(3, 3);
  if (sizeFactor > 0) {
    fp = Scaled(frameP, 1 / (MeanAbs(weightsP) * sizeFactor));
    result.FQ = Scaled(frameQ, 1 / (MeanAbs(weightsQ) * sizeFactor));
  } else {
    result.FQ = MapMatrix::Zero(3, 3);
  }
  MapMatrix inverse;
  Inverse3(fp, inverse);  // the zero matrix when F_P is singular
  MatMul(result.FQ, inverse, result.A);
  const MapMatrix& m = result.A;
  double u = m(1, 1) * p.X + m(1, 2) * p.Y + m(1, 3);
  double v = m(2, 1) * p.X + m(2, 2) * p.Y + m(2, 3);
  double w = m(3, 1) * p.X + m(3, 2) * p.Y + m(3, 3);
  result.EntriesValid = true;
  result.ImageExists = std::abs(w) >= kImageWEps;
  if (result.ImageExists) result.Image = {u / w, v / w};
  return result;
}

}  // namespace plandra
