// Loci: the traces elements leave while the figure is deformed with the
// locus switch on, and the switch itself.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "figure/PDtype05.h"

namespace plandra {

struct Program;
struct RenderContext;

constexpr int16_t kTraceStartSize = 200;
constexpr int16_t kTraceGrowth = 50;
// DrawElement overrides: the locus colour, and the background colour.
constexpr int16_t kOverrideLocus = 10;
constexpr int16_t kOverrideErase = 20;

struct LocusState {
  int16_t LocusOn = kFalse;
  // 1-based like the element tables; the sizes grow in blocks of 50.
  std::vector<PtRec> TracePts;
  std::vector<LnRec> TraceLns;
  std::vector<CirRec> TraceCirs;
  std::array<int16_t, 4> TraceCount{};  // by class: 1 points, 2 lines, 3 circles
  int16_t LocusNum = 0;                 // the number chosen with mnuLocusSetN; 0 none

  LocusState();
};

// Empty lists of 200 entries each.
void ClearTraces(LocusState& locus);
// A copy of the record, whatever its locus colour (event scripts use it).
void AppendTracePoint(LocusState& locus, const PtRec& pt);
// Draws the element where it stands, in its locus colour with the switch on
// (and keeps a copy when that colour is set) or in the background colour.
void AddTrace(Program& p, ObjRef ref);
// Every trace in its stored colour, beneath the elements of a frame.
void DrawTraces(const LocusState& locus, RenderContext& r);
// Hands DrawTraces and the sampled loci to the renderer's layers; the program object must stay
// where it is from then on.
void WireLocusLayer(Program& p);

// The places of the traced elements before a move, so that the elements the
// move carried leave a trace where the redraw put them.
struct TraceWatch {
  std::vector<ObjRef> Refs;
  std::vector<std::array<double, 4>> Places;
};
// Empty with the switch off; the excluded point is traced by the move itself.
TraceWatch WatchTracedElements(const Program& p, int16_t excludedPoint);
void TraceMovedElements(Program& p, const TraceWatch& watch);

// mnuLocusSW: flips the switch and shows it in panel 3 and the menu.
void ToggleLocus(Program& p);
// mnuLocusReset: the traces cleared, the record restarted, the figure redrawn.
void mnuLocusReset(Program& p);
// A new figure: no traces, and a fresh record.
void ResetLocus(Program& p);
// mnuLocusSetN: the number chooser in mode 71; mnuLocusNumClear forgets it.
void mnuLocusSetN(Program& p);
void mnuLocusNumClear(Program& p);

}  // namespace plandra
