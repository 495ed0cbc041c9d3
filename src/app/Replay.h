// The construction replay: the free points first, then each step's results
// in red while status panel 3 names the step.
#pragma once

#include <cstdint>

namespace plandra {

struct Program;
constexpr int kReplayFallbackIntervalMs = 300;

// 1 starts the replay, 0 shows the next step, -1 ends it.
void ReplayFigure(Program& p, int argument);
void mnuFigData_Redraw(Program& p);
// A key in the replay mode: Esc ends it, any other key steps by hand.
void ReplayKeyDown(Program& p, int16_t key);

}  // namespace plandra
