#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/FigDataView.h"
#include "app/FileCommands.h"
#include "app/MainCommands.h"
#include "core/Recompute.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/construct/PDconst01.h"
#include "core/language/TranslatedText.h"
#include "core/locus/PdLocus.h"
#include "engine/GeoObj05.h"
#include "labels/Labels05.h"
#include "support/AppFixture.h"
#include "support/RecordingSurface.h"
#include "support/ScriptedPlatform.h"
#include "support/TestHelpers.h"

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

// The text of a figure file, field by field as the format lays it out.
struct FigureText {
  std::string Text;
  void Line(const std::string& fields) { Text += fields + "\r\n"; }
  void Point(double x, double y) {
    for (const std::string& field :
         {std::to_string(x) + "," + std::to_string(y), std::string("7"), std::string("0"),
          std::string("-1"), std::string("2"), std::string("-1"), std::string("0,0"),
          std::string("0"), std::string("\"\"")}) {
      Line(field);
    }
  }
  void Segment(double x1, double y1, double x2, double y2) {
    Line(std::to_string(x1) + "," + std::to_string(y1));
    Line(std::to_string(x2) + "," + std::to_string(y2));
    for (const char* field : {"-1", "1", "1,0", "7", "0", "\"\""}) Line(field);
  }
  void Counts(int numbers, int points, int lines) {
    for (int c = 0; c <= 10; ++c)
      Line(std::to_string(c == 0 ? numbers : c == 1 ? points : c == 2 ? lines : 0));
  }
};

// As many free points as the store holds, and no step.
std::string PointsFigure() {
  FigureText f;
  f.Line("0");
  f.Counts(0, kMaxCount, 0);
  for (int i = 1; i <= kMaxCount; ++i) f.Point(i % 181 - 90, i / 181 - 90);
  return f.Text;
}

// As many steps as the store holds, each a segment joining the same two points.
std::string StepsFigure() {
  FigureText f;
  f.Line(std::to_string(kMaxCount));
  for (int s = 1; s <= kMaxCount; ++s) f.Line("\"L1\"");
  for (int s = 1; s <= kMaxCount; ++s) {
    for (int j = 1; j <= 5; ++j) f.Line(j <= 2 ? "1," + std::to_string(j) : "0,0");
  }
  for (int s = 1; s <= kMaxCount; ++s) {
    for (int j = 1; j <= 5; ++j) f.Line(j == 1 ? "2," + std::to_string(s) : "0,0");
  }
  f.Counts(0, 2, kMaxCount);
  f.Point(-3, 0);
  f.Point(3, 0);
  for (int i = 1; i <= kMaxCount; ++i) f.Segment(-3, 0, 3, 0);
  return f.Text;
}

// Runs plandra-cli with a bound on its time; the status, or -1 when it had to be stopped.
int RunCliBounded(const std::string& arguments, int seconds) {
  std::string command = "timeout -s KILL " + std::to_string(seconds) + " " +
                        std::string(PLANDRA_CLI) + " " + arguments + " >/dev/null 2>&1";
  int status = std::system(command.c_str());
  return WIFEXITED(status) && WEXITSTATUS(status) != 124 && WEXITSTATUS(status) != 137
             ? WEXITSTATUS(status)
             : -1;
}

// No count or loop may wrap at the 16-bit limit of the file format: figures
// of exactly that size draw in bounded time, the tables refuse to grow past
// it with a message, and the trace lists keep a bounded number of traces.
TEST(LargestFigure, NoCountWrapsAtTheLimits) {
  test::TempDir dir;
  test::WriteFileBytes(dir / "points.pd4", PointsFigure());
  test::WriteFileBytes(dir / "steps.pd4", StepsFigure());
  for (const char* name : {"points", "steps"}) {
    auto start = std::chrono::steady_clock::now();
    std::string figure = (dir / (std::string(name) + ".pd4")).string();
    EXPECT_EQ(RunCliBounded("render " + figure + " -o " + figure + ".png", 120), 0) << name;
    std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    EXPECT_LT(took.count(), 60) << name;
  }

  // The window's own figure: a full point table refuses one more point with a message.
  test::AppFixture f;
  test::RecordingSurface surface;
  f.P.Canvas = &surface;
  SetScreen(f.P);
  WireLocusLayer(f.P);
  ASSERT_TRUE(OpenPDFile(f.P, dir / "points.pd4"));
  ASSERT_EQ(f.P.Fig.ElemCount[kClassPoint], kMaxCount);
  const int steps = f.P.Fig.StepCount;
  f.Host.Messages.clear();
  RunMenuCommand(f.P, "mnuPnewFreeP");
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_EQ(f.P.Fig.ElemCount[kClassPoint], kMaxCount);
  EXPECT_EQ(f.P.Fig.StepCount, steps);

  // A regular polygon with more sides than the tables can take is refused
  // whole, with a message, instead of being cut short.
  ResetFigure(f.P.Fig, 200);
  test::AddFreePoint(f.P.Fig, 0, 0);
  test::AddFreePoint(f.P.Fig, 1, 0);
  const int sides = test::AddNumber(f.P.Fig, 40000);
  f.Host.Messages.clear();
  RunMenuCommand(f.P, "mnuSRegularPolygon");
  AcceptInput(f.P, {kClassNumber, static_cast<int16_t>(sides)});
  AcceptInput(f.P, {kClassPoint, 1});
  AcceptInput(f.P, {kClassPoint, 2});
  EXPECT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_EQ(f.P.Fig.StepCount, 2);
  EXPECT_EQ(f.P.Fig.ElemCount[kClassPoint], 2);

  // 40,000 traces of a dragged point: the list stays bounded, keeps the
  // newest, and draws.
  PtRec& traced = f.P.Fig.PtTable[1];
  traced.Style = kColorRed;
  f.P.Locus.LocusOn = kTrue;
  for (int i = 1; i <= 40000; ++i) {
    traced.X = i * 0.0001;
    AddTrace(f.P, {kClassPoint, 1});
  }
  traced.X = -5;
  const int kept = f.P.Locus.TraceCount[kClassPoint];
  EXPECT_GT(kept, 0);
  EXPECT_LE(kept, kMaxCount);
  surface.Calls.clear();
  Redraw(f.P);
  auto drawnAt = [&surface](double x) {
    return std::any_of(surface.Calls.begin(), surface.Calls.end(), [x](const auto& call) {
      return call.Kind != test::CallKind::kText && std::fabs(call.X1 - x) < 1e-9;
    });
  };
  EXPECT_TRUE(drawnAt(40000 * 0.0001)) << "the newest trace";
  EXPECT_TRUE(drawnAt((40000 - kept + 1) * 0.0001)) << "the oldest kept";
  EXPECT_FALSE(drawnAt(0.0001)) << "the first trace made room";
}

}  // namespace
}  // namespace plandra
