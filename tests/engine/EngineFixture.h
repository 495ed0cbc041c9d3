// A figure, a scripted platform and short builders for the engine tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "core/Recompute.h"
#include "core/Refresh.h"
#include "engine/GeoObj05.h"
#include "support/ScriptedPlatform.h"
#include "support/TestHelpers.h"

namespace plandra::test {

inline ObjRef Pt(int16_t i) { return {kClassPoint, i}; }
inline ObjRef Ln(int16_t i) { return {kClassLine, i}; }
inline ObjRef Cir(int16_t i) { return {kClassCircle, i}; }
inline ObjRef Num(int16_t i) { return {100, i}; }  // as the number dialog gives it

class EngineTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetFigure(fig, 50); }

  int16_t Free(double x, double y) { return AddFreePoint(fig, x, y); }
  int16_t Number(double value) { return AddNumber(fig, value); }
  int16_t Step(std::string_view kind, std::initializer_list<ObjRef> inputs) {
    return AddStep(fig, kind, inputs);
  }
  // A segment (or other line kind) through two new free points.
  int16_t Line(double x1, double y1, double x2, double y2, int16_t lineKind = 0) {
    int16_t a = Free(x1, y1);
    int16_t b = Free(x2, y2);
    int16_t line = Step("L1", {Pt(a), Pt(b)});
    fig.LnTable[line].LineKind = lineKind;
    return line;
  }
  // A circle about a new free centre through a new free point.
  int16_t Circle(double cx, double cy, double r) {
    int16_t centre = Free(cx, cy);
    int16_t through = Free(cx + r, cy);
    return Step("C2", {Pt(centre), Pt(through)});
  }
  // A point on a line or circle, as the construction flow leaves it.
  int16_t OnHost(ObjRef host, double param) { return AddPointOnHost(fig, host, param); }

  // What a redraw does before drawing.
  void Redraw() { RecomputeForRedraw(fig, platform); }

  void Move(int16_t point, double x, double y) {
    fig.PtTable[point].X = x;
    fig.PtTable[point].Y = y;
  }

  const PtRec& P(int16_t i) const { return fig.PtTable[i]; }
  const LnRec& L(int16_t i) const { return fig.LnTable[i]; }
  const CirRec& K(int16_t i) const { return fig.CirTable[i]; }
  const NumRec& N(int16_t i) const { return fig.NumTable[i]; }

  Figure fig;
  ScriptedPlatform platform;
};

// Distance of (x, y) from a line element.
inline double DistanceFromLine(const LnRec& line, double x, double y) {
  return std::abs((x - line.X1) * line.DY - (y - line.Y1) * line.DX);
}

}  // namespace plandra::test
