#include "core/Modes.h"

namespace plandra {

void ModePush(ModeState& modes, int16_t mode, Platform& platform) {
  if (mode == -1) {
    ModePop(modes, platform);
    return;
  }
  if (modes.Depth >= kModeStackTop) {
    platform.Beep();
    return;
  }
  ++modes.Depth;
  modes.ModeStack[modes.Depth] = mode;
}

void ModePop(ModeState& modes, Platform& platform) {
  if (modes.Depth < 2) {
    platform.Beep();
    return;
  }
  modes.ModeStack[modes.Depth] = 0;
  --modes.Depth;
}

std::optional<int16_t> ModeTop(const ModeState& modes) {
  if (modes.Depth <= 0) return std::nullopt;
  return modes.ModeStack[modes.Depth];
}

int16_t CurrentMode(const ModeState& modes) { return ModeTop(modes).value_or(0); }

}  // namespace plandra
