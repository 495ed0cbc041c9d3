// Calculated numbers: the "CALC" step's expression over number elements, its
// display form, and the core of finishing the expression dialog.
//
// An expression in index form alternates operand tokens ("N" and the index of
// a number element) and the operators + - * / ^, e.g. N1+N3*N12. Operators
// bind in five levels, ^ tightest, then /, *, - and + loosest, each level
// grouping from the left: N1-N2+N3-N4 is (N1-N2)+(N3-N4), N1*N2/N3 is
// N1*(N2/N3), N1^N2^N3 is (N1^N2)^N3.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/Multi_lang.h"
#include "figure/PDvar05.h"

namespace plandra {

// A divisor, or the base of a power, of smaller magnitude gives the result 0.
constexpr double kCalcGuardEps = 0.01;

// Evaluates the expression (Expr) of the number StepOut(step, 1) over the
// number table and stores Value with Exists true. An operand naming no number
// contributes 0. A malformed expression, or any operand or partial result that
// is not finite (a negative base to a fractional power, an overflow), leaves
// the number not existing with its previous Value. Never throws.
void EvalCalcStep(Figure& fig, int16_t step);

// Why an index-form expression cannot become a calculated number.
enum class ExprProblem : uint8_t {
  kNone,
  kEmpty,
  kTooLong,  // more than the 70 characters of Expr
  kEndsWithOperator,
  kMalformed,      // not operand, operator, operand, ... from the start
  kUnknownNumber,  // an operand names no number element
};

ExprProblem CheckIndexExpr(const Figure& fig, std::string_view expByNum);

// The display form: each operand replaced by its number's name, or by its
// value in plain number text when unnamed; operators copied. "N1+N2" with
// unnamed numbers holding 1 and 2 gives " 1+ 2".
std::string Num2Name(const Figure& fig, std::string_view expByNum);

// The lines of the dialog's number list, one per number element in index order.
std::vector<std::string> SetupNumList(const Figure& fig, int16_t ketaDecimal);

struct CalcResult {
  bool Ok = false;
  std::string Message;  // translated; empty on success
  int16_t Step = 0;
  int16_t Number = 0;
};

// Finishing the expression dialog: appends the "CALC" step and its number
// from expByNum, or refuses with a message and leaves the figure unchanged.
// The caller redraws, which evaluates the new step.
CalcResult FinishExpression(Figure& fig, LangState& lang, std::string_view expByNum);

}  // namespace plandra
