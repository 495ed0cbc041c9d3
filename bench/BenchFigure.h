// The program set up as the window starts it, for the window benchmarks.
#pragma once

#include "core/Program.h"
#include "core/ViewCommands.h"
#include "support/FigureBuilder.h"
#include "view/PDDraw05.h"
#include "view/Surface.h"

namespace plandra {

// The program in the standard mode with the axes shown, drawing the large
// figure into that surface, as the window starts it.
inline void SetUpLargeFigure(Program& p, Surface& surface, Platform& platform) {
  p.Canvas = &surface;
  p.Host = &platform;
  ResetFigure(p.Fig, 200);
  ModePush(p.Modes, kModeStandard, platform);
  p.Config.AxisShow = kTrue;
  ApplyDisplaySettings(p.Config, p.Canvas);
  SetScreen(p);
  test::BuildLargeFigure(p.Fig);
}

}  // namespace plandra
