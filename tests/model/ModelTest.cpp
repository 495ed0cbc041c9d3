// The model on its own: a sample figure read, recomputed and drawn with
// nothing but the model library, as a viewer without the program would.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/GeoObj05.h"
#include "figure/PDvar05.h"
#include "persist/PDio05_read.h"
#include "persist/Settings.h"
#include "support/RecordingSurface.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

constexpr double kEps = 1e-9;

// The triangle sample: A, B, C free; the sides, the circles through and in
// the triangle, the medians through the side midpoints and the centroid G.
class TriangleModel : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFigure(fig, 200);
    // The sample is plain ASCII: its bytes are its text.
    std::ifstream file(std::filesystem::path(PLANDRA_SAMPLES) / "triangle.pd4", std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    ASSERT_FALSE(text.empty());
    FigTextReadResult result = ReadFigureText(fig, text, 'R', "triangle.pd4");
    ASSERT_TRUE(result.Ok) << result.Message;
    ASSERT_GE(fig.ElemCount[kClassPoint], 7);
    ASSERT_GE(fig.ElemCount[kClassCircle], 1);
  }

  const PtRec& Pt(int16_t index) const { return fig.PtTable[index]; }
  const PtRec& Centroid() const { return Pt(7); }

  void ExpectCentroidOfVertices() const {
    EXPECT_NEAR(Centroid().X, (Pt(1).X + Pt(2).X + Pt(3).X) / 3, kEps);
    EXPECT_NEAR(Centroid().Y, (Pt(1).Y + Pt(2).Y + Pt(3).Y) / 3, kEps);
  }

  std::vector<test::SurfaceCall> Drawn(test::CallKind kind) const { return surface.Of(kind); }

  void Draw() {
    ViewState view;
    SetScreen(view, &surface);
    ApplyDisplaySettings(config, &surface);
    RenderContext context{fig, view, draw, config, &surface};
    DrawFrame(context);
  }

  bool DrewLine(const PtRec& a, const PtRec& b) const {
    auto near = [](double x, double y, const PtRec& p) {
      return std::abs(x - p.X) < 1e-6 && std::abs(y - p.Y) < 1e-6;
    };
    for (const test::SurfaceCall& l : Drawn(test::CallKind::kLine)) {
      if ((near(l.X1, l.Y1, a) && near(l.X2, l.Y2, b)) ||
          (near(l.X1, l.Y1, b) && near(l.X2, l.Y2, a))) {
        return true;
      }
    }
    return false;
  }

  Figure fig;
  test::RecordingSurface surface{321, 241};
  DrawState draw;
  Settings config;
};

TEST_F(TriangleModel, RecomputePlacesTheCentroidAndFollowsAMovedVertex) {
  PtRec& g = fig.PtTable[7];
  g.X = 99;
  g.Y = 99;
  RecomputeForRedraw(fig);
  ExpectCentroidOfVertices();
  EXPECT_NE(Centroid().X, 99);

  fig.PtTable[2].X += 3;
  fig.PtTable[2].Y -= 1;
  RecomputeForRedraw(fig);
  ExpectCentroidOfVertices();
}

TEST_F(TriangleModel, DrawsTheSidesTheCircleThroughTheVerticesAndTheNames) {
  RecomputeForRedraw(fig);
  Draw();

  EXPECT_TRUE(DrewLine(Pt(1), Pt(2)));
  EXPECT_TRUE(DrewLine(Pt(2), Pt(3)));
  EXPECT_TRUE(DrewLine(Pt(3), Pt(1)));

  // A circle at the same distance from the three vertices, at that distance.
  bool throughVertices = false;
  for (const test::SurfaceCall& c : Drawn(test::CallKind::kCircle)) {
    bool fits = true;
    for (int16_t v = 1; v <= 3; ++v) {
      fits = fits && std::abs(std::hypot(Pt(v).X - c.X1, Pt(v).Y - c.Y1) - c.X2) < 1e-6;
    }
    throughVertices = throughVertices || fits;
  }
  EXPECT_TRUE(throughVertices);

  // Each vertex's name just above and right of it.
  for (int16_t v = 1; v <= 3; ++v) {
    std::string name(TrimRight(Pt(v).Name));
    bool placed = false;
    for (const test::SurfaceCall& t : Drawn(test::CallKind::kText)) {
      double dx = t.X1 - Pt(v).X, dy = t.Y1 - Pt(v).Y;
      placed = placed || (t.Text == name && dx > 0 && dx < 1 && dy > 0 && dy < 2);
    }
    EXPECT_TRUE(placed) << name;
  }
}

}  // namespace
}  // namespace plandra

namespace plandra {
namespace {

// The model reads text already decoded: names keep their characters, and a
// fault comes back as a result that leaves the open figure as it was.
TEST(ModelReader, ReadsDecodedTextAndReportsFaultsWithoutTouchingTheFigure) {
  const std::string text =
      "1\r\n\"PNEW\"\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n1,1\r\n0,0\r\n0,0\r\n0,0\r\n0,0\r\n"
      "0\r\n1\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n0\r\n"
      "1.5,-2,0,0,1,1,-1,0,0,0,\"点Ａ\"\r\n";
  Figure fig;
  ResetFigure(fig, 20);
  FigTextReadResult read = ReadFigureText(fig, text, 'R', "one.pd4");
  ASSERT_TRUE(read.Ok) << read.Message;
  ASSERT_EQ(fig.ElemCount[kClassPoint], 1);
  EXPECT_EQ(TrimRight(fig.PtTable[1].Name), "点Ａ");
  EXPECT_EQ(fig.PtTable[1].X, 1.5);

  std::string broken = text;
  broken.replace(broken.find("1.5"), 3, "x.5");
  FigTextReadResult failed = ReadFigureText(fig, broken, 'R', "one.pd4");
  EXPECT_FALSE(failed.Ok);
  EXPECT_EQ(failed.Line, 24);
  EXPECT_NE(failed.Message.find("one.pd4: line 24: point 1: expected a number, found \"x.5\""),
            std::string::npos)
      << failed.Message;
  EXPECT_EQ(fig.PtTable[1].X, 1.5);  // the figure read before stays

  FigTextReadResult cut = ReadFigureText(fig, text.substr(0, text.size() - 3), 'R', "one.pd4");
  EXPECT_FALSE(cut.Ok);
  EXPECT_NE(cut.Message.find("no closing quote"), std::string::npos) << cut.Message;
}

}  // namespace
}  // namespace plandra
