#include "support/FigureBuilder.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "figure/Codes.h"
#include "figure/PDtype05.h"

namespace plandra::test {
namespace {

// Spread over the standard window, no two points alike.
ObjRef SpreadPoint(Figure& fig, int i) {
  return PointRef(AddFreePoint(fig, std::fmod(i * 3.7, 30) - 15, std::fmod(i * 2.3, 18) - 9));
}

void Name(Figure& fig, ObjRef ref, const char* prefix, int number) {
  SetElementName(fig, ref, prefix + std::to_string(number));
}

}  // namespace

int16_t AddFreePoint(Figure& fig, double x, double y) {
  int16_t index = AddStep(fig, "PNEW", {});
  PtRec& pt = fig.PtTable[index];
  pt.X = x;
  pt.Y = y;
  pt.Exists = kTrue;
  pt.BoundMode = kTrue;
  pt.Mark = kMarkCircle;
  return index;
}

int16_t AddPointOnHost(Figure& fig, ObjRef host, double param) {
  int16_t index = AddStep(fig, "PBND", {host});
  PtRec& pt = fig.PtTable[index];
  pt.BoundMode = kTrue;
  pt.HostClass = host.Class;
  pt.HostIndex = host.Index;
  pt.Param = param;
  pt.Exists = kTrue;
  return index;
}

int16_t AddNumber(Figure& fig, double value) {
  ReserveElement(fig, kClassNumber);
  int16_t index = fig.ElemCount[kClassNumber];
  NumRec& num = fig.NumTable[index];
  num.Value = value;
  num.Exists = kTrue;
  num.NumFlag = kTrue;
  return index;
}

int16_t AddStep(Figure& fig, std::string_view kind, std::initializer_list<ObjRef> inputs) {
  AppendStep(fig);
  int16_t step = fig.StepCount;
  SetStepKind(fig, step, kind);
  int slot = 1;
  for (ObjRef in : inputs) fig.StepIn[step][slot++] = in;
  const KindInfo& info = KindInfoOf(fig.StepKindId[step]);
  int16_t first = 0;
  for (int k = 0; k < 5 && info.OutClass[k] != 0; ++k) {
    auto cls = static_cast<int16_t>(info.OutClass[k] % 100);
    ReserveElement(fig, cls);
    int16_t index = fig.ElemCount[cls];
    fig.StepOut[step][k + 1] = {info.OutClass[k], index};
    if (k == 0) first = index;
  }
  return first;
}

void BuildLargeFigure(Figure& fig) {
  constexpr int kPoints = 300;
  for (int i = 0; i < kPoints; ++i) Name(fig, SpreadPoint(fig, i), "P", i + 1);
  auto point = [](int i) { return PointRef(static_cast<int16_t>(i % kPoints + 1)); };
  for (int i = 0; i < 400; ++i) {
    Name(fig, {kClassLine, AddStep(fig, "L1", {point(i), point(i + 7)})}, "l", i + 1);
  }
  for (int i = 0; i < kPoints; ++i) {
    Name(fig, {kClassCircle, AddStep(fig, "C2", {point(i), point(i + 1)})}, "c", i + 1);
  }
}

void BuildFigureOfSteps(Figure& fig, int steps) {
  const int points = std::max(3, steps / 4);
  ResetFigure(fig, static_cast<int16_t>(steps + 10));
  for (int i = 0; i < points; ++i) Name(fig, SpreadPoint(fig, i), "P", i + 1);
  auto point = [points](int i) { return PointRef(static_cast<int16_t>(i % points + 1)); };
  for (int i = 0; fig.StepCount < steps; ++i) {
    if (i % 2 == 0) {
      Name(fig, {kClassLine, AddStep(fig, "L1", {point(i), point(i + 7)})}, "l", i + 1);
    } else {
      Name(fig, {kClassCircle, AddStep(fig, "C2", {point(i), point(i + 1)})}, "c", i + 1);
    }
  }
}

LociFigure BuildLociFigure(Figure& fig, int loci) {
  ResetFigure(fig, static_cast<int16_t>(10 + 4 * loci));
  LociFigure built;
  built.LinePoint = AddFreePoint(fig, -6, -1);
  int16_t line = AddStep(fig, "L1", {PointRef(built.LinePoint), PointRef(AddFreePoint(fig, 6, 1))});
  int16_t driving = AddPointOnHost(fig, {kClassLine, line}, 1);
  int16_t one = AddNumber(fig, 1);
  built.Unrelated = AddFreePoint(fig, 9, -7);
  for (int i = 0; i < loci; ++i) {
    int16_t own = AddFreePoint(fig, i % 8 - 4.0, 3 + i / 8);
    int16_t mid = AddStep(fig, "PN", {PointRef(own), PointRef(driving), {100, one}, {100, one}});
    int16_t traced = AddStep(fig, "PT3", {PointRef(mid), PointRef(own)});
    AddStep(fig, "XLOCS", {PointRef(driving), PointRef(traced)});
  }
  return built;
}

}  // namespace plandra::test
