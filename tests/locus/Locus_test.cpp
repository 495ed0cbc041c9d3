#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <numeric>
#include <set>
#include <tuple>
#include <utility>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "app/NewAndExit.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/drag/PDdeform05.h"
#include "core/locus/PdLocus.h"
#include "core/locus/PlaneTable.h"
#include "core/locus/SpreadsheetText.h"
#include "core/menus/MenuBar.h"
#include "core/pick/PDSelObj.h"
#include "curves/SampledLocusCurves.h"
#include "support/AppFixture.h"
#include "support/RecordingSurface.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddStep;
using test::AppFixture;

InputEvent Left(double x, double y) { return {.X = x, .Y = y, .Button = kButtonLeft}; }

struct Fixture : AppFixture {
  test::RecordingSurface Surface{641, 481};
  test::TempDir Folder;  // the record files go there
  Fixture() {
    ResetFigure(P.Fig, 40);
    P.Folders.Folder = Folder.Path();
    P.Canvas = &Surface;
    SetScreen(P);
    MarkAvailablePanels(P);
    WireLocusLayer(P);
  }
  const std::array<int, 4>& Count() const { return P.Locus.TraceCount; }
  // A free point at the origin with the locus colour, and the switch on.
  int16_t TracedPoint(int16_t style) {
    int16_t point = AddFreePoint(P.Fig, 0, 0);
    P.Fig.PtTable[point].Style = style;
    Redraw(P);
    RunMenuCommand(P, "mnuLocusSW");
    return point;
  }
  // A drag from the standard mode through the given positions, released at the end.
  void Drag(const PtRec& from, std::initializer_list<std::pair<double, double>> to) {
    MouseDown(P, Left(from.X, from.Y));
    for (auto [x, y] : to) MouseMove(P, Left(x, y));
    MouseUp(P, Left(0, 0));
  }
  bool DrawnPixelAt(double x, double y, RgbColor color) const {
    for (const test::SurfaceCall& c : Surface.Of(test::CallKind::kPixel)) {
      if (std::fabs(c.X1 - x) < 1e-9 && std::fabs(c.Y1 - y) < 1e-9 && c.Color == color) return true;
    }
    return false;
  }
};

constexpr RgbColor kYellow{255, 255, 0};

TEST(Locus, TheSwitchShowsInPanelAndMenu) {
  Fixture f;
  AddFreePoint(f.P.Fig, 1, 1);
  Redraw(f.P);
  EXPECT_TRUE(f.P.Status.Panel(3).Usable);
  StatusPanelClick(f.P, 3);
  EXPECT_EQ(f.P.Locus.LocusOn, kTrue);
  EXPECT_EQ(f.P.Status.Panel(3).Text, "軌");
  EXPECT_EQ(f.P.Status.Panel(3).Bevel, PanelBevel::kInset);
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuLocusSW")->Checked);
  EXPECT_EQ(RunMenuCommand(f.P, "mnuLocusSW").Status, CommandStatus::kDone);
  EXPECT_EQ(f.P.Locus.LocusOn, kFalse);
  EXPECT_EQ(f.P.Status.Panel(3).Text, "×軌");
  EXPECT_EQ(f.P.Status.Panel(3).Bevel, PanelBevel::kRaised);
  EXPECT_FALSE(FindMenuItem(f.P.Menu, "mnuLocusSW")->Checked);
}

// The locus colours are set through the attribute pick of each class.
TEST(Locus, TheLocusSettingsOpenTheAttributePick) {
  Fixture f;
  AddFreePoint(f.P.Fig, 1, 1);
  Redraw(f.P);
  ShowFullMenu(f.P.Menu);
  EXPECT_EQ(RunMenuCommand(f.P, "mnuLocusSetP").Status, CommandStatus::kDone);
  ASSERT_GE(f.P.Modes.Depth, 2);
  EXPECT_EQ(f.P.Modes.ModeStack[2], kModeEditPoint);
}

