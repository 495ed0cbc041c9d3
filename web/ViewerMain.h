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

// The text the page reads next through reply_text and reply_length; its
// length in bytes.
size_t SetReply(std::string text);
const std::string& Reply();

}  // namespace plandra
