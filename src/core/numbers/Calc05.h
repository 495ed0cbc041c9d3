// The expression dialog's part of calculated numbers: checking an index-form
// expression, the dialog's number list, and finishing the dialog with a new
// "CALC" step. Its evaluation belongs to the recompute (engine/CalcEval.h).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/language/Multi_lang.h"
#include "engine/CalcEval.h"
#include "figure/PDvar05.h"
#include "labels/Labels05.h"

namespace plandra {

ExprProblem CheckIndexExpr(const Figure& fig, std::string_view expByNum);

// The lines of the dialog's number list, one per number element in index order.
std::vector<std::string> SetupNumList(const Figure& fig, int16_t ketaDecimal);

struct CalcResult {
  bool Ok = false;
  std::string Message;  // translated; empty on success
  int Step = 0;
  int Number = 0;
};

// Finishing the expression dialog: appends the "CALC" step and its number
// from expByNum, or refuses with a message and leaves the figure unchanged.
// The caller redraws, which evaluates the new step.
CalcResult FinishExpression(Figure& fig, LangState& lang, std::string_view expByNum);

}  // namespace plandra
