#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/language/Multi_lang.h"
#include "core/macros/PDmacro01.h"
#include "core/macros/ViewerText.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;

std::vector<std::string> Kinds(const Figure& fig, int16_t from) {
  std::vector<std::string> kinds;
  for (int s = from; s <= fig.StepCount; ++s) kinds.emplace_back(StepKindText(fig, s));
  return kinds;
}

void ExpectPoint(const Figure& fig, int16_t index, const char* name, double x, double y,
                 int16_t mark, int16_t color, int16_t style, int16_t boundMode) {
  const PtRec& pt = fig.PtTable[index];
  EXPECT_EQ(pt.Name, name) << "point " << index;
  EXPECT_POINT_NEAR(x, y, pt, 0);
  EXPECT_EQ(pt.Mark, mark) << name;
  EXPECT_EQ(pt.Color, color) << name;
  EXPECT_EQ(pt.Style, style) << name;
  EXPECT_EQ(pt.BoundMode, boundMode) << name;
  EXPECT_EQ(pt.Exists, kTrue) << name;
}

void ExpectSegment(const Figure& fig, int16_t step, int16_t from, int16_t to, int16_t color) {
  EXPECT_EQ(StepKindText(fig, step), "L1");
  EXPECT_EQ(fig.StepIn[step][1], (ObjRef{kClassPoint, from}));
  EXPECT_EQ(fig.StepIn[step][2], (ObjRef{kClassPoint, to}));
  const LnRec& line = fig.LnTable[fig.StepOut[step][1].Index];
  EXPECT_EQ(fig.StepOut[step][1].Class, kClassLine);
  EXPECT_EQ(line.LineKind, 1);
  EXPECT_EQ(line.Color, color);
}

// The entries' names in the order the step outputs hold them.
std::vector<std::string> EntryNames(const Figure& fig, int16_t step, int from) {
  std::vector<std::string> names;
  for (int k = from; k <= 5 && fig.StepOut[step][k].Index != 0; ++k) {
    EXPECT_EQ(fig.StepOut[step][k].Class, kClassNumber);
    names.push_back(fig.NumTable[fig.StepOut[step][k].Index].Name);
  }
  return names;
}

TEST(Macros, LinearMacroStepsAndElements) {
  Figure fig;
  ResetFigure(fig, 200);
  AddFreePoint(fig, 9, 9);  // the macro goes after what is there
  ASSERT_TRUE(MacroLinear(fig));
  EXPECT_EQ(Kinds(fig, 2), (std::vector<std::string>{"PNEW", "PNEW", "PNEW", "PNEW", "PNEW", "PNEW",
                                                     "L1", "L1", "L1", "L1", "PT5"}));
  EXPECT_EQ(fig.ElemCount[kClassPoint], 8);
  EXPECT_EQ(fig.ElemCount[kClassLine], 4);
  EXPECT_EQ(fig.ElemCount[kClassNumber], 4);
  for (int16_t s = 2; s <= 7; ++s) EXPECT_EQ(fig.StepOut[s][1], (ObjRef{kClassPoint, s}));
  ExpectPoint(fig, 2, "P", 1, 1, 1, 2, 2, kTrue);
  ExpectPoint(fig, 3, "O", 0, 0, 0, 7, 0, kFalse);
  ExpectPoint(fig, 4, "P1", 1, 0, 0, 7, 0, kTrue);
  ExpectPoint(fig, 5, "P2", 0, 1, 0, 7, 0, kTrue);
  ExpectPoint(fig, 6, "Q1", 2, 1, 0, 7, 0, kTrue);
  ExpectPoint(fig, 7, "Q2", 1, 2, 0, 7, 0, kTrue);
  ExpectSegment(fig, 8, 3, 4, 2);
  ExpectSegment(fig, 9, 3, 5, 2);
  ExpectSegment(fig, 10, 3, 6, 1);
  ExpectSegment(fig, 11, 3, 7, 1);

  const int16_t map = 12;
  for (int k = 1; k <= 5; ++k) {
    EXPECT_EQ(fig.StepIn[map][k], (ObjRef{kClassPoint, static_cast<int16_t>(k == 1 ? 2 : k + 2)}));
  }
  EXPECT_EQ(fig.StepOut[map][1], (ObjRef{kClassPoint, 8}));
  const PtRec& image = fig.PtTable[8];
  EXPECT_EQ(image.Name, "φ(P)");
  EXPECT_EQ(image.Mark, 1);
  EXPECT_EQ(image.Color, 1);
  EXPECT_EQ(image.Style, 1);
  EXPECT_EQ(image.BoundMode, 0);
  EXPECT_EQ(EntryNames(fig, map, 2),
            (std::vector<std::string>{"A(1,1)", "A(1,2)", "A(2,1)", "A(2,2)"}));
  for (int i = 1; i <= 4; ++i) EXPECT_EQ(fig.NumTable[i].NumFlag, kFalse);

  // As created: A = [[2, 1], [1, 2]] and the image of P is (3, 3).
  EvalTransformStep(fig, map);
  EXPECT_POINT_NEAR(3, 3, image, 1e-12);
  EXPECT_EQ(image.Exists, kTrue);
  const double expected[] = {2, 1, 1, 2};
  for (int i = 1; i <= 4; ++i) {
    EXPECT_DOUBLE_EQ(fig.NumTable[i].Value, expected[i - 1]);
    EXPECT_EQ(fig.NumTable[i].Exists, kTrue);
  }

  // P2 dragged onto the line through O and P1: no image, entries unchanged.
  fig.PtTable[5].X = 2;
  fig.PtTable[5].Y = 0;
  EvalTransformStep(fig, map);
  EXPECT_EQ(image.Exists, kFalse);
  EXPECT_POINT_NEAR(3, 3, image, 1e-12);
  for (int i = 1; i <= 4; ++i) EXPECT_DOUBLE_EQ(fig.NumTable[i].Value, expected[i - 1]);
}

