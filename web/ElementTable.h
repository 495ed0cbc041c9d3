// The positions and states of a figure's elements as plain text, one element
// a line, reals in full precision: the web viewer and the program's own move
// step print it so that a test can compare the two exactly.
#pragma once

#include <string>

#include "curves/TraceLists.h"
#include "figure/PDvar05.h"

namespace plandra {

// "P index x y exists", "L index x1 y1 x2 y2 exists", "C index cx cy r
// exists", "N index value exists".
std::string ElementTableText(const Figure& fig);

// The traces from the oldest to the newest of each class: "p colour x y
// mark", "l colour x1 y1 dx dy 0", "c colour cx cy r 0".
std::string TraceTableText(const LocusState& locus);

}  // namespace plandra
