// The view transform (world <-> window), the grid, and the renderer that
// draws the whole figure onto the Surface at every redraw.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "figure/PDvar05.h"
#include "view/Surface.h"

namespace plandra {

struct Program;

constexpr double kDefaultPixelSize = 0.05;
constexpr double kMinPixelSize = 0.0001;
constexpr int kTwipsPerPixel = 15;  // at 96 dpi
// The drawing area of the VGA window preset, in pixels.
constexpr int kVgaClientWidth = 628;
constexpr int kVgaClientHeight = 430;
// Marks, labels and circles farther out than this are not drawn.
constexpr double kFarCoordinate = 1000;

// Palette numbers of the element colours.
constexpr int16_t kColorNone = 0;  // not drawn; the background where drawn
constexpr int16_t kColorRed = 1;
constexpr int16_t kColorGreen = 2;
constexpr int16_t kColorYellow = 3;
constexpr int16_t kColorBlue = 4;
constexpr int16_t kColorBlack = 7;

// Point marks with a fixed meaning.
constexpr int16_t kMarkPixel = 0;
constexpr int16_t kMarkCross = 1;
constexpr int16_t kMarkCircle = 2;
constexpr int16_t kMarkSquare = 3;
constexpr int16_t kMarkFilledSquare = 4;
constexpr int16_t kMarkTriangle = 5;
constexpr int16_t kMarkBlinkFirst = 10;  // 10..17 change colour at every redraw
constexpr int16_t kMarkBlinkLast = 17;
constexpr int16_t kMarkDragged = 20;
constexpr int16_t kMarkCircleBar = 21;
constexpr int16_t kMarkCircleCross = 22;
constexpr int16_t kMarkEventPixel = 23;
constexpr int16_t kMarkHover = 30;

// Window states as the settings file stores them.
constexpr int16_t kWindowNormal = 0;
constexpr int16_t kWindowMinimized = 1;
constexpr int16_t kWindowMaximized = 2;

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

// Steps of the redraw that other modules own; an empty one is skipped.
struct RedrawSteps {
  std::function<void(Program&)> RefreshCandidates;  // picking, modes 2 and 8
  std::function<void(Program&)> DrawTraces;         // locus traces, before the elements
  std::function<void(Program&)> DrawSampledLoci;    // "XLOCS" steps, after the conics
  std::function<void(Program&)> RefreshModeDisplay;
};

struct DrawState {
  // The element being drawn and the colour of every element by class
  // (1 points, 2 lines, 3 circles), rebuilt at every redraw.
  ObjRef DrawItem;
  int16_t ReplayStep = 0;  // the step the construction replay showed last
  std::array<std::vector<int16_t>, 4> ItemColor;
  int16_t BlinkPeriod = 0;
  int16_t BlinkPhase = 0;
  // Counts redraws; marks 10..17 take their colour from it.
  uint32_t RedrawCount = 0;
  std::vector<HighlightEntry> Highlights;
  // The picture cycle's state: 0 normal, 1 half size, 2 thumbnail, 3 the
  // small thumbnail. Thumbnails (2 or more) draw small point marks.
  int16_t ThumbnailState = 0;
  bool StatusBarVisible = true;    // labels sit farther from their points
  bool LeftPanelShown = false;     // the number list moves right of it
  bool PicturePanelInset = false;  // set when the picture was saved, cleared by a redraw
  bool AngleMarksShown = true;
  bool EventDisplayOn = false;  // mark 23 is drawn only then
  // Colour numbers outside the palette already reported: a figure full of
  // them would otherwise ask for a message box per element and redraw.
  std::vector<int16_t> ReportedColors;
  // The colour last chosen in the colour dialog, preselected next time.
  RgbColor DialogColor{0, 0, 0};
  RedrawSteps Steps;
};

// The outer window in twips, its client area in pixels and its state; the Qt
// window fills it in and applies what the presets change.
struct WindowGeometry {
  int OuterWidth = 0;   // twips
  int OuterHeight = 0;  // twips
  int ClientWidth = 0;  // pixels
  int ClientHeight = 0;
  int16_t State = kWindowNormal;
  bool StatusBarVisible = true;
};

// Settings colours hold red in the low byte.
RgbColor FromSettingsColor(int32_t color);
int32_t ToSettingsColor(RgbColor color);

// --- view transform and grid -----------------------------------------------

void SetScreen(Program& p);
void mnuZoomIn(Program& p);
void mnuZoomOut(Program& p);
void mnuZoomDefault(Program& p);
void mnuZoomComplex(Program& p);

// The grid in AxisColor, or in the background colour when AxisShow is off.
void DrawAxes(Program& p);
void mnuOAxis(Program& p);
void mnuOAxis01(Program& p);
void mnuOAxis02(Program& p);
void mnuOAxisColor1(Program& p);
void mnuOAxisColor2(Program& p);
void mnuOAxisColor3(Program& p);
void mnuOAxisColorManual(Program& p);

// Window presets: each changes geometry for the window to apply, shows the
// status bar and remembers the size as the start-up size.
void mnuOWindowStandard(Program& p, WindowGeometry& window);
void mnuOWindowVGA(Program& p, WindowGeometry& window);
void mnuOWindowMax(Program& p, WindowGeometry& window);
// Remembers the window as the start-up size and writes the settings file.
bool mnuOWindowSave(Program& p, const WindowGeometry& window);
// The start-up size from the settings; false when the designed size stays.
bool SetWindow(const Program& p, WindowGeometry& window);

// --- renderer --------------------------------------------------------------

RgbColor ColorOf(Program& p, int16_t number);
// Gives the surface the pen width, font and background of the settings.
void ApplyDisplaySettings(Program& p);

void Redraw(Program& p);
void RedrawBody(Program& p);
// A step of a drag or of a number variation: draws the figure as the
// caller's recompute (with the marks set when the move began) left it.
void RedrawAfterMove(Program& p);

constexpr int16_t kSourceCurrent = 0;
constexpr int16_t kSourceSnapshot = 2;
// Override c: c > 9 highlights (locus colour), c > 19 forces colour c mod 10,
// c < 8 colours an element whose own colour is 0.
void DrawElement(Program& p, ObjRef ref, int16_t c, int16_t source);
void DrawPointMark(Program& p, const PtRec& pt);
void DrawLine(Program& p, const LnRec& ln);
void DrawCircle(Program& p, const CirRec& cir);
// Label mode 2 places the label at the snapshot position.
void DrawPointLabel(Program& p, int16_t index, int16_t c, int16_t mode);
void DrawNumberList(Program& p);
void DrawAngleMarks(Program& p);
// Draws the conic through the five points of every "X2JI" step.
void DrawConics(Program& p);
void DrawHighlights(Program& p);

// Adds or replaces the entry of its element.
void AddHighlight(DrawState& draw, const HighlightEntry& entry);
void RemoveHighlight(DrawState& draw, ObjRef ref);
void ClearHighlights(DrawState& draw);

// A line segment clipped to the window and a margin, so that lines drawn far
// beyond the window never reach the surface with huge coordinates.
void DrawClippedLine(Program& p, double x1, double y1, double x2, double y2, RgbColor color);
// The part of the segment inside the rectangle, or nothing.
struct ClipRect {
  double Left, Bottom, Right, Top;
};
std::optional<std::array<double, 4>> ClipSegment(const ClipRect& rect, double x1, double y1,
                                                 double x2, double y2);

// Coefficients a..f of a x² + b xy + c y² + d x + e y + f = 0 through five
// points; empty when the points determine no single conic.
std::optional<std::array<double, 6>> ConicThrough(const std::array<WorldPoint, 5>& points);

// --- display settings ------------------------------------------------------

void mnuOBackCWhite(Program& p);
void mnuOBackCStandard(Program& p);
void mnuOBackCmanual(Program& p);
void mnuWidth(Program& p);
void mnuFont(Program& p);
void mnuOFont(Program& p);
void mnuOColorStrength(Program& p);
void mnuOchrDisp(Program& p);
void mnuAngleSW(Program& p);

// The system's button face, the "standard grey" background.
constexpr RgbColor kButtonFaceColor{240, 240, 240};

// The leading number of a typed text (blanks allowed before it), 0 when it
// starts with none.
double LeadingNumber(std::string_view text);

}  // namespace plandra
