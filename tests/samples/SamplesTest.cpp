// The sample figures shipped with the program: each must load, recompute
// completely, write back byte for byte, and still show the geometry it was
// drawn for, also after its free points have been moved.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <numbers>
#include <set>
#include <string>
#include <vector>

#include "core/Platform.h"
#include "core/io/FigFileIO.h"
#include "core/language/Multi_lang.h"
#include "core/language/TranslatedText.h"
#include "engine/GeoObj05.h"
#include "figure/EventMark.h"
#include "figure/PDvar05.h"
#include "labels/Labels05.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;

constexpr double kEps = 1e-9;

const std::vector<std::string> kSamples = {
    "triangle.pd4", "euler.pd4",   "ninepoint.pd4", "tangents.pd4", "inversion.pd4",
    "polar.pd4",    "complex.pd4", "linear.pd4",    "affine.pd4",   "projective.pd4",
    "events.pd5"};

// Files beside the figures that an event point of events.pd5 opens.
const std::set<std::string> kEventCompanions = {"events.txt", "events.png"};

fs::path SamplePath(const std::string& name) { return fs::path(PLANDRA_SAMPLES) / name; }

class SampleFigure {
 public:
  explicit SampleFigure(const std::string& name) {
    ResetFigure(fig, 200);
    FigFileResult result = FigFileCoreShown(fig, SamplePath(name), 'R', platform_, lang_);
    loaded_ = result.Status == FigFileStatus::kOk && !result.TriedOlderLayout;
    EXPECT_TRUE(loaded_) << name << ": " << result.Message;
    Recompute();
  }

  bool Loaded() const { return loaded_; }
  void Recompute() { RecomputeForRedraw(fig); }
  // What saving writes: the labels renewed, then the figure file text.
  std::string SavedText(bool& lost) {
    AutoLabels(fig, TranslatedText(lang_));
    return FigFileText(fig, lost);
  }

  PtRec& Point(const std::string& name) { return fig.PtTable[IndexOf(fig.PtTable, 1, name)]; }
  LnRec& Line(const std::string& name) { return fig.LnTable[IndexOf(fig.LnTable, 2, name)]; }
  CirRec& Circle(const std::string& name) { return fig.CirTable[IndexOf(fig.CirTable, 3, name)]; }
  double Number(const std::string& name) {
    return fig.NumTable[IndexOf(fig.NumTable, 0, name)].Value;
  }

  // Drags a free point and redraws, as the deformation mode does.
  void MovePoint(const std::string& name, double x, double y) {
    PtRec& point = Point(name);
    ASSERT_EQ(point.HostClass, 0) << name;
    point.X = x;
    point.Y = y;
    Recompute();
  }

  Figure fig;

 private:
  // Index 0 (never a real element) when no element has the name, so a
  // failed lookup fails the geometry checks instead of crashing.
  template <typename Table>
  int IndexOf(const Table& table, int cls, const std::string& name) {
    for (int i = 1; i <= fig.ElemCount[cls]; ++i) {
      if (table[i].Name == name) return i;
    }
    ADD_FAILURE() << "no element of class " << cls << " named " << name;
    return 0;
  }

  SilentPlatform platform_;
  LangState lang_;
  bool loaded_ = false;
};

double Dist(double x1, double y1, double x2, double y2) { return std::hypot(x2 - x1, y2 - y1); }
double Dist(const PtRec& a, const PtRec& b) { return Dist(a.X, a.Y, b.X, b.Y); }

// Signed distance of (x, y) from the line, positive on its left.
double SignedDist(const LnRec& line, double x, double y) {
  return line.DX * (y - line.Y1) - line.DY * (x - line.X1);
}
double DistFromLine(const LnRec& line, const PtRec& p) {
  return std::abs(SignedDist(line, p.X, p.Y));
}

