#include "view/PDDraw05.h"

#include <algorithm>
#include <string>

#include "app/Program.h"
#include "engine/GeoObj05.h"
#include "view/PDDraw05_internal.h"

namespace plandra {

namespace draw_internal {

Platform& HostOf(Program& p) {
  static SilentPlatform silent;  // stateless
  return p.Host ? *p.Host : silent;
}

RgbColor BackgroundOf(const Program& p) {
  return p.Canvas ? p.Canvas->BackColor() : FromSettingsColor(p.Config.BackColor);
}

ClipRect WindowRect(const Program& p, double marginPixels) {
  double margin = marginPixels * p.View.PixelSize;
  return {-p.View.HalfWidth - margin, -p.View.HalfHeight - margin, p.View.HalfWidth + margin,
          p.View.HalfHeight + margin};
}

}  // namespace draw_internal

namespace {

using draw_internal::BackgroundOf;
using draw_internal::HostOf;

constexpr int16_t kModeDragging = 6;
constexpr int16_t kModeLoading = 8;
constexpr int16_t kModeComputing = 16;
constexpr int16_t kModeVarying = 22;
constexpr int16_t kBoundMovable = -1;  // BoundMode of a point the user may move

constexpr std::array<RgbColor, 8> kPcPalette = {{{128, 128, 128},
                                                 {0, 0, 255},
                                                 {0, 255, 0},
                                                 {0, 255, 255},
                                                 {255, 0, 0},
                                                 {255, 0, 255},
                                                 {255, 255, 0},
                                                 {255, 255, 255}}};

// Every number and point that is defined in any way becomes plainly defined
// before the marking sweeps.
// A point the user may move anywhere: free, and on no host.
bool FreelyMovable(const Figure& fig, int16_t index) {
  if (index < 1 || index > fig.ElemCount[kClassPoint]) return false;
  const PtRec& pt = fig.PtTable[index];
  return pt.BoundMode == kBoundMovable && pt.HostIndex == 0;
}

// A line joining two points can be dragged by them, as a whole when both
// points may be moved freely.
void RefreshL1PointIndices(Figure& fig) {
  for (int s = 1; s <= fig.StepCount; ++s) {
    if (fig.StepKindId[s] != Kind::L1) continue;
    ObjRef out = fig.StepOut[s][1];
    if (out.BaseClass() != kClassLine || !RefInRange(fig, out)) continue;
    LnRec& ln = fig.LnTable[out.Index];
    ln.Pt1Index = fig.StepIn[s][1].Index;
    ln.Pt2Index = fig.StepIn[s][2].Index;
    bool whole = FreelyMovable(fig, ln.Pt1Index) && FreelyMovable(fig, ln.Pt2Index);
    ln.Draggable = whole ? kTrue : kFalse;
  }
}

template <class Rec>
void FillColors(std::vector<int16_t>& colors, const std::vector<Rec>& table, int count) {
  colors.assign(static_cast<size_t>(count) + 1, kColorNone);
  for (int i = 1; i <= count; ++i) colors[i] = table[i].Color;
}

void RebuildItemColors(Program& p) {
  const Figure& fig = p.Fig;
  FillColors(p.Draw.ItemColor[kClassPoint], fig.PtTable, fig.ElemCount[kClassPoint]);
  FillColors(p.Draw.ItemColor[kClassLine], fig.LnTable, fig.ElemCount[kClassLine]);
  FillColors(p.Draw.ItemColor[kClassCircle], fig.CirTable, fig.ElemCount[kClassCircle]);
}

void AdvanceBlinkPhase(Program& p) {
  int16_t mode = CurrentMode(p.Modes);
  DrawState& draw = p.Draw;
  if (mode != kModeDragging && mode != kModeComputing && mode != kModeVarying) {
    draw.BlinkPhase = 0;
    return;
  }
  if (draw.BlinkPeriod <= 0) draw.BlinkPeriod = 2;
  draw.BlinkPhase = static_cast<int16_t>((draw.BlinkPhase + 1) % draw.BlinkPeriod);
}

void DrawClass(Program& p, int16_t cls, bool lateMarks) {
  for (int16_t i = 1; i <= p.Fig.ElemCount[cls]; ++i) {
    if (cls == kClassPoint && (p.Fig.PtTable[i].Mark >= kMarkBlinkFirst) != lateMarks) continue;
    if (p.Draw.ItemColor[cls][i] == kColorNone) continue;
    DrawElement(p, ObjRef{cls, i}, 0, kSourceCurrent);
  }
}

void DrawElements(Program& p) {
  RebuildItemColors(p);
  AdvanceBlinkPhase(p);
  DrawClass(p, kClassPoint, false);
  DrawClass(p, kClassLine, false);
  DrawClass(p, kClassCircle, false);
  // Candidate marks lie on top of everything.
  DrawClass(p, kClassPoint, true);
}

// The colour rules shared by every class, applied to a copy of the record.
template <class Rec>
void ApplyOverride(Rec& copy, int16_t c) {
  if (c < 8 && copy.Color == kColorNone) copy.Color = c;
  if (c > 9) copy.Color = copy.Style;
  if (c > 19) copy.Color = static_cast<int16_t>(c % 10);
}

template <class Rec>
const Rec& RecordOf(const std::vector<Rec>& current, const std::vector<Rec>& snapshot, int index,
                    int16_t source) {
  const std::vector<Rec>& table = source == kSourceSnapshot ? snapshot : current;
  return table[index];
}

void DrawPointElement(Program& p, int16_t index, int16_t c, int16_t source) {
  PtRec copy = RecordOf(p.Fig.PtTable, p.Fig.PtTablePrev, index, source);
  if (copy.EventKind / 10 != 0) return;
  ApplyOverride(copy, c);
  DrawPointMark(p, copy);
  if (c > 9) {
    DrawPointLabel(p, index, copy.Color, 2);
  } else if (copy.Color != kColorNone) {
    DrawPointLabel(p, index, kColorBlack, 0);
  }
}

bool ElementInTables(const Figure& fig, ObjRef ref) {
  int16_t cls = ref.BaseClass();
  return cls >= kClassPoint && cls <= kClassCircle && ref.Index >= 1 && RefInRange(fig, ref);
}

// The element with the entry's mark and colour in place of its own.
void DrawHighlight(Program& p, const HighlightEntry& entry) {
  if (!ElementInTables(p.Fig, entry.Ref)) return;
  int16_t index = entry.Ref.Index;
  switch (entry.Ref.BaseClass()) {
    case kClassPoint: {
      PtRec copy = p.Fig.PtTable[index];
      if (copy.Color == kColorNone || copy.EventKind / 10 != 0) return;
      if (entry.Color >= 0) copy.Color = entry.Color;
      if (entry.Mark >= 0) copy.Mark = entry.Mark;
      if (copy.Color == kColorNone) return;
      DrawPointMark(p, copy);
      if (entry.Label) DrawPointLabel(p, index, copy.Color, 0);
      return;
    }
    case kClassLine: {
      LnRec copy = p.Fig.LnTable[index];
      if (copy.Color == kColorNone) return;
      if (entry.Color >= 0) copy.Color = entry.Color;
      if (copy.Color != kColorNone) DrawLine(p, copy);
      return;
    }
    default: {
      CirRec copy = p.Fig.CirTable[index];
      if (copy.Color == kColorNone) return;
      if (entry.Color >= 0) copy.Color = entry.Color;
      if (copy.Color != kColorNone) DrawCircle(p, copy);
      return;
    }
  }
}

}  // namespace

RgbColor FromSettingsColor(int32_t color) {
  return RgbColor{static_cast<uint8_t>(color & 0xFF), static_cast<uint8_t>((color >> 8) & 0xFF),
                  static_cast<uint8_t>((color >> 16) & 0xFF)};
}

int32_t ToSettingsColor(RgbColor color) { return Rgb(color.R, color.G, color.B); }

RgbColor ColorOf(Program& p, int16_t number) {
  int16_t strength = p.Config.ColorStrength;
  uint8_t s = static_cast<uint8_t>(strength <= 0 || strength > 255 ? 255 : strength);
  switch (number) {
    case 0: return BackgroundOf(p);
    case 1: return {s, 0, 0};
    case 2: return {0, s, 0};
    case 3: return {s, s, 0};
    case 4: return {0, 0, s};
    case 5: return {s, 0, s};
    case 6: return {0, s, s};
    case 7: return {0, 0, 0};
    default: break;
  }
  if (number >= 8 && number <= 15) return kPcPalette[number - 8];
  std::vector<int16_t>& reported = p.Draw.ReportedColors;
  if (std::find(reported.begin(), reported.end(), number) == reported.end()) {
    reported.push_back(number);
    HostOf(p).MessageBox(std::to_string(number), kProgramTitle, MsgButtons::kOk);
  }
  return {0, 0, 0};
}

void ApplyDisplaySettings(Program& p) {
  if (!p.Canvas) return;
  p.Canvas->SetBackColor(FromSettingsColor(p.Config.BackColor));
  p.Canvas->SetPenWidth(std::clamp<int>(p.Config.DrawWidth, 1, 10));
  p.Canvas->SetFont(p.Config.FontName, p.Config.FontSize);
}

namespace {

void ClearForRedraw(Program& p) {
  if (p.Canvas) {
    ApplyDisplaySettings(p);
    p.Canvas->Clear();
  }
}

void StartRedraw(Program& p) {
  DrawState& draw = p.Draw;
  ++draw.RedrawCount;
  draw.PicturePanelInset = false;
  if (p.Config.AxisShow != kFalse) DrawAxes(p);
  draw.BlinkPhase = 0;
}

void DrawRecomputed(Program& p) {
  Figure& fig = p.Fig;
  DrawState& draw = p.Draw;
  int16_t mode = CurrentMode(p.Modes);
  if ((mode == kModeStandard || mode == kModeLoading) && draw.Steps.RefreshCandidates) {
    draw.Steps.RefreshCandidates(p);
  }
  RefreshL1PointIndices(fig);
  if (draw.Steps.DrawTraces) draw.Steps.DrawTraces(p);
  DrawElements(p);
  DrawAngleMarks(p);
  DrawNumberList(p);
  DrawConics(p);
  if (draw.Steps.DrawSampledLoci) draw.Steps.DrawSampledLoci(p);
  DrawHighlights(p);
  if (draw.Steps.RefreshModeDisplay) draw.Steps.RefreshModeDisplay(p);
}

}  // namespace

void Redraw(Program& p) {
  ClearForRedraw(p);
  RedrawBody(p);
}

void RedrawBody(Program& p) {
  StartRedraw(p);
  RecomputeForRedraw(p.Fig, HostOf(p));
  DrawRecomputed(p);
}

void RedrawAfterMove(Program& p) {
  ClearForRedraw(p);
  StartRedraw(p);
  DrawRecomputed(p);
}

void DrawElement(Program& p, ObjRef ref, int16_t c, int16_t source) {
  if (!ElementInTables(p.Fig, ref)) return;
  p.Draw.DrawItem = ref;
  const Figure& fig = p.Fig;
  switch (ref.BaseClass()) {
    case kClassPoint: DrawPointElement(p, ref.Index, c, source); break;
    case kClassLine: {
      LnRec copy = RecordOf(fig.LnTable, fig.LnTablePrev, ref.Index, source);
      ApplyOverride(copy, c);
      DrawLine(p, copy);
      break;
    }
    default: {
      CirRec copy = RecordOf(fig.CirTable, fig.CirTablePrev, ref.Index, source);
      ApplyOverride(copy, c);
      DrawCircle(p, copy);
      break;
    }
  }
}

void DrawHighlights(Program& p) {
  if (!p.Canvas || p.Draw.Highlights.empty()) return;
  int width = p.Canvas->PenWidth();
  p.Canvas->SetPenWidth(width + 1);
  for (const HighlightEntry& entry : p.Draw.Highlights) DrawHighlight(p, entry);
  p.Canvas->SetPenWidth(width);
}

void AddHighlight(DrawState& draw, const HighlightEntry& entry) {
  RemoveHighlight(draw, entry.Ref);
  draw.Highlights.push_back(entry);
}

void RemoveHighlight(DrawState& draw, ObjRef ref) {
  std::erase_if(draw.Highlights, [&](const HighlightEntry& e) {
    return e.Ref.BaseClass() == ref.BaseClass() && e.Ref.Index == ref.Index;
  });
}

void ClearHighlights(DrawState& draw) { draw.Highlights.clear(); }

}  // namespace plandra
