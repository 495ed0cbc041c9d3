// The samples of the table over the plane: the number's value with the point
// placed at each grid position in turn, spread over the machine's cores.
#pragma once

#include <utility>
#include <vector>

#include "core/locus/PlaneTable.h"
#include "figure/PDvar05.h"

namespace plandra {

// Sample i of the grid: row by row from the bottom, each row from the left.
std::pair<int, int> GridColumnRow(const PlaneGrid& grid, long i);

// The point placed at (x, y) and the figure recomputed as a move's redraw
// recomputes it, silently.
void PlaceOnPlane(Figure& fig, int point, double x, double y);

// The value of number at samples begin..end-1, as placing the point at one
// after the other gives; fig is left as the last of them leaves it. threads
// 0: one a core.
std::vector<double> PlaneSampleValues(Figure& fig, const PlaneGrid& grid, int point, int number,
                                      long begin, long end, int threads = 0);

}  // namespace plandra