// A point with locus colour 3 leaves yellow traces where it stood before
// each move, and the line through it where each move put it; a point with
// locus colour 0 leaves none, though it moves.
TEST(Locus, DraggedPointsLeaveTracesInTheirLocusColour) {
  Fixture f;
  Figure& fig = f.P.Fig;
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 4, 0);
  int16_t c = AddFreePoint(fig, -4, -4);
  int16_t line = AddStep(fig, "L1", {{kClassPoint, a}, {kClassPoint, b}});
  fig.LnTable[line].Color = kColorBlack;
  fig.PtTable[a].Style = kColorYellow;
  fig.LnTable[line].Style = kColorGreen;
  Redraw(f.P);
  RunMenuCommand(f.P, "mnuLocusSW");

  f.Drag(fig.PtTable[a], {{1.02, 1.02}, {2.02, 2.02}, {3.02, 1.02}});
  ASSERT_EQ(f.Count()[kClassPoint], 3);
  const PtRec& first = f.P.Locus.TracePts[1];
  EXPECT_EQ(first.X, 0);
  EXPECT_EQ(first.Y, 0);
  EXPECT_EQ(first.Color, kColorYellow);
  EXPECT_EQ(first.Mark, kMarkPixel);  // drawn as it was before the drag
  EXPECT_EQ(f.P.Locus.TracePts[3].Mark, kMarkDragged);
  EXPECT_NEAR(f.P.Locus.TracePts[3].X, 2.05, 1e-9);
  ASSERT_EQ(f.Count()[kClassLine], 3);
  EXPECT_NEAR(f.P.Locus.TraceLns[3].X1, 3.05, 1e-9);
  EXPECT_EQ(f.P.Locus.TraceLns[3].Color, kColorGreen);

  f.Surface.Calls.clear();
  Redraw(f.P);
  EXPECT_TRUE(f.DrawnPixelAt(0, 0, kYellow));  // the trace, drawn at every redraw

  f.Drag(fig.PtTable[c], {{-3, -3}, {-2, -2}});
  EXPECT_EQ(f.Count()[kClassPoint], 3);
  EXPECT_EQ(f.Count()[kClassLine], 3);  // the line did not move
}

TEST(Locus, TheListGrowsByFiftyKeepingEarlierTraces) {
  Fixture f;
  int16_t a = f.TracedPoint(kColorRed);
  f.P.Build.MenuTarget = {kClassPoint, a};
  RunMenuCommand(f.P, "mnuEdit2_point_Deform");
  ASSERT_EQ(CurrentMode(f.P.Modes), kModeDeform);
  for (int i = 0; i < 200; ++i) KeyDown(f.P, i % 2 ? kKeyLeft : kKeyRight, false);
  EXPECT_EQ(f.Count()[kClassPoint], 200);
  EXPECT_EQ(f.P.Locus.TracePts.size(), 201u);
  KeyDown(f.P, kKeyUp, false);
  EXPECT_EQ(f.Count()[kClassPoint], 201);
  EXPECT_EQ(f.P.Locus.TracePts.size(), 251u);
  EXPECT_EQ(f.P.Locus.TracePts[1].X, 0);
  EXPECT_NEAR(f.P.Locus.TracePts[2].X, 0.5, 1e-9);
  EXPECT_EQ(f.P.Locus.TracePts[1].Color, kColorRed);
}

// Past two whole turns of the ring, what is drawn is exactly the newest
// traces, oldest first, each once: none of an earlier turn is left.
TEST(Locus, AFullRingDrawsTheNewestTracesOldestFirst) {
  Fixture f;
  PtRec trace = f.P.Fig.PtTable[AddFreePoint(f.P.Fig, 0, 0)];
  trace.Color = kColorYellow;
  trace.Mark = kMarkPixel;
  constexpr int kAppended = 2 * kMaxTraces + 123;
  for (int i = 0; i < kAppended; ++i) {
    trace.X = i * 1e-4;  // each trace its own place, its number in it
    AppendTracePoint(f.P.Locus, trace);
  }
  EXPECT_EQ(f.Count()[kClassPoint], kMaxTraces);
  EXPECT_EQ(f.P.Locus.TracePts.size(), kMaxTraces + 1u);
  f.Surface.Calls.clear();
  Redraw(f.P);
  std::vector<long> drawn;
  for (const test::SurfaceCall& c : f.Surface.Of(test::CallKind::kPixel))
    if (c.Color == kYellow) drawn.push_back(std::lround(c.X1 * 1e4));
  std::vector<long> newest(kMaxTraces);
  std::iota(newest.begin(), newest.end(), long{kAppended - kMaxTraces});
  EXPECT_TRUE(drawn == newest) << drawn.size() << " drawn, the first "
                               << (drawn.empty() ? -1 : drawn.front());
}

TEST(Locus, SwitchingOffKeepsTracesAndResetClearsThem) {
  Fixture f;
  int16_t a = f.TracedPoint(kColorYellow);
  f.Drag(f.P.Fig.PtTable[a], {{1, 1}, {2, 2}});
  RunMenuCommand(f.P, "mnuLocusSW");
  f.Drag(f.P.Fig.PtTable[a], {{3, 3}, {4, 4}});
  EXPECT_EQ(f.Count()[kClassPoint], 2);
  f.Surface.Calls.clear();
  Redraw(f.P);
  EXPECT_TRUE(f.DrawnPixelAt(0, 0, kYellow));

  f.Surface.Calls.clear();
  StatusPanelClick(f.P, 4);  // the reset
  EXPECT_EQ(f.Count()[kClassPoint], 0);
  EXPECT_EQ(f.P.Locus.TracePts.size(), 201u);
  EXPECT_FALSE(f.DrawnPixelAt(0, 0, kYellow));

  RunMenuCommand(f.P, "mnuLocusSW");
  f.Drag(f.P.Fig.PtTable[a], {{1, 1}});
  EXPECT_EQ(f.Count()[kClassPoint], 1);
  StartNewFigure(f.P);
  EXPECT_EQ(f.Count()[kClassPoint], 0);
}