double Cross(const PtRec& o, const PtRec& a, const PtRec& b) {
  return (a.X - o.X) * (b.Y - o.Y) - (a.Y - o.Y) * (b.X - o.X);
}

// The angle difference brought into (-pi, pi].
double AngleGap(double a, double b) { return std::remainder(a - b, 2 * std::numbers::pi); }

TEST(Samples, EachLoadsRecomputesFullyAndWritesBackTheSameBytes) {
  std::set<std::string> listed(kSamples.begin(), kSamples.end());
  for (const auto& entry : fs::directory_iterator(PLANDRA_SAMPLES)) {
    const std::string name = entry.path().filename().string();
    EXPECT_TRUE(listed.count(name) || kEventCompanions.count(name))
        << entry.path() << " is a sample without a test";
  }
  for (const std::string& name : kSamples) {
    SCOPED_TRACE(name);
    SampleFigure sample(name);
    if (!sample.Loaded()) continue;
    const Figure& fig = sample.fig;
    // Every sample is a figure store as the program keeps it.
    EXPECT_FALSE(fig.PtTable[1].Name.empty());
    EXPECT_GT(fig.StepCount, 0);
    for (int i = 1; i <= fig.ElemCount[0]; ++i) EXPECT_NE(fig.NumTable[i].Exists, 0) << i;
    for (int i = 1; i <= fig.ElemCount[1]; ++i) {
      const PtRec& p = fig.PtTable[i];
      EXPECT_NE(p.Exists, 0) << p.Name;
      // Inside the default window, which shows about 16 by 12 units.
      EXPECT_LT(std::abs(p.X), 14) << p.Name;
      EXPECT_LT(std::abs(p.Y), 10) << p.Name;
    }
    for (int i = 1; i <= fig.ElemCount[2]; ++i) EXPECT_NE(fig.LnTable[i].Exists, 0) << i;
    for (int i = 1; i <= fig.ElemCount[3]; ++i) EXPECT_NE(fig.CirTable[i].Exists, 0) << i;

    // The stored values are the recomputed ones: nothing moves on reading.
    bool lost = false;
    std::string written = sample.SavedText(lost);
    EXPECT_FALSE(lost);
    EXPECT_TRUE(written == test::ReadFileBytes(SamplePath(name)));
  }
}

void ExpectEulerLine(SampleFigure& s) {
  PtRec &o = s.Point("O"), &g = s.Point("G"), &h = s.Point("H"), &n = s.Point("N");
  EXPECT_NEAR(g.X, o.X + (h.X - o.X) / 3, kEps);
  EXPECT_NEAR(g.Y, o.Y + (h.Y - o.Y) / 3, kEps);
  EXPECT_NEAR(n.X, (o.X + h.X) / 2, kEps);
  EXPECT_NEAR(n.Y, (o.Y + h.Y) / 2, kEps);
  EXPECT_NEAR(Cross(o, g, h), 0, kEps);
  EXPECT_NEAR(DistFromLine(s.Line("OH"), g), 0, kEps);
  EXPECT_NEAR(DistFromLine(s.Line("OH"), n), 0, kEps);
  EXPECT_GT(Dist(o, h), 1);  // not the degenerate equilateral case
}

TEST(Samples, EulerLineHoldsTheCentresAndTheCentroidDividesItOneToTwo) {
  SampleFigure s("euler.pd4");
  ExpectEulerLine(s);
  const CirRec& circum = s.Circle("外接円");
  for (const char* v : {"A", "B", "C"}) {
    EXPECT_NEAR(Dist(circum.CX, circum.CY, s.Point(v).X, s.Point(v).Y), circum.R, kEps) << v;
  }
  s.MovePoint("C", 3, 8);
  ExpectEulerLine(s);
}

