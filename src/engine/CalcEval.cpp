#include "engine/CalcEval.h"

#include <algorithm>
#include <cmath>

namespace plandra {
namespace {

int Rank(char op) {
  switch (op) {
    case '+': return 1;
    case '-': return 2;
    case '*': return 3;
    case '/': return 4;
    case '^': return 5;
    default: return 0;
  }
}

void SkipBlanks(std::string_view text, size_t& pos) {
  while (pos < text.size() && text[pos] == ' ') ++pos;
}

// Only numbers within the count are read; any other index contributes 0.
double OperandValue(const Figure& fig, int index) {
  if (!NumberInRange(fig, index)) return 0;
  return fig.NumTable[index].Value;
}

double ApplyOp(char op, double a, double b) {
  switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/': return std::fabs(b) < kCalcGuardEps ? 0 : a / b;
    case '^': return std::fabs(a) < kCalcGuardEps ? 0 : std::pow(a, b);
    default: return 0;
  }
}

// Operator precedence over the flat list: a pending operator is applied as
// soon as one of no higher rank follows it, which gives left grouping within
// each rank. False when anything on the way is not finite.
bool Evaluate(const Figure& fig, const ParsedExpr& expr, double& result) {
  std::array<double, kMaxCalcOperands> values{};
  std::array<char, kMaxCalcOperands> pending{};
  int valueCount = 0;
  int pendingCount = 0;
  auto applyPending = [&] {
    char op = pending[--pendingCount];
    double right = values[--valueCount];
    double& left = values[valueCount - 1];
    left = ApplyOp(op, left, right);
    return std::isfinite(left);
  };
  for (int i = 0; i < expr.Count; ++i) {
    double value = OperandValue(fig, expr.Operand[i]);
    if (!std::isfinite(value)) return false;
    values[valueCount++] = value;
    if (i + 1 == expr.Count) break;
    char op = expr.Op[i];
    while (pendingCount > 0 && Rank(pending[pendingCount - 1]) >= Rank(op)) {
      if (!applyPending()) return false;
    }
    pending[pendingCount++] = op;
  }
  while (pendingCount > 0) {
    if (!applyPending()) return false;
  }
  result = values[0];
  return true;
}

}  // namespace

bool ReadOperand(std::string_view text, size_t& pos, int& index) {
  SkipBlanks(text, pos);
  if (pos >= text.size() || text[pos] != 'N') return false;
  ++pos;
  size_t digitsStart = pos;
  int value = 0;
  while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9') {
    value = std::min(value * 10 + (text[pos] - '0'), kMaxCount + 1);
    ++pos;
  }
  if (pos == digitsStart) return false;
  SkipBlanks(text, pos);
  index = value;
  return true;
}

ExprProblem ParseExpr(std::string_view text, ParsedExpr& expr) {
  text = TrimRight(text);
  if (text.empty()) return ExprProblem::kEmpty;
  expr.Count = 0;
  size_t pos = 0;
  while (true) {
    size_t tokenStart = pos;
    int index = 0;
    if (!ReadOperand(text, pos, index)) {
      bool atEnd = TrimLeft(text.substr(tokenStart)).empty();
      return atEnd && expr.Count > 0 ? ExprProblem::kEndsWithOperator : ExprProblem::kMalformed;
    }
    if (expr.Count == kMaxCalcOperands) return ExprProblem::kTooLong;
    expr.Operand[expr.Count++] = index;
    if (pos == text.size()) return ExprProblem::kNone;
    char op = text[pos++];
    if (Rank(op) == 0) return ExprProblem::kMalformed;
    expr.Op[expr.Count - 1] = op;
  }
}

bool NumberInRange(const Figure& fig, int index) {
  return index >= 1 && index <= fig.ElemCount[kClassNumber] && index <= UpperBound(fig.NumTable);
}

void EvalCalcStep(Figure& fig, int step) {
  if (step < 1 || step > fig.StepCount || step > UpperBound(fig.StepOut)) return;
  ObjRef out = fig.StepOut[step][1];
  if (out.BaseClass() != kClassNumber || !RefInRange(fig, out)) return;
  NumRec& num = fig.NumTable[out.Index];
  // The field holds 70 characters; anything beyond them is not the expression.
  std::string_view text = num.Expr;
  text = text.substr(0, std::min<size_t>(text.size(), kExprWidth));
  ParsedExpr expr;
  double value = 0;
  if (ParseExpr(text, expr) == ExprProblem::kNone && Evaluate(fig, expr, value)) {
    num.Value = value;
    num.Exists = kTrue;
  } else {
    num.Exists = kFalse;
  }
}

}  // namespace plandra
