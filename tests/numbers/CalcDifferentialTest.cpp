// The evaluator against a plain rendering of the string-rewriting evaluation
// the program has always used: slot tokens x1, x2, ... replaced step by step,
// the leftmost operator of the highest rank (^ / * - +) first.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "core/numbers/Calc05.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

namespace rewrite {

constexpr const char* kOperatorChars = "+-*/^";
constexpr int kFieldWidth = 70;
constexpr int kSlots = 51;

// Non-overlapping occurrences, left to right.
int CountOf(const std::string& text, const std::string& sub) {
  int count = 0;
  for (size_t pos = text.find(sub); pos != std::string::npos;
       pos = text.find(sub, pos + sub.size())) {
    ++count;
  }
  return count;
}

// 1-based position of the n-th occurrence; n = 0 the last; fewer than n the
// last found; 0 when none.
int PositionOf(const std::string& text, const std::string& sub, int n) {
  int found = 0;
  int last = 0;
  size_t pos = text.find(sub);
  for (int scanned = 0; pos != std::string::npos && scanned < 1000; ++scanned) {
    last = static_cast<int>(pos) + 1;
    if (++found == n) return last;
    pos = text.find(sub, pos + sub.size());
  }
  return last;
}

int OperatorCount(const std::string& text) {
  int count = 0;
  for (const char* op = kOperatorChars; *op; ++op) count += CountOf(text, std::string(1, *op));
  return count;
}

void SortPositions(std::vector<int>& positions) {
  for (size_t i = 1; i < positions.size(); ++i) {
    for (size_t j = i + 1; j < positions.size(); ++j) {
      if (positions[j] < positions[i]) std::swap(positions[i], positions[j]);
    }
  }
}

int TokenIndex(std::string token) {
  token.erase(0, token.find_first_not_of(' ') == std::string::npos ? token.size()
                                                                   : token.find_first_not_of(' '));
  if (!token.empty()) token.erase(0, 1);
  size_t pos = token.find_first_not_of(' ');
  int value = 0;
  while (pos != std::string::npos && pos < token.size() && std::isdigit(token[pos])) {
    value = value * 10 + (token[pos] - '0');
    ++pos;
  }
  return value;
}

bool IsOperator(char c) { return std::string(kOperatorChars).find(c) != std::string::npos; }

std::string PickOperation(const std::string& text) {
  for (const char* op : {"^", "/", "*", "-", "+"}) {
    size_t at = text.find(op);
    if (at == std::string::npos) continue;
    size_t start = at;
    while (start > 0 && !IsOperator(text[start - 1])) --start;
    size_t end = at + 1;
    while (end < text.size() && !IsOperator(text[end])) ++end;
    return text.substr(start, end - start);
  }
  return {};
}

double ApplyOp(const std::string& sub, const std::vector<double>& slot, bool& finite) {
  size_t at = sub.find_first_of(kOperatorChars);
  double a = slot.at(TokenIndex(sub.substr(0, at)));
  double b = slot.at(TokenIndex(sub.substr(at + 1)));
  double v = 0;
  switch (sub[at]) {
    case '+': v = a + b; break;
    case '-': v = a - b; break;
    case '*': v = a * b; break;
    case '/': v = std::fabs(b) < 0.01 ? 0 : a / b; break;
    case '^': v = std::fabs(a) < 0.01 ? 0 : std::pow(a, b); break;
  }
  if (!std::isfinite(v)) finite = false;
  return v;
}

double ReduceExpr(std::string text, std::vector<double>& slot, bool& finite) {
  int m = CountOf(text, "x");
  if (OperatorCount(text) == 0) return m > 0 ? slot.at(TokenIndex(text)) : 0;
  while (OperatorCount(text) > 0) {
    std::string sub = PickOperation(text);
    double v = ApplyOp(sub, slot, finite);
    ++m;
    slot.at(m) = v;
    text.replace(text.find(sub), sub.size(), "x" + std::to_string(m));
  }
  return slot.at(m);
}

// values is one-based; indices outside 1..count contribute 0.
double Evaluate(const std::string& expr, const std::vector<double>& values, bool& finite) {
  std::string e = expr + std::string(kFieldWidth - expr.size(), ' ');
  std::vector<int> p(1, 0);
  for (const char* op = kOperatorChars; *op; ++op) {
    std::string sub(1, *op);
    for (int i = 1; i <= CountOf(e, sub); ++i) p.push_back(PositionOf(e, sub, i));
  }
  SortPositions(p);
  int k = static_cast<int>(p.size()) - 1;
  std::vector<double> slot(kSlots, 0);
  std::string slotText;
  for (int i = 1; i <= k + 1; ++i) {
    size_t from = static_cast<size_t>(p[i - 1]);
    size_t to = i <= k ? static_cast<size_t>(p[i]) - 1 : e.size();
    int index = TokenIndex(e.substr(from, to - from));
    bool known = index >= 1 && index < static_cast<int>(values.size());
    slot.at(i) = known ? values[index] : 0;
    slotText += "x" + std::to_string(i);
    if (i <= k) slotText += e[p[i] - 1];
  }
  finite = true;
  return ReduceExpr(slotText, slot, finite);
}

}  // namespace rewrite

