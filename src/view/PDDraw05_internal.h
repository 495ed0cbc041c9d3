// Helpers shared by the renderer's files.
#pragma once

#include "view/PDDraw05.h"

namespace plandra::draw_internal {

RgbColor BackgroundOf(const RenderContext& r);

// The window in world units, widened by a margin of pixels on every side.
ClipRect WindowRect(const RenderContext& r, double marginPixels);

}  // namespace plandra::draw_internal