TEST(Locus, KeyHMovesTheDraggedPointToTheOrigin) {
  Fixture f;
  Figure& fig = f.P.Fig;
  int16_t a = AddFreePoint(fig, 3, 2);
  int16_t b = AddFreePoint(fig, 5, 2);
  int16_t image = AddStep(fig, "PT3", {{kClassPoint, a}, {kClassPoint, b}});
  fig.PtTable[image].Style = kColorBlue;
  Redraw(f.P);
  RunMenuCommand(f.P, "mnuLocusSW");
  KeyDown(f.P, kKeyH, false);  // the standard mode has no dragged point
  EXPECT_EQ(fig.PtTable[a].X, 3);
  RunMenuCommand(f.P, "mnuDeform1Pt");
  MouseDown(f.P, Left(3, 2));  // the nearest candidate is taken at once
  ASSERT_EQ(f.P.Deform.DraggedPoint, a);
  ASSERT_EQ(CurrentMode(f.P.Modes), kModeDeform);
  KeyDown(f.P, kKeyH, false);
  EXPECT_EQ(fig.PtTable[a].X, 0);
  EXPECT_EQ(fig.PtTable[a].Y, 0);
  EXPECT_NEAR(fig.PtTable[image].X, 10, 1e-9);  // the figure follows
  EXPECT_NEAR(fig.PtTable[image].Y, 4, 1e-9);
  ASSERT_EQ(f.Count()[kClassPoint], 1);  // the image it carried, where it went
  EXPECT_NEAR(f.P.Locus.TracePts[1].X, 10, 1e-9);
}

// The redraw draws the curve of an "XLOCS" step in red dots (the traced
// point has no locus colour) and leaves both points where they were.
TEST(Locus, TheRedrawDrawsASampledLocus) {
  Fixture f;
  Figure& fig = f.P.Fig;
  int16_t centre = AddFreePoint(fig, 0, 0);
  int16_t through = AddFreePoint(fig, 4, 0);
  int16_t circle = AddStep(fig, "C2", {test::PointRef(centre), test::PointRef(through)});
  int16_t driving = test::AddPointOnHost(fig, {kClassCircle, circle}, 2);
  int16_t traced = AddStep(fig, "PT3", {test::PointRef(driving), test::PointRef(through)});
  AddStep(fig, "XLOCS", {test::PointRef(driving), test::PointRef(traced)});
  Redraw(f.P);
  const PtRec before = fig.PtTable[driving];
  f.Surface.Calls.clear();
  Redraw(f.P);
  int onCurve = 0;
  for (const test::SurfaceCall& c : f.Surface.Of(test::CallKind::kPixel)) {
    // The point reflected through (4, 0) runs round the circle of radius 4 about (8, 0).
    if (c.Color == RgbColor{255, 0, 0} && std::fabs(std::hypot(c.X1 - 8, c.Y1) - 4) < 1e-9)
      ++onCurve;
  }
  EXPECT_EQ(onCurve, 1001);
  EXPECT_EQ(fig.PtTable[driving].Param, before.Param);
  EXPECT_EQ(fig.PtTable[driving].X, before.X);
}

bool SameSamples(const std::vector<LocusSample>& a, const std::vector<LocusSample>& b) {
  auto bits = [](double v) { return std::bit_cast<uint64_t>(v); };
  return a.size() == b.size() &&
         std::equal(a.begin(), a.end(), b.begin(), [&bits](const auto& x, const auto& y) {
           return bits(x.X) == bits(y.X) && bits(x.Y) == bits(y.Y) && x.Exists == y.Exists;
         });
}

