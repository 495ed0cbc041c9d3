#include <gtest/gtest.h>

#include <string>

#include "app/FigDataView.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/language/Multi_lang.h"
#include "core/macros/PDmacro01.h"
#include "core/macros/ViewerText.h"
#include "support/AppFixture.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddStep;

// Two free points joined by a segment, and an independent number k.
Figure SmallFigure() {
  Figure fig;
  ResetFigure(fig, 20);
  AddFreePoint(fig, 1.5, -2);
  AddFreePoint(fig, 0, 0);
  int16_t line = AddStep(fig, "L1", {{kClassPoint, 1}, {kClassPoint, 2}});
  LnRec& ln = fig.LnTable[line];
  ln = {1.5, -2, 0, 0, kTrue, 1, -0.6, 0.8, 7, 0, "1", 0, 0, 0};
  int16_t k = AddNumber(fig, 2.5);
  SetElementName(fig, {kClassNumber, k}, "k");
  return fig;
}

std::string Lines(std::initializer_list<std::string_view> lines) {
  std::string text;
  for (std::string_view line : lines) text.append(line).append("\r\n");
  return text;
}

TEST(FigDataView, ReportOfASmallFigure) {
  Figure fig = SmallFigure();
  LangState lang;
  std::string expected = Lines({
      "作図手続きと幾何的対象のデータ",
      "FileName : /home/u/a.pd4",
      "作図手続き数 : 3",
      "",
      "■作図手続き(概略)■",
      " 1:PNEW (新しい点を取る)",
      " 2:PNEW (新しい点を取る)",
      " 3:L1   (２点を結ぶ)",
      "",
      "■作図手続き(入出力の詳細)■",
      " 1:PNEW",
      "   入力 : ",
      "   出力 : 点A[1]",
      " 2:PNEW",
      "   入力 : ",
      "   出力 : 点B[2]",
      " 3:L1",
      "   入力 : 点A[1] , 点B[2]",
      "   出力 : 線1[1]",
      "",
      "幾何的対象の数",
      "数   : 1",
      "点   : 2",
      "直線   : 1",
      "円   : 0",
      "",
      "■幾何的対象(数,点,線,円)の詳細データ■",
      "数 1",
      "名前       : k",
      "値         :  2.500",
      "独立/従属  : -1",
      "チェック   : -1",
      "数式表示   : ",
      "点 1",
      "名前       : A",
      "座標       :  1.500 ,-2.000",
      "種類       : 2",
      "独立/従属  : -1",
      "束縛状態   : -1",
      "色         : 7",
      "束縛の種類 : 0",
      "束縛番号   : 0",
      "パラメータ :  0.000",
      "点 2",
      "名前       : B",
      "座標       :  0.000 , 0.000",
      "種類       : 2",
      "独立/従属  : -1",
      "束縛状態   : -1",
      "色         : 7",
      "束縛の種類 : 0",
      "束縛番号   : 0",
      "パラメータ :  0.000",
      "直線 1",
      "名前       : 1",
      "点1        :  1.500 ,-2.000",
      "点2        :  0.000 , 0.000",
      "方向       : -0.600 , 0.800",
      "種類       : 1",
      "色         : 7",
      "軌跡の色   : 0",
      "",
      "以上",
  });
  EXPECT_EQ(FigDataViewReport(fig, lang, "/home/u/a.pd4", 3), expected);

  ViewerText viewer;
  viewer.Text = "matrix";
  viewer.ViewerWriteMode = kViewerAppend;
  ShowFigDataView(viewer, fig, lang, "/home/u/a.pd4", 3);
  EXPECT_EQ(viewer.Text, expected);
  EXPECT_TRUE(viewer.Shown);
  EXPECT_EQ(viewer.Heading, "作図手続きと幾何的対象のデータ");
  EXPECT_FALSE(MatrixItemsVisible(viewer, lang));
}

