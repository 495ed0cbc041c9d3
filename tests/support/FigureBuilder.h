// Figures built step by step, shared by the tests and the benchmarks: each
// builder appends one step with its output elements, as the construction
// commands do, and returns the index of the (first) output.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "figure/PDvar05.h"

namespace plandra::test {

int16_t AddFreePoint(Figure& fig, double x, double y);
int16_t AddNumber(Figure& fig, double value);  // an independent number, no step
int16_t AddStep(Figure& fig, std::string_view kind, std::initializer_list<ObjRef> inputs);

inline ObjRef PointRef(int16_t index) { return {kClassPoint, index}; }

// A movable point on a line or circle; its step names the host, as figure
// files do.
int16_t AddPointOnHost(Figure& fig, ObjRef host, double param);

// 300 free points, 400 lines through pairs of them and 300 circles about
// them, every element named.
void BuildLargeFigure(Figure& fig);

// A quarter of the steps free points, then lines and circles through them
// in turn, every element named; the store is reset to hold them.
void BuildFigureOfSteps(Figure& fig, int steps);

// Loci sharing one driving point on a line: each traces the reflection, in
// a fixed point of its own, of the midpoint of that point and the driving
// point (two steps of its own). The store is reset to hold them.
struct LociFigure {
  int16_t LinePoint = 0;  // the first point of the driving point's line
  int16_t Unrelated = 0;  // a free point no locus reads
};
LociFigure BuildLociFigure(Figure& fig, int loci);

}  // namespace plandra::test
