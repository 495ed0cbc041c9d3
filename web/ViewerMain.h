// What the viewer's module shares with its other exports (the event
// points'): the figure behind a handle, and the text handed to the page.
#pragma once

#include <cstddef>
#include <string>

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

// One line an element (points, lines, circles, shown numbers), fields
// separated by tabs: class letter, index, name, the kind of the step that
// made it, its inputs' names, and its place or value with decimals (a
// circle's radius in a field of its own); empty values for one that does not
// exist.
std::string FigureDescription(const Figure& fig, int decimals);

// The text the page reads next through reply_text and reply_length; its
// length in bytes.
size_t SetReply(std::string text);
const std::string& Reply();

}  // namespace plandra