TEST(FigDataView, MacroStepsAreBracketedAndCirclesListed) {
  Figure fig;
  ResetFigure(fig, 20);
  AddFreePoint(fig, 0, 0);
  AddFreePoint(fig, 4, 0);
  AddFreePoint(fig, 1, 3);
  AddStep(fig, "L1", {{kClassPoint, 1}, {kClassPoint, 2}});
  for (int twice = 0; twice < 2; ++twice) {
    AddStep(fig, "L3+", {{kClassLine, 1}, {kClassPoint, 3}, {kSlotMacro, 0}});
    int16_t perpendicular = AddStep(fig, "L3", {{kClassLine, 1}, {kClassPoint, 3}});
    AddStep(fig, "PC1", {{kClassLine, 1}, {kClassLine, perpendicular}});
    AddStep(fig, "L3+", {{kClassLine, 1}, {kClassPoint, 3}, {kSlotMacro, 0}});
  }
  int16_t circle = AddStep(fig, "C2", {{kClassPoint, 1}, {kClassPoint, 3}});
  fig.CirTable[circle].R = 3.16227766;

  LangState lang;
  std::string report = FigDataViewReport(fig, lang, "untitled", 2);
  std::string outline = Lines({
      "  5:■垂線とその足(マクロ) 開始",
      "  6:L3   (垂線（とその足）)",
      "  7:PC1  (交点（２直線）)",
      "  8:■垂線とその足(マクロ) 終了",
      "  9:■垂線とその足(マクロ) 開始",
  });
  EXPECT_NE(report.find(outline), std::string::npos) << report;
  EXPECT_NE(report.find(" 12:■垂線とその足(マクロ) 終了\r\n 13:C2   (円（中心と一点）)\r\n"),
            std::string::npos);
  // The marker slot of the macro step is no element.
  EXPECT_NE(report.find("  5:L3+\r\n   入力 : 線1[1] , 点C[3]\r\n   出力 : \r\n"),
            std::string::npos);
  EXPECT_NE(report.find(Lines({"円 1", "名前       : 1", "中心       :  0.00 , 0.00",
                               "半径       :  3.16", "色         : 7", "軌跡の色   : 0"})),
            std::string::npos);
  EXPECT_NE(report.find("FileName : untitled\r\n作図手続き数 : 13\r\n"), std::string::npos);
}

TEST(FigDataView, StepTextNamesInputsAndOutputs) {
  Figure fig = SmallFigure();
  LangState lang;
  EXPECT_EQ(StepText(fig, lang, 3), "２点を結ぶ:(点A , 点B)→(線1)");
  EXPECT_EQ(StepText(fig, lang, 1), "新しい点を取る:()→(点A)");
  AddStep(fig, "PN", {{kClassPoint, 1}, {kClassPoint, 2}, {kSlotNumber, 1}, {kSlotNumber, 1}});
  EXPECT_EQ(StepText(fig, lang, 4), "内分・外分:(点A , 点B , 変数k , 変数k)→(点C)");
  // Beyond the steps (a replay of an empty figure) and broken references.
  EXPECT_EQ(StepText(fig, lang, 0), "");
  EXPECT_EQ(StepText(fig, lang, 5), "");
  fig.StepIn[3][2] = {kClassPoint, 300};
  EXPECT_EQ(StepText(fig, lang, 3), "２点を結ぶ:(点A , 点?)→(線1)");
}

// A calculated number's slots are empty: its inputs are its operands.
TEST(FigDataView, ACalculatedNumbersOperandsAreItsInputs) {
  Figure fig = SmallFigure();
  const int16_t m = AddNumber(fig, 4);
  SetElementName(fig, {kClassNumber, m}, "m");
  const int16_t sum = AddStep(fig, "CALC", {});
  fig.NumTable[sum].Expr = "N1*N" + std::to_string(m) + "+N1";
  LangState lang;
  const std::string report = FigDataViewReport(fig, lang, "a.pd4", 3);
  EXPECT_NE(report.find(" 4:CALC\r\n   入力 : 変数k[1] , 変数m[2]\r\n"), std::string::npos)
      << report;
}

TEST(FigDataView, ReportNumbers) {
  EXPECT_EQ(ReportNumber(2.5, 3), " 2.500");
  EXPECT_EQ(ReportNumber(-2.5, 3), "-2.500");
  EXPECT_EQ(ReportNumber(-0.0004, 3), " 0.000");
  EXPECT_EQ(ReportNumber(-0.0, 2), " 0.00");
  EXPECT_EQ(ReportNumber(12.345, 0), " 12");
  EXPECT_EQ(ReportNumber(1.0 / 3, 25), " 0.33333333333333331483");  // at most 20 decimals
  EXPECT_EQ(ReportNumber(7, -4), " 7");
  EXPECT_EQ(ReportNumber(-1e300, 2).size(), 305u);
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

// The program's own recompute reaches the Data Viewer: a projective map
// writes its frame there at every redraw, so the viewer's matrix items show.
TEST(FigDataView, TheProgramsRedrawWritesTheProjectiveFrame) {
  test::AppFixture app;
  Program& p = app.P;
  ResetFigure(p.Fig, 200);
  ASSERT_TRUE(MacroProjective(p.Fig));
  Redraw(p);
  EXPECT_TRUE(p.Viewer.Shown);
  EXPECT_NE(p.Viewer.Text.find("M2=\r\n"), std::string::npos);
  EXPECT_TRUE(MatrixItemsVisible(p.Viewer, p.Lang));
  EXPECT_EQ(p.Viewer.Text.find("M=\r\n"), std::string::npos);  // the final matrix stays off

  // A figure without a map step leaves the viewer alone.
  ViewerClear(p.Viewer);
  p.Viewer.Shown = false;
  ResetFigure(p.Fig, 200);
  test::AddFreePoint(p.Fig, 1, 1);
  Redraw(p);
  EXPECT_FALSE(p.Viewer.Shown);
  EXPECT_TRUE(p.Viewer.Text.empty());
}

}  // namespace
}  // namespace plandra