// Two loci on one driving point D on line AB: the crossing of line GH with
// the circle about D through C (missing where D stands, so a move of H
// changes nothing of the figure as it stands), and the midpoint of E and D.
// The curves are kept between frames: a redraw, a zoom or the drag of a
// point no locus reads samples none again; a drag of H samples only the
// crossing's again, a drag of E or a change of the number it reads only the
// midpoint's, a drag of A both. Every kept curve is what a fresh sweep of the
// figure as it stands gives.
TEST(Locus, SampledLociAreSampledAgainOnlyWhenWhatTheyReadChanged) {
  Fixture f;
  Figure& fig = f.P.Fig;
  using test::PointRef;
  int16_t a = AddFreePoint(fig, -6, -1);
  int16_t line = AddStep(fig, "L1", {PointRef(a), PointRef(AddFreePoint(fig, 6, 1))});
  int16_t driving = test::AddPointOnHost(fig, {kClassLine, line}, 1);
  int16_t circle = AddStep(fig, "C2", {PointRef(driving), PointRef(AddFreePoint(fig, -5, 0))});
  int16_t h = AddFreePoint(fig, 8, 6);
  int16_t across = AddStep(fig, "L1", {PointRef(AddFreePoint(fig, -8, 6)), PointRef(h)});
  int16_t crossing = AddStep(fig, "PC2", {{kClassLine, across}, {kClassCircle, circle}});
  int16_t e = AddFreePoint(fig, -3, 4);
  int16_t one = test::AddNumber(fig, 1);
  int16_t mid = AddStep(fig, "PN", {PointRef(e), PointRef(driving), {100, one}, {100, one}});
  int16_t far = AddFreePoint(fig, 5, -5);
  AddStep(fig, "XLOCS", {PointRef(driving), PointRef(crossing)});
  AddStep(fig, "XLOCS", {PointRef(driving), PointRef(mid)});
  const int crossingLocus = fig.StepCount - 1;
  const int midLocus = fig.StepCount;
  // The program's own layer, with its curves in sight.
  SampledLocusCurves curves;
  f.P.Layers.DrawSampledLoci = [&curves](RenderContext& r) { DrawSampledLoci(curves, r); };
  // A frame drawn with the kept pixels of each curve paints the pixels that
  // drawing every sample paints.
  f.Surface.MapsPixels = true;
  auto framePixels = [&f] {
    f.Surface.Calls.clear();
    Redraw(f.P);
    const bool maps = std::exchange(f.Surface.MapsPixels, true);
    const PixelMapping mapping = *f.Surface.Mapping();
    f.Surface.MapsPixels = maps;
    std::set<std::tuple<int, int, int, int, int>> pixels;
    for (const test::SurfaceCall& c : f.Surface.Of(test::CallKind::kPixel)) {
      int column = 0, row = 0;
      if (mapping.Cell(c.X1, c.Y1, column, row))
        pixels.emplace(column, row, c.Color.R, c.Color.G, c.Color.B);
    }
    return pixels;
  };
  auto expectFresh = [&] {
    EXPECT_TRUE(
        SameSamples(curves.ByStep.at(crossingLocus).Samples, SweepLocus(fig, driving, crossing)));
    EXPECT_TRUE(SameSamples(curves.ByStep.at(midLocus).Samples, SweepLocus(fig, driving, mid)));
    const auto kept = framePixels();
    f.Surface.MapsPixels = false;
    EXPECT_EQ(kept, framePixels());
    f.Surface.MapsPixels = true;
  };
  Redraw(f.P);
  ASSERT_EQ(fig.PtTable[crossing].Exists, kFalse);
  EXPECT_EQ(curves.Resamples, 2);
  Redraw(f.P);
  mnuZoomIn(f.P);
  const int frames = f.Redraws();
  f.Drag(fig.PtTable[far], {{4, -4}, {3, -4.5}});
  EXPECT_GT(f.Redraws(), frames + 1);
  EXPECT_EQ(curves.Resamples, 2);
  expectFresh();

  f.Drag(fig.PtTable[h], {{8, 7}, {8, 8}});
  EXPECT_EQ(curves.Resamples, 4) << "only the crossing's curve, once a move";
  expectFresh();
  f.Drag(fig.PtTable[e], {{-2, 4}, {-1, 5}});
  EXPECT_EQ(curves.Resamples, 6) << "only the midpoint's curve, once a move";
  expectFresh();
  fig.NumTable[one].Value = 3;
  Redraw(f.P);
  EXPECT_EQ(curves.Resamples, 7);
  f.Drag(fig.PtTable[a], {{-5, -2}});
  EXPECT_EQ(curves.Resamples, 9);
  expectFresh();
}

