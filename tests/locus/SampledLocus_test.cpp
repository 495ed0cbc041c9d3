#include "curves/SampledLocus.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/locus/PlaneSamples.h"
#include "engine/GeoObj05.h"
#include "support/FigureBuilder.h"

namespace plandra {
namespace {

using test::AddFreePoint;
using test::AddNumber;
using test::AddPointOnHost;
using test::AddStep;

uint64_t Bits(double v) { return std::bit_cast<uint64_t>(v); }

// A figure of random steps over a few free points; every kind here reads
// elements made before it, some of them often missing. A settled figure has
// no expressions and no points on figures after the driving point, so that
// one pass settles it.
class RandomFigure {
 public:
  RandomFigure(unsigned seed, bool settled) : rng_(seed), settled_(settled) {}

  // Returns the driving point (on a line or a circle) and the traced point.
  std::pair<int16_t, int16_t> Build(Figure& fig, bool onLine) {
    ResetFigure(fig, 150);
    for (int i = 0; i < 5; ++i) AddFreePoint(fig, Coord(), Coord());
    for (int i = 0; i < 3; ++i)
      AddNumber(fig, std::uniform_real_distribution<double>(0.2, 3)(rng_));
    int16_t line = AddStep(fig, "L1", {Pick(fig, kClassPoint), Pick(fig, kClassPoint)});
    int16_t circle = AddStep(fig, "C2", {Pick(fig, kClassPoint), Pick(fig, kClassPoint)});
    int16_t driving = onLine ? AddPointOnHost(fig, {kClassLine, line}, Coord())
                             : AddPointOnHost(fig, {kClassCircle, circle}, Coord());
    int steps = std::uniform_int_distribution<int>(15, 35)(rng_);
    for (int i = 0; i < steps; ++i) AddRandomStep(fig);
    // The traced point divides in a ratio calculated from a moving distance.
    int16_t distance = AddStep(fig, "ND2P", {test::PointRef(driving), Pick(fig, kClassPoint)});
    int16_t ratio = settled_ ? distance : AddCalc(fig);
    return {driving, AddStep(fig, "PN",
                             {Pick(fig, kClassPoint),
                              Pick(fig, kClassPoint),
                              {100, ratio},
                              Pick(fig, kClassNumber)})};
  }

