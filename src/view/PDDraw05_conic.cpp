// The conic through five points: solved in coordinates centred on the points
// and scaled to them (so the 5x5 minors stay well conditioned), and drawn by
// marching over a grid of window cells, which copes alike with ellipses,
// hyperbolas, parabolas and line pairs.
#include <cmath>

#include "view/PDDraw05.h"

namespace plandra {
namespace {

// Below this (after scaling the largest coefficient to 1 would need it) the
// five points leave the conic undetermined: coincident or all on one line.
constexpr double kConicEps = 1e-10;
constexpr double kCellPixels = 2;
// Grid cells of one conic at most; beyond, the cells grow instead.
constexpr double kMaxCells = 1e6;

struct Conic {
  std::array<double, 6> K;  // a u² + b uv + c v² + d u + e v + f, u = (x - Cx) / S
  double Cx, Cy, S;

  double At(double x, double y) const {
    double u = (x - Cx) / S;
    double v = (y - Cy) / S;
    return K[0] * u * u + K[1] * u * v + K[2] * v * v + K[3] * u + K[4] * v + K[5];
  }
};

double Det5(std::array<std::array<double, 5>, 5> m) {
  double det = 1;
  for (int col = 0; col < 5; ++col) {
    int pivot = col;
    for (int r = col + 1; r < 5; ++r) {
      if (std::fabs(m[r][col]) > std::fabs(m[pivot][col])) pivot = r;
    }
    if (m[pivot][col] == 0) return 0;
    if (pivot != col) {
      std::swap(m[pivot], m[col]);
      det = -det;
    }
    det *= m[col][col];
    for (int r = col + 1; r < 5; ++r) {
      double factor = m[r][col] / m[col][col];
      for (int k = col; k < 5; ++k) m[r][k] -= factor * m[col][k];
    }
  }
  return det;
}

std::optional<Conic> SolveConic(const std::array<WorldPoint, 5>& points) {
  Conic conic{};
  for (const WorldPoint& pt : points) {
    if (!std::isfinite(pt.X) || !std::isfinite(pt.Y)) return std::nullopt;
    conic.Cx += pt.X / 5;
    conic.Cy += pt.Y / 5;
  }
  for (const WorldPoint& pt : points) {
    conic.S = std::fmax(conic.S, std::fmax(std::fabs(pt.X - conic.Cx), std::fabs(pt.Y - conic.Cy)));
  }
  if (conic.S == 0) return std::nullopt;
  std::array<std::array<double, 6>, 5> rows{};
  for (int i = 0; i < 5; ++i) {
    double u = (points[i].X - conic.Cx) / conic.S;
    double v = (points[i].Y - conic.Cy) / conic.S;
    rows[i] = {u * u, u * v, v * v, u, v, 1};
  }
  // The null vector of the 5x6 system: its signed 5x5 minors.
  double largest = 0;
  for (int skip = 0; skip < 6; ++skip) {
    std::array<std::array<double, 5>, 5> minor{};
    for (int i = 0; i < 5; ++i) {
      for (int k = 0, col = 0; k < 6; ++k) {
        if (k != skip) minor[i][col++] = rows[i][k];
      }
    }
    conic.K[skip] = (skip % 2 == 0 ? 1 : -1) * Det5(minor);
    largest = std::fmax(largest, std::fabs(conic.K[skip]));
  }
  if (largest < kConicEps) return std::nullopt;
  for (double& k : conic.K) k /= largest;
  return conic;
}

struct Crossing {
  double X, Y;
};

// Where the conic crosses the edge between two grid nodes.
Crossing EdgeCrossing(double x0, double y0, double f0, double x1, double y1, double f1) {
  double t = f0 / (f0 - f1);
  return {x0 + t * (x1 - x0), y0 + t * (y1 - y0)};
}

// One grid cell: corners bottom-left, bottom-right, top-right, top-left.
void MarchCell(Surface& s, const Conic& conic, double x0, double y0, double h,
               const std::array<double, 4>& f, RgbColor color) {
  const std::array<double, 4> xs = {x0, x0 + h, x0 + h, x0};
  const std::array<double, 4> ys = {y0, y0, y0 + h, y0 + h};
  std::array<Crossing, 4> found{};
  int count = 0;
  for (int e = 0; e < 4; ++e) {  // edges bottom, right, top, left
    int a = e;
    int b = (e + 1) % 4;
    if ((f[a] > 0) == (f[b] > 0)) continue;
    found[count++] = EdgeCrossing(xs[a], ys[a], f[a], xs[b], ys[b], f[b]);
  }
  if (count == 2) {
    s.Line(found[0].X, found[0].Y, found[1].X, found[1].Y, color);
    return;
  }
  if (count != 4) return;
  // A saddle cell: the centre tells which corners the curve cuts off.
  bool centreLikeFirst = (conic.At(x0 + h / 2, y0 + h / 2) > 0) == (f[0] > 0);
  if (centreLikeFirst) {
    s.Line(found[0].X, found[0].Y, found[1].X, found[1].Y, color);  // bottom-right corner
    s.Line(found[2].X, found[2].Y, found[3].X, found[3].Y, color);  // top-left corner
  } else {
    s.Line(found[3].X, found[3].Y, found[0].X, found[0].Y, color);  // bottom-left corner
    s.Line(found[1].X, found[1].Y, found[2].X, found[2].Y, color);  // top-right corner
  }
}

void DrawConicInWindow(RenderContext& r, const Conic& conic, RgbColor color) {
  const ViewState& view = r.View;
  if (view.HalfWidth <= 0 || view.HalfHeight <= 0) return;
  double h = kCellPixels * view.PixelSize;
  double cells = (2 * view.HalfWidth / h) * (2 * view.HalfHeight / h);
  if (cells > kMaxCells) h *= std::sqrt(cells / kMaxCells);
  int nx = static_cast<int>(std::ceil(2 * view.HalfWidth / h));
  int ny = static_cast<int>(std::ceil(2 * view.HalfHeight / h));
  double left = -view.HalfWidth;
  double bottom = -view.HalfHeight;
  std::vector<double> below(nx + 1), above(nx + 1);
  for (int i = 0; i <= nx; ++i) below[i] = conic.At(left + i * h, bottom);
  for (int j = 0; j < ny; ++j) {
    double y0 = bottom + j * h;
    for (int i = 0; i <= nx; ++i) above[i] = conic.At(left + i * h, y0 + h);
    for (int i = 0; i < nx; ++i) {
      MarchCell(*r.Canvas, conic, left + i * h, y0, h,
                {below[i], below[i + 1], above[i + 1], above[i]}, color);
    }
    std::swap(below, above);
  }
}

}  // namespace

std::optional<std::array<double, 6>> ConicThrough(const std::array<WorldPoint, 5>& points) {
  std::optional<Conic> conic = SolveConic(points);
  if (!conic) return std::nullopt;
  const auto& [a, b, c, d, e, f] = conic->K;
  double s = conic->S;
  double cx = conic->Cx;
  double cy = conic->Cy;
  double s2 = s * s;
  return std::array<double, 6>{
      a / s2,
      b / s2,
      c / s2,
      d / s - (2 * a * cx + b * cy) / s2,
      e / s - (b * cx + 2 * c * cy) / s2,
      f + (a * cx * cx + b * cx * cy + c * cy * cy) / s2 - (d * cx + e * cy) / s};
}

void DrawConics(RenderContext& r) {
  if (!r.Canvas) return;
  const Figure& fig = r.Fig;
  RgbColor color = ColorOf(r, kColorBlack);
  for (int s = 1; s <= fig.StepCount; ++s) {
    if (fig.StepKindId[s] != Kind::X2JI) continue;
    std::array<WorldPoint, 5> points{};
    bool usable = true;
    for (int k = 1; k <= 5 && usable; ++k) {
      ObjRef in = fig.StepIn[s][k];
      usable = in.BaseClass() == kClassPoint && in.Index >= 1 && RefInRange(fig, in) &&
               fig.PtTable[in.Index].Exists != kFalse;
      if (usable) points[k - 1] = {fig.PtTable[in.Index].X, fig.PtTable[in.Index].Y};
    }
    if (!usable) continue;
    std::optional<Conic> conic = SolveConic(points);
    if (conic) DrawConicInWindow(r, *conic, color);
  }
}

}  // namespace plandra
