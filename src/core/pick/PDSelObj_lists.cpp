// Building the candidate lists, their exclusion masks and moving along them.
#include <algorithm>

#include "core/Program.h"
#include "core/pick/PDSelObj.h"
#include "core/pick/PDSelObj_internal.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {}  // namespace

void ResetList(PickState& pick, const Figure& fig) {
  size_t size = static_cast<size_t>(2 * std::max(UpperBound(fig.PtTable), 0) + 1);
  pick.PickList.assign(size, ObjRef{});
  pick.PickCount = 0;
}

void AppendEntry(PickState& pick, ObjRef ref) {
  if (static_cast<size_t>(pick.PickCount) + 1 >= pick.PickList.size()) {
    pick.PickList.resize(pick.PickList.size() + 16);
  }
  pick.PickList[static_cast<size_t>(++pick.PickCount)] = ref;
}

void SizeMask(PickState& pick, const Figure& fig, int cls) {
  pick.Mask.assign(static_cast<size_t>(fig.ElemCount[cls]) + 1, kMaskAllowed);
}

void Exclude(PickState& pick, int index) {
  if (index >= 1 && static_cast<size_t>(index) < pick.Mask.size()) {
    pick.Mask[static_cast<size_t>(index)] = kMaskExcluded;
  }
}

ObjRef Entry(const PickState& pick, int pos) {
  if (pos < 1 || pos > pick.PickCount) return {};
  return pick.PickList[static_cast<size_t>(pos)];
}

int FirstAllowed(const PickState& pick) {
  for (int pos = 1; pos <= pick.PickCount; ++pos) {
    if (!IsExcluded(pick, Entry(pick, pos))) return pos;
  }
  return 0;
}

void MakeCurrent(Program& p, int pos) {
  p.Pick.PickPos = pos;
  p.Pick.PickCur = pos == 0 ? ObjRef{} : Entry(p.Pick, pos);
}

void EndEmptyList(Program& p) {
  ModePop(p.Modes, *p.Host);
  ClearObjStatus(p);
}

bool IsExcluded(const PickState& pick, ObjRef ref) {
  if (ref.Index < 1) return true;
  size_t i = static_cast<size_t>(ref.Index);
  return i < pick.Mask.size() && pick.Mask[i] == kMaskExcluded;
}

void BuildConstructionMask(Program& p, int16_t cls) {
  PickState& pick = p.Pick;
  const Figure& fig = p.Fig;
  SizeMask(pick, fig, cls);
  if (CurrentMode(p.Modes) != kModePickConstruct || fig.StepCount < 1) return;
  const StepRefs& inputs = fig.StepIn[static_cast<size_t>(fig.StepCount)];
  for (int slot = 1; slot <= 5; ++slot) {
    if (inputs[slot].BaseClass() == cls && inputs[slot].Index != 0) {
      Exclude(pick, inputs[slot].Index);
    }
  }
  if (cls == kClassLine && pick.LineKindFilter >= 0) {
    for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
      if (fig.LnTable[i].LineKind != pick.LineKindFilter) Exclude(pick, i);
    }
  }
}

void BuildPickList(Program& p, int16_t classCode) {
  int16_t cls = static_cast<int16_t>(classCode % 100);
  if (cls == kClassNumber) {
    if (p.Build.OpenNumberDialog) p.Build.OpenNumberDialog(p);
    return;
  }
  PickState& pick = p.Pick;
  BuildConstructionMask(p, cls);
  ResetList(pick, p.Fig);
  for (int i = 1; i <= p.Fig.ElemCount[cls]; ++i) AppendEntry(pick, ObjRef::Of(cls, i));
  MakeCurrent(p, FirstAllowed(pick));
  if (pick.PickCur.Index != 0) ShowObjStatus(p, pick.PickCur);
  if (pick.PickCount == 0) {
    EndEmptyList(p);
  } else {
    HighlightCandidate(p);
  }
}

void BuildFreePointPickList(Program& p) {
  const Figure& fig = p.Fig;
  if (fig.ElemCount[kClassPoint] == 0) return;
  PickState& pick = p.Pick;
  SizeMask(pick, fig, kClassPoint);
  ResetList(pick, fig);
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    if (fig.PtTable[i].BoundMode == kBoundMovable) AppendEntry(pick, ObjRef::Of(kClassPoint, i));
  }
  MakeCurrent(p, pick.PickCount > 0 ? 1 : 0);
  if (pick.PickCount == 0) {
    EndEmptyList(p);
    return;
  }
  // In the standard mode (and while loading) the list only stands ready for
  // a drag: the name panel there tells what is under the mouse.
  int16_t mode = CurrentMode(p.Modes);
  if (mode == 8 || mode == kModeStandard) return;
  ShowObjStatus(p, pick.PickCur);
  HighlightCandidate(p);
}

void RefreshFreePointCandidates(Program& p) {
  const Figure& fig = p.Fig;
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    if (fig.PtTable[i].BoundMode == kBoundMovable) {
      BuildFreePointPickList(p);
      return;
    }
  }
}

void BuildVertexPickList(Program& p) {
  const Figure& fig = p.Fig;
  PickState& pick = p.Pick;
  SizeMask(pick, fig, kClassPoint);
  ResetList(pick, fig);
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i)
    AppendEntry(pick, ObjRef::Of(kClassPoint, i));
  const ConstState& build = p.Build;
  for (int v = 1; v < build.PolyVertexNo; ++v) {
    Exclude(pick, build.PolyVertices[static_cast<size_t>(v)]);
  }
  MakeCurrent(p, FirstAllowed(pick));
  if (pick.PickCount == 0) {
    EndEmptyList(p);
    return;
  }
  if (pick.PickCur.Index != 0) {
    ShowObjStatus(p, pick.PickCur);
    HighlightCandidate(p);
  }
}

int PickNearest(const Program& p, double x, double y) {
  const PickState& pick = p.Pick;
  double best = kNoDistance;
  int bestPos = 0;
  for (int pos = 1; pos <= pick.PickCount; ++pos) {
    ObjRef ref = Entry(pick, pos);
    if (IsExcluded(pick, ref) || !RefInRange(p.Fig, ref) || GetExists(p.Fig, ref) == 0) continue;
    double d = DistanceToElement(p.Fig, ref, x, y);
    if (d < best) {
      best = d;
      bestPos = pos;
    }
  }
  return bestPos;
}

int PickNext(const PickState& pick) {
  if (pick.PickCount == 0 || FirstAllowed(pick) == 0) return 0;
  int pos = pick.PickPos;
  do {
    pos = pos % pick.PickCount + 1;
  } while (IsExcluded(pick, Entry(pick, pos)));
  return pos;
}

int PickPrev(const PickState& pick) {
  if (pick.PickCount == 0 || FirstAllowed(pick) == 0) return 0;
  int pos = pick.PickPos;
  do {
    pos = (pick.PickCount + pos - 1) % pick.PickCount;
    if (pos == 0) pos = pick.PickCount;
  } while (IsExcluded(pick, Entry(pick, pos)));
  return pos;
}

}  // namespace plandra