TEST(Macros, AffineMacroCarriesTheRestInItsContinuationStep) {
  Figure fig;
  ResetFigure(fig, 200);
  ASSERT_TRUE(MacroAffine(fig));
  EXPECT_EQ(Kinds(fig, 1),
            (std::vector<std::string>{"PNEW", "PNEW", "PNEW", "PNEW", "PNEW", "PNEW", "PNEW", "L1",
                                      "L1", "L1", "L1", "PT6", "PT62"}));
  ExpectPoint(fig, 1, "P", -2, 2, 1, 2, 2, kTrue);
  ExpectPoint(fig, 2, "P1", -4, 0, 0, 2, 0, kTrue);
  ExpectPoint(fig, 4, "P3", -4, 1, 0, 2, 0, kTrue);
  ExpectPoint(fig, 5, "Q1", 4, 0, 0, 1, 0, kTrue);
  ExpectPoint(fig, 7, "Q3", 4, 1, 0, 1, 0, kTrue);
  ExpectSegment(fig, 8, 2, 3, 2);
  ExpectSegment(fig, 9, 2, 4, 2);
  ExpectSegment(fig, 10, 5, 6, 1);
  ExpectSegment(fig, 11, 5, 7, 1);
  EXPECT_EQ(fig.StepIn[12][5], (ObjRef{kClassPoint, 5}));
  EXPECT_EQ(fig.StepIn[13][1], (ObjRef{kClassPoint, 6}));
  EXPECT_EQ(fig.StepIn[13][2], (ObjRef{kClassPoint, 7}));
  EXPECT_TRUE(fig.StepIn[13][3].IsEmpty());
  EXPECT_EQ(EntryNames(fig, 12, 2),
            (std::vector<std::string>{"A(1,1)", "A(1,2)", "A(1,3)", "A(2,1)"}));
  EXPECT_EQ(EntryNames(fig, 13, 1),
            (std::vector<std::string>{"A(2,2)", "A(2,3)", "A(3,1)", "A(3,2)", "A(3,3)"}));

  EvalTransformStep(fig, 13);  // the continuation alone computes nothing
  EXPECT_EQ(fig.PtTable[8].Exists, kFalse);
  EvalTransformStep(fig, 12);
  EXPECT_POINT_NEAR(6, 2, fig.PtTable[8], 1e-12);
  const double expected[] = {1, 0, 8, 0, 1, 0, 0, 0, 1};
  for (int i = 1; i <= 9; ++i) EXPECT_NEAR(fig.NumTable[i].Value, expected[i - 1], 1e-12);
  EXPECT_EQ(fig.NumTable[9].Exists, kTrue);
}

TEST(Macros, ProjectiveMacroAndItsDrags) {
  Figure fig;
  ResetFigure(fig, 200);
  ASSERT_TRUE(MacroProjective(fig));
  std::vector<std::string> kinds(9, "PNEW");
  kinds.insert(kinds.end(), {"PT7", "PT62"});
  EXPECT_EQ(Kinds(fig, 1), kinds);
  ExpectPoint(fig, 1, "P", -2, 2, 1, 2, 2, kTrue);
  ExpectPoint(fig, 3, "P2", -4, 0, 1, 2, 0, kTrue);
  ExpectPoint(fig, 5, "P4", -8, 4, 1, 4, 0, kTrue);
  ExpectPoint(fig, 6, "Q1", 2, 0, 1, 1, 0, kTrue);
  ExpectPoint(fig, 8, "Q3", 6, 4, 1, 3, 0, kTrue);
  EXPECT_EQ(fig.ElemCount[kClassLine], 0);
  for (int k = 1; k <= 4; ++k) {
    EXPECT_EQ(fig.StepIn[10][k + 1].Index, k + 1);
    EXPECT_EQ(fig.StepIn[11][k].Index, k + 5);
  }

  EvalTransformStep(fig, 10);
  EXPECT_POINT_NEAR(8, 2, fig.PtTable[10], 1e-9);  // the squares differ by (10, 0)
  const double shift[] = {1, 0, 10, 0, 1, 0, 0, 0, 1};
  for (int i = 1; i <= 9; ++i) EXPECT_NEAR(fig.NumTable[i].Value, shift[i - 1], 1e-12);

  // Images dragged onto the sources: the identity.
  for (int k = 0; k < 4; ++k) {
    fig.PtTable[6 + k].X = fig.PtTable[2 + k].X;
    fig.PtTable[6 + k].Y = fig.PtTable[2 + k].Y;
  }
  EvalTransformStep(fig, 10);
  EXPECT_POINT_NEAR(-2, 2, fig.PtTable[10], 1e-9);
  const double identity[] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
  for (int i = 1; i <= 9; ++i) EXPECT_NEAR(fig.NumTable[i].Value, identity[i - 1], 1e-12);

  // Q3 pulled out to a trapezoid: P at the map's vanishing line vanishes.
  fig.PtTable[8].X = -2;
  fig.PtTable[8].Y = 4;  // Q = (-8,0), (-4,0), (-2,4), (-8,4)
  fig.PtTable[1].X = -6;
  fig.PtTable[1].Y = 2;
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.PtTable[10].Exists, kTrue);
  // w = A(3,1) x + A(3,2) y + A(3,3); by hand A(3,1) = 0 (Q1Q2 and Q4Q3
  // stay parallel) and the vanishing line is y = 12.
  EXPECT_NEAR(fig.NumTable[7].Value, 0, 1e-12);
  fig.PtTable[1].Y = -fig.NumTable[9].Value / fig.NumTable[8].Value;
  EXPECT_NEAR(fig.PtTable[1].Y, 12, 1e-9);
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.PtTable[10].Exists, kFalse);
  EXPECT_EQ(fig.NumTable[9].Exists, kTrue);
}

