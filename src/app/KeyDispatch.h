// Key-down on the main window, dispatched by the mode in force.
#pragma once

#include <cstdint>

#include "core/InputEvent.h"

namespace plandra {

struct Program;

enum class KeyResult {
  kHandled,
  kNotHandled,  // the mode's keys belong to a command not in the program yet
};

KeyResult KeyDown(Program& p, int16_t key, bool shift);

}  // namespace plandra