void ExpectNinePointCircle(SampleFigure& s) {
  const CirRec& nine = s.Circle("九点円");
  const CirRec& circum = s.Circle("外接円");
  EXPECT_NEAR(nine.R, circum.R / 2, kEps);
  for (const char* name : {"L", "M", "N", "D", "E", "F", "P", "Q", "R"}) {
    const PtRec& p = s.Point(name);
    EXPECT_NEAR(Dist(nine.CX, nine.CY, p.X, p.Y), nine.R, kEps) << name;
  }
  // The feet lie on the sides, the altitudes through the orthocentre.
  EXPECT_NEAR(DistFromLine(s.Line("BC"), s.Point("D")), 0, kEps);
  EXPECT_NEAR(DistFromLine(s.Line("CA"), s.Point("E")), 0, kEps);
  EXPECT_NEAR(DistFromLine(s.Line("AB"), s.Point("F")), 0, kEps);
  EXPECT_NEAR(Cross(s.Point("A"), s.Point("D"), s.Point("H")), 0, kEps);
}

TEST(Samples, NinePointCircleHasHalfTheCircumradiusAndHoldsTheNinePoints) {
  SampleFigure s("ninepoint.pd4");
  ExpectNinePointCircle(s);
  s.MovePoint("A", -9, -2);
  ExpectNinePointCircle(s);
}

void ExpectTangents(SampleFigure& s) {
  const CirRec& k1 = s.Circle("K1");
  const CirRec& k2 = s.Circle("K2");
  for (const char* name : {"接線1", "接線2"}) {
    const LnRec& t = s.Line(name);
    EXPECT_NEAR(std::abs(SignedDist(t, k1.CX, k1.CY)), k1.R, kEps) << name;
    EXPECT_NEAR(DistFromLine(t, s.Point("P")), 0, kEps) << name;
  }
  // External tangents leave both centres on one side, internal ones split them.
  for (const char* name : {"外接線1", "外接線2", "内接線1", "内接線2"}) {
    const LnRec& t = s.Line(name);
    double d1 = SignedDist(t, k1.CX, k1.CY), d2 = SignedDist(t, k2.CX, k2.CY);
    EXPECT_NEAR(std::abs(d1), k1.R, kEps) << name;
    EXPECT_NEAR(std::abs(d2), k2.R, kEps) << name;
    bool external = std::string(name).starts_with("外");
    EXPECT_EQ(d1 * d2 > 0, external) << name;
  }
  EXPECT_GT(std::abs(s.Line("外接線1").DX - s.Line("外接線2").DX) +
                std::abs(s.Line("外接線1").DY - s.Line("外接線2").DY),
            1e-3);
  EXPECT_GT(std::abs(s.Line("内接線1").DX - s.Line("内接線2").DX) +
                std::abs(s.Line("内接線1").DY - s.Line("内接線2").DY),
            1e-3);
}

TEST(Samples, TangentLinesLieAtTheRadiusFromTheCentres) {
  SampleFigure s("tangents.pd4");
  ExpectTangents(s);
  s.MovePoint("R2", 6, 2.5);  // a larger second circle
  s.MovePoint("P", 2, 7);
  ExpectTangents(s);
}

void ExpectInverse(SampleFigure& s, const std::string& from, const std::string& to) {
  const CirRec& k = s.Circle("反転円");
  const PtRec& o = s.Point("O");
  const PtRec &p = s.Point(from), &q = s.Point(to);
  EXPECT_NEAR(Dist(o, p) * Dist(o, q), k.R * k.R, kEps) << from;
  EXPECT_NEAR(Cross(o, p, q), 0, kEps) << from;
  EXPECT_GT((p.X - o.X) * (q.X - o.X) + (p.Y - o.Y) * (q.Y - o.Y), 0) << from;
}

