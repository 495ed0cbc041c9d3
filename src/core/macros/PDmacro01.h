// The three macros that add a ready-made demonstration of a map of the plane
// to the figure; the maps themselves are evaluated by the recompute
// (engine/MapEval.h).
#pragma once

#include "engine/MapEval.h"
#include "figure/PDvar05.h"

namespace plandra {

// The macros: each appends its free points, segments, the map step(s), the
// image point and the named matrix entries, and returns false (figure
// unchanged) when the store cannot take them. The menu commands follow each
// with hiding the number labels and a redraw.
bool MacroLinear(Figure& fig);
bool MacroAffine(Figure& fig);
bool MacroProjective(Figure& fig);

}  // namespace plandra
