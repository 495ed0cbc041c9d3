// The program's one refresh: recompute the figure, draw it, refresh the mode
// display. The renderer below only draws what it is given.
#pragma once

#include "engine/MapEval.h"
#include "view/PDDraw05.h"

namespace plandra {

struct Program;
class Platform;

// The host's platform, or a silent one for headless runs without a host.
Platform& HostOf(Program& p);

// What the renderer reads of the program; numberList and layers may be null.
RenderContext RenderContextOf(Program& p,
                              const std::vector<ScreenNumberLine>* numberList = nullptr);

// The Data Viewer as the map steps of the program's recompute write to it.
MatrixDisplay MatrixDisplayOf(Program& p);

// Recomputes the whole figure, draws it and refreshes the mode display.
void Redraw(Program& p);
// A step of a drag or of a number variation: draws the figure as the
// caller's recompute (with the marks set when the move began) left it.
void RedrawAfterMove(Program& p);
// The figure as it stands drawn again for the sampled loci the last frame
// left for later: nothing is recomputed and the record gets no row.
void DrawLociLeftForLater(Program& p);
// Draws until no sampled locus waits for a later frame: a picture that
// leaves the window holds every curve.
void CompleteSampledLoci(Program& p);

// One element as the renderer draws it (the replay shows steps this way).
void DrawElement(Program& p, ObjRef ref, int16_t c, int16_t source);
// The grid alone, over what is drawn.
void DrawAxes(Program& p);
RgbColor ColorOf(Program& p, int16_t number);
// The overlay of highlights alone, on top of what is drawn.
void DrawHighlights(Program& p);

}  // namespace plandra
