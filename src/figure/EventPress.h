// What a click near event points does, as far as the figure decides it: how
// near the click is to each point, which points act at that reach, and what a
// "!>" file names. The window and the published page share it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDtype05.h"
#include "figure/PDvar05.h"

namespace plandra {

// 1 when the mouse lies within 3 pixels of the point, 2 within 5, 3 within
// 10 (each radius times the square root of hitSize), else 0.
int16_t EventHitLevel(double mouseX, double mouseY, const PtRec& pt, double pixelSize,
                      int16_t hitSize);

// Messages and pictures open only when the click is on the point (level 1);
// memos, documents, address files and figures at any level within reach.
bool EventActsAt(int16_t code, int16_t level);

struct EventHit {
  int Point = 0;       // the point's index
  int16_t Code = 0;    // its EventKind, with +10 when hidden
  int16_t Level = 0;   // 1..3, as EventHitLevel
  int16_t Color = 0;   // the point's colour: a message's background
  std::string Target;  // its EventText
};

// Every existing event point within reach of (x, y), in index order.
std::vector<EventHit> EventHitsAt(const Figure& fig, double x, double y, double pixelSize,
                                  int16_t hitSize);

// The target with extension (".txt", ".pd5") when its file name ("\" and
// "/" both separate folders) has none.
std::string WithExtension(std::string_view target, std::string_view extension);

// The file beside the figure that an event of the code shows: the picture,
// the memo or the "!>" file (".txt" added when the name has no extension);
// empty for the other codes.
std::string EventFileName(int16_t code, std::string_view target);

// The line a "!>" file names: its first line that is not blank, trimmed.
std::string FirstNonBlankLine(std::string_view text);

}  // namespace plandra
