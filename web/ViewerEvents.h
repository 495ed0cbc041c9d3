// The event points of the web viewer: what a press on the canvas reaches and
// what the page may safely show of it. The page only presents; the program's
// own rules decide.
#pragma once

#include "figure/PDvar05.h"
#include "view/PDDraw05.h"

namespace plandra {

// The figure, view and drawing state behind a viewer's handle, or nulls for
// none.
struct ViewerFigure {
  const Figure* Fig = nullptr;
  const ViewState* View = nullptr;
  DrawState* Draw = nullptr;
};
ViewerFigure ViewerFigureOf(int handle);

}  // namespace plandra
