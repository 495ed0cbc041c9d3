#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>
#include <string>

#include "core/numbers/Calc05.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddNumber;

// A figure with independent numbers N1.. holding the given values.
class CalcFigure {
 public:
  explicit CalcFigure(std::initializer_list<double> values) {
    ResetFigure(fig, 30);
    for (double v : values) AddNumber(fig, v);
  }
  // Appends a "CALC" step over expr and evaluates it; returns its number.
  int16_t Calc(std::string_view expr) {
    AppendStep(fig);
    int16_t step = fig.StepCount;
    SetStepKind(fig, step, "CALC");
    ReserveElement(fig, kClassNumber);
    int16_t n = fig.ElemCount[kClassNumber];
    fig.StepOut[step][1] = {kClassNumber, n};
    fig.NumTable[n].Expr = std::string(expr);
    EvalCalcStep(fig, step);
    return n;
  }
  double Value(std::string_view expr) { return fig.NumTable[Calc(expr)].Value; }
  int16_t Exists(int16_t n) const { return fig.NumTable[n].Exists; }

  Figure fig;
};

// "N1+N1+...+N1" with the given count of operands (3 characters each but the first).
std::string Ones(int operands) {
  std::string text = "N1";
  for (int i = 1; i < operands; ++i) text += "+N1";
  return text;
}

// 70 characters ending with an operand: 22 operands N1, then N002.
std::string SeventyCharacters() { return Ones(22) + "+N002"; }

TEST(EvalCalcStep, PrecedenceAndGrouping) {
  CalcFigure f{10, 3, 2, 1, 100, 5};
  EXPECT_EQ(f.Value("N4"), 1) << "one operand copies its value";
  EXPECT_EQ(f.Value("N1-N2-N3"), 5);
  EXPECT_EQ(f.Value("N5/N6/N3"), 10);
  EXPECT_EQ(f.Value("N1-N2*N3"), 4);
  EXPECT_EQ(f.Value("N3^N2^N3"), 64) << "^ groups from the left";
  EXPECT_EQ(f.Value("N1+N3^N2*N6"), 50) << "^ binds tightest";
  EXPECT_EQ(f.Value("N1/N6*N3"), 4);

  // Groupings that equal ordinary arithmetic only in exact numbers.
  CalcFigure g{1, 0, 1e16, 1e16, 49};
  EXPECT_EQ(g.Value("N1-N2+N3-N4"), 1) << "(a - b) + (c - d), not ((a - b) + c) - d";
  EXPECT_EQ(g.Value("N1+N3-N4"), 1) << "a + (b - c)";
  EXPECT_EQ(g.Value("N5*N1/N5"), 49 * (1.0 / 49)) << "a * (b / c)";
  EXPECT_NE(g.Value("N5*N1/N5"), 1.0);
}

TEST(EvalCalcStep, GuardsOfDivisionAndPower) {
  CalcFigure f{7, 0.005, -0.01, 0, 0.009, 2};
  EXPECT_EQ(f.Value("N1/N2"), 0);
  EXPECT_DOUBLE_EQ(f.Value("N1/N3"), -700);
  EXPECT_EQ(f.Value("N4^N4"), 0) << "0 ^ 0 is 0 here";
  EXPECT_EQ(f.Value("N4^N6"), 0);
  EXPECT_EQ(f.Value("N5^N6"), 0);
  EXPECT_DOUBLE_EQ(f.Value("N3^N6"), 0.0001);
  EXPECT_EQ(f.Value("N1*N6/N2"), 0) << "the guard takes only the divisor";
  int16_t n = f.Calc("N1/N2");
  EXPECT_EQ(f.Exists(n), kTrue) << "a guarded result still exists";
}

TEST(EvalCalcStep, MultiDigitIndicesAreReadWhole) {
  CalcFigure f{100, 200, 300, 400, 500, 600, 700, 800, 900, 1000, 1100, 1200, 1300};
  EXPECT_EQ(f.Value("N12"), 1200);
  EXPECT_EQ(f.Value("N1+N12"), 1300);
  EXPECT_EQ(f.Value("N12-N1"), 1100);
  // Thirteen operands: slot tokens x1 and x12, x13 must stay apart.
  EXPECT_EQ(f.Value("N1+N2+N3+N4+N5+N6+N7+N8+N9+N10+N11+N12-N13"), 6500);
  EXPECT_EQ(f.Value("N01"), 100) << "leading zeros read as the number";
}

