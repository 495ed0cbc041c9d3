#include "view/PDDraw05.h"

#include <algorithm>
#include <array>
#include <optional>
#include <string>

#include "view/PDDraw05_internal.h"

namespace plandra {

namespace draw_internal {

RgbColor BackgroundOf(const RenderContext& r) {
  return r.Canvas ? r.Canvas->BackColor() : FromSettingsColor(r.Config.BackColor);
}

ClipRect WindowRect(const RenderContext& r, double marginPixels) {
  double margin = marginPixels * r.View.PixelSize;
  return {-r.View.HalfWidth - margin, -r.View.HalfHeight - margin, r.View.HalfWidth + margin,
          r.View.HalfHeight + margin};
}

}  // namespace draw_internal

namespace {

using draw_internal::BackgroundOf;

constexpr std::array<RgbColor, 8> kPcPalette = {{{128, 128, 128},
                                                 {0, 0, 255},
                                                 {0, 255, 0},
                                                 {0, 255, 255},
                                                 {255, 0, 0},
                                                 {255, 0, 255},
                                                 {255, 255, 0},
                                                 {255, 255, 255}}};

template <class Rec>
void FillColors(std::vector<int16_t>& colors, const Table<Rec>& table, int count) {
  colors.assign(static_cast<size_t>(count) + 1, kColorNone);
  for (int i = 1; i <= count; ++i) colors[i] = table[i].Color;
}

void RebuildItemColors(RenderContext& r) {
  const Figure& fig = r.Fig;
  FillColors(r.Draw.ItemColor[kClassPoint], fig.PtTable, fig.ElemCount[kClassPoint]);
  FillColors(r.Draw.ItemColor[kClassLine], fig.LnTable, fig.ElemCount[kClassLine]);
  FillColors(r.Draw.ItemColor[kClassCircle], fig.CirTable, fig.ElemCount[kClassCircle]);
}

void AdvanceBlinkPhase(RenderContext& r) {
  int16_t mode = r.Mode;
  DrawState& draw = r.Draw;
  if (mode != kModeDeform && mode != kModeComputing && mode != kModeNumVariation) {
    draw.BlinkPhase = 0;
    return;
  }
  if (draw.BlinkPeriod <= 0) draw.BlinkPeriod = 2;
  draw.BlinkPhase = static_cast<int16_t>((draw.BlinkPhase + 1) % draw.BlinkPeriod);
}

// The mark a point is drawn with: its own, or the dragged mark while it moves.
int16_t ShownMark(const RenderContext& r, int index, const PtRec& pt) {
  return index == r.Draw.DraggedPoint ? kMarkDragged : pt.Mark;
}

void DrawClass(RenderContext& r, int16_t cls, bool lateMarks) {
  for (int i = 1; i <= r.Fig.ElemCount[cls]; ++i) {
    if (cls == kClassPoint && (ShownMark(r, i, r.Fig.PtTable[i]) >= kMarkBlinkFirst) != lateMarks) {
      continue;
    }
    if (r.Draw.ItemColor[cls][i] == kColorNone) continue;
    DrawElement(r, ObjRef::Of(cls, i), 0, kSourceCurrent);
  }
}

void DrawElements(RenderContext& r) {
  RebuildItemColors(r);
  AdvanceBlinkPhase(r);
  DrawClass(r, kClassPoint, false);
  DrawClass(r, kClassLine, false);
  DrawClass(r, kClassCircle, false);
  // Candidate marks lie on top of everything.
  DrawClass(r, kClassPoint, true);
}

// The colour rules shared by every class, applied to a copy of the record.
template <class Rec>
void ApplyOverride(Rec& copy, int16_t c) {
  if (c < 8 && copy.Color == kColorNone) copy.Color = c;
  if (c > 9) copy.Color = copy.Style;
  if (c > 19) copy.Color = static_cast<int16_t>(c % 10);
}

template <class Rec>
const Rec& RecordOf(const Table<Rec>& current, const Table<Rec>& snapshot, int index,
                    int16_t source) {
  const Table<Rec>& table = source == kSourceSnapshot ? snapshot : current;
  return table[index];
}

void DrawPointElement(RenderContext& r, int index, int16_t c, int16_t source) {
  PtRec copy = RecordOf(r.Fig.PtTable, r.Fig.PtTablePrev, index, source);
  if (copy.EventKind / 10 != 0) return;
  copy.Mark = ShownMark(r, index, copy);
  ApplyOverride(copy, c);
  DrawPointMark(r, copy);
  if (c > 9) {
    DrawPointLabel(r, index, copy.Color, 2);
  } else if (copy.Color != kColorNone) {
    DrawPointLabel(r, index, kColorBlack, 0);
  }
}

bool ElementInTables(const Figure& fig, ObjRef ref) {
  int16_t cls = ref.BaseClass();
  return cls >= kClassPoint && cls <= kClassCircle && ref.Index >= 1 && RefInRange(fig, ref);
}

// The element with the entry's mark and colour in place of its own.
void DrawHighlight(RenderContext& r, const HighlightEntry& entry) {
  if (!ElementInTables(r.Fig, entry.Ref)) return;
  int index = entry.Ref.Index;
  switch (entry.Ref.BaseClass()) {
    case kClassPoint: {
      PtRec copy = r.Fig.PtTable[index];
      if (copy.Color == kColorNone || copy.EventKind / 10 != 0) return;
      if (entry.Color >= 0) copy.Color = entry.Color;
      if (entry.Mark >= 0) copy.Mark = entry.Mark;
      if (copy.Color == kColorNone) return;
      DrawPointMark(r, copy);
      if (entry.Label) DrawPointLabel(r, index, copy.Color, 0);
      return;
    }
    case kClassLine: {
      LnRec copy = r.Fig.LnTable[index];
      if (copy.Color == kColorNone) return;
      if (entry.Color >= 0) copy.Color = entry.Color;
      if (copy.Color != kColorNone) DrawLine(r, copy);
      return;
    }
    default: {
      CirRec copy = r.Fig.CirTable[index];
      if (copy.Color == kColorNone) return;
      if (entry.Color >= 0) copy.Color = entry.Color;
      if (copy.Color != kColorNone) DrawCircle(r, copy);
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

RgbColor ColorOf(RenderContext& r, int16_t number) {
  int16_t strength = r.Config.ColorStrength;
  uint8_t s = static_cast<uint8_t>(strength <= 0 || strength > 255 ? 255 : strength);
  switch (number) {
    case 0: return BackgroundOf(r);
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
  std::vector<int16_t>& reported = r.Draw.ReportedColors;
  if (std::find(reported.begin(), reported.end(), number) == reported.end()) {
    reported.push_back(number);
    r.Draw.ColorsToReport.push_back(number);
  }
  return {0, 0, 0};
}

void ApplyDisplaySettings(const Settings& config, Surface* canvas) {
  if (!canvas) return;
  canvas->SetBackColor(FromSettingsColor(config.BackColor));
  canvas->SetPenWidth(std::clamp<int>(config.DrawWidth, 1, 10));
  canvas->SetFont(config.FontName, config.FontSize);
}

namespace {

// What the background, the grid and the traces are drawn from, apart from
// the surface's own state (which the surface adds) and the count of traces;
// none when they cannot be kept.
std::optional<uint64_t> BeginningKey(const RenderContext& r, const TraceListState& traces) {
  if (!r.Canvas || traces.Animated) return std::nullopt;
  const ViewState& view = r.View;
  const Settings& config = r.Config;
  uint64_t key = FoldKey(kEmptyKey, traces.Generation);
  for (double value : {view.PixelSize, view.HalfWidth, view.HalfHeight}) key = FoldKey(key, value);
  for (int value : {int{view.AxisKind}, view.ClientWidth, view.ClientHeight, int{config.AxisShow},
                    int{config.ColorStrength}, int{config.DrawWidth},
                    int{r.Draw.ThumbnailState}, int{r.Draw.EventDisplayOn}}) {
    key = FoldKey(key, value);
  }
  key = FoldKey(key, config.AxisColor);
  return FoldKey(key, config.BackColor);
}

// Traces added since the kept picture can be drawn over it only where the old
// order puts them: on top of every trace of a later class.
bool OnlyAppended(const std::array<int, 4>& kept, const std::array<int, 4>& now) {
  for (int cls = kClassPoint; cls <= kClassCircle; ++cls) {
    if (now[cls] < kept[cls]) return false;
    if (now[cls] == kept[cls]) continue;
    for (int later = cls + 1; later <= kClassCircle; ++later) {
      if (kept[later] != 0) return false;
    }
  }
  return true;
}

// Clear, grid and traces; from the surface's kept picture of them when nothing
// they show changed but traces added, which are then drawn over it.
void StartFrame(RenderContext& r) {
  const bool traced = r.Layers && r.Layers->DrawTraces;
  const bool keepable = traced && r.Layers->TraceState;
  const TraceListState traces = keepable ? r.Layers->TraceState() : TraceListState{};
  // The surface's pen and background are part of what it keeps.
  if (r.Canvas) ApplyDisplaySettings(r.Config, r.Canvas);
  const std::optional<uint64_t> key = keepable ? BeginningKey(r, traces) : std::nullopt;
  std::array<int, 4> from{};
  const bool restored =
      key && r.Canvas->RestoreLayer(*key, from) && OnlyAppended(from, traces.Count);
  if (!restored) {
    from = {};
    if (r.Canvas) r.Canvas->Clear();
  }
  DrawState& draw = r.Draw;
  ++draw.RedrawCount;
  draw.PicturePanelInset = false;
  if (!restored && r.Config.AxisShow != kFalse) DrawAxes(r);
  draw.BlinkPhase = 0;
  if (traced) r.Layers->DrawTraces(r, from);
  // A kept picture with nothing drawn over it stays as it is.
  if (key && !(restored && from == traces.Count)) r.Canvas->KeepLayer(*key, traces.Count);
}

}  // namespace

void DrawFrame(RenderContext& r) {
  StartFrame(r);
  DrawElements(r);
  DrawAngleMarks(r);
  DrawNumberList(r);
  DrawConics(r);
  if (r.Layers && r.Layers->DrawSampledLoci) r.Layers->DrawSampledLoci(r);
  DrawHighlights(r);
}

void DrawElement(RenderContext& r, ObjRef ref, int16_t c, int16_t source) {
  if (!ElementInTables(r.Fig, ref)) return;
  r.Draw.DrawItem = ref;
  const Figure& fig = r.Fig;
  switch (ref.BaseClass()) {
    case kClassPoint: DrawPointElement(r, ref.Index, c, source); break;
    case kClassLine: {
      LnRec copy = RecordOf(fig.LnTable, fig.LnTablePrev, ref.Index, source);
      ApplyOverride(copy, c);
      DrawLine(r, copy);
      break;
    }
    default: {
      CirRec copy = RecordOf(fig.CirTable, fig.CirTablePrev, ref.Index, source);
      ApplyOverride(copy, c);
      DrawCircle(r, copy);
      break;
    }
  }
}

void DrawHighlights(RenderContext& r) {
  if (!r.Canvas || r.Draw.Highlights.empty()) return;
  int width = r.Canvas->PenWidth();
  r.Canvas->SetPenWidth(width + 1);
  for (const HighlightEntry& entry : r.Draw.Highlights) DrawHighlight(r, entry);
  r.Canvas->SetPenWidth(width);
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