// An expression of the chain changed so that the traced point stays where
// it stands but goes elsewhere at the other samples: d - d + d becomes
// d - d + k, with k the distance d now. The two numbers are named alike, so
// the expression's label stays too. The kept curve is swept again.
TEST(Locus, AKeptCurveIsSweptAgainWhenAnExpressionOfItsChainChanges) {
  Fixture f;
  Figure& fig = f.P.Fig;
  using test::PointRef;
  SampledLocusCurves curves;
  f.P.Layers.DrawSampledLoci = [&curves](RenderContext& r) { DrawSampledLoci(curves, r); };
  int16_t circle =
      AddStep(fig, "C2", {PointRef(AddFreePoint(fig, 0, 0)), PointRef(AddFreePoint(fig, 4, 0))});
  int16_t driving = test::AddPointOnHost(fig, {kClassCircle, circle}, 1);
  int16_t fixed = AddFreePoint(fig, 6, 2);
  fig.PtTable[driving].Name = "P";
  fig.PtTable[fixed].Name = "Q";
  int16_t d = AddStep(fig, "ND2P", {PointRef(driving), PointRef(fixed)});
  int16_t k = test::AddNumber(fig, 0);
  fig.NumTable[k].Name = "PQ";
  int16_t ratio = AddStep(fig, "CALC", {});
  const std::string dName = "N" + std::to_string(d);
  fig.NumTable[ratio].Expr = dName + "-" + dName + "+" + dName;
  int16_t one = test::AddNumber(fig, 1);
  int16_t traced = AddStep(fig, "PN",
                           {PointRef(AddFreePoint(fig, -6, -3)),
                            PointRef(AddFreePoint(fig, -2, -5)),
                            {100, ratio},
                            {100, one}});
  AddStep(fig, "XLOCS", {PointRef(driving), PointRef(traced)});
  Redraw(f.P);
  fig.NumTable[k].Value = fig.NumTable[d].Value;
  Redraw(f.P);
  const long sweeps = curves.Resamples;
  const PtRec before = fig.PtTable[traced];
  const std::string label = fig.NumTable[ratio].Name;
  const std::vector<LocusSample> oldCurve = curves.ByStep.at(fig.StepCount).Samples;

  fig.NumTable[ratio].Expr = dName + "-" + dName + "+N" + std::to_string(k);
  Redraw(f.P);
  EXPECT_EQ(fig.NumTable[ratio].Name, label);
  EXPECT_EQ(std::bit_cast<uint64_t>(fig.PtTable[traced].X), std::bit_cast<uint64_t>(before.X));
  EXPECT_EQ(std::bit_cast<uint64_t>(fig.PtTable[traced].Y), std::bit_cast<uint64_t>(before.Y));
  EXPECT_EQ(curves.Resamples, sweeps + 1);
  const std::vector<LocusSample>& kept = curves.ByStep.at(fig.StepCount).Samples;
  EXPECT_FALSE(SameSamples(kept, oldCurve)) << "the change moves the curve";
  EXPECT_TRUE(SameSamples(kept, SweepLocus(fig, driving, traced)));
}

// Sweeps a frame may not take wait for the frames after it, which come by
// the timer, so that a figure whose loci would take hours to sweep lets the
// window answer in between. Here three loci on a circle, and a frame may
// sweep less than one of them, one and a half or two and a half: each frame
// brings in one curve, one, two. A picture that leaves the window waits for
// them all: it is what one unbounded frame draws.
TEST(Locus, LociBeyondAFramesWorkComeInTheFramesAfter) {
  constexpr size_t kLoci = 3;
  auto lociFigure = [](Figure& fig) {
    int16_t centre = AddFreePoint(fig, 0, 0);
    int16_t circle =
        AddStep(fig, "C2", {test::PointRef(centre), test::PointRef(AddFreePoint(fig, 4, 0))});
    int16_t driving = test::AddPointOnHost(fig, {kClassCircle, circle}, 2);
    int16_t traced = 0;
    for (double x : {4.0, 8.0, 12.0}) {
      traced =
          AddStep(fig, "PT3", {test::PointRef(driving), test::PointRef(AddFreePoint(fig, x, 1))});
      AddStep(fig, "XLOCS", {test::PointRef(driving), test::PointRef(traced)});
    }
    // What one curve's sweep costs, in the frame's measure.
    size_t steps = 0;
    LocusInputs(fig, driving, traced, &steps);
    return static_cast<double>(SweepSampleCount(fig, driving) * steps);
  };
  auto lociPixels = [](const Fixture& f) {
    std::vector<std::pair<double, double>> dots;
    for (const test::SurfaceCall& c : f.Surface.Of(test::CallKind::kPixel))
      if (c.Color == RgbColor{255, 0, 0}) dots.emplace_back(c.X1, c.Y1);
    return dots;
  };
  Fixture whole;
  const double curve = lociFigure(whole.P.Fig);
  Redraw(whole.P);
  ASSERT_EQ(lociPixels(whole).size(), kLoci * 1001);
  EXPECT_EQ(whole.Host.Timers[TimerId::kLoci], 0);

  for (auto [budget, perFrame] : {std::pair{1.0, 1u}, {1.5 * curve, 1u}, {2.5 * curve, 2u}}) {
    SCOPED_TRACE("a frame's work " + std::to_string(budget));
    Fixture f;
    WireLocusLayer(f.P, budget);
    lociFigure(f.P.Fig);
    Redraw(f.P);
    for (size_t drawn = perFrame; drawn < kLoci; drawn += perFrame) {
      EXPECT_EQ(lociPixels(f).size(), drawn * 1001);
      ASSERT_GT(f.Host.Timers[TimerId::kLoci], 0);
      f.Surface.Calls.clear();
      OnTimer(f.P, TimerId::kLoci);
    }
    EXPECT_EQ(lociPixels(f), lociPixels(whole));
    EXPECT_EQ(f.Host.Timers[TimerId::kLoci], 0);
  }

  Fixture f;
  WireLocusLayer(f.P, 1);
  lociFigure(f.P.Fig);
  Redraw(f.P);
  OnTimer(f.P, TimerId::kLoci);
  f.Surface.Calls.clear();
  RunMenuCommand(f.P, "mnufBMP");  // the picture onto the clipboard
  EXPECT_EQ(lociPixels(f), lociPixels(whole));
  OnTimer(f.P, TimerId::kLoci);
  EXPECT_EQ(f.Host.Timers[TimerId::kLoci], 0);
}

