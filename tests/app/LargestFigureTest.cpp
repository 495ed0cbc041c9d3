#include <gtest/gtest.h>

#include "app/FigDataView.h"
#include "app/Recompute.h"
#include "app/TranslatedText.h"
#include "engine/GeoObj05.h"
#include "numbers/Labels05.h"
#include "support/ScriptedPlatform.h"

namespace plandra {
namespace {

// A 16-bit loop counter never passes 32767: every walk over steps and
// elements must end on the largest figure the store can hold.
TEST(LargestFigure, EveryWalkOverTheStepsEnds) {
  Figure fig;
  ResetFigure(fig, kMaxCount);
  for (int s = 1; s <= kMaxCount; ++s) {
    ASSERT_TRUE(AppendStep(fig));
    SetStepKind(fig, static_cast<int16_t>(s), "NPX");
  }
  fig.ElemCount[kClassNumber] = kMaxCount;
  fig.ElemCount[kClassPoint] = 1;
  fig.PtTable[1].Exists = kTrue;
  for (int s = 1; s <= kMaxCount; ++s) {
    fig.StepIn[s][1] = {kClassPoint, 1};
    fig.StepOut[s][1] = {100, static_cast<int16_t>(s)};
  }
  LangState lang;
  test::ScriptedPlatform platform;
  AutoLabels(fig, TranslatedText(lang));
  RecomputeForRedraw(fig, platform);
  EXPECT_EQ(fig.NumTable[kMaxCount].Exists, kTrue);
  std::string report = FigDataViewReport(fig, lang, "big.pd4", 2);
  EXPECT_NE(report.find("32767"), std::string::npos);
  EXPECT_EQ(ScreenNumberList(fig, TranslatedText(lang), 2, false).size(),
            static_cast<size_t>(kMaxCount));
}

}  // namespace
}  // namespace plandra
