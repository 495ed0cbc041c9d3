// Editing how a movable point moves: free, coinciding with another point, on
// a line or on a circle.
#include <array>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/construct/PDconst01_internal.h"
#include "core/drag/PDdeform05.h"
#include "core/pick/PDSelObj.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// List positions are host classes: 0 free, 1 point, 2 line, 3 circle.
constexpr std::array<std::string_view, 4> kBindKinds{"フリーにする", "他の点と一致させる",
                                                     "直線上に取る", "円上に取る"};

bool IsMovablePoint(const Figure& fig, ObjRef ref) {
  return ref.BaseClass() == kClassPoint && RefInRange(fig, ref) &&
         fig.PtTable[ref.Index].BoundMode == kBoundMovable;
}

// The re-bound point is slid along its host to its place, as a new bound
// point is.
void StartPlacingPoint(Program& p, ObjRef point) {
  p.Build.UnplacedPoint = 0;  // it exists already: Escape keeps it
  PreparePlacingDrag(p, point.Index);
  ModePush(p.Modes, kModePlacePoint, *p.Host);
  RefreshModeDisplay(p);
}

void EndBindingEdit(Program& p) {
  PopModeIf(p, kModeEditBinding);
  RefreshModeDisplay(p);
  Redraw(p);
}

}  // namespace

void EditBinding(Program& p, ObjRef point) {
  // The pick of the point leaves mode 51 under it; the context menu does not.
  if (CurrentMode(p.Modes) != kModeEditBinding) ModePush(p.Modes, kModeEditBinding, *p.Host);
  RefreshModeDisplay(p);
  if (!IsMovablePoint(p.Fig, point)) {
    p.Host->Beep();
    EndBindingEdit(p);
    return;
  }
  p.Build.BindTarget = point;
  p.Build.BindHost = {};
  SelGeoKindBoundedModel& m = p.Attr.Binding;
  m.Texts = {Translate(p.Lang, "点の動きの束縛"), Translate(p.Lang, "OK"),
             Translate(p.Lang, "キャンセル")};
  m.ListKind = TranslatedList(p, kBindKinds, p.Fig.PtTable[point.Index].HostClass);
  p.Attr.Pending = AttributeDialog::kBinding;
}

void SelGeoKindBoundedOK(Program& p) {
  ObjRef target = p.Build.BindTarget;
  int kind = p.Attr.Binding.ListKind.ListIndex;
  if (!IsMovablePoint(p.Fig, target) || kind < 0 || kind >= static_cast<int>(kBindKinds.size())) {
    EndBindingEdit(p);
    return;
  }
  auto hostClass = static_cast<int16_t>(kind);
  PtRec& pt = p.Fig.PtTable[target.Index];
  if (hostClass == 0) {
    pt.HostClass = 0;
    pt.HostIndex = 0;
    EndBindingEdit(p);
    return;
  }
  if (p.Fig.ElemCount[hostClass] == 0) {
    p.Host->MessageBox(Translate(p.Lang, kNoHostText), kProgramTitle, MsgButtons::kOk);
    EndBindingEdit(p);
    return;
  }
  // The class is written with the host: a pick abandoned leaves the point as it was.
  p.Build.BindHost = {hostClass, 0};
  PopModeIf(p, kModeEditBinding);
  ModePush(p.Modes, kModePickBindHost, *p.Host);
  RefreshModeDisplay(p);
  BuildPickList(p, hostClass);
}

void SelGeoKindBoundedCancel(Program& p) { EndBindingEdit(p); }

void AcceptBindPoint(Program& p, ObjRef point) {
  if (CurrentMode(p.Modes) != kModePickBindPoint || point.Index == 0) return;
  ModePop(p.Modes, *p.Host);
  if (CurrentMode(p.Modes) == kModeEditBinding) EditBinding(p, point);
  RefreshModeDisplay(p);
}

void AcceptBindHost(Program& p, ObjRef host) {
  if (CurrentMode(p.Modes) != kModePickBindHost) return;
  ModePop(p.Modes, *p.Host);
  ObjRef target = p.Build.BindTarget;
  int16_t hostClass = p.Build.BindHost.Class;
  bool bound = host.Index != 0 && host.BaseClass() == hostClass && RefInRange(p.Fig, host);
  if (IsMovablePoint(p.Fig, target)) {
    PtRec& pt = p.Fig.PtTable[target.Index];
    pt.HostClass = bound ? hostClass : int16_t{0};
    pt.HostIndex = bound ? host.Index : int16_t{0};
    pt.Param = 0.0;
  } else {
    bound = false;
  }
  Redraw(p);
  if (bound && hostClass != kClassPoint) StartPlacingPoint(p, target);
  RefreshModeDisplay(p);
}

void EscapeBindPick(Program& p) {
  int16_t mode = CurrentMode(p.Modes);
  if (mode != kModePickBindPoint && mode != kModePickBindHost) return;
  ModePop(p.Modes, *p.Host);
  // Mode 53 took the place of 51; under 52 the binding edit waits for its point.
  if (mode == kModePickBindPoint) PopModeIf(p, kModeEditBinding);
  RefreshModeDisplay(p);
}

void SetFree(Program& p) {
  ObjRef target = p.Build.MenuTarget;
  if (target.BaseClass() != kClassPoint || !RefInRange(p.Fig, target)) {
    p.Host->Beep();
    return;
  }
  PtRec& pt = p.Fig.PtTable[target.Index];
  pt.HostIndex = 0;
  pt.HostClass = 0;
  Redraw(p);
}

void mnuEboundedPt(Program& p) {
  ModePush(p.Modes, kModeEditBinding, *p.Host);
  ModePush(p.Modes, kModePickBindPoint, *p.Host);
  RefreshModeDisplay(p);
  Redraw(p);
  p.Pick.PickCount = 0;
  BuildFreePointPickList(p);
  if (p.Pick.PickCount == 0) {
    // No movable point: the binding edit ends at once instead of waiting.
    PopModeIf(p, kModePickBindPoint);
    PopModeIf(p, kModeEditBinding);
    p.Host->Beep();
    RefreshModeDisplay(p);
  }
}

void mnuEdit2_point_Bounded(Program& p) { EditBinding(p, p.Build.MenuTarget); }

}  // namespace plandra
