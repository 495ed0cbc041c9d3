// The view transform (world <-> window), the grid, and the renderer that
// draws the whole figure onto the Surface at every redraw.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "figure/Codes.h"
#include "figure/PDvar05.h"
#include "labels/Labels05.h"
#include "persist/Settings.h"
#include "view/Surface.h"

namespace plandra {

constexpr double kDefaultPixelSize = 0.05;
constexpr double kMinPixelSize = 0.0001;
constexpr int kTwipsPerPixel = 15;  // at 96 dpi
// Marks, labels and circles farther out than this are not drawn.
constexpr double kFarCoordinate = 1000;

// The zoom and the window's extent in world units; the origin is always the
// centre of the client area and y points up.
struct ViewState {
  double PixelSize = kDefaultPixelSize;
  double HalfWidth = 0;
  double HalfHeight = 0;
  int16_t AxisKind = 0;  // 0 orthogonal grid, 1 polar grid
  // Client size in pixels at the last SetScreen.
  int ClientWidth = 0;
  int ClientHeight = 0;
};

struct WorldPoint {
  double X = 0;
  double Y = 0;
};

// Pixel column/row (0 at the left/top) to world and back, as SetScreen maps.
WorldPoint PixelToWorld(const ViewState& view, double column, double row);
WorldPoint WorldToPixel(const ViewState& view, double x, double y);

// One element drawn on top of the figure until it is removed: the hover
// highlight, candidates, chosen inputs. Color and Mark replace the element's
// own values; -1 keeps them.
struct HighlightEntry {
  ObjRef Ref;
  int16_t Color = -1;
  int16_t Mark = -1;
  bool Label = true;
};

struct DrawState {
  // The element being drawn and the colour of every element by class
  // (1 points, 2 lines, 3 circles), rebuilt at every redraw.
  ObjRef DrawItem;
  int ReplayStep = 0;  // the step the construction replay showed last
  std::array<std::vector<int16_t>, 4> ItemColor;
  int16_t BlinkPeriod = 0;
  int16_t BlinkPhase = 0;
  // Counts redraws; marks 10..17 take their colour from it.
  uint32_t RedrawCount = 0;
  std::vector<HighlightEntry> Highlights;
  // The point a drag is moving, drawn with the dragged mark in place of its
  // own; 0 for none. The figure keeps the point's own mark.
  int DraggedPoint = 0;
  // The picture cycle's state: 0 normal, 1 half size, 2 thumbnail, 3 the
  // small thumbnail. Thumbnails (2 or more) draw small point marks.
  int16_t ThumbnailState = 0;
  bool StatusBarVisible = true;    // labels sit farther from their points
  bool LeftPanelShown = false;     // the number list moves right of it
  bool PicturePanelInset = false;  // set when the picture was saved, cleared by a redraw
  bool AngleMarksShown = true;
  bool EventDisplayOn = false;  // mark 23 is drawn only then
  // Colour numbers outside the palette already met: a figure full of them
  // would otherwise ask for a message box per element and redraw. Those met
  // since the caller last looked wait in ColorsToReport.
  std::vector<int16_t> ReportedColors;
  std::vector<int16_t> ColorsToReport;
  // The colour last chosen in the colour dialog, preselected next time.
  RgbColor DialogColor{0, 0, 0};
};

struct RenderContext;

// The trace list as the kept beginning of a frame sees it: a generation that
// changes whenever the list changes other than by new traces, the count of
// each class, and whether a trace looks different at every frame.
struct TraceListState {
  uint64_t Generation = 0;
  std::array<int, 4> Count{};
  bool Animated = false;
};

// Drawing that layers above the renderer own (locus traces before the
// elements, sampled loci after the conics); an empty one is skipped.
struct RenderLayers {
  // The traces past the given counts of each class, in the list's order.
  std::function<void(RenderContext&, const std::array<int, 4>& from)> DrawTraces;
  // Without it the traces are drawn anew at every frame.
  std::function<TraceListState()> TraceState;
  std::function<void(RenderContext&)> DrawSampledLoci;
  // The last frame left sampled loci to sweep in a later one.
  std::function<bool()> SampledLociUnfinished;
};

// Everything the renderer reads and the little it writes (the draw state):
// it never recomputes the figure and never asks anything of the caller.
struct RenderContext {
  const Figure& Fig;
  const ViewState& View;
  DrawState& Draw;
  const Settings& Config;
  Surface* Canvas;  // none in headless runs: nothing is drawn
  // The mode in force: names hide and marks blink only in some modes.
  int16_t Mode = kModeStandard;
  // The number list's lines, made by the caller (they need translated words).
  const std::vector<ScreenNumberLine>* NumberList = nullptr;
  const RenderLayers* Layers = nullptr;
};

// Settings colours hold red in the low byte.
RgbColor FromSettingsColor(int32_t color);
int32_t ToSettingsColor(RgbColor color);

// --- view transform and grid -----------------------------------------------

// The view of a client area of the surface's size at the view's zoom, and the
// surface's world window to match; a surface of no size keeps the last view.
void SetScreen(ViewState& view, Surface* canvas);

// The grid in AxisColor, or in the background colour when AxisShow is off.
void DrawAxes(RenderContext& r);

// --- renderer --------------------------------------------------------------

// A colour number outside the palette draws black and is noted once in
// ColorsToReport.
RgbColor ColorOf(RenderContext& r, int16_t number);
// Gives the surface the pen width, font and background of the settings.
void ApplyDisplaySettings(const Settings& config, Surface* canvas);

// A whole frame: clear, grid, traces, elements, angle marks, the number list,
// conics, sampled loci and highlights, on the figure as it stands.
void DrawFrame(RenderContext& r);

constexpr int16_t kSourceCurrent = 0;
constexpr int16_t kSourceSnapshot = 2;
// Override c: c > 9 highlights (locus colour), c > 19 forces colour c mod 10,
// c < 8 colours an element whose own colour is 0.
void DrawElement(RenderContext& r, ObjRef ref, int16_t c, int16_t source);
void DrawPointMark(RenderContext& r, const PtRec& pt);
void DrawLine(RenderContext& r, const LnRec& ln);
void DrawCircle(RenderContext& r, const CirRec& cir);
// Label mode 2 places the label at the snapshot position.
void DrawPointLabel(RenderContext& r, int index, int16_t c, int16_t mode);
void DrawNumberList(RenderContext& r);
// Names and the number list are hidden by the text switch in some modes.
bool NamesHidden(const Settings& config, int16_t mode);
void DrawAngleMarks(RenderContext& r);
// Draws the conic through the five points of every "X2JI" step.
void DrawConics(RenderContext& r);
void DrawHighlights(RenderContext& r);

// Adds or replaces the entry of its element.
void AddHighlight(DrawState& draw, const HighlightEntry& entry);
void RemoveHighlight(DrawState& draw, ObjRef ref);
void ClearHighlights(DrawState& draw);

// A line segment clipped to the window and a margin, so that lines drawn far
// beyond the window never reach the surface with huge coordinates.
void DrawClippedLine(RenderContext& r, double x1, double y1, double x2, double y2, RgbColor color);
// The part of the segment inside the rectangle, or nothing.
struct ClipRect {
  double Left, Bottom, Right, Top;
};
std::optional<std::array<double, 4>> ClipSegment(const ClipRect& rect, double x1, double y1,
                                                 double x2, double y2);

// Coefficients a..f of a x² + b xy + c y² + d x + e y + f = 0 through five
// points; empty when the points determine no single conic.
std::optional<std::array<double, 6>> ConicThrough(const std::array<WorldPoint, 5>& points);

// The system's button face, the "standard grey" background.
constexpr RgbColor kButtonFaceColor{240, 240, 240};

}  // namespace plandra
