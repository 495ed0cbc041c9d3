// The interaction-mode stack: every command pushes its mode on entry and
// pops it on every exit path.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "core/Platform.h"

namespace plandra {

constexpr int kModeStackTop = 100;

struct ModeState {
  std::array<int16_t, kModeStackTop + 1> ModeStack{};
  int16_t Depth = 0;
};

// Pushes mode, or pops with -1. A pop at depth below 2 and a push beyond the
// stack's top only beep.
void ModePush(ModeState& modes, int16_t mode, Platform& platform);
void ModePop(ModeState& modes, Platform& platform);
// The mode in force; empty at depth 0.
std::optional<int16_t> ModeTop(const ModeState& modes);
// ModeTop, or 0 at depth 0, for comparisons.
int16_t CurrentMode(const ModeState& modes);

}  // namespace plandra