TEST(EvalCalcStep, OperandsNamingNoNumberContributeZero) {
  CalcFigure f{5, 6};
  // Records beyond the count must never be read, even when they hold data.
  ASSERT_EQ(UpperBound(f.fig.NumTable), 30);
  f.fig.NumTable[30].Value = 99;
  f.fig.NumTable[0].Value = 42;
  EXPECT_EQ(f.Value("N0+N1"), 5);
  EXPECT_EQ(f.Value("N30+N1"), 5);
  EXPECT_EQ(f.Value("N1+N31"), 5) << "beyond the table too";
  EXPECT_EQ(f.Value("N1+N32767"), 5);
  EXPECT_EQ(f.Value("N1*N99999999999"), 0);
  int16_t n = f.Calc("N0");
  EXPECT_EQ(f.Exists(n), kTrue);
}

TEST(EvalCalcStep, OperandThatDoesNotExistGivesItsLastValue) {
  CalcFigure f{5, 6};
  f.fig.NumTable[2].Exists = kFalse;
  int16_t n = f.Calc("N1+N2");
  EXPECT_EQ(f.fig.NumTable[n].Value, 11);
  EXPECT_EQ(f.Exists(n), kTrue);
}

TEST(EvalCalcStep, ResultsThatAreNoNumberMakeTheNumberNotExist) {
  CalcFigure f{-8, 1.0 / 3, 0, 1e200, 2, 10, 400};
  int16_t n = f.Calc("N5");
  ASSERT_EQ(f.Exists(n), kTrue);
  // Re-evaluate the same number with an expression that has no real value:
  // it stops existing and keeps its last value; the next step still runs.
  int16_t step = f.fig.StepCount;
  f.fig.NumTable[n].Expr = "N1^N2";
  EvalCalcStep(f.fig, step);
  EXPECT_EQ(f.Exists(n), kFalse);
  EXPECT_EQ(f.fig.NumTable[n].Value, 2);
  int16_t after = f.Calc("N5+N5");
  EXPECT_EQ(f.fig.NumTable[after].Value, 4);
  EXPECT_EQ(f.Exists(after), kTrue);

  EXPECT_EQ(f.Exists(f.Calc("N1^N2^N3")), kFalse) << "no number to the power 0 is still none";
  EXPECT_EQ(f.Exists(f.Calc("N4*N4")), kFalse) << "overflow";
  EXPECT_EQ(f.Exists(f.Calc("N4*N4/N4")), kTrue) << "1e200 * (1e200 / 1e200) is finite";
  EXPECT_EQ(f.Exists(f.Calc("N6^N7")), kFalse);
  EXPECT_EQ(f.Exists(f.Calc("N1^N5")), kTrue) << "a negative base to a whole power is fine";

  f.fig.NumTable[5].Value = std::nan("");
  EXPECT_EQ(f.Exists(f.Calc("N5*N3")), kFalse) << "an operand that is no number";
}

TEST(EvalCalcStep, MalformedStoredExpressionsMakeTheNumberNotExist) {
  CalcFigure f{1, 2};
  for (std::string_view bad :
       {"", "   ", "N1+", "+N1", "N1++N2", "X1", "N", "N1 N2", "N1.5", "N1+N2)", "N-1", "ｎ1"}) {
    EXPECT_EQ(f.Exists(f.Calc(bad)), kFalse) << bad;
  }
  EXPECT_EQ(f.Value(" N1 + N2   "), 3) << "blanks around operands are read as before";
  EXPECT_EQ(f.Exists(f.Calc(Ones(23) + "+N1")), kFalse) << "cut at 70 characters: ...+N";
  EXPECT_EQ(f.Value(SeventyCharacters()), 24);
  EXPECT_EQ(f.Value(SeventyCharacters() + "5"), 24) << "the 71st character (N0025) is not read";

  // Steps and outputs that name nothing are ignored.
  EvalCalcStep(f.fig, 0);
  EvalCalcStep(f.fig, 999);
  int16_t n = f.Calc("N1");
  f.fig.StepOut[f.fig.StepCount][1] = {kClassNumber, 500};
  EvalCalcStep(f.fig, f.fig.StepCount);
  EXPECT_EQ(f.fig.NumTable[n].Value, 1);
}