// The point being moved has its own curves swept first: here a frame may
// take one locus of two, and the one it takes is the moved point's, though
// it comes second in the figure; the frame after brings the other.
TEST(Locus, TheMovedPointsOwnLociAreSweptFirst) {
  Fixture f;
  auto curves = std::make_shared<SampledLocusCurves>();
  curves->WorkPerFrame = 1;
  f.P.Layers.DrawSampledLoci = [curves](RenderContext& r) { DrawSampledLoci(*curves, r); };
  std::vector<int16_t> drivers;
  for (double centre : {0.0, 10.0}) {
    int16_t circle = AddStep(f.P.Fig, "C2",
                             {test::PointRef(AddFreePoint(f.P.Fig, centre, 0)),
                              test::PointRef(AddFreePoint(f.P.Fig, centre + 2, 0))});
    drivers.push_back(test::AddPointOnHost(f.P.Fig, {kClassCircle, circle}, 2));
    int16_t traced =
        AddStep(f.P.Fig, "PT3",
                {test::PointRef(drivers.back()), test::PointRef(AddFreePoint(f.P.Fig, centre, 1))});
    AddStep(f.P.Fig, "XLOCS", {test::PointRef(drivers.back()), test::PointRef(traced)});
  }
  curves->FirstDriving = drivers[1];
  Redraw(f.P);
  std::vector<double> xs;
  for (const test::SurfaceCall& c : f.Surface.Of(test::CallKind::kPixel))
    if (c.Color == RgbColor{255, 0, 0}) xs.push_back(c.X1);
  ASSERT_EQ(xs.size(), 1001u);
  EXPECT_GT(*std::min_element(xs.begin(), xs.end()), 5.0) << "the first locus was swept first";
  EXPECT_TRUE(curves->Unfinished);
  Redraw(f.P);
  EXPECT_FALSE(curves->Unfinished);
}

// Finding which steps a locus reads walks the whole figure: a frame finds
// its share of the chains and the frames after the rest, and a move, which
// changes no chain, finds none, so all its curves come in one frame.
TEST(Locus, ChainsComeAShareAFrameAndStayWhilePointsMove) {
  Fixture f;
  auto curves = std::make_shared<SampledLocusCurves>();
  f.P.Layers.DrawSampledLoci = [curves](RenderContext& r) { DrawSampledLoci(*curves, r); };
  const test::LociFigure loci = test::BuildLociFigure(f.P.Fig, 6);
  curves->ChainWorkPerFrame = 1;  // one chain a frame; sweeps unlimited
  int frames = 1;
  for (Redraw(f.P); curves->Unfinished && frames < 20; ++frames) DrawLociLeftForLater(f.P);
  EXPECT_EQ(frames, 6);
  const long swept = curves->Resamples;
  EXPECT_EQ(swept, 6);
  f.P.Fig.PtTable[loci.LinePoint].X += 1;  // the driving point's line moves
  Redraw(f.P);
  EXPECT_FALSE(curves->Unfinished);
  EXPECT_EQ(curves->Resamples, swept + 6);
}

// The figure of the table tests: A dragged in mode 6, its distance to the
// fixed origin chosen, the switch on.
struct TableFixture : Fixture {
  int16_t A = 0;
  int16_t Distance = 0;
  TableFixture() {
    A = AddFreePoint(P.Fig, 1, 1);
    P.Fig.PtTable[A].Name = "A";
    int16_t origin = AddFreePoint(P.Fig, 0, 0);
    P.Fig.PtTable[origin].Name = "O";
    Distance = AddStep(P.Fig, "ND2P", {test::PointRef(A), test::PointRef(origin)});
    P.CurFileName = (Folder.Path() / "tri.pd4").string();
    Redraw(P);
    RunMenuCommand(P, "mnuLocusSW");
    P.Locus.LocusNum = Distance;
    RunMenuCommand(P, "mnuDeform1Pt");
    MouseDown(P, Left(1, 1));
  }
  void RunTicks() {
    for (int tick = 0; Host.Timers[TimerId::kPlaneTable] > 0 && tick < 10000; ++tick) {
      OnTimer(P, TimerId::kPlaneTable);
    }
  }
  std::vector<std::string> TableLines() const {
    std::string text = test::ReadFileBytes(Folder.Path() / "tri_3D.csv");
    EXPECT_EQ(text.rfind(kSpreadsheetBom, 0), 0u);
    text.erase(0, kSpreadsheetBom.size());
    std::vector<std::string> lines;
    for (size_t at = 0, end; (end = text.find("\r\n", at)) != std::string::npos; at = end + 2) {
      lines.push_back(text.substr(at, end - at));
    }
    return lines;
  }
};

