// The "CALC" step's evaluation: an expression over number elements, read and
// computed during the recompute.
//
// An expression in index form alternates operand tokens ("N" and the index of
// a number element) and the operators + - * / ^, e.g. N1+N3*N12. Operators
// bind in five levels, ^ tightest, then /, *, - and + loosest, each level
// grouping from the left: N1-N2+N3-N4 is (N1-N2)+(N3-N4), N1*N2/N3 is
// N1*(N2/N3), N1^N2^N3 is (N1^N2)^N3.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "figure/PDvar05.h"

namespace plandra {

// A divisor, or the base of a power, of smaller magnitude gives the result 0.
constexpr double kCalcGuardEps = 0.01;

// Operand tokens take at least two characters and operators one, so a 70
// character expression holds at most 23 operands; this bound leaves room.
constexpr int kMaxCalcOperands = kExprWidth / 2 + 1;

// Why an index-form expression cannot become a calculated number.
enum class ExprProblem : uint8_t {
  kNone,
  kEmpty,
  kTooLong,  // more than the 70 characters of Expr
  kEndsWithOperator,
  kMalformed,      // not operand, operator, operand, ... from the start
  kUnknownNumber,  // an operand names no number element
};

// The expression as a flat list, parsed afresh at every evaluation: it is at
// most 70 characters and lives on the stack, so no cache is worth keeping.
struct ParsedExpr {
  std::array<int, kMaxCalcOperands> Operand{};
  std::array<char, kMaxCalcOperands> Op{};  // Op[i] stands after Operand[i]
  int Count = 0;
};

ExprProblem ParseExpr(std::string_view text, ParsedExpr& expr);

// Reads an operand token ("N" and digits, blanks around allowed) at pos. An
// index too large for the store saturates past it, so that it names no number.
bool ReadOperand(std::string_view text, size_t& pos, int& index);

// Whether index names a number element of the figure.
bool NumberInRange(const Figure& fig, int index);

// Evaluates the expression (Expr) of the number StepOut(step, 1) over the
// number table and stores Value with Exists true. An operand naming no number
// contributes 0. A malformed expression, or any operand or partial result that
// is not finite (a negative base to a fractional power, an overflow), leaves
// the number not existing with its previous Value. Never throws.
void EvalCalcStep(Figure& fig, int step);

}  // namespace plandra