 private:
  double Coord() { return std::uniform_real_distribution<double>(-8, 8)(rng_); }
  int Choose(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }
  ObjRef Pick(const Figure& fig, int16_t cls) {
    int16_t index = static_cast<int16_t>(1 + Choose(fig.ElemCount[cls]));
    return {static_cast<int16_t>(cls == kClassNumber ? 100 : cls), index};
  }
  // Reads the newest number before it: most often a measurement that moves.
  int16_t AddCalc(Figure& fig) {
    std::string newest = "N" + std::to_string(fig.ElemCount[kClassNumber]);
    std::string other = "N" + std::to_string(Pick(fig, kClassNumber).Index);
    int16_t out = AddStep(fig, "CALC", {});
    fig.NumTable[out].Expr = newest + "*" + other + "-" + other;
    return out;
  }
  void AddRandomStep(Figure& fig) {
    auto pt = [&] { return Pick(fig, kClassPoint); };
    auto ln = [&] { return Pick(fig, kClassLine); };
    auto cir = [&] { return Pick(fig, kClassCircle); };
    auto num = [&] { return Pick(fig, kClassNumber); };
    int kind = Choose(10);
    if (settled_ && (kind == 7 || kind == 8)) kind = 3;
    switch (kind) {
      case 0: AddStep(fig, "L1", {pt(), pt()}); break;
      case 1: AddStep(fig, "C2", {pt(), pt()}); break;
      case 2: AddStep(fig, "PC1", {ln(), ln()}); break;
      case 3: AddStep(fig, "PC2", {ln(), cir()}); break;
      case 4: AddStep(fig, "PC3", {cir(), cir()}); break;
      case 5: AddStep(fig, "PN", {pt(), pt(), num(), num()}); break;
      case 6: AddStep(fig, "ND2P", {pt(), pt()}); break;
      case 7: AddCalc(fig); break;
      case 8:
        if (Choose(2) == 0) {
          AddPointOnHost(fig, ln(), Coord());
        } else {
          AddPointOnHost(fig, cir(), Coord());
        }
        break;
      default: AddStep(fig, "C1", {pt(), num()}); break;
    }
    if (fig.StepKindId[fig.StepCount] == Kind::PC2 || fig.StepKindId[fig.StepCount] == Kind::PC3)
      fig.StepRev[fig.StepCount] = Choose(2) == 0 ? kTrue : kFalse;
  }
  std::mt19937 rng_;
  bool settled_;
};

std::vector<PtRec> Samples(Figure& fig, int16_t driving, int16_t traced, SampleWay way) {
  std::vector<PtRec> seen;
  SampleLocus(fig, driving, traced, way, [&seen](const PtRec& pt) { seen.push_back(pt); });
  return seen;
}

void ExpectSamePoint(const PtRec& a, const PtRec& b, const std::string& where) {
  EXPECT_EQ(Bits(a.X), Bits(b.X)) << where;
  EXPECT_EQ(Bits(a.Y), Bits(b.Y)) << where;
  EXPECT_EQ(Bits(a.Param), Bits(b.Param)) << where;
  EXPECT_EQ(a.Exists, b.Exists) << where;
}

void ExpectSameTables(const Figure& a, const Figure& b) {
  EXPECT_EQ(a.StepRev, b.StepRev);
  EXPECT_EQ(a.StepState, b.StepState);
  for (int i = 1; i <= a.ElemCount[kClassPoint]; ++i)
    ExpectSamePoint(a.PtTable[i], b.PtTable[i], "point " + std::to_string(i));
  for (int i = 1; i <= a.ElemCount[kClassLine]; ++i) {
    const LnRec& x = a.LnTable[i];
    const LnRec& y = b.LnTable[i];
    for (auto [u, v] : {std::pair{x.X1, y.X1},
                        {x.Y1, y.Y1},
                        {x.X2, y.X2},
                        {x.Y2, y.Y2},
                        {x.DX, y.DX},
                        {x.DY, y.DY}})
      EXPECT_EQ(Bits(u), Bits(v)) << "line " << i;
    EXPECT_EQ(x.Exists, y.Exists) << "line " << i;
  }
  for (int i = 1; i <= a.ElemCount[kClassCircle]; ++i) {
    const CirRec& x = a.CirTable[i];
    const CirRec& y = b.CirTable[i];
    for (auto [u, v] : {std::pair{x.CX, y.CX}, {x.CY, y.CY}, {x.R, y.R}})
      EXPECT_EQ(Bits(u), Bits(v)) << "circle " << i;
    EXPECT_EQ(x.Exists, y.Exists) << "circle " << i;
  }
  for (int i = 1; i <= a.ElemCount[kClassNumber]; ++i) {
    EXPECT_EQ(Bits(a.NumTable[i].Value), Bits(b.NumTable[i].Value)) << "number " << i;
    EXPECT_EQ(a.NumTable[i].Exists, b.NumTable[i].Exists) << "number " << i;
  }
}

// Several loci on one driving point: the traced point the figure ends in
// and two more made after the driving point, whose chains overlap (the last
// point reads the others). Figures 40 and on are settled ones, evaluated
// with one pass per sample. The sweeps run on 1 to 8 threads.
TEST(SampledLocus, DependentStepsDrawWhatTheWholeFigureDraws) {
  constexpr int kFigures = 80;
  constexpr int kThreads[] = {1, 2, 3, 8};
  int missingSeen = 0;
  for (int f = 0; f < kFigures; ++f) {
    SCOPED_TRACE("figure " + std::to_string(f));
    Figure literal;
    bool onLine = f % 10 == 0;  // a line costs 31,416 whole recomputes
    bool settled = f >= kFigures / 2;
    auto [driving, traced] =
        RandomFigure(static_cast<unsigned>(7000 + f), settled).Build(literal, onLine);
    ASSERT_EQ(SettlesInOnePass(literal, DependentsOf(literal, driving), driving), settled);
    RecomputeForRedraw(literal);
    const Figure before = literal;
    const int16_t points = literal.ElemCount[kClassPoint];
    for (int16_t t :
         {traced, static_cast<int16_t>((driving + points) / 2), static_cast<int16_t>(points - 1)}) {
      SCOPED_TRACE("traced point " + std::to_string(t));
      Figure fast = before;
      literal = before;
      std::vector<PtRec> expected = Samples(literal, driving, t, SampleWay::Literal);
      SampleLocus(
          fast, driving, t, SampleWay::Dependents, [](const PtRec&) {}, kThreads[f % 4]);
      // Drawing a locus leaves the figure as it stood, whatever the sweep
      // held at the ends of segments on the way.
      ExpectSameTables(fast, before);
      std::vector<LocusSample> got = SweepLocus(fast, driving, t, kThreads[(f + t) % 4]);
      ASSERT_EQ(expected.size(), onLine ? 31416u : 1001u);
      ASSERT_EQ(got.size(), expected.size());
      for (size_t i = 0; i < got.size(); ++i) {
        PtRec sample = expected[i];
        std::tie(sample.X, sample.Y, sample.Param, sample.Exists) =
            std::tie(got[i].X, got[i].Y, got[i].Param, got[i].Exists);
        ExpectSamePoint(sample, expected[i], "sample " + std::to_string(i));
        missingSeen += expected[i].Exists == kFalse ? 1 : 0;
        if (::testing::Test::HasFailure()) return;
      }
    }
  }
  EXPECT_GT(missingSeen, 0) << "no sample left the traced point missing";
}

// The table over the plane on 1 to 8 threads, taken in two turns as the timer
// takes it: every value, and the figure the last sample leaves, are what
// placing the point at one sample after the other gives.
TEST(SampledLocus, PlaneSamplesOnAnyThreadsAreTheOneByOneValues) {
  const PlaneGrid grid{.Nx = 12, .Ny = 7, .PixelSize = 0.07};
  for (int f = 0; f < 8; ++f) {
    SCOPED_TRACE("figure " + std::to_string(f));
    Figure fig;
    auto [driving, traced] =
        RandomFigure(static_cast<unsigned>(9000 + f), f % 2 == 0).Build(fig, f % 3 == 0);
    RecomputeForRedraw(fig);
    const int point = f % 2 == 0 ? driving : 1 + f % 5;
    const int number = fig.ElemCount[kClassNumber];
    Figure oneByOne = fig;
    std::vector<double> expected;
    for (long i = 0; i < grid.Samples(); ++i) {
      auto [column, row] = GridColumnRow(grid, i);
      PlaceOnPlane(oneByOne, point, grid.Coordinate(column), grid.Coordinate(row));
      expected.push_back(oneByOne.NumTable[number].Value);
    }
    for (int threads : {1, 2, 3, 8}) {
      Figure many = fig;
      const long half = grid.Samples() / 2;
      std::vector<double> got = PlaneSampleValues(many, grid, point, number, 0, half, threads);
      std::vector<double> rest =
          PlaneSampleValues(many, grid, point, number, half, grid.Samples(), threads);
      got.insert(got.end(), rest.begin(), rest.end());
      ASSERT_EQ(got.size(), expected.size());
      for (size_t i = 0; i < got.size(); ++i)
        ASSERT_EQ(Bits(got[i]), Bits(expected[i])) << "sample " << i << ", " << threads;
      ExpectSameTables(many, oneByOne);
      if (::testing::Test::HasFailure()) return;
    }
  }
}

// Steps a sweep cannot take as it takes most: a map, which checks its own
// references, and a step whose reference names an element of another class
// than its kind reads (never evaluated, so its circle is never there).
TEST(SampledLocus, MapsAndStepsWithWrongReferencesDrawWhatTheWholeFigureDraws) {
  using test::PointRef;
  Figure fig;
  ResetFigure(fig, 30);
  int16_t centre = AddFreePoint(fig, 0.5, -1);
  int16_t through = AddFreePoint(fig, 3, 1);
  int16_t circle = AddStep(fig, "C2", {PointRef(centre), PointRef(through)});
  int16_t driving = AddPointOnHost(fig, {kClassCircle, circle}, 2.0);
  int16_t p1 = AddFreePoint(fig, 1, 0), p2 = AddFreePoint(fig, 0, 1);
  int16_t q1 = AddFreePoint(fig, 2, 1), q2 = AddFreePoint(fig, 1, 2);
  int16_t image = AddStep(
      fig, "PT5", {PointRef(driving), PointRef(p1), PointRef(p2), PointRef(q1), PointRef(q2)});
  int16_t line = AddStep(fig, "L1", {PointRef(image), PointRef(centre)});
  int16_t wrong = AddStep(fig, "C2", {PointRef(image), {kClassLine, line}});
  int16_t meets = AddStep(fig, "PC2", {{kClassLine, line}, {kClassCircle, wrong}});
  int16_t one = AddNumber(fig, 1);
  int16_t mid = AddStep(fig, "PN", {PointRef(image), PointRef(driving), {100, one}, {100, one}});
  RecomputeForRedraw(fig);
  for (int16_t traced : {mid, meets}) {
    SCOPED_TRACE("traced point " + std::to_string(traced));
    Figure literal = fig;
    std::vector<PtRec> expected = Samples(literal, driving, traced, SampleWay::Literal);
    std::vector<PtRec> got = Samples(fig, driving, traced, SampleWay::Dependents);
    ASSERT_EQ(got.size(), 1001u);
    ASSERT_EQ(got.size(), expected.size());
    for (size_t i = 0; i < got.size() && !::testing::Test::HasFailure(); ++i)
      ExpectSamePoint(got[i], expected[i], "sample " + std::to_string(i));
  }
}

TEST(SampledLocus, MidpointOfAFixedPointAndACirclePointLiesOnAHalfCircle) {
  Figure fig;
  ResetFigure(fig, 20);
  int16_t centre = AddFreePoint(fig, 1, 2);
  int16_t through = AddFreePoint(fig, 5, 2);  // radius 4
  int16_t circle = AddStep(fig, "C2", {test::PointRef(centre), test::PointRef(through)});
  int16_t fixed = AddFreePoint(fig, -3, 7);
  int16_t driving = AddPointOnHost(fig, {kClassCircle, circle}, 1.0);
  int16_t one = AddNumber(fig, 1);
  int16_t mid =
      AddStep(fig, "PN", {test::PointRef(fixed), test::PointRef(driving), {100, one}, {100, one}});
  RecomputeForRedraw(fig);
  const PtRec before = fig.PtTable[driving];
  std::vector<PtRec> seen = Samples(fig, driving, mid, SampleWay::Dependents);
  ASSERT_EQ(seen.size(), 1001u);
  double cx = (1 + -3) / 2.0;
  double cy = (2 + 7) / 2.0;
  double minAngle = 10, maxAngle = -10;
  for (const PtRec& pt : seen) {
    ASSERT_EQ(pt.Exists, kTrue);
    EXPECT_NEAR(std::hypot(pt.X - cx, pt.Y - cy), 2.0, 1e-9);
    double angle = std::atan2(pt.Y - cy, pt.X - cx);
    minAngle = std::min(minAngle, angle);
    maxAngle = std::max(maxAngle, angle);
  }
  EXPECT_GT(maxAngle - minAngle, 6.2) << "the whole circle is swept";
  // Both points are put back afterwards.
  EXPECT_EQ(Bits(fig.PtTable[driving].Param), Bits(before.Param));
  EXPECT_EQ(Bits(fig.PtTable[driving].X), Bits(before.X));
}

TEST(SampledLocus, FreeDrivingPointGivesNoSamples) {
  Figure fig;
  ResetFigure(fig, 10);
  int16_t a = AddFreePoint(fig, 0, 0);
  int16_t b = AddFreePoint(fig, 1, 1);
  RecomputeForRedraw(fig);
  EXPECT_TRUE(Samples(fig, a, b, SampleWay::Dependents).empty());
  EXPECT_TRUE(Samples(fig, 0, b, SampleWay::Literal).empty());
  EXPECT_TRUE(Samples(fig, a, 99, SampleWay::Literal).empty());
}

}  // namespace
}  // namespace plandra