// 641 × 481 pixels of 0.05: samples every half unit, 32 columns and 24 rows
// each side of the origin.
TEST(PlaneTable, KeyXWritesTheNumberOverThePlaneAndPutsThePointBack) {
  TableFixture f;
  ASSERT_EQ(f.P.Deform.DraggedPoint, f.A);
  KeyDown(f.P, kKeyX, false);
  ASSERT_EQ(f.Host.Messages.size(), 1u);
  EXPECT_EQ(f.Host.Messages[0].Text, "数秒程度時間がかかります。");
  EXPECT_TRUE(PlaneTableRunning(f.P));
  EXPECT_EQ(f.P.Status.Panel(kModePanel).Text.rfind("計算中 0 / 3185", 0), 0u);
  EXPECT_FALSE(FindMenuItem(f.P.Menu, "mnuLocus")->Enabled);  // the menus wait too
  MouseDown(f.P, Left(5, 5));                                 // the pointer does nothing meanwhile
  f.RunTicks();
  EXPECT_FALSE(PlaneTableRunning(f.P));

  std::vector<std::string> lines = f.TableLines();
  ASSERT_EQ(lines.size(), 4u + 49u);
  EXPECT_EQ(lines[0], "ﾃﾞｰﾀ形式,1");
  EXPECT_EQ(lines[1], "PD file : " + f.P.CurFileName);
  EXPECT_EQ(lines[2], "点Aを平面内を動かしたときの次の変数の変化 : AO");
  EXPECT_EQ(lines[3].substr(0, 15), ",-16,-15.5,-15,");
  EXPECT_EQ(lines[3].substr(lines[3].size() - 10), " 15.5, 16,");
  // Bottom left (-16, -12) lies 20 from the origin; each row holds its y and 65 values.
  EXPECT_EQ(lines[4].substr(0, 9), "-12, 20, ");
  EXPECT_EQ(std::count(lines[4].begin(), lines[4].end(), ','), 66);
  EXPECT_EQ(lines[4 + 24].substr(0, 4), " 0, ");  // the row through the origin
  EXPECT_NE(lines[4 + 24].find(", 0, "), std::string::npos);

  EXPECT_EQ(f.P.Fig.PtTable[f.A].X, 1);
  EXPECT_EQ(f.P.Fig.PtTable[f.A].Y, 1);
  EXPECT_NEAR(f.P.Fig.NumTable[f.Distance].Value, std::sqrt(2.0), 1e-12);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeStandard);
  EXPECT_TRUE(FindMenuItem(f.P.Menu, "mnuLocus")->Enabled);
  EXPECT_EQ(f.P.Deform.DraggedPoint, 0);
  EXPECT_EQ(f.Host.Messages.size(), 1u);  // a named figure's table is beside it
  EXPECT_EQ(f.Count()[kClassPoint], 0);   // the samples leave no traces
}

TEST(PlaneTable, EscapeCancelsLeavingNoFileAndTheDeformationOn) {
  TableFixture f;
  KeyDown(f.P, kKeyX, false);
  ASSERT_TRUE(PlaneTableRunning(f.P));
  KeyDown(f.P, kKeyEscape, false);
  EXPECT_FALSE(PlaneTableRunning(f.P));
  EXPECT_EQ(f.Host.Timers[TimerId::kPlaneTable], 0);
  EXPECT_EQ(f.P.Fig.PtTable[f.A].X, 1);
  EXPECT_EQ(CurrentMode(f.P.Modes), kModeDeform);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(f.Folder.Path()), {}),
            std::ptrdiff_t{3});  // the record files and the page's copy alone
}

TEST(PlaneTable, ClosingTheProgramStopsTheTableFirst) {
  TableFixture f;
  KeyDown(f.P, kKeyX, false);
  f.P.Fig.PtTable[f.A].X = 7;  // as a sample leaves it
  mnuExit(f.P);
  EXPECT_FALSE(PlaneTableRunning(f.P));
  EXPECT_EQ(f.P.Fig.PtTable[f.A].X, 1);
  EXPECT_EQ(f.Host.Timers[TimerId::kPlaneTable], 0);
}

