// The window's surface keeps the background, grid and traces of a frame and
// draws only the traces added since over them: every frame must show what
// drawing it all anew shows.
#include <gtest/gtest.h>

#include <QImage>
#include <cmath>

#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/locus/PdLocus.h"
#include "qt/drawing/QtSurface.h"
#include "support/FigureBuilder.h"
#include "support/ScriptedPlatform.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

int DifferingPixels(const QImage& a, const QImage& b) {
  if (a.size() != b.size()) return a.width() * a.height();
  int differing = 0;
  for (int row = 0; row < a.height(); ++row) {
    for (int column = 0; column < a.width(); ++column) {
      differing += a.pixel(column, row) != b.pixel(column, row);
    }
  }
  return differing;
}

class TraceLayerTest : public ::testing::Test {
 protected:
  TraceLayerTest() {
    p.Host = &platform;
    p.Canvas = &kept;
    ResetFigure(p.Fig, 200);
    ModePush(p.Modes, kModeStandard, platform);
    p.Config.AxisShow = kTrue;
    ApplyDisplaySettings(p.Config, p.Canvas);
    SetScreen(p);
    a = test::AddFreePoint(p.Fig, -3, -2);
    b = test::AddFreePoint(p.Fig, 4, 1);
    line = test::AddStep(p.Fig, "L1", {test::PointRef(a), test::PointRef(b)});
    circle = test::AddStep(p.Fig, "C2", {test::PointRef(a), test::PointRef(b)});
    WireLocusLayer(p);
    p.Locus.LocusOn = kTrue;
  }

  // Rings, crosses and single pixels along a spiral, as drags leave them.
  void LeavePointTraces(int count) {
    for (int i = 0; i < count; ++i, ++left) {
      LeavePointTrace((1 + left * 0.05) * std::cos(left * 0.4),
                      (1 + left * 0.05) * std::sin(left * 0.4));
    }
  }
  void LeavePointTrace(double x, double y) {
    PtRec pt;
    pt.X = x;
    pt.Y = y;
    pt.Color = pt.Style = static_cast<int16_t>(1 + left % 6);
    pt.Exists = kTrue;
    const int16_t marks[] = {kMarkDragged, kMarkCircle, kMarkCross, kMarkPixel};
    pt.Mark = marks[left % 4];
    AppendTracePoint(p.Locus, pt);
  }

  // A frame with the kept beginning, then the same frame drawn anew on a
  // surface of the same size.
  void ExpectSameAsDrawnAnew(const char* when) {
    p.Canvas = &kept;
    Redraw(p);
    const QImage withLayer = kept.Image().copy();
    const RenderLayers layers = p.Layers;
    p.Layers.TraceState = nullptr;
    p.Canvas = &anew;
    anew.Resize(kept.PixelWidth(), kept.PixelHeight());
    SetScreen(p);
    Redraw(p);
    EXPECT_EQ(DifferingPixels(withLayer, anew.Image()), 0) << when;
    p.Layers = layers;
    p.Canvas = &kept;
  }

  QtSurface kept{320, 240};
  QtSurface anew{320, 240};
  test::ScriptedPlatform platform;
  Program p;
  int16_t a = 0, b = 0, line = 0, circle = 0;
  int left = 0;
};

TEST_F(TraceLayerTest, EveryFrameShowsWhatDrawingAnewShows) {
  LeavePointTraces(40);
  ExpectSameAsDrawnAnew("first traces");
  ExpectSameAsDrawnAnew("nothing new");
  LeavePointTraces(40);
  ExpectSameAsDrawnAnew("points added");
  p.Fig.LnTable[line].Style = 4;
  AddTrace(p, {kClassLine, line});
  ExpectSameAsDrawnAnew("a line added over the points");
  p.Fig.CirTable[circle].Style = 5;
  AddTrace(p, {kClassCircle, circle});
  ExpectSameAsDrawnAnew("a circle added");
  // The line moves away from its trace; new point traces on that trace go
  // beneath it, as every point trace does.
  p.Fig.PtTable[a].Y = 3;
  ExpectSameAsDrawnAnew("the line moved");
  for (double t : {0.2, 0.45, 0.7}) LeavePointTrace(-3 + 7 * t, -2 + 3 * t);
  ExpectSameAsDrawnAnew("points added beneath the line and circle");
  p.View.PixelSize *= 0.8;
  SetScreen(p);
  ExpectSameAsDrawnAnew("zoomed in");
  p.View.AxisKind = 1;
  ExpectSameAsDrawnAnew("the polar grid");
  p.Config.BackColor = Rgb(255, 255, 200);
  ExpectSameAsDrawnAnew("another background");
  ClearTraces(p.Locus);
  ExpectSameAsDrawnAnew("traces cleared");
  LeavePointTraces(10);
  ExpectSameAsDrawnAnew("traces after clearing");
  Redraw(p);  // a frame still to be played when the window grows
  kept.Resize(400, 260);
  SetScreen(p);
  LeavePointTraces(5);
  ExpectSameAsDrawnAnew("a larger window");
}

}  // namespace
}  // namespace plandra