TEST(Macros, MissingAndMalformedInputs) {
  Figure fig;
  ResetFigure(fig, 200);
  ASSERT_TRUE(MacroProjective(fig));
  EvalTransformStep(fig, 10);
  ASSERT_EQ(fig.PtTable[10].Exists, kTrue);

  // A source point that does not exist takes every output with it.
  fig.PtTable[3].Exists = kFalse;
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.PtTable[10].Exists, kFalse);
  EXPECT_POINT_NEAR(8, 2, fig.PtTable[10], 1e-9);
  for (int i = 1; i <= 9; ++i) EXPECT_EQ(fig.NumTable[i].Exists, kFalse) << i;
  fig.PtTable[3].Exists = kTrue;

  // References out of range or of the wrong class are not followed.
  fig.StepIn[11][4] = {kClassPoint, 999};
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.PtTable[10].Exists, kFalse);
  fig.StepIn[11][4] = {kClassLine, 1};
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.PtTable[10].Exists, kFalse);
  fig.StepIn[11][4] = {kClassPoint, 9};
  fig.StepOut[10][1] = {kClassPoint, -3};
  fig.StepOut[11][5] = {kClassPoint, 2};
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.NumTable[1].Exists, kTrue);
  EXPECT_POINT_NEAR(-8, 0, fig.PtTable[2], 0);  // a point named as an entry is left alone
  fig.StepOut[10][1] = {kClassPoint, 10};

  // Without its continuation the step cannot be evaluated.
  SetStepKind(fig, 11, "PNEW");
  EvalTransformStep(fig, 10);
  EXPECT_EQ(fig.PtTable[10].Exists, kFalse);
  EvalTransformStep(fig, 0);
  EvalTransformStep(fig, 12);
}

TEST(Macros, RefusedWhenTheStoreIsFull) {
  Figure fig;
  ResetFigure(fig, 10);
  fig.ElemCount[kClassNumber] = kMaxCount - 3;
  int16_t steps = fig.StepCount;
  int16_t points = fig.ElemCount[kClassPoint];
  EXPECT_FALSE(MacroLinear(fig));
  EXPECT_FALSE(MacroAffine(fig));
  EXPECT_EQ(fig.StepCount, steps);
  EXPECT_EQ(fig.ElemCount[kClassPoint], points);
}

TEST(Macros, ProjectiveStepWritesItsFramesToTheViewer) {
  Figure fig;
  ResetFigure(fig, 200);
  ASSERT_TRUE(MacroProjective(fig));
  ViewerText viewer;
  LangState lang;
  MatrixDisplay display = ViewerMatrixDisplay(viewer, lang, kFalse);
  SetViewerWriteMode(viewer, kViewerAppend);
  EvalTransformStep(fig, 10, &display);
  EXPECT_TRUE(viewer.Shown);
  EXPECT_EQ(viewer.Text.find("M2=\r\n"), 22u);
  EXPECT_EQ(viewer.Text.find("M=\r\n"), std::string::npos);

  // The final matrix only with the switch on, and only in the last pass.
  display.MatrixShowSwitch = kTrue;
  viewer.Text.clear();
  EvalTransformStep(fig, 10, &display);
  EXPECT_EQ(viewer.Text.find("M=\r\n"), std::string::npos);
  fig.CurKind = "PT7";
  EvalTransformStep(fig, 10, &display);
  EXPECT_NE(viewer.Text.find("M=\r\n1 , 0 , 10 , \r\n0 , 1 , 0 , \r\n0 , 0 , 1 , \r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace plandra
