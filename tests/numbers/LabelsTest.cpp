#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "labels/Labels05.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;

TEST(ValueText, FixedDecimalsWithThreeIntegerPositions) {
  EXPECT_EQ(ValueText(2.5, 3), "   2.500");
  EXPECT_EQ(ValueText(-2.5, 3), "  -2.500");
  EXPECT_EQ(ValueText(12.5, 3), "  12.500");
  EXPECT_EQ(ValueText(1234.5, 3), " 1234.500");
  EXPECT_EQ(ValueText(0, 2), "   0.00");
  EXPECT_EQ(ValueText(0.5, 1), "   0.5");
  EXPECT_EQ(ValueText(99.999, 2), " 100.00") << "rounding up adds an integer digit";
  EXPECT_EQ(ValueText(9.999, 2), "  10.00");
  EXPECT_EQ(ValueText(2.675, 2), "   2.68") << "rounds the decimal value as written";
  EXPECT_EQ(ValueText(0.004, 2), "   0.00");
  EXPECT_EQ(ValueText(0.005, 2), "   0.01");
  EXPECT_EQ(ValueText(-0.001, 2), "  -0.00") << "the sign is that of the value";
  EXPECT_EQ(ValueText(1e20, 2), " 100000000000000000000.00");
}

TEST(ValueText, NoDecimalsEndsWithThePoint) {
  EXPECT_EQ(ValueText(3, 0), "   3.");
  EXPECT_EQ(ValueText(2.5, 0), "   3.");
  EXPECT_EQ(ValueText(-0.4, 0), "  -0.");
  EXPECT_EQ(ValueText(1234, 0), " 1234.");
  EXPECT_EQ(ValueText(3, -3), "   3.") << "decimals below 0 count as 0";
}

TEST(ValueText, TwentyDecimalsShowFifteenSignificantDigits) {
  EXPECT_EQ(ValueText(2.5, 20), "   2.50000000000000000000");
  EXPECT_EQ(ValueText(1.0 / 3, 20), "   0.33333333333333300000");
  EXPECT_EQ(ValueText(-1e-7, 20), "  -0.00000010000000000000");
  EXPECT_EQ(ValueText(0.1 + 0.2, 20), "   0.30000000000000000000");
  EXPECT_EQ(ValueText(2.5, 25), ValueText(2.5, 20)) << "decimals above 20 count as 20";
  EXPECT_EQ(ValueText(std::numeric_limits<double>::quiet_NaN(), 2), "   ---");
}

TEST(PlainNumberText, LeadingBlankOrSignAndNoLeadingZero) {
  EXPECT_EQ(PlainNumberText(2), " 2");
  EXPECT_EQ(PlainNumberText(-2), "-2");
  EXPECT_EQ(PlainNumberText(0), " 0");
  EXPECT_EQ(PlainNumberText(0.5), " .5");
  EXPECT_EQ(PlainNumberText(-0.25), "-.25");
  EXPECT_EQ(PlainNumberText(1.0 / 3), " .333333333333333");
  EXPECT_EQ(PlainNumberText(123456789012345.0), " 123456789012345");
  EXPECT_EQ(PlainNumberText(1234567890123456.0), " 1.23456789012346E+15");
  EXPECT_EQ(PlainNumberText(0.0001), " .0001");
  EXPECT_EQ(PlainNumberText(0.00001), " 1E-05");
}

// Points A B C D, line AB (step 5), circle about A through B, number t.
struct LabelFigure {
  Figure fig;
  PlainTextLookup words;
  int16_t line = 0, circle = 0, t = 0;
  LabelFigure() {
    ResetFigure(fig, 50);
    for (int i = 0; i < 4; ++i) AddFreePoint(fig, i, i * i);
    line = AddStep(fig, "L1", {{1, 1}, {1, 2}});
    circle = AddStep(fig, "C2", {{1, 1}, {1, 2}});
    t = AddNumber(fig, 30);
    fig.NumTable[t].Name = "t";
  }
  int16_t Measure(std::string_view kind, std::initializer_list<ObjRef> inputs) {
    return AddStep(fig, kind, inputs);
  }
  const std::string& NumName(int16_t n) const { return fig.NumTable[n].Name; }
};

