// Linear, affine and projective maps of the plane determined by point pairs:
// the matrix arithmetic and the evaluation of the map steps during a recompute.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string_view>

#include "figure/PDvar05.h"

namespace plandra {

// A matrix of at most 3 x 3, indexed from 1 like the figure's tables.
struct MapMatrix {
  int Rows = 0;
  int Cols = 0;
  std::array<double, 9> Cell{};

  double& operator()(int i, int j) { return Cell[(i - 1) * 3 + (j - 1)]; }
  double operator()(int i, int j) const { return Cell[(i - 1) * 3 + (j - 1)]; }

  static MapMatrix Zero(int rows, int cols);
  static MapMatrix Identity(int n);
};

// Each returns false on failure. The inverses fail when |det| is below
// 0.01 (2 x 2) or 0.0001 (3 x 3) and then leave the zero matrix behind;
// MatMul fails when the shapes do not fit.
bool Inverse2(const MapMatrix& a, MapMatrix& inverse);
bool Inverse3(const MapMatrix& a, MapMatrix& inverse);
bool MatMul(const MapMatrix& a, const MapMatrix& b, MapMatrix& product);

struct MapPt {
  double X = 0;
  double Y = 0;
};

struct MapResult {
  MapPt Image;
  bool ImageExists = false;
  // False when the source pair or frame is singular: the figure's entries
  // then keep their previous values.
  bool EntriesValid = false;
  MapMatrix A;   // 2 x 2 for the linear map, 3 x 3 otherwise
  MapMatrix FQ;  // projective map only: the frame of the image quadrilateral
};

MapResult MapLinear(MapPt p, MapPt p1, MapPt p2, MapPt q1, MapPt q2);
MapResult MapAffine(MapPt p, MapPt p1, MapPt p2, MapPt p3, MapPt q1, MapPt q2, MapPt q3);
MapResult MapProjective(MapPt p, const std::array<MapPt, 4>& ps, const std::array<MapPt, 4>& qs);

// The map steps that show their final matrix, and so are named in CurKind
// while the last pass evaluates them.
inline bool ShowsFinalMatrix(Kind kind) {
  return kind == Kind::PT5 || kind == Kind::PT6 || kind == Kind::PT7;
}

// Where the map steps may show their matrices. Show receives "M2=" with the
// image frame at every evaluation of a projective step, and "M=" with the
// final matrix when MatrixShowSwitch is set, in the last pass only (when
// CurKind is set).
struct MatrixDisplay {
  std::function<void(std::string_view name, const MapMatrix& matrix)> Show;
  int16_t MatrixShowSwitch = kFalse;
};

// Evaluates a "PT5", "PT6" or "PT7" step (with the "PT62" step that follows
// the last two) in place. A "PT62" step alone does nothing: its outputs are
// written by the step before it. References that do not name an element of
// the right class are treated as missing, never followed.
void EvalTransformStep(Figure& fig, int step, const MatrixDisplay* display = nullptr);

}  // namespace plandra
