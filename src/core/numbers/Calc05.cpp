#include "core/numbers/Calc05.h"

#include <algorithm>

namespace plandra {
namespace {

constexpr std::string_view kCalcKind = "CALC";

size_t CharCount(std::string_view text) {
  return static_cast<size_t>(std::count_if(text.begin(), text.end(), [](char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
  }));
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
  int step = fig.StepCount;
  SetStepKind(fig, step, kCalcKind);
  fig.StepIn[step] = {};
  fig.StepOut[step] = {};
  fig.StepState[step] = 0;
  fig.StepRev[step] = 0;
  ReserveElement(fig, kClassNumber);
  int number = fig.ElemCount[kClassNumber];
  ObjRef out = ObjRef::Of(kClassNumber, number);
  ClearElement(fig, out);
  fig.StepOut[step][1] = out;
  fig.NumTable[number].Expr = FixedText(TrimRight(expByNum), kExprWidth);
  SetElemName(fig, out, Num2Name(fig, expByNum));
  return {true, {}, step, number};
}

}  // namespace plandra
