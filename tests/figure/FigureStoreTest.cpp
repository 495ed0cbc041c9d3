#include <gtest/gtest.h>

#include "core/language/Multi_lang.h"
#include "figure/PDvar05.h"

namespace plandra {
namespace {

TEST(FigureStore, ResetGivesEmptyTablesWithDefaultNames) {
  Figure fig;
  ResetFigure(fig, 200);
  EXPECT_EQ(fig.StepCount, 0);
  for (int16_t count : fig.ElemCount) EXPECT_EQ(count, 0);
  EXPECT_EQ(UpperBound(fig.StepKind), 400);
  EXPECT_EQ(UpperBound(fig.StepIn), 400);
  EXPECT_EQ(UpperBound(fig.PtTable), 200);
  EXPECT_EQ(fig.PtTable[1].Name, "A");
  EXPECT_EQ(fig.PtTable[26].Name, "Z");
  EXPECT_EQ(fig.PtTable[27].Name, "27");
  EXPECT_EQ(fig.LnTable[5].Name, "5");
  EXPECT_EQ(fig.CirTable[200].Name, "200");
  EXPECT_EQ(fig.NumTable[3].Name, "");
  EXPECT_EQ(fig.PtTable[7].Color, 7);
  EXPECT_EQ(fig.PtTablePrev[1].Name, "");
  EXPECT_TRUE(fig.AngleMarkRecording);
}

TEST(FigureStore, ClearElementNamesPointsByCharacterCode) {
  Figure fig;
  ResetFigure(fig, 200);
  ClearElement(fig, {kClassPoint, 27});
  ClearElement(fig, {kClassPoint, 32});
  ClearElement(fig, {kClassPoint, 33});
  ClearElement(fig, {kClassPoint, 53});
  EXPECT_EQ(fig.PtTable[27].Name, "[");
  EXPECT_EQ(fig.PtTable[32].Name, "`");
  EXPECT_EQ(fig.PtTable[33].Name, "a");
  EXPECT_EQ(fig.PtTable[53].Name, "53");
  fig.PtTable[4].Style = 3;
  fig.PtTable[4].X = 9;
  ClearElement(fig, {kClassPoint, 4});
  EXPECT_EQ(fig.PtTable[4].Style, 3) << "Style is kept by clearing";
  EXPECT_EQ(fig.PtTable[4].X, 0);
}

TEST(FigureStore, TablesGrowByTenKeepingContents) {
  Figure fig;
  ResetFigure(fig, 200);
  for (int i = 0; i < 200; ++i) ASSERT_TRUE(ReserveElement(fig, kClassPoint));
  fig.PtTable[200].X = 42;
  ASSERT_TRUE(ReserveElement(fig, kClassPoint));
  EXPECT_EQ(fig.ElemCount[kClassPoint], 201);
  EXPECT_EQ(UpperBound(fig.PtTable), 210);
  EXPECT_EQ(UpperBound(fig.PtTablePrev), 210);
  EXPECT_EQ(fig.PtTable[200].X, 42);
  EXPECT_EQ(fig.PtTable[205].Color, 7);
  EXPECT_EQ(fig.PtTable[205].Exists, 0);
  EXPECT_EQ(fig.PtTable[205].Name, "") << "grown records get no name";

  for (int i = 0; i < 400; ++i) ASSERT_TRUE(AppendStep(fig));
  fig.StepIn[400][1] = {1, 7};
  ASSERT_TRUE(AppendStep(fig));
  EXPECT_EQ(UpperBound(fig.StepKind), 401);
  EXPECT_EQ(UpperBound(fig.StepIn), 410);
  EXPECT_EQ(UpperBound(fig.StepOut), 410);
  EXPECT_EQ(UpperBound(fig.StepRev), 410);
  EXPECT_EQ(fig.StepIn[400][1], (ObjRef{1, 7}));
}

TEST(FigureStore, AStoreNeverResetStillTakesSteps) {
  Figure fig;
  ASSERT_TRUE(AppendStep(fig));
  SetStepKind(fig, 1, "PNEW");
  EXPECT_EQ(StepKindText(fig, 1), "PNEW");
  EXPECT_GE(UpperBound(fig.StepIn), 1);
  ASSERT_TRUE(ReserveElement(fig, kClassPoint));
  EXPECT_GE(UpperBound(fig.PtTable), 1);
}

TEST(FigureStore, CountsStopAtTheSixteenBitLimit) {
  Figure fig;
  ResetFigure(fig, 10);
  fig.ElemCount[kClassLine] = kMaxCount;
  EnsureElementCapacity(fig, kClassLine, kMaxCount);
  EXPECT_FALSE(ReserveElement(fig, kClassLine));
  EXPECT_EQ(fig.ElemCount[kClassLine], kMaxCount);
  fig.StepCount = kMaxCount;
  EXPECT_FALSE(AppendStep(fig));
  EXPECT_EQ(fig.StepCount, kMaxCount);
}

TEST(FigureStore, ExistsAccessorsAndOutputs) {
  Figure fig;
  ResetFigure(fig, 20);
  for (int i = 0; i < 6; ++i) ReserveElement(fig, kClassPoint);
  AppendStep(fig);
  fig.StepOut[1][1] = {1, 4};
  fig.StepOut[1][2] = {1, 5};
  fig.StepOut[1][4] = {1, 6};  // beyond the first empty slot
  SetStepOutputsExists(fig, 1, -1);
  EXPECT_EQ(fig.PtTable[4].Exists, -1);
  EXPECT_EQ(fig.PtTable[5].Exists, -1);
  EXPECT_EQ(fig.PtTable[6].Exists, 0);
  ReserveElement(fig, kClassNumber);
  AppendStep(fig);
  fig.StepOut[2][1] = {100, 1};  // a number output as the construction flow stores it
  SetStepOutputsExists(fig, 2, -2);
  EXPECT_EQ(fig.NumTable[1].Exists, -2);
  EXPECT_EQ(GetExists(fig, {1, 4}), -1);
  EXPECT_EQ(GetExists(fig, {7, 4}), 0);
  SetExists(fig, {9, 4}, 5);
  EXPECT_EQ(fig.PtTable[4].Exists, -1);
}

TEST(FigureStore, NamesAreCutToTheirWidthInCharacters) {
  Figure fig;
  ResetFigure(fig, 20);
  SetElementName(fig, {kClassLine, 1}, "   直線の名前はとても長いです");
  EXPECT_EQ(fig.LnTable[1].Name, "直線の名前はとても長");
  SetElementName(fig, {kClassPoint, 2}, "  P ");
  EXPECT_EQ(fig.PtTable[2].Name, "P");
}

TEST(FigureStore, SnapshotCopiesOnlyUsedRecords) {
  Figure fig;
  ResetFigure(fig, 20);
  ReserveElement(fig, kClassCircle);
  fig.CirTable[1].R = 3;
  fig.CirTable[2].R = 4;
  SnapshotTables(fig);
  EXPECT_EQ(fig.CirTablePrev[1].R, 3);
  EXPECT_EQ(fig.CirTablePrev[2].R, 0);
}

TEST(KindCatalogue, DisplayNames) {
  LangState lang;
  EXPECT_EQ(KindDisplayName(lang, "PC1  "), "交点（２直線）");
  EXPECT_EQ(KindDisplayName(lang, "NPX"), KindDisplayName(lang, "NPX2"));
  EXPECT_EQ(KindDisplayName(lang, "QQ"), "");
  // The catalogue names these three none; the report describes them anyway.
  for (std::string_view code : {"XLOCS", "X2JI", "PT62"}) EXPECT_EQ(KindJapaneseName(code), "");
  EXPECT_EQ(KindDisplayName(lang, "XLOCS"), "軌跡(点→点)");
  EXPECT_EQ(KindDisplayName(lang, "PT62"), "変換の続き");
}

TEST(KindCatalogue, SlotClassesAndStyles) {
  const KindInfo* pneq = FindKind("PNEQ");
  ASSERT_NE(pneq, nullptr);
  EXPECT_EQ(pneq->InClass[3], kSlotMacro);
  EXPECT_EQ(FindKind("LH2+")->InClass[4], kSlotMacro);
  EXPECT_EQ(FindKind("L3+")->InClass[2], kSlotMacro);
  EXPECT_EQ(FindKind("LPGN")->InClass[1], kSlotMacro);
  EXPECT_EQ(FindKind("LRGN")->InClass[3], kSlotMacro);
  EXPECT_EQ(FindKind("PT8")->ParentLineKind[1], 1);
  EXPECT_EQ(FindKind("L4")->ParentLineKind[0], 1);
  EXPECT_EQ(FindKind("PC3")->OutputStyle[1], 1);
  EXPECT_EQ(FindKind("LHRO")->OutputStyle[0], 2);
  EXPECT_EQ(FindKind("PT6")->OutputStyle[0], -1);
  EXPECT_EQ(FindKind("PT5")->OutClass[4], kSlotNumber);
  EXPECT_EQ(DecodeKind("PO-1"), Kind::POInv);
  EXPECT_EQ(DecodeKind("PO-"), Kind::POSub);
}

}  // namespace
}  // namespace plandra
