// What the message window of event points shows, for every front end: the
// pale background of a point's colour under a text, the window's own words,
// the largest picture it reads and the size it takes for a picture.
#pragma once

#include <cstddef>
#include <string>

namespace plandra {

struct LangState;

// A picture file larger than this is not read.
inline constexpr size_t kMaxMessagePictureBytes = size_t{256} << 20;

struct MessageWindowTexts {
  std::string Caption;  // the window's title
  std::string Dismiss;  // the button that puts it away
};

MessageWindowTexts MessageTexts(LangState& lang);

// "#rrggbb": pale after the point colours 1..7 (red, green, yellow, blue,
// purple, light blue, black), so that black text stays readable; white for
// any other colour.
std::string MessageBackground(int clr);

struct WindowSize {
  int Width = 0;
  int Height = 0;
};

// The window's size for a picture of the given size, room for its button
// included, never larger than a screen of a classroom projector.
WindowSize MessagePictureWindow(int pictureWidth, int pictureHeight);

}  // namespace plandra
