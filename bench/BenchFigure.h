// Figures built step by step for the benchmarks.
#pragma once

#include <initializer_list>
#include <string_view>

#include "figure/PDtype05.h"
#include "figure/PDvar05.h"
#include "view/PDDraw05.h"

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

}  // namespace plandra
