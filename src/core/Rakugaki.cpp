#include "core/Rakugaki.h"

#include "core/InputEvent.h"
#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "view/PDDraw05.h"

namespace plandra {

void mnuRakugaki(Program& p) {
  ModePush(p.Modes, kModeScribble, *p.Host);
  RefreshModeDisplay(p);
}

void ScribbleMouseDown(Program& p, double x, double y) {
  p.Scribble.PenDown = -1;
  if (p.Canvas) p.Canvas->Pixel(x, y, p.Scribble.ScribbleColor);
  p.Scribble.PenX = x;
  p.Scribble.PenY = y;
}

void ScribbleMouseMove(Program& p, double x, double y) {
  if (!p.Scribble.PenDown) return;
  if (p.Canvas) p.Canvas->Line(p.Scribble.PenX, p.Scribble.PenY, x, y, p.Scribble.ScribbleColor);
  p.Scribble.PenX = x;
  p.Scribble.PenY = y;
}

void ScribbleMouseUp(Program& p) { p.Scribble.PenDown = 0; }

void ScribbleKeyDown(Program& p, int16_t key) {
  if (key != kKeyEscape) return;
  p.Scribble.PenDown = 0;
  ModePop(p.Modes, *p.Host);
  RefreshModeDisplay(p);
  Redraw(p);
}

void ChooseScribbleColor(Program& p) {
  if (std::optional<RgbColor> color = p.Host->ColorDialog(p.Scribble.ScribbleColor)) {
    p.Scribble.ScribbleColor = *color;
  }
}

}  // namespace plandra