TEST(Samples, InversionMultipliesTheDistancesFromTheCentreToTheSquaredRadius) {
  SampleFigure s("inversion.pd4");
  ASSERT_EQ(s.Point("P").HostClass, kClassLine);
  ASSERT_EQ(s.Point("P").BoundMode, kTrue);
  EXPECT_NEAR(DistFromLine(s.Line("ST"), s.Point("P")), 0, kEps);
  for (const char* name : {"P", "A", "B"}) ExpectInverse(s, name, std::string(name) + "'");
  // Sliding P along its line: the image runs on the circle through O that
  // is the inverse of the line, of diameter r^2 / (distance of the line).
  const LnRec& line = s.Line("ST");
  double diameter = 16 / std::abs(SignedDist(line, 0, 0));
  for (double param : {-3.0, 2.0, 11.0}) {
    s.Point("P").Param = param;
    s.Recompute();
    ExpectInverse(s, "P", "P'");
    EXPECT_NEAR(s.Point("P").Param, param, kEps);
    EXPECT_LE(Dist(s.Point("O"), s.Point("P'")), diameter + kEps) << param;
  }
}

TEST(Samples, PoleAndPolarAreDual) {
  SampleFigure s("polar.pd4");
  const CirRec& k = s.Circle("K");
  PtRec &p = s.Point("P"), &pole = s.Point("極");
  EXPECT_NEAR(pole.X, p.X, kEps);
  EXPECT_NEAR(pole.Y, p.Y, kEps);
  // Q on the polar of P, so P is on the polar of Q.
  EXPECT_NEAR(DistFromLine(s.Line("極線"), s.Point("Q")), 0, kEps);
  EXPECT_NEAR(DistFromLine(s.Line("Qの極線"), p), 0, kEps);
  // The polar of an outer point joins the points of contact of its tangents.
  double op = Dist(k.CX, k.CY, p.X, p.Y);
  EXPECT_NEAR(std::abs(SignedDist(s.Line("極線"), k.CX, k.CY)), k.R * k.R / op, kEps);
  for (const char* name : {"T1", "T2"}) {
    const PtRec& t = s.Point(name);
    EXPECT_NEAR(Dist(k.CX, k.CY, t.X, t.Y), k.R, kEps) << name;
    EXPECT_NEAR((t.X - k.CX) * (p.X - t.X) + (t.Y - k.CY) * (p.Y - t.Y), 0, kEps) << name;
  }
}

TEST(Samples, ComplexOperationsMultiplyLengthsAndAddArguments) {
  SampleFigure s("complex.pd4");
  PtRec &a = s.Point("a"), &b = s.Point("b"), &o = s.Point("O");
  auto ExpectOps = [&] {
    PtRec &ab = s.Point("ab"), &q = s.Point("a/b"), &sum = s.Point("a+b");
    PtRec& power = s.Point("b^n");
    double n = s.Number("n");
    EXPECT_NEAR(Dist(o, ab), Dist(o, a) * Dist(o, b), kEps);
    EXPECT_NEAR(AngleGap(std::atan2(ab.Y, ab.X), std::atan2(a.Y, a.X) + std::atan2(b.Y, b.X)), 0,
                kEps);
    EXPECT_NEAR(Dist(o, q) * Dist(o, b), Dist(o, a), kEps);
    EXPECT_NEAR(AngleGap(std::atan2(q.Y, q.X), std::atan2(a.Y, a.X) - std::atan2(b.Y, b.X)), 0,
                kEps);
    EXPECT_NEAR(sum.X, a.X + b.X, kEps);
    EXPECT_NEAR(sum.Y, a.Y + b.Y, kEps);
    EXPECT_NEAR(Dist(o, power), std::pow(Dist(o, b), n), kEps);
    EXPECT_NEAR(AngleGap(std::atan2(power.Y, power.X), n * std::atan2(b.Y, b.X)), 0, kEps);
  };
  EXPECT_TRUE(s.fig.ComplexOpsUsed);
  EXPECT_DOUBLE_EQ(s.Number("n"), 3);
  ExpectOps();
  s.MovePoint("a", -0.8, 1.1);
  s.MovePoint("b", -0.3, -0.7);
  ExpectOps();
}

