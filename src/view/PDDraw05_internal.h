// Helpers shared by the renderer's files.
#pragma once

#include "app/Program.h"

namespace plandra::draw_internal {

// The host's platform, or a silent one for headless runs without a host.
Platform& HostOf(Program& p);

RgbColor BackgroundOf(const Program& p);

// The window in world units, widened by a margin of pixels on every side.
ClipRect WindowRect(const Program& p, double marginPixels);

}  // namespace plandra::draw_internal
