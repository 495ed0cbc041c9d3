#include "numbers/Calc05.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "numbers/Labels05.h"

namespace plandra {
namespace {

constexpr std::string_view kOperators = "+-*/^";
// Operand tokens take at least two characters and operators one, so a 70
// character expression holds at most 23 operands; this bound leaves room.
constexpr int kMaxOperands = kExprWidth / 2 + 1;
constexpr std::string_view kCalcKind = "CALC";

// The expression as a flat list, parsed afresh at every evaluation: it is at
// most 70 characters and lives on the stack, so no cache is worth keeping.
struct ParsedExpr {
  std::array<int, kMaxOperands> Operand{};
  std::array<char, kMaxOperands> Op{};  // Op[i] stands after Operand[i]
  int Count = 0;
};

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

// Reads an operand token ("N" and digits, blanks around allowed) at pos. An
// index too large for the store saturates past it, so that it names no number.
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
    if (expr.Count == kMaxOperands) return ExprProblem::kTooLong;
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
  std::array<double, kMaxOperands> values{};
  std::array<char, kMaxOperands> pending{};
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

size_t CharCount(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
}

// Display form of one operand token; a token naming no number stays as written.
std::string OperandName(const Figure& fig, std::string_view token) {
  size_t pos = 0;
  int index = 0;
  bool whole = ReadOperand(token, pos, index) && pos == token.size();
  if (!whole || !NumberInRange(fig, index)) return std::string(Trim(token));
  const NumRec& num = fig.NumTable[index];
  std::string_view name = TrimRight(num.Name);
  return name.empty() ? PlainNumberText(num.Value) : std::string(name);
}

std::string_view ProblemMessage(ExprProblem problem) {
  switch (problem) {
    case ExprProblem::kEmpty: return "式が入力されていません。";
    case ExprProblem::kTooLong: return "式が長すぎます。70文字以内の式にしてください。";
    case ExprProblem::kEndsWithOperator: return "式の最後は数値にしてください。";
    case ExprProblem::kMalformed:
      return "式の形が正しくありません。数値と演算を交互に選んでください。";
    case ExprProblem::kUnknownNumber: return "式の中に存在しない数値があります。";
    case ExprProblem::kNone: break;
  }
  return {};
}

}  // namespace

void EvalCalcStep(Figure& fig, int16_t step) {
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

ExprProblem CheckIndexExpr(const Figure& fig, std::string_view expByNum) {
  std::string_view text = TrimRight(expByNum);
  if (text.empty()) return ExprProblem::kEmpty;
  if (CharCount(text) > static_cast<size_t>(kExprWidth)) return ExprProblem::kTooLong;
  ParsedExpr expr;
  ExprProblem problem = ParseExpr(text, expr);
  if (problem != ExprProblem::kNone) return problem;
  for (int i = 0; i < expr.Count; ++i) {
    if (!NumberInRange(fig, expr.Operand[i])) return ExprProblem::kUnknownNumber;
  }
  return ExprProblem::kNone;
}

std::string Num2Name(const Figure& fig, std::string_view expByNum) {
  std::string_view text = TrimRight(expByNum);
  std::string name;
  size_t start = 0;
  while (true) {
    size_t end = std::min(text.find_first_of(kOperators, start), text.size());
    name += OperandName(fig, text.substr(start, end - start));
    if (end == text.size()) break;
    name += text[end];
    start = end + 1;
  }
  return name;
}

std::vector<std::string> SetupNumList(const Figure& fig, int16_t ketaDecimal) {
  std::vector<std::string> lines;
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    lines.push_back(NumberListLine(fig, i, ketaDecimal));
  }
  return lines;
}

CalcResult FinishExpression(Figure& fig, LangState& lang, std::string_view expByNum) {
  ExprProblem problem = CheckIndexExpr(fig, expByNum);
  if (problem != ExprProblem::kNone) return {false, Translate(lang, ProblemMessage(problem))};
  if (fig.StepCount >= kMaxCount || fig.ElemCount[kClassNumber] >= kMaxCount) {
    return {false, Translate(lang, "これ以上の数値は追加できません。")};
  }
  AppendStep(fig);
  int16_t step = fig.StepCount;
  SetStepKind(fig, step, kCalcKind);
  fig.StepIn[step] = {};
  fig.StepOut[step] = {};
  fig.StepState[step] = 0;
  fig.StepRev[step] = 0;
  ReserveElement(fig, kClassNumber);
  int16_t number = fig.ElemCount[kClassNumber];
  ObjRef out{kClassNumber, number};
  ClearElement(fig, out);
  fig.StepOut[step][1] = out;
  fig.NumTable[number].Expr = FixedText(TrimRight(expByNum), kExprWidth);
  SetElemName(fig, out, Num2Name(fig, expByNum));
  return {true, {}, step, number};
}

}  // namespace plandra