TEST(AutoLabels, EveryLabelledKind) {
  LabelFigure f;
  ObjRef a{1, 1}, b{1, 2}, c{1, 3}, d{1, 4}, ln{2, f.line}, cir{3, f.circle}, num{100, f.t};
  int16_t nd2p = f.Measure("ND2P", {a, b});
  int16_t ndpl = f.Measure("NDPL", {c, ln});
  int16_t ndpc = f.Measure("NDPC", {d, cir});
  int16_t nd2l = f.Measure("ND2L", {ln, ln});
  int16_t ndlc = f.Measure("NDLC", {ln, cir});
  int16_t nd2c = f.Measure("ND2C", {cir, cir});
  int16_t npl2 = f.Measure("NPL2", {c, ln});
  int16_t na3p = f.Measure("NA3P", {a, b, c});
  int16_t na3plus = f.Measure("NA3+", {a, b, c});
  int16_t na3star = f.Measure("NA3*", {c, b, a});
  int16_t nar3 = f.Measure("NAR3", {a, b, c});
  int16_t narplus = f.Measure("NAR+", {b, c, d});
  int16_t nar4 = f.Measure("NAR4", {a, b, c, d});
  int16_t npx = f.Measure("NPX", {c});
  int16_t npx2 = f.Measure("NPX2", {c});
  int16_t npy = f.Measure("NPY", {c});
  int16_t nlc = f.Measure("NLC", {cir});
  int16_t nrc = f.Measure("NRC", {cir});
  int16_t nsin = f.Measure("NSIN", {num});
  int16_t ncos = f.Measure("NCOS", {num});
  int16_t ntan = f.Measure("NTAN", {num});
  int16_t na2l = f.Measure("NA2L", {ln, ln});
  f.fig.NumTable[na2l].Name = "kept";
  f.fig.CirTable[f.circle].Name = "o";

  AutoLabels(f.fig, f.words);
  EXPECT_EQ(f.fig.LnTable[f.line].Name, "AB");
  EXPECT_EQ(f.fig.CirTable[f.circle].Name, "o") << "circles keep their names";
  EXPECT_EQ(f.NumName(nd2p), "AB");
  EXPECT_EQ(f.NumName(ndpl), "d(C, AB)");
  EXPECT_EQ(f.NumName(ndpc), "d(D, o)");
  EXPECT_EQ(f.NumName(nd2l), "d(AB, AB)");
  EXPECT_EQ(f.NumName(ndlc), "d(AB, o)");
  EXPECT_EQ(f.NumName(nd2c), "d(o, o)");
  EXPECT_EQ(f.NumName(npl2), "d(C, AB)");
  EXPECT_EQ(f.NumName(na3p), "∠ABC");
  EXPECT_EQ(f.NumName(na3plus), "∠ABC");
  EXPECT_EQ(f.NumName(na3star), "∠CBA");
  EXPECT_EQ(f.NumName(nar3), "ΔABC");
  EXPECT_EQ(f.NumName(narplus), "ΔBCD");
  EXPECT_EQ(f.NumName(nar4), "□ABCD");
  EXPECT_EQ(f.NumName(npx), "C(x)");
  EXPECT_EQ(f.NumName(npx2), "C");
  EXPECT_EQ(f.NumName(npy), "C(y)");
  EXPECT_EQ(f.NumName(nlc), "円oの円周");
  EXPECT_EQ(f.NumName(nrc), "円oの半径");
  EXPECT_EQ(f.NumName(nsin), "SIN(t)");
  EXPECT_EQ(f.NumName(ncos), "COS(t)");
  EXPECT_EQ(f.NumName(ntan), "TAN(t)");
  EXPECT_EQ(f.NumName(na2l), "kept") << "kinds without a label keep their names";
}

// Marks every text that passes through the lookup.
class MarkingLookup final : public TextLookup {
 public:
  std::string Text(std::string_view japanese) const override {
    return "<" + std::string(japanese) + ">";
  }
};

TEST(AutoLabels, FixedWordsAndCircleNamesPassThroughTheLookup) {
  LabelFigure f;
  ObjRef cir{3, f.circle};
  int16_t ndpc = f.Measure("NDPC", {{1, 4}, cir});
  int16_t ndpl = f.Measure("NDPL", {{1, 3}, {2, f.line}});
  int16_t na3p = f.Measure("NA3P", {{1, 1}, {1, 2}, {1, 3}});
  int16_t nar3 = f.Measure("NAR3", {{1, 1}, {1, 2}, {1, 3}});
  int16_t nar4 = f.Measure("NAR4", {{1, 1}, {1, 2}, {1, 3}, {1, 4}});
  int16_t nlc = f.Measure("NLC", {cir});
  int16_t nrc = f.Measure("NRC", {cir});
  f.fig.CirTable[f.circle].Name = "o";
  AutoLabels(f.fig, MarkingLookup());
  EXPECT_EQ(f.NumName(ndpc), "d(D, <o>)");
  EXPECT_EQ(f.NumName(ndpl), "d(C, AB)") << "point and line names are not looked up";
  EXPECT_EQ(f.NumName(na3p), "∠ABC");
  EXPECT_EQ(f.NumName(nar3), "<Δ>ABC");
  EXPECT_EQ(f.NumName(nar4), "<□>ABCD");
  EXPECT_EQ(f.NumName(nlc), "<円>o<の円周>");
  EXPECT_EQ(f.NumName(nrc), "<円>o<の半径>");
}

