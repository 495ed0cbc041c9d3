// Loci: the traces elements leave while the figure is deformed with the
// locus switch on, and the switch itself.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "figure/PDtype05.h"
#include "view/PDDraw05.h"

namespace plandra {

struct Program;
struct RenderContext;

constexpr int kTraceStartSize = 200;
constexpr int kTraceGrowth = 50;
// Traces kept of each class; past it each new trace takes the oldest one's place.
constexpr int kMaxTraces = kMaxCount;
// DrawElement overrides: the locus colour, and the background colour.
constexpr int16_t kOverrideLocus = 10;
constexpr int16_t kOverrideErase = 20;

struct LocusState {
  int16_t LocusOn = kFalse;
  // 1-based like the element tables; the sizes grow in blocks of 50 up to
  // kMaxTraces. A full list is a ring: its oldest trace is at TraceFirst.
  std::vector<PtRec> TracePts;
  std::vector<LnRec> TraceLns;
  std::vector<CirRec> TraceCirs;
  std::array<int, 4> TraceCount{};  // by class: 1 points, 2 lines, 3 circles
  std::array<int, 4> TraceFirst{1, 1, 1, 1};
  int LocusNum = 0;  // the number chosen with mnuLocusSetN; 0 none
  // Changes whenever the lists change other than by a new trace at the end,
  // so that a picture kept of them is not taken for theirs.
  uint64_t TraceGeneration = 0;

  LocusState();
};

// Empty lists of 200 entries each.
void ClearTraces(LocusState& locus);
// A copy of the record, whatever its locus colour (event scripts use it); a
// full list drops its oldest trace for it.
void AppendTracePoint(LocusState& locus, const PtRec& pt);
// Draws the element where it stands, in its locus colour with the switch on
// (and keeps a copy when that colour is set) or in the background colour.
void AddTrace(Program& p, ObjRef ref);
// The traces of each class past from[class], in their stored colour,
// beneath the elements of a frame.
void DrawTraces(const LocusState& locus, RenderContext& r, const std::array<int, 4>& from);
// What the kept beginning of a frame needs to know of the traces.
TraceListState TraceStateOf(const LocusState& locus);
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
