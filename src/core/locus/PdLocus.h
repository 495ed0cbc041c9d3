// Loci: the traces elements leave while the figure is deformed with the
// locus switch on, and the switch itself.
#pragma once

#include <cstdint>

#include "curves/TraceLists.h"
#include "figure/PDtype05.h"
#include "view/PDDraw05.h"

namespace plandra {

struct Program;
struct RenderContext;

// DrawElement overrides: the locus colour, and the background colour.
constexpr int16_t kOverrideLocus = 10;
constexpr int16_t kOverrideErase = 20;

// Draws the element where it stands, in its locus colour with the switch on
// (and keeps a copy when that colour is set) or in the background colour.
void AddTrace(Program& p, ObjRef ref);
// Hands DrawTraces and the sampled loci to the renderer's layers; the program object must stay
// where it is from then on. A frame sweeps at most locusWorkPerFrame of the
// loci (0: all of them) and the window draws the rest in the frames after.
void WireLocusLayer(Program& p, double locusWorkPerFrame = 0);
// The pause before one of those frames: the window takes what the user does first.
constexpr int kLocusTickMs = 1;

// The traced elements before a move, none with the switch off.
TraceWatch WatchTracedElements(const Program& p, int excludedPoint);
void TraceMovedElements(Program& p, const TraceWatch& watch);

// mnuLocusSW: flips the switch and shows it in panel 3 and the menu.
// Panel 3 and the menu check show the switch, in the interface language.
void ShowLocusSwitch(Program& p);
void ToggleLocus(Program& p);
// mnuLocusReset: the traces cleared, the record restarted, the figure redrawn.
void mnuLocusReset(Program& p);
// A new figure: no traces, and a fresh record.
void ResetLocus(Program& p);
// mnuLocusSetN: the number chooser in mode 71; mnuLocusNumClear forgets it.
void mnuLocusSetN(Program& p);
void mnuLocusNumClear(Program& p);

}  // namespace plandra
