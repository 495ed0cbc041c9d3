#include <cmath>

#include "EngineFixture.h"
#include "core/Refresh.h"
#include "core/macros/PDmacro01.h"
#include "engine/Math05.h"

namespace plandra::test {
namespace {

using RecomputeTest = EngineTest;
using PointOnHostTest = EngineTest;

TEST_F(RecomputeTest, MarkingOfTwoPointsAndTheirLine) {
  MarkDependencies(fig, platform, ObjRef{});
  EXPECT_EQ(fig.PassCount, 1);  // nothing to mark settles at once

  int16_t a = Free(0, 0);
  int16_t b = Free(1, 0);
  int16_t line = Step("L1", {Pt(a), Pt(b)});
  MarkDependencies(fig, platform, ObjRef{});
  EXPECT_EQ(fig.StepState[1], -1);
  EXPECT_EQ(fig.StepState[2], -1);
  EXPECT_EQ(fig.StepState[3], -2);
  EXPECT_EQ(P(a).Exists, -1);
  EXPECT_EQ(P(b).Exists, -2);
  EXPECT_EQ(L(line).Exists, -3);
  EXPECT_EQ(fig.PassCount, 2);

  RecomputeAll(fig, platform);
  EXPECT_EQ(L(line).Exists, kTrue);
  EXPECT_FALSE(fig.LastPass);
  EXPECT_TRUE(fig.CurKind.empty());
  EXPECT_EQ(fig.CurStep, 3);

  OnHost(Ln(line), 0.5);
  MarkDependencies(fig, platform, Pt(a));
  EXPECT_EQ(fig.PassCount, 3);  // one more pass for the point on the line
  EXPECT_EQ(P(a).Exists, kTrue);
}

TEST_F(RecomputeTest, NumberInputsCountForTheMark) {
  int16_t centre = Free(0, 0);
  int16_t radius = Number(2);
  Step("C1", {Pt(centre), Num(radius)});
  MarkDependencies(fig, platform, ObjRef{});
  EXPECT_EQ(StepMark(fig, 2), -1);
  EXPECT_NE(fig.StepState[2], 0);
  fig.NumTable[radius].Exists = 0;
  EXPECT_EQ(StepMark(fig, 2), 0);
}

TEST_F(RecomputeTest, ForwardReferencesTakeMorePasses) {
  int16_t a = Free(0, 0);
  int16_t b = Free(4, 2);
  // Step 3 joins a with the midpoint that step 4 computes.
  int16_t line = Step("L1", {Pt(a), Pt(int16_t(fig.ElemCount[kClassPoint] + 1))});
  int16_t middle = Step("PN", {Pt(a), Pt(b), Num(Number(1)), Num(Number(1))});
  Redraw();
  EXPECT_EQ(fig.PassCount, 3);
  EXPECT_EQ(L(line).Exists, kTrue);
  EXPECT_POINT_NEAR(2, 1, P(middle), kNear);
  EXPECT_DOUBLE_EQ(L(line).X2, 2);
  EXPECT_DOUBLE_EQ(L(line).Y2, 1);
}

TEST_F(RecomputeTest, MarkingSweepsAreBounded) {
  // A chain where every step uses the next step's point: each sweep settles
  // one more step, so 100 of them would need 100 sweeps.
  constexpr int kChain = 100;
  ResetFigure(fig, kChain + 10);
  for (int i = 0; i <= kChain; ++i) ReserveElement(fig, kClassPoint);
  for (int16_t i = 1; i <= kChain; ++i) {
    AppendStep(fig);
    SetStepKind(fig, i, "P3");
    auto next = static_cast<int16_t>(i + 1);
    fig.StepIn[i] = {ObjRef{}, Pt(next), Pt(next), Pt(next)};
    fig.StepOut[i][1] = Pt(i);
  }
  AppendStep(fig);
  SetStepKind(fig, fig.StepCount, "PNEW");
  fig.StepOut[fig.StepCount][1] = Pt(kChain + 1);
  fig.PtTable[kChain + 1] = PtRec{};
  fig.PtTable[kChain + 1].X = 3;
  fig.PtTable[kChain + 1].Exists = kTrue;
  fig.PtTable[kChain + 1].BoundMode = kTrue;
  Redraw();
  EXPECT_EQ(fig.PassCount, kMaxMarkSweeps);
  // Evaluated with what it has: the steps near the free point are right.
  EXPECT_POINT_NEAR(3, 0, P(kChain), kNear);

  // A step that is its own input ends too.
  ResetFigure(fig, 10);
  int16_t p = Free(1, 1);
  int16_t self = Step("P3", {Pt(p), Pt(p), Pt(p)});
  fig.StepIn[2][3] = Pt(self);
  Redraw();
  EXPECT_LE(fig.PassCount, kMaxMarkSweeps + 1);
}

TEST_F(RecomputeTest, NonExistencePropagates) {
  int16_t x = Number(1);
  int16_t p = Step("PXY", {Num(x), Num(Number(1))});
  int16_t q = Free(3, 2);
  int16_t line = Step("L1", {Pt(p), Pt(q)});
  int16_t other = Line(0, 0, 0, 5);
  int16_t cross = Step("PC1", {Ln(line), Ln(other)});
  int16_t distance = Step("ND2P", {Pt(cross), Pt(q)});
  Redraw();
  EXPECT_EQ(P(cross).Exists, kTrue);
  EXPECT_EQ(N(distance).Exists, kTrue);

  fig.NumTable[x].Exists = 0;
  Redraw();
  for (int16_t e : {P(p).Exists, L(line).Exists, P(cross).Exists, N(distance).Exists}) {
    EXPECT_EQ(e, 0);
  }

  fig.NumTable[x].Exists = kTrue;
  fig.NumTable[x].Value = -1;
  Redraw();
  EXPECT_POINT_NEAR(0, 1.25, P(cross), 1e-12);
  EXPECT_EQ(N(distance).Exists, kTrue);
}

TEST_F(RecomputeTest, BadReferencesMakeNoOutputAndReadNothing) {
  int16_t line = Line(0, 0, 1, 0);
  int16_t circle = Circle(0, 0, 1);
  int16_t beyondCount = Step("PC1", {Ln(line), Ln(40)});
  fig.LnTable[40].Exists = kTrue;  // in the table but not in the figure
  int16_t beyond = Step("PC1", {Ln(line), Ln(99)});
  int16_t wrongClass = Step("PC1", {Ln(line), Cir(circle)});
  int16_t negative = Step("L1", {Pt(1), Pt(-3)});
  int16_t hugeClass = Step("ND2P", {Pt(1), ObjRef{7, 1}});
  int16_t partOut = Step("PC2", {Ln(line), Cir(circle)});
  fig.StepOut[fig.StepCount][2] = Pt(999);
  Step("L1", {Pt(1), Pt(2)});
  fig.StepOut[fig.StepCount][1] = Ln(-1);
  for (int16_t p : {beyondCount, beyond, wrongClass, partOut}) fig.PtTable[p].Exists = kTrue;
  Redraw();
  EXPECT_EQ(P(beyondCount).Exists, 0);
  EXPECT_EQ(P(beyond).Exists, 0);
  EXPECT_EQ(P(wrongClass).Exists, 0);
  EXPECT_EQ(L(negative).Exists, 0);
  EXPECT_EQ(N(hugeClass).Exists, 0);
  EXPECT_EQ(P(partOut).Exists, 0);

  // A step count beyond the step tables is never followed.
  fig.StepCount = static_cast<int16_t>(UpperBound(fig.StepIn) + 5);
  Redraw();
  RecomputeStep(fig, platform, fig.StepCount);
  EXPECT_EQ(L(line).Exists, kTrue);
}

TEST_F(RecomputeTest, SmallStoreHasRoomForTheStepOutputs) {
  // A store for one step keeps fewer step rows than a step has output slots.
  ResetFigure(fig, 1);
  int16_t p = Step("PXY", {Num(Number(1)), Num(Number(2))});
  Redraw();
  EXPECT_GE(fig.CurOut.size(), 6u);
  EXPECT_POINT_NEAR(1, 2, P(p), kNear);
}

TEST_F(RecomputeTest, MapsAndCalculatedNumbersAreEvaluatedByThePass) {
  ASSERT_TRUE(MacroLinear(fig));  // A = [[2, 1], [1, 2]] as built; P = (1, 1)
  int16_t image = fig.ElemCount[kClassPoint];
  fig.PtTable[image].X = 7;
  int16_t a11 = fig.StepOut[fig.StepCount][2].Index;
  // A(1,1) * 10 - 1: a calculated number reading a map's entry.
  int16_t calculated = Step("CALC", {});
  int16_t ten = Number(10);
  int16_t one = Number(1);
  fig.NumTable[calculated].Expr =
      "N" + std::to_string(a11) + "*N" + std::to_string(ten) + "-N" + std::to_string(one);
  int16_t circles = fig.ElemCount[kClassCircle];
  Redraw();
  EXPECT_POINT_NEAR(3, 3, P(image), 1e-12);
  EXPECT_EQ(N(a11).Value, 2);
  EXPECT_EQ(N(calculated).Value, 19);
  EXPECT_EQ(N(calculated).Exists, kTrue);
  EXPECT_EQ(fig.ElemCount[kClassCircle], circles) << "CALC builds no circle";
}

TEST_F(RecomputeTest, StepsMarkedTwoAreSkipped) {
  int16_t a = Free(0, 0);
  int16_t b = Free(2, 0);
  int16_t middle = Step("PN", {Pt(a), Pt(b), Num(Number(1)), Num(Number(1))});
  MarkDependencies(fig, platform, ObjRef{});
  fig.StepState[3] = 2;
  fig.PtTable[middle].X = 9;
  RecomputeAll(fig, platform);
  EXPECT_EQ(P(middle).X, 9);
}

TEST_F(PointOnHostTest, PointsOnSegmentsAndHalfLines) {
  int16_t segment = Line(0, 0, 3, 4, 1);
  int16_t halfLine = Line(1, 1, 2, 1, 2);
  int16_t straight = Line(1, 1, 1, 2, 0);
  Redraw();  // points are put on lines that have been drawn
  int16_t atEnd = OnHost(Ln(segment), 7);
  int16_t inside = OnHost(Ln(segment), 2.5);
  int16_t beforeStart = OnHost(Ln(halfLine), -1);
  int16_t backwards = OnHost(Ln(straight), -2);
  Redraw();
  EXPECT_POINT_NEAR(3, 4, P(atEnd), 1e-12);
  EXPECT_EQ(P(atEnd).Param, 5);
  EXPECT_POINT_NEAR(1.5, 2, P(inside), 1e-12);
  EXPECT_POINT_NEAR(1, 1, P(beforeStart), 1e-12);
  EXPECT_EQ(P(beforeStart).Param, 0);
  EXPECT_POINT_NEAR(1, -1, P(backwards), 1e-12);
  for (int16_t p : {atEnd, inside, beforeStart, backwards}) EXPECT_EQ(P(p).Exists, kTrue);
  // Once where the points were first held, however many there were.
  EXPECT_EQ(platform.Beeps, 1);

  fig.PtTable[atEnd].Param = 8;  // as a drag past the end leaves it
  RecomputeAll(fig, platform);
  EXPECT_EQ(platform.Beeps, 2);
  EXPECT_EQ(P(atEnd).Param, 5);
  RecomputeAll(fig, platform);
  EXPECT_EQ(platform.Beeps, 2);
}

TEST_F(RecomputeTest, ReportsWhatTheProgramTellsTheUser) {
  // A point held at a segment's end and an angle so far out that neither
  // turn matches: the pure pass counts them, the program beeps and shows.
  int16_t segment = Line(0, 0, 3, 4, 1);
  int16_t a = Free(1e16 + 1000, 0);
  int16_t vertex = Free(1e16, 0);
  int16_t c = Free(1e16, 1000);
  int16_t angle = Step("NA3+", {Pt(a), Pt(vertex), Pt(c)});
  RecomputeForRedraw(fig);  // the segment gets its points
  int16_t held = OnHost(Ln(segment), 7);

  RecomputeReport marking = MarkDependencies(fig, ObjRef{});
  ASSERT_EQ(fig.PassCount, 3);
  EXPECT_EQ(marking.HeldAtEnd, 1) << "held where it first gets to the end";
  EXPECT_EQ(marking.AngleErrors, 0) << "the marking evaluates no step";
  RecomputeReport pass = RecomputeAll(fig);
  EXPECT_EQ(pass.HeldAtEnd, 0);
  EXPECT_EQ(pass.AngleErrors, 3) << "once in each pass";
  EXPECT_EQ(P(held).Param, 5);
  EXPECT_NEAR(N(angle).Value, -90, 1e-9);
  auto angleStep = static_cast<int16_t>(fig.StepCount - 1);  // before the point on the segment
  EXPECT_EQ(RecomputeStep(fig, angleStep).AngleErrors, 1);
  EXPECT_EQ(platform.Beeps, 0);
  EXPECT_TRUE(platform.Messages.empty());

  fig.PtTable[held].Param = 8;  // as a drag past the end leaves it
  RecomputeAll(fig, platform);
  EXPECT_EQ(platform.Beeps, 1);
  ASSERT_EQ(platform.Messages.size(), 3u);
  EXPECT_EQ(platform.Messages[0].Text, "Error in Angle");
  EXPECT_EQ(platform.Messages[0].Buttons, MsgButtons::kOk);
}

TEST_F(PointOnHostTest, SegmentOfLengthZeroHoldsThePointAtItsStart) {
  // The perpendicular from a point on a line has two equal defining points.
  int16_t axis = Line(0, 0, 1, 0);
  int16_t flat = Step("L3", {Ln(axis), Pt(Free(2, 0))});
  fig.LnTable[flat].LineKind = 1;
  int16_t p = OnHost(Ln(flat), 1.5);
  Redraw();
  EXPECT_EQ(L(flat).Exists, kTrue);
  EXPECT_EQ(P(p).Exists, kTrue);
  EXPECT_POINT_NEAR(2, 0, P(p), 1e-12);
  EXPECT_EQ(P(p).Param, 1.5);
  EXPECT_EQ(platform.Beeps, 0);
}

TEST_F(PointOnHostTest, PointsOnCircles) {
  int16_t unit = Circle(1, 1, 1);
  int16_t around = OnHost(Cir(unit), 7);
  int16_t negative = OnHost(Cir(unit), -1);
  int16_t flat = Step("C1", {Pt(Free(0, 0)), Num(Number(0))});
  int16_t onFlat = OnHost(Cir(flat), 1);
  Redraw();
  double t = 7 - kFullTurn;
  EXPECT_POINT_NEAR(1 + std::cos(t), 1 + std::sin(t), P(around), 1e-12);
  EXPECT_NEAR(P(around).Param, t, 1e-12);
  EXPECT_POINT_NEAR(1 + std::cos(-1.0), 1 + std::sin(-1.0), P(negative), 1e-12);
  EXPECT_NEAR(P(negative).Param, kFullTurn - 1, 1e-12);

  // The update says a circle of radius 0 holds no point; the host step then
  // raises it to the circle's Exists again.
  EXPECT_FALSE(UpdatePointOnHost(fig, fig.PtTable[onFlat]));
  EXPECT_EQ(P(onFlat).Exists, 0);
  Redraw();
  EXPECT_EQ(P(onFlat).Exists, kTrue);
}

TEST_F(PointOnHostTest, MissingOrBadHosts) {
  int16_t collapsed = Line(1, 1, 1, 1);
  int16_t onMissing = OnHost(Ln(collapsed), 0.5);
  int16_t target = Free(4, 5);
  int16_t follower = OnHost(Pt(target), 0);
  int16_t lost = OnHost(Cir(40), 0);
  Redraw();
  EXPECT_EQ(L(collapsed).Exists, 0);
  EXPECT_EQ(P(onMissing).Exists, 0);
  EXPECT_POINT_NEAR(4, 5, P(follower), kNear);
  EXPECT_EQ(P(lost).Exists, 0);
}

}  // namespace
}  // namespace plandra::test

