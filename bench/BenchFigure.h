// Figures built step by step for the benchmarks.
#pragma once

#include <cmath>
#include <initializer_list>
#include <string>
#include <string_view>

#include "app/Program.h"
#include "app/ViewCommands.h"
#include "figure/PDtype05.h"
#include "figure/PDvar05.h"
#include "view/PDDraw05.h"
#include "view/Surface.h"

namespace plandra {

// Appends a step of that kind and reserves its outputs; the first output's index.
inline int16_t AddStepWith(Figure& fig, std::string_view kind,
                           std::initializer_list<ObjRef> inputs) {
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
    fig.StepOut[step][k + 1] = {info.OutClass[k], fig.ElemCount[cls]};
    if (k == 0) first = fig.ElemCount[cls];
  }
  return first;
}

inline ObjRef FreePoint(Figure& fig, double x, double y) {
  int16_t i = AddStepWith(fig, "PNEW", {});
  PtRec& pt = fig.PtTable[i];
  pt.X = x;
  pt.Y = y;
  pt.Exists = kTrue;
  pt.BoundMode = kTrue;
  pt.Mark = kMarkCircle;
  return {kClassPoint, i};
}

// 300 points, 400 lines through pairs of them and 300 circles about them,
// every element named.
inline void BuildLargeFigure(Figure& fig) {
  constexpr int kPoints = 300;
  auto name = [&fig](ObjRef ref, const std::string& prefix, int number) {
    SetElementName(fig, ref, prefix + std::to_string(number));
  };
  for (int i = 0; i < kPoints; ++i) {
    ObjRef pt = FreePoint(fig, std::fmod(i * 3.7, 30) - 15, std::fmod(i * 2.3, 18) - 9);
    name(pt, "P", i + 1);
  }
  auto point = [](int i) { return ObjRef{kClassPoint, static_cast<int16_t>(i % kPoints + 1)}; };
  for (int i = 0; i < 400; ++i) {
    const int16_t line = AddStepWith(fig, "L1", {point(i), point(i + 7)});
    name({kClassLine, line}, "l", i + 1);
  }
  for (int i = 0; i < kPoints; ++i) {
    const int16_t circle = AddStepWith(fig, "C2", {point(i), point(i + 1)});
    name({kClassCircle, circle}, "c", i + 1);
  }
}

// The program in the standard mode with the axes shown, drawing the large
// figure into that surface, as the window starts it.
inline void SetUpLargeFigure(Program& p, Surface& surface, Platform& platform) {
  p.Canvas = &surface;
  p.Host = &platform;
  ResetFigure(p.Fig, 200);
  ModePush(p.Modes, kModeStandard, platform);
  p.Config.AxisShow = kTrue;
  ApplyDisplaySettings(p.Config, p.Canvas);
  SetScreen(p);
  BuildLargeFigure(p.Fig);
}

}  // namespace plandra