TEST(Num2Name, NamesOrValuesOfTheOperands) {
  CalcFigure f{1, 2, 2, -0.5};
  f.fig.NumTable[1].Name = "AB";
  f.fig.NumTable[2].Name = "CD  ";
  EXPECT_EQ(Num2Name(f.fig, "N1*N2-N3"), "AB*CD- 2");
  f.fig.NumTable[1].Name = "";
  f.fig.NumTable[2].Name = "";
  EXPECT_EQ(Num2Name(f.fig, "N1+N2"), " 1+ 2");
  EXPECT_EQ(Num2Name(f.fig, "N4^N1/"), "-.5^ 1/") << "a trailing operator stays";
  EXPECT_EQ(Num2Name(f.fig, ""), "");
  EXPECT_EQ(Num2Name(f.fig, "    "), "");
  EXPECT_EQ(Num2Name(f.fig, "N9+N1"), "N9+ 1") << "an unknown operand stays as written";
}

TEST(SetupNumList, OneLinePerNumber) {
  CalcFigure f{1.5, -20};
  f.fig.NumTable[2].Name = " AB ";
  std::vector<std::string> lines = SetupNumList(f.fig, 2);
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], " 1: =    1.50");
  EXPECT_EQ(lines[1], " 2:AB =  -20.00");
}

TEST(FinishExpression, AppendsTheCalcStepAndItsNumber) {
  CalcFigure f{3, 4};
  f.fig.NumTable[1].Name = "a";
  LangState lang;
  CalcResult result = FinishExpression(f.fig, lang, "N1*N2+N1");
  ASSERT_TRUE(result.Ok) << result.Message;
  EXPECT_EQ(result.Step, 1);
  EXPECT_EQ(result.Number, 3);
  EXPECT_EQ(StepKindText(f.fig, 1), "CALC");
  EXPECT_EQ(f.fig.StepKindId[1], Kind::CALC);
  EXPECT_EQ(f.fig.StepOut[1][1], (ObjRef{kClassNumber, 3}));
  EXPECT_TRUE(f.fig.StepIn[1][1].IsEmpty());
  const NumRec& num = f.fig.NumTable[3];
  EXPECT_EQ(num.Expr, "N1*N2+N1");
  EXPECT_EQ(num.Name, "a* 4+a");
  EXPECT_EQ(num.NumFlag, kFalse);
  EvalCalcStep(f.fig, result.Step);
  EXPECT_EQ(num.Value, 15);
  EXPECT_EQ(num.Exists, kTrue);
}

TEST(FinishExpression, RefusesWhatCannotBeStored) {
  CalcFigure f{3, 4};
  LangState lang;
  std::string seventy = SeventyCharacters();
  ASSERT_EQ(seventy.size(), 70u);
  EXPECT_TRUE(FinishExpression(f.fig, lang, seventy).Ok);
  EXPECT_EQ(f.fig.NumTable[3].Expr, seventy);
  const int16_t steps = f.fig.StepCount;
  const int16_t numbers = f.fig.ElemCount[kClassNumber];

  struct Case {
    std::string expr;
    ExprProblem problem;
  };
  for (const Case& c :
       {Case{seventy + "+N1", ExprProblem::kTooLong}, Case{"N1+", ExprProblem::kEndsWithOperator},
        Case{"N1*N2^", ExprProblem::kEndsWithOperator}, Case{"", ExprProblem::kEmpty},
        Case{"*N1", ExprProblem::kMalformed}, Case{"N1N2", ExprProblem::kMalformed},
        Case{"N1+N4", ExprProblem::kUnknownNumber}, Case{"N0", ExprProblem::kUnknownNumber}}) {
    EXPECT_EQ(CheckIndexExpr(f.fig, c.expr), c.problem) << c.expr;
    CalcResult result = FinishExpression(f.fig, lang, c.expr);
    EXPECT_FALSE(result.Ok) << c.expr;
    EXPECT_FALSE(result.Message.empty()) << c.expr;
  }
  EXPECT_EQ(FinishExpression(f.fig, lang, seventy + "+N1").Message,
            "式が長すぎます。70文字以内の式にしてください。");
  EXPECT_EQ(FinishExpression(f.fig, lang, "N1-").Message, "式の最後は数値にしてください。");
  EXPECT_EQ(f.fig.StepCount, steps) << "a refused expression leaves the figure as it was";
  EXPECT_EQ(f.fig.ElemCount[kClassNumber], numbers);
}

}  // namespace
}  // namespace plandra