TEST(AutoLabels, FollowRenamedInputsAndCutToTheField) {
  LabelFigure f;
  int16_t dist = f.Measure("ND2P", {{1, 1}, {1, 2}});
  int16_t angle = f.Measure("NA3P", {{1, 1}, {1, 2}, {1, 3}});
  int16_t calc = AddStep(f.fig, "CALC", {});
  f.fig.NumTable[calc].Expr = "N" + std::to_string(dist) + "*N" + std::to_string(f.t);
  AutoLabels(f.fig, f.words);
  EXPECT_EQ(f.NumName(dist), "AB");
  EXPECT_EQ(f.NumName(angle), "∠ABC");
  EXPECT_EQ(f.NumName(calc), "AB*t");

  SetElementName(f.fig, {1, 1}, "P");
  AutoLabels(f.fig, f.words);
  EXPECT_EQ(f.NumName(dist), "PB");
  EXPECT_EQ(f.NumName(angle), "∠PBC");
  EXPECT_EQ(f.NumName(calc), "PB*t") << "a calculated number follows its operands' names";

  f.fig.NumTable[f.t].Name = "";
  AutoLabels(f.fig, f.words);
  EXPECT_EQ(f.NumName(calc), "PB* 30") << "an unnamed operand shows its value";

  SetElementName(f.fig, {1, 1}, "Alphaville");
  SetElementName(f.fig, {1, 2}, "Bravo");
  SetElementName(f.fig, {1, 3}, std::string(30, 'c'));
  AutoLabels(f.fig, f.words);
  EXPECT_EQ(f.fig.LnTable[f.line].Name, "Alphaville") << "line names hold 10 characters";
  EXPECT_EQ(f.NumName(angle), "∠AlphavilleBravo" + std::string(24, 'c'))
      << "number names hold 40 characters";
}

TEST(AutoLabels, InputsThatNameNothingGiveEmptyTexts) {
  LabelFigure f;
  int16_t dist = f.Measure("ND2P", {{1, 1}, {1, 2}});
  f.fig.StepIn[f.fig.StepCount][2] = {1, 999};
  int16_t coord = f.Measure("NPX", {{1, 1}});
  f.fig.StepIn[f.fig.StepCount][1] = {};
  AutoLabels(f.fig, f.words);
  EXPECT_EQ(f.NumName(dist), "A");
  EXPECT_EQ(f.NumName(coord), "(x)");
}

TEST(NumberLists, DialogLinesAndScreenLines) {
  LabelFigure f;
  int16_t dist = f.Measure("ND2P", {{1, 1}, {1, 2}});
  f.fig.NumTable[dist].Value = 2.5;
  int16_t calc = AddStep(f.fig, "CALC", {});
  f.fig.NumTable[calc].Expr = "N" + std::to_string(dist) + "*N" + std::to_string(dist);
  f.fig.NumTable[calc].Value = 6.25;
  int16_t hidden = f.Measure("NPY", {{1, 3}});
  f.fig.NumTable[hidden].NumShow = kNumHidden;
  f.fig.NumTable[f.t].Name = "  t  ";

  EXPECT_EQ(NumberListLine(f.fig, f.t, 2), " 1:t =   30.00") << "names trimmed on both sides";
  EXPECT_EQ(NumberListLine(f.fig, 999, 2), "");

  std::vector<ScreenNumberLine> lines = ScreenNumberList(f.fig, f.words, 1, false);
  ASSERT_EQ(lines.size(), 2u) << "only shown dependent numbers are listed";
  EXPECT_EQ(lines[0].Text, " 2:AB =    2.5");
  EXPECT_EQ(lines[0].Number, dist);
  EXPECT_EQ(lines[0].Row, 0);
  EXPECT_EQ(lines[0].LeftPixels, 3);
  EXPECT_EQ(lines[1].Text, " 3:AB×AB =    6.3") << "labels renewed first, * drawn as ×";
  EXPECT_EQ(lines[1].Row, 1);
  lines = ScreenNumberList(f.fig, f.words, 1, true);
  EXPECT_EQ(lines[1].LeftPixels, 35);
}

TEST(NumberLists, AllOnAndOffTouchOnlyDependentNumbers) {
  LabelFigure f;
  int16_t dist = f.Measure("ND2P", {{1, 1}, {1, 2}});
  int16_t free2 = AddNumber(f.fig, 1);
  f.fig.NumTable[free2].NumShow = kNumHidden;
  mnuEVarDispAllOff(f.fig);
  EXPECT_EQ(f.fig.NumTable[dist].NumShow, 7);
  EXPECT_EQ(f.fig.NumTable[f.t].NumShow, 0);
  EXPECT_EQ(f.fig.NumTable[free2].NumShow, 7);
  EXPECT_TRUE(ScreenNumberList(f.fig, f.words, 2, false).empty());
  mnuEVarDispAllOn(f.fig);
  EXPECT_EQ(f.fig.NumTable[dist].NumShow, 0);
  EXPECT_EQ(f.fig.NumTable[f.t].NumShow, 0);
  EXPECT_EQ(f.fig.NumTable[free2].NumShow, 7);
  EXPECT_EQ(ScreenNumberList(f.fig, f.words, 2, false).size(), 1u);
}

}  // namespace
}  // namespace plandra
