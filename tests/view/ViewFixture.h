// A program on a recording surface of 641 x 481 pixels (HalfWidth 16,
// HalfHeight 12 at the standard zoom) in the standard mode.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>

#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "support/RecordingSurface.h"
#include "support/ScriptedPlatform.h"
#include "support/TestHelpers.h"
#include "view/PDDraw05.h"

namespace plandra::test {

class ViewTest : public ::testing::Test {
 protected:
  ViewTest() {
    p.Canvas = &surface;
    p.Host = &platform;
    p.Folders.Folder = temp.Path();
    ResetFigure(p.Fig, 200);
    ModePush(p.Modes, kModeStandard, platform);
    SetScreen(p);
    surface.Calls.clear();
  }

  // What the renderer is given of p, taken afresh for each call.
  RenderContext& Ctx() {
    context.emplace(RenderContextOf(p));
    return *context;
  }

  std::vector<SurfaceCall> Lines() const { return surface.Of(CallKind::kLine); }
  std::vector<SurfaceCall> Circles() const { return surface.Of(CallKind::kCircle); }
  std::vector<SurfaceCall> Texts() const { return surface.Of(CallKind::kText); }

  // A line element straight from its two points.
  int16_t AddLine(double x1, double y1, double x2, double y2, int16_t kind) {
    ReserveElement(p.Fig, kClassLine);
    int16_t index = p.Fig.ElemCount[kClassLine];
    LnRec& ln = p.Fig.LnTable[index];
    double len = std::hypot(x2 - x1, y2 - y1);
    ln.X1 = x1;
    ln.Y1 = y1;
    ln.X2 = x2;
    ln.Y2 = y2;
    ln.Exists = kTrue;
    ln.LineKind = kind;
    ln.DX = (x2 - x1) / len;
    ln.DY = (y2 - y1) / len;
    ln.Color = kColorBlack;
    return index;
  }

  TempDir temp;
  RecordingSurface surface{641, 481};
  ScriptedPlatform platform;
  Program p;
  std::optional<RenderContext> context;
};

constexpr RgbColor kBlack{0, 0, 0};
constexpr RgbColor kWhite{255, 255, 255};

}  // namespace plandra::test