double RandomValue(std::mt19937& rng) {
  std::uniform_int_distribution<int> kind(0, 7);
  std::uniform_real_distribution<double> unit(-1, 1);
  switch (kind(rng)) {
    case 0: return 0;
    case 1: return unit(rng) * 0.012;  // around the guards
    case 2: return std::round(unit(rng) * 5);
    case 3: return unit(rng) * 3;
    case 4: return unit(rng) * 1e6;
    case 5: return 0.01 * (unit(rng) < 0 ? -1 : 1);
    case 6: return 1.0 / std::uniform_int_distribution<int>(1, 9)(rng);
    default: return unit(rng) * 100;
  }
}

std::string RandomExpression(std::mt19937& rng, int numberCount) {
  static const char kOps[] = "+-*/^";
  std::uniform_int_distribution<int> index(0, numberCount + 2);  // some name no number
  std::uniform_int_distribution<int> op(0, 4);
  std::uniform_int_distribution<int> length(1, 24);
  int operands = length(rng);
  std::string expr = "N" + std::to_string(index(rng));
  for (int i = 1; i < operands; ++i) {
    std::string next = std::string(1, kOps[op(rng)]) + "N" + std::to_string(index(rng));
    if (expr.size() + next.size() > 70) break;
    expr += next;
  }
  return expr;
}

TEST(CalcDifferential, SameResultsAsTheStringRewriting) {
  std::mt19937 rng(20261208);
  constexpr int kFigures = 200;
  constexpr int kExpressionsPerFigure = 150;
  int compared = 0;
  int notFinite = 0;
  for (int f = 0; f < kFigures; ++f) {
    Figure fig;
    ResetFigure(fig, 40);
    int numberCount = std::uniform_int_distribution<int>(1, 30)(rng);
    std::vector<double> values(1, 0);
    for (int i = 0; i < numberCount; ++i) {
      values.push_back(RandomValue(rng));
      test::AddNumber(fig, values.back());
    }
    int16_t out = test::AddStep(fig, "CALC", {});
    int16_t step = fig.StepCount;
    // An expression may name its own number: it reads the value held before.
    constexpr double kHeldValue = 1.5;
    values.push_back(kHeldValue);
    for (int e = 0; e < kExpressionsPerFigure; ++e) {
      std::string expr = RandomExpression(rng, numberCount);
      bool finite = true;
      double expected = rewrite::Evaluate(expr, values, finite);
      NumRec& num = fig.NumTable[out];
      num.Value = kHeldValue;
      num.Expr = expr;
      EvalCalcStep(fig, step);
      ++compared;
      if (!finite) {
        ++notFinite;
        ASSERT_EQ(num.Exists, kFalse) << expr;
        continue;
      }
      ASSERT_EQ(num.Exists, kTrue) << expr;
      // Same tree of the same operations: the very same double.
      ASSERT_EQ(num.Value, expected) << expr;
    }
  }
  EXPECT_EQ(compared, kFigures * kExpressionsPerFigure);
  EXPECT_GT(notFinite, 0) << "the random values should also reach results that are no number";
  EXPECT_LT(notFinite, compared / 2);
}

TEST(CalcDifferential, ReferenceAgreesWithTheWorkedCases) {
  // The reference itself, on the cases whose grouping is known.
  std::vector<double> v{0, 1, 0, 1e16, 1e16, 2, 3};
  bool finite = true;
  EXPECT_EQ(rewrite::Evaluate("N1-N2+N3-N4", v, finite), 1);
  EXPECT_EQ(rewrite::Evaluate("N5^N6^N5", v, finite), 64);
  EXPECT_EQ(rewrite::Evaluate("N6", v, finite), 3);
  EXPECT_TRUE(finite);
}

}  // namespace
}  // namespace plandra
