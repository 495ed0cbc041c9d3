#include "core/numbers/NumberVariation.h"

#include <cmath>
#include <optional>
#include <string>

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/drag/PDdeform05.h"
#include "core/numbers/NumberChooser.h"
#include "core/pick/PDSelObj.h"
#include "engine/GeoObj05.h"
#include "engine/MoveStep.h"
#include "persist/String05.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr int16_t kKeyDigit0 = 48;
constexpr int16_t kKeyDigit5 = 53;

void SetDeltaVar(Program& p, double step) {
  p.Config.DeltaVar = step;
  MenuCheckSet(p);
}

// Digit 0 restores the standard step; 1 to 5 give 1, 0.1, ... 0.0001.
double StepOfDigit(int16_t key) {
  int digit = key - kKeyDigit0;
  return digit == 0 ? kDeltaVarStandard : std::pow(0.1, digit - 1);
}

// One variation step: the number changes and the figure follows it, as a
// dragged point's figure does.
void VaryTarget(Program& p, int16_t key) {
  NumberVariation& var = p.Var;
  const int direction = key == kKeyUp ? 1 : key == kKeyDown ? -1 : 0;
  MatrixDisplay display = MatrixDisplayOf(p);
  TellRecomputeReport(*p.Host,
                      NumberVaryStep(p.Fig, var.VarTarget.Index, direction, p.Config.DeltaVar,
                                     var.VarFirstKey != kFalse, &display));
  var.VarFirstKey = kFalse;
  RedrawAfterMove(p);
  ShowObjStatus(p, var.VarTarget);
}

bool VaryingNumber(const Program& p) {
  ObjRef target = p.Var.VarTarget;
  return target.Class == kClassNumber && target.Index != 0 && RefInRange(p.Fig, target);
}

}  // namespace

void mnuDeformVar(Program& p) {
  if (p.Fig.ElemCount[kClassNumber] == 0) return;
  p.Var.VarFirstKey = kTrue;
  ModePush(p.Modes, kModeNumVariation, *p.Host);
  ModePush(p.Modes, kModeNumVaryChoice, *p.Host);
  RefreshModeDisplay(p);
  ShowNumberChooser(p);
}

void VarKeyDown(Program& p, int16_t key) {
  if (VaryingNumber(p)) VaryTarget(p, key);
  if (key >= kKeyDigit0 && key <= kKeyDigit5) {
    SetDeltaVar(p, StepOfDigit(key));
    return;
  }
  if (SharedDeformKey(p, key)) return;
  if (key == kKeyEscape) {
    ModePop(p.Modes, *p.Host);
    ClearObjStatus(p);
    RefreshModeDisplay(p);
    Redraw(p);
  }
}

void mnuOdeformVarNarrow(Program& p) { SetDeltaVar(p, kDeltaVarNarrow); }

void mnuOdeformVarStandard(Program& p) { SetDeltaVar(p, kDeltaVarStandard); }

void mnuOdeformVarWide(Program& p) { SetDeltaVar(p, kDeltaVarWide); }

void mnuOdeformVarManual(Program& p) {
  std::optional<std::string> answer =
      p.Host->InputBox(Translate(p.Lang, kDeltaVarPromptText),
                       Translate(p.Lang, kDeltaVarTitleText), FormatReal(p.Config.DeltaVar));
  // A cancelled box keeps the step; an empty answer is no number.
  if (!answer) return;
  double step = LeadingNumber(*answer);
  if (step > kDeltaVarMax) step = kDeltaVarMax;
  if (step <= 0) step = kDeltaVarStandard;
  SetDeltaVar(p, step);
}

}  // namespace plandra
