// The figure told as text for the description a page keeps beside its
// canvas, in the viewer and in the program alike.
#pragma once

#include <string>

#include "figure/PDvar05.h"

namespace plandra {

// One line an element (points, lines, circles, shown numbers), fields
// separated by tabs: class letter, index, name, the kind of the step that
// made it, its inputs' names, and its place or value with decimals (a
// circle's radius in a field of its own); empty values for one that does not
// exist.
std::string FigureDescription(const Figure& fig, int decimals);

}  // namespace plandra
