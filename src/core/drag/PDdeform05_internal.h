// Pieces of the drag deformation shared by its source files.
#pragma once

#include <cstdint>
#include <vector>

#include "core/drag/PDdeform05.h"

namespace plandra {

// MarkDependencies once after a deformation command.
void FirstMoveAnalysis(Program& p, ObjRef moved);
// UpdatePointOnHost; beeps when the point had to be held at an end.
void PlaceOnHostWithBeep(Program& p, PtRec& pt);
// DeformStep in pixels; a 0 from the settings is stored as 10.
int16_t KeyStepPixels(Program& p);
// The chosen points of the multi-point deformation that name points.
std::vector<int> ChosenPoints(const Program& p);

}  // namespace plandra