TEST(PlaneTable, RefusedWithoutSwitchOrNumberAndWhenCancelled) {
  TableFixture f;
  f.Host.Answers.push_back(MsgResult::kCancel);
  KeyDown(f.P, kKeyX, false);
  EXPECT_FALSE(PlaneTableRunning(f.P));
  f.P.Locus.LocusNum = 0;
  KeyDown(f.P, kKeyX, false);
  ASSERT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_EQ(f.Host.Messages[1].Text, "軌跡のスイッチがoffか, 変数の選択がしてありません。");
  EXPECT_FALSE(PlaneTableRunning(f.P));
  EXPECT_EQ(f.Host.Timers[TimerId::kPlaneTable], 0);
}

// An untitled figure has no folder: the program's, and the message says where.
// A table that cannot be written says which file.
TEST(PlaneTable, UntitledGoesToTheProgramFolderAndFailuresAreTold) {
  TableFixture f;
  f.P.CurFileName = std::string(kUntitled);
  KeyDown(f.P, kKeyX, false);
  f.RunTicks();
  std::filesystem::path file = f.P.Folders.Folder / "untitled_3D.csv";
  EXPECT_TRUE(std::filesystem::exists(file));
  ASSERT_EQ(f.Host.Messages.size(), 2u);
  EXPECT_NE(f.Host.Messages[1].Text.find(file.string()), std::string::npos);

  f.P.CurFileName = (f.Folder.Path() / "gone" / "tri.pd4").string();
  RunMenuCommand(f.P, "mnuDeform1Pt");
  MouseDown(f.P, Left(1, 1));
  KeyDown(f.P, kKeyX, false);
  f.RunTicks();
  ASSERT_EQ(f.Host.Messages.size(), 4u);
  EXPECT_EQ(f.Host.Messages[3].Text.rfind("表のファイルを書き込めません。\n", 0), 0u);
  EXPECT_NE(f.Host.Messages[3].Text.find("tri_3D.csv"), std::string::npos);
  EXPECT_EQ(f.P.Fig.PtTable[f.A].X, 1);
}

// The spreadsheet's own reading of a file: LibreOffice converts it, taking the
// encoding its byte-order mark names, to a plain UTF-8 CSV of its cells; each
// row is given as its cells up to the last one filled.
std::vector<std::string> RowsAsLibreOfficeReadsThem(const std::filesystem::path& file,
                                                    const std::filesystem::path& work) {
  const std::filesystem::path out = work / "out";
  const std::string command = "timeout 180 soffice -env:UserInstallation=file://" +
                              (work / "profile").string() +
                              " --headless --infilter=CSV:44,34,76 --convert-to "
                              "'csv:Text - txt - csv (StarCalc):44,34,76' --outdir '" +
                              out.string() + "' '" + file.string() + "' > /dev/null 2>&1";
  EXPECT_EQ(std::system(command.c_str()), 0)
      << "LibreOffice (Debian's libreoffice-calc-nogui, from scripts/install-deps) did not run";
  std::string text = test::ReadFileBytes(out / file.filename());
  std::vector<std::string> rows;
  for (size_t at = 0, end; (end = text.find('\n', at)) != std::string::npos; at = end + 1) {
    std::string row = text.substr(at, end - at);
    rows.push_back(row.erase(row.find_last_not_of(',') + 1));
  }
  return rows;
}

// Both tables open with their names whole and their headings in the
// interface language; a name shaped like a formula stays a name.
TEST(Spreadsheets, TheTablesOpenInLibreOfficeAsWritten) {
  TableFixture f;
  f.P.Lang.Language = "English";
  f.P.Fig.PtTable[f.A].Name = "甲";
  int16_t plus = AddFreePoint(f.P.Fig, 3, 4);
  f.P.Fig.PtTable[plus].Name = "=2+";
  int16_t one = AddFreePoint(f.P.Fig, 3, 5);
  f.P.Fig.PtTable[one].Name = "1";
  AddStep(f.P.Fig, "ND2P", {test::PointRef(plus), test::PointRef(one)});  // named "=2+1"
  Redraw(f.P);  // a heading row for the new names, then their values
  KeyDown(f.P, kKeyX, false);
  f.RunTicks();

  const std::vector<std::string> table =
      RowsAsLibreOfficeReadsThem(f.Folder.Path() / "tri_3D.csv", f.Folder.Path());
  ASSERT_GE(table.size(), 5u);
  EXPECT_EQ(table[0], "Data format,1");
  EXPECT_EQ(table[2], "How the next number changes as point 甲 moves over the plane : 甲O");
  EXPECT_EQ(table[4].substr(0, 7), "-12,20,");  // numbers, not texts

  const std::vector<std::string> record =
      RowsAsLibreOfficeReadsThem(f.Folder.Path() / "temp.csv", f.Folder.Path());
  ASSERT_GE(record.size(), 3u);
  EXPECT_EQ(record[0], "AO");
  EXPECT_EQ(record.back(), "1.41,1");
  EXPECT_NE(std::find(record.begin(), record.end(), "甲O,'=2+1"), record.end());
}

}  // namespace
}  // namespace plandra
