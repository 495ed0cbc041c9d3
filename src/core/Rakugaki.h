// Scribble: free-hand strokes straight onto the drawing surface in mode 70.
// They are no part of the figure; the next redraw erases them.
#pragma once

#include <cstdint>

#include "view/Surface.h"

namespace plandra {

struct Program;

struct ScribbleState {
  RgbColor ScribbleColor{};  // black until the user chooses; kept for the run
  int16_t PenDown = 0;       // flag
  // The surface's current drawing position: where the last stroke ended.
  double PenX = 0;
  double PenY = 0;
};

// Pushes the scribble mode.
void mnuRakugaki(Program& p);
void ScribbleMouseDown(Program& p, double x, double y);
void ScribbleMouseMove(Program& p, double x, double y);
void ScribbleMouseUp(Program& p);
// Esc leaves the mode and redraws; other keys do nothing.
void ScribbleKeyDown(Program& p, int16_t key);
// The colour dialog; cancelling keeps the colour.
void ChooseScribbleColor(Program& p);

}  // namespace plandra