// The image point is the matrix of the named entries A(i,j) times the point,
// in homogeneous coordinates for the affine and projective maps.
void ExpectImageIsMatrixTimesPoint(SampleFigure& s, int size) {
  auto A = [&](int i, int j) {
    return s.Number("A(" + std::to_string(i) + "," + std::to_string(j) + ")");
  };
  const PtRec& p = s.Point("P");
  const PtRec& image = s.Point("φ(P)");
  double x = A(1, 1) * p.X + A(1, 2) * p.Y;
  double y = A(2, 1) * p.X + A(2, 2) * p.Y;
  if (size == 3) {
    double w = A(3, 1) * p.X + A(3, 2) * p.Y + A(3, 3);
    x = (x + A(1, 3)) / w;
    y = (y + A(2, 3)) / w;
  }
  EXPECT_NEAR(image.X, x, 1e-8);
  EXPECT_NEAR(image.Y, y, 1e-8);
}

TEST(Samples, TransformationMacrosMapThePointByTheirMatrix) {
  {
    SCOPED_TRACE("linear");
    SampleFigure s("linear.pd4");
    ExpectImageIsMatrixTimesPoint(s, 2);
    s.MovePoint("Q2", -1, 3);
    s.MovePoint("P", 2, -1);
    ExpectImageIsMatrixTimesPoint(s, 2);
    // The matrix takes the basis points to their images.
    EXPECT_NEAR(s.Number("A(1,2)"), -1, kEps);
    EXPECT_NEAR(s.Number("A(2,2)"), 3, kEps);
  }
  {
    SCOPED_TRACE("affine");
    SampleFigure s("affine.pd4");
    ExpectImageIsMatrixTimesPoint(s, 3);
    s.MovePoint("Q3", 5, 3);
    s.MovePoint("P", -3, 1);
    ExpectImageIsMatrixTimesPoint(s, 3);
    EXPECT_NEAR(s.Number("A(3,1)"), 0, kEps);
    EXPECT_NEAR(s.Number("A(3,2)"), 0, kEps);
  }
  {
    SCOPED_TRACE("projective");
    SampleFigure s("projective.pd4");
    ExpectImageIsMatrixTimesPoint(s, 3);
    s.MovePoint("Q3", 7, 5);
    s.MovePoint("P", -5, 3);
    ExpectImageIsMatrixTimesPoint(s, 3);
    EXPECT_GT(std::abs(s.Number("A(3,1)")) + std::abs(s.Number("A(3,2)")), 1e-3);
  }
}

TEST(Samples, EventPointsOpenWhatLiesBesideTheFigure) {
  SampleFigure sample("events.pd5");
  std::set<int16_t> kinds;
  std::set<std::string> opened;
  for (int i = 1; i <= sample.fig.ElemCount[kClassPoint]; ++i) {
    const PtRec& pt = sample.fig.PtTable[i];
    kinds.insert(pt.EventKind);
    switch (pt.EventKind) {
      case kEventMemo: opened.insert(pt.EventText + ".txt"); break;
      case kEventPicture: opened.insert(pt.EventText); break;
      case kEventFigure:
        // No ".pd5" of that name: the ".pd4" one opens.
        EXPECT_FALSE(fs::exists(SamplePath(pt.EventText + ".pd5")));
        EXPECT_TRUE(fs::exists(SamplePath(pt.EventText + ".pd4"))) << pt.EventText;
        break;
      default: break;
    }
  }
  EXPECT_EQ(kinds, (std::set<int16_t>{kEventNone, kEventMessageBox, kEventMessage, kEventPicture,
                                      kEventMemo, kEventFigure}));
  EXPECT_EQ(opened, kEventCompanions);
  for (const std::string& name : opened) EXPECT_TRUE(fs::exists(SamplePath(name))) << name;
}

}  // namespace
}  // namespace plandra
