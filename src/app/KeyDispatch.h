// Key-down on the main window, dispatched by the mode in force.
#pragma once

#include <cstdint>

namespace plandra {

struct Program;

// Key codes as the window hands them over (the platform's virtual keys).
constexpr int16_t kKeyEnter = 13;
constexpr int16_t kKeyEscape = 27;

enum class KeyResult {
  kHandled,
  kNotHandled,  // the mode's keys belong to a command not in the program yet
};

KeyResult KeyDown(Program& p, int16_t key, bool shift);

}  // namespace plandra
