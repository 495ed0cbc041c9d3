// Fuzzes the calculated numbers: the bytes become the stored expression of a
// "CALC" step (cut to the 70 characters of the field) and the expression that
// finishes the dialog (whole); evaluation, display form and labels must never
// crash, and a number that exists must hold a finite value.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/language/Multi_lang.h"
#include "core/language/TranslatedText.h"
#include "core/numbers/Calc05.h"
#include "labels/Labels05.h"

namespace {

using namespace plandra;

void Check(bool condition) {
  if (!condition) __builtin_trap();
}

int AddCalcStep(Figure& fig, std::string_view expr) {
  AppendStep(fig);
  int step = fig.StepCount;
  SetStepKind(fig, step, "CALC");
  ReserveElement(fig, kClassNumber);
  int n = fig.ElemCount[kClassNumber];
  fig.StepOut[step][1] = ObjRef::Of(kClassNumber, n);
  fig.NumTable[n].Expr = FixedText(expr, kExprWidth);
  return step;
}

void CheckNumber(const Figure& fig, int16_t n) {
  const NumRec& num = fig.NumTable[n];
  Check(num.Exists == kFalse || std::isfinite(num.Value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Figure fig;
  ResetFigure(fig, 10);
  // Numbers around the guards and the edges of the arithmetic.
  for (double value : {2.0, -8.0, 0.005, 1e200, 0.0, 1.0 / 3}) {
    ReserveElement(fig, kClassNumber);
    NumRec& num = fig.NumTable[fig.ElemCount[kClassNumber]];
    num.Value = value;
    num.Exists = kTrue;
    num.NumFlag = kTrue;
  }
  LangState lang;

  int step = AddCalcStep(fig, bytes.substr(0, kExprWidth));
  int16_t out = fig.StepOut[step][1].Index;
  EvalCalcStep(fig, step);
  CheckNumber(fig, out);
  AutoLabels(fig, TranslatedText(lang));
  (void)ValueText(fig.NumTable[out].Value, static_cast<int16_t>(size % 25));

  int stepsBefore = fig.StepCount;
  ExprProblem problem = CheckIndexExpr(fig, bytes);
  CalcResult result = FinishExpression(fig, lang, bytes);
  Check(result.Ok == (problem == ExprProblem::kNone));
  if (result.Ok) {
    // What was accepted is stored whole and ends with an operand.
    Check(fig.StepCount == stepsBefore + 1);
    std::string_view stored = fig.NumTable[result.Number].Expr;
    Check(stored == TrimRight(bytes));
    Check(stored.back() >= '0' && stored.back() <= '9');
    EvalCalcStep(fig, result.Step);
    CheckNumber(fig, result.Number);
  } else {
    Check(fig.StepCount == stepsBefore);
    Check(!result.Message.empty());
  }
  (void)Num2Name(fig, bytes);
  (void)ScreenNumberList(fig, TranslatedText(lang), 2, false);
  return 0;
}