namespace plandra::test {
namespace {

TEST_F(RecomputeTest, HostileFiguresNeitherCrashNorLeaveNonFiniteElements) {
  // Random kinds with random, often wrong, references and extreme values.
  uint32_t seed = 12345;
  auto next = [&seed](uint32_t range) {
    seed = seed * 1664525u + 1013904223u;
    return static_cast<int>((seed >> 8) % range);
  };
  auto index = [&next](int range) { return static_cast<int16_t>(next(range) - 3); };
  constexpr int16_t kClasses[] = {-1, 0, 1, 2, 3, 100, 101, 7};
  constexpr double kValues[] = {0, 1, -1, 1e300, -1e300, 0.004, 3, 1e-300};
  for (int figure = 0; figure < 200; ++figure) {
    ResetFigure(fig, 20);
    for (int i = 0; i < 8; ++i) {
      Free(kValues[next(8)], kValues[next(8)]);
      Number(kValues[next(8)]);
    }
    for (int s = 0; s < 20; ++s) {
      auto kind = static_cast<Kind>(1 + next(static_cast<uint32_t>(Kind::kCount) - 1));
      int16_t step = fig.StepCount + 1;
      Step(KindInfoOf(kind).Code, {});
      const KindInfo& info = KindInfoOf(kind);
      for (int k = 1; k <= 5; ++k) {
        int16_t cls = info.InClass[k - 1];
        int count = fig.ElemCount[cls % 100];
        bool sound = cls != kSlotNone && count > 0 && next(4) != 0;
        fig.StepIn[step][k] = sound ? ObjRef{cls, static_cast<int16_t>(1 + next(count))}
                                    : ObjRef{kClasses[next(8)], index(30)};
      }
      if (next(4) == 0) fig.StepOut[step][1].Index = index(40);
    }
    for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
      if (next(3) == 0) {
        PtRec& p = fig.PtTable[i];
        p.BoundMode = kTrue;
        p.HostClass = kClasses[next(8)];
        p.HostIndex = index(30);
        p.Param = kValues[next(8)];
      }
    }
    Redraw();
    ASSERT_LE(fig.PassCount, kMaxMarkSweeps + 1);
    for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
      if (P(i).Exists != 0) {
        EXPECT_TRUE(std::isfinite(P(i).X) && std::isfinite(P(i).Y)) << "figure " << figure;
      }
    }
    for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
      if (L(i).Exists != 0) {
        EXPECT_TRUE(std::isfinite(L(i).X1 + L(i).DX)) << "figure " << figure;
      }
    }
  }
}

}  // namespace
}  // namespace plandra::test
