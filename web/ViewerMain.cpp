// The web viewer's module: figures read from their text, drawn on canvases
// and dragged with the pointer. The page's script calls the exported
// functions; each figure on the page has its own handle.
#include "ViewerMain.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "CanvasSurface.h"
#include "ElementTable.h"
#include "FigureDescription.h"
#include "curves/SampledLocusCurves.h"
#include "curves/TraceLists.h"
#include "engine/DragRules.h"
#include "engine/GeoObj05.h"
#include "engine/MoveStep.h"
#include "labels/Labels05.h"
#include "persist/PDio05_read.h"
#include "persist/Settings.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// As large a store as the command-line renderer opens figures with.
constexpr int16_t kViewerCapacity = 200;
// What one frame of the page may sweep of the sampled loci: the module runs
// several times slower than the program on one thread, and a page's frame
// should stay well under a tenth of a second (about 25 ms here, so that a
// busy machine still keeps each task of the page under it).
constexpr double kPageLocusWork = kLocusWorkPerFrame / 200;

struct Viewer {
  explicit Viewer(int width, int height) : Canvas(width, height) {}
  Figure Fig;
  ViewState View;
  DrawState Draw;
  Settings Config;
  CanvasSurface Canvas;
  SampledLocusCurves Curves;
  int Dragged = 0;      // the point a press took
  int DraggedLine = 0;  // or the line
  std::array<double, 4> LineOffsets{};
  IndependentTables Independent;  // what a Shift-drag of the point may land on
  bool FirstMove = false;
  int Chosen = 0;  // the point the keys move
  LocusState Locus;
  // The moved point's mark and locus colour at the previous step: its trace
  // is drawn as it was.
  int16_t MarkBefore = 0;
  int16_t StyleBefore = 0;
  int Varied = 0;  // the number the sliders varied last, its dependents marked
};

std::vector<std::unique_ptr<Viewer>> viewers;
// The last text handed to the page (a message, a line or a table).
std::string reply;
// The line of the figure's text where the last failed open stopped; 0 for none.
int failureLine = 0;

Viewer* ViewerOf(int handle) {
  if (handle < 0 || static_cast<size_t>(handle) >= viewers.size()) return nullptr;
  return viewers[static_cast<size_t>(handle)].get();
}

// The view of a figure just opened, as the program and its renderer open it:
// the standard scale without the grid; figures of complex numbers closer,
// with the grid.
void ViewForOpenedFigure(Viewer& v) {
  v.View.PixelSize = kDefaultPixelSize;
  v.Config.AxisShow = kFalse;
  v.View.AxisKind = 0;
  if (v.Fig.ComplexOpsUsed) {
    v.View.PixelSize = kDefaultPixelSize / 4;
    v.Config.AxisShow = kTrue;
  }
}

void Draw(Viewer& v) {
  MarkDraggableLines(v.Fig);
  SetScreen(v.View, &v.Canvas);
  std::vector<ScreenNumberLine> numberList;
  if (!NamesHidden(v.Config, kModeStandard)) {
    numberList =
        ScreenNumberList(v.Fig, PlainTextLookup(), v.Config.KetaDecimal, v.Draw.LeftPanelShown);
  }
  RenderLayers layers;
  WireTraceLayer(layers, v.Locus);
  layers.DrawSampledLoci = [&v](RenderContext& r) { DrawSampledLoci(v.Curves, r); };
  RenderContext context{v.Fig,     v.View,        v.Draw,      v.Config,
                        &v.Canvas, kModeStandard, &numberList, &layers};
  DrawFrame(context);
  v.Canvas.FlushPixels();
}

// A number the window's number variation offers: an independent one.
bool Variable(const Figure& fig, int number) {
  return number >= 1 && RefInRange(fig, ObjRef::Of(kClassNumber, number)) &&
         fig.NumTable[number].NumFlag != kFalse;
}

bool Movable(const Viewer& v, int i) {
  const PtRec& pt = v.Fig.PtTable[i];
  return pt.BoundMode == kBoundMovable && pt.Exists != kFalse;
}

// What a press at the pixel takes, as the window's press in its standard
// mode: a movable point, or a line dragged whole by its two points.
bool TakeUnderPointer(Viewer& v, double column, double row) {
  v.Dragged = 0;
  v.DraggedLine = 0;
  WorldPoint at = PixelToWorld(v.View, column, row);
  ObjRef found = ElementUnderPointer(v.Fig, at.X, at.Y, v.View.PixelSize, false);
  if (found.Index == 0 || !IsDraggable(v.Fig, found)) return false;
  if (found.Class == kClassPoint) {
    v.Dragged = found.Index;
    v.Independent = IndependentOf(v.Fig, v.Dragged);
  } else {
    v.DraggedLine = found.Index;
    v.LineOffsets = LineDragOffsets(v.Fig, v.DraggedLine, at.X, at.Y);
  }
  return true;
}

// A new drag or key move: its first step marks what depends on the point,
// and the point's first trace is drawn as the figure had it.
void BeginMoves(Viewer& v) {
  v.FirstMove = true;
  v.MarkBefore = 0;
  v.StyleBefore = 0;
  v.Varied = 0;
}

// One step of a move, leaving traces with the switch on as the window's
// move does: the moved point where it stood, and every traced element the
// step carried where it now stands.
template <typename Step>
void TracedStep(Viewer& v, int point, Step step) {
  const bool on = v.Locus.LocusOn != kFalse;
  TraceWatch watch;
  if (on) watch = WatchTracedElements(v.Fig, point);
  if (on && point != 0) KeepDraggedPointTrace(v.Locus, v.Fig, point, v.MarkBefore, v.StyleBefore);
  step();
  v.FirstMove = false;
  if (point != 0) {
    v.MarkBefore = kMarkDragged;
    v.StyleBefore = v.Fig.PtTable[point].Style;
  }
  if (!on) return;
  for (ObjRef moved : MovedElements(v.Fig, watch)) KeepTrace(v.Locus, v.Fig, moved);
}

}  // namespace

size_t SetReply(std::string text) {
  reply = std::move(text);
  return reply.size();
}

const std::string& Reply() { return reply; }

ViewerFigure ViewerFigureOf(int handle) {
  Viewer* v = ViewerOf(handle);
  return v ? ViewerFigure{&v->Fig, &v->View, &v->Draw} : ViewerFigure{};
}

}  // namespace plandra

using plandra::Viewer;
using plandra::ViewerOf;

#define PLANDRA_EXPORT(name) extern "C" __attribute__((export_name(name)))

// Memory for the page to write a figure's text into.
PLANDRA_EXPORT("alloc") char* ViewerAlloc(size_t bytes) {
  return static_cast<char*>(std::malloc(bytes ? bytes : 1));
}
PLANDRA_EXPORT("release") void ViewerRelease(char* memory) { std::free(memory); }

// The text of the last reply: a failure's message or a table.
PLANDRA_EXPORT("reply_text") const char* ViewerReplyText() { return plandra::Reply().c_str(); }
PLANDRA_EXPORT("reply_length") size_t ViewerReplyLength() { return plandra::Reply().size(); }

// Reads a figure from its UTF-8 text; the handle, or -1 with the reason as
// the reply.
PLANDRA_EXPORT("open") int ViewerOpen(const char* text, size_t length, int width, int height) {
  auto viewer = std::make_unique<Viewer>(width, height);
  plandra::ResetFigure(viewer->Fig, plandra::kViewerCapacity);
  plandra::FigTextReadResult read =
      plandra::ReadFigureText(viewer->Fig, std::string_view(text, length), 'R', "figure");
  plandra::failureLine = read.Ok ? 0 : read.Line;
  if (!read.Ok) {
    plandra::SetReply(read.Message);
    return -1;
  }
  plandra::RecomputeForRedraw(viewer->Fig);
  plandra::ViewForOpenedFigure(*viewer);
  plandra::SetFrameWork(viewer->Curves, plandra::kPageLocusWork);
  plandra::viewers.push_back(std::move(viewer));
  return static_cast<int>(plandra::viewers.size() - 1);
}

// Where the last figure that could not be opened stopped being read: its
// line, or 0. The reply's reason is the reader's own, in English.
PLANDRA_EXPORT("failure_line") int ViewerFailureLine() { return plandra::failureLine; }

// The figure's viewer freed; its handle names nothing from now on.
PLANDRA_EXPORT("close") void ViewerClose(int handle) {
  if (ViewerOf(handle)) plandra::viewers[static_cast<size_t>(handle)].reset();
}

// The next movable point after from (direction 1) or before it (-1), or 0
// past the last: the order Tab walks them in.
PLANDRA_EXPORT("next_movable") int ViewerNextMovable(int handle, int from, int direction) {
  Viewer* v = ViewerOf(handle);
  if (!v) return 0;
  const int count = v->Fig.ElemCount[plandra::kClassPoint];
  int i = from == 0 && direction < 0 ? count : from + direction;
  for (; i >= 1 && i <= count; i += direction) {
    if (plandra::Movable(*v, i)) return i;
  }
  return 0;
}

// The point the keys move from now on, drawn as a dragged point; 0 lets go.
PLANDRA_EXPORT("choose") void ViewerChoose(int handle, int point) {
  Viewer* v = ViewerOf(handle);
  if (!v || v->Dragged != 0) return;
  v->Chosen = plandra::PointIndexValid(v->Fig, point) && plandra::Movable(*v, point) ? point : 0;
  v->Draw.DraggedPoint = v->Chosen;
  plandra::BeginMoves(*v);
}

// One deformation key on the chosen point: pixels along (dx, dy) as the
// window's arrow keys move it with that step; 1 when the figure moved.
PLANDRA_EXPORT("key_move") int ViewerKeyMove(int handle, int dx, int dy, int pixels) {
  Viewer* v = ViewerOf(handle);
  if (!v || v->Chosen == 0 || v->Dragged != 0) return 0;
  plandra::TracedStep(*v, v->Chosen, [&] {
    plandra::KeyMoveStep(v->Fig, v->Chosen, dx, dy, pixels * v->View.PixelSize, v->FirstMove);
  });
  v->Curves.FirstDriving = v->Chosen;
  return 1;
}

PLANDRA_EXPORT("resize") void ViewerResize(int handle, int width, int height) {
  if (Viewer* v = ViewerOf(handle)) v->Canvas.Resize(width, height);
}

// Draws the figure with the sampled loci one frame may sweep; 1 when some
// are left for the frames after.
PLANDRA_EXPORT("draw") int ViewerDraw(int handle) {
  Viewer* v = ViewerOf(handle);
  if (!v) return 0;
  plandra::Draw(*v);
  return v->Curves.Unfinished ? 1 : 0;
}

// A press on the canvas takes the movable point under it; 1 when it did.
PLANDRA_EXPORT("pointer_down") int ViewerPointerDown(int handle, double column, double row) {
  Viewer* v = ViewerOf(handle);
  if (!v) return 0;
  v->Chosen = 0;
  const bool taken = plandra::TakeUnderPointer(*v, column, row);
  plandra::BeginMoves(*v);
  v->Draw.DraggedPoint = v->Dragged;
  return taken;
}

// One move step of what the press took to the pixel, with Shift held as the
// window's Shift-drag (onto the nearest line or circle that does not follow
// the point); 1 when the figure moved.
PLANDRA_EXPORT("pointer_move")
int ViewerPointerMove(int handle, double column, double row, int shift) {
  Viewer* v = ViewerOf(handle);
  if (!v || (v->Dragged == 0 && v->DraggedLine == 0)) return 0;
  const double pixel = v->View.PixelSize;
  plandra::WorldPoint at = plandra::PixelToWorld(v->View, column, row);
  plandra::DragPosition to{plandra::SnapToPixel(at.X, pixel), plandra::SnapToPixel(at.Y, pixel)};
  if (shift) {
    to = plandra::ShiftDragTarget(v->Fig, v->Independent, v->Dragged, at.X, at.Y, pixel,
                                  plandra::kSnapLineOrCircle);
  }
  if (v->Dragged != 0) {
    plandra::TracedStep(*v, v->Dragged, [&] {
      plandra::MovePointStepAt(v->Fig, v->Dragged, to.X, to.Y, v->FirstMove);
    });
    v->Curves.FirstDriving = v->Dragged;
    return 1;
  }
  // The window watches the traced elements with the line's points already
  // placed: they leave no trace of their own.
  plandra::PlaceLinePoints(v->Fig, v->DraggedLine, v->LineOffsets, to.X, to.Y);
  plandra::TracedStep(*v, 0, [&] {
    plandra::LineMoveStep(v->Fig, v->DraggedLine, v->LineOffsets, to.X, to.Y, v->FirstMove);
  });
  return 1;
}

// The point is let go; the figure is recomputed once more, as the window does.
PLANDRA_EXPORT("pointer_up") int ViewerPointerUp(int handle) {
  Viewer* v = ViewerOf(handle);
  if (!v || (v->Dragged == 0 && v->DraggedLine == 0)) return 0;
  v->Dragged = 0;
  v->DraggedLine = 0;
  v->Draw.DraggedPoint = 0;
  plandra::RecomputeForRedraw(v->Fig);
  return 1;
}

// What the press took: the point, or minus the line dragged whole; 0 for none.
PLANDRA_EXPORT("taken") int ViewerTaken(int handle) {
  Viewer* v = ViewerOf(handle);
  return v ? (v->Dragged != 0 ? v->Dragged : -v->DraggedLine) : 0;
}

// The figure as the page's description tells it, as the reply; decimals
// below 0 take the viewer's own.
PLANDRA_EXPORT("describe") size_t ViewerDescribe(int handle, int decimals) {
  Viewer* v = ViewerOf(handle);
  if (!v) return plandra::SetReply({});
  return plandra::SetReply(
      plandra::FigureDescription(v->Fig, decimals < 0 ? v->Config.KetaDecimal : decimals));
}

// The next number after from that the program's number variation offers
// (an independent one), or 0 past the last.
PLANDRA_EXPORT("next_variable") int ViewerNextVariable(int handle, int from) {
  Viewer* v = ViewerOf(handle);
  if (!v) return 0;
  for (int i = from + 1; i <= v->Fig.ElemCount[plandra::kClassNumber]; ++i) {
    if (plandra::Variable(v->Fig, i)) return i;
  }
  return 0;
}

// The number's line as the window's number chooser lists it, as the reply.
PLANDRA_EXPORT("number_line") size_t ViewerNumberLine(int handle, int number) {
  Viewer* v = ViewerOf(handle);
  return plandra::SetReply(v ? plandra::NumberListLine(v->Fig, number, v->Config.KetaDecimal)
                             : std::string());
}

// One step of the number variation on the number: up (1) or down (-1) by
// step, as the window's arrow keys vary it; 1 when the figure followed.
PLANDRA_EXPORT("vary") int ViewerVary(int handle, int number, int direction, double step) {
  Viewer* v = ViewerOf(handle);
  if (!v || v->Dragged != 0 || v->DraggedLine != 0 || !plandra::Variable(v->Fig, number)) return 0;
  plandra::NumberVaryStep(v->Fig, number, direction, step, v->Varied != number);
  v->Varied = number;
  return 1;
}

// The locus switch: while on, moves leave traces of the elements with a
// locus colour. Switching it off keeps the traces drawn.
PLANDRA_EXPORT("locus_switch") void ViewerLocusSwitch(int handle, int on) {
  if (Viewer* v = ViewerOf(handle)) v->Locus.LocusOn = on ? plandra::kTrue : plandra::kFalse;
}

PLANDRA_EXPORT("clear_traces") void ViewerClearTraces(int handle) {
  if (Viewer* v = ViewerOf(handle)) plandra::ClearTraces(v->Locus);
}

// How many elements leave a trace: the page offers the switch only then.
PLANDRA_EXPORT("traced_count") int ViewerTracedCount(int handle) {
  Viewer* v = ViewerOf(handle);
  return v ? static_cast<int>(plandra::WatchTracedElements(v->Fig, 0).Refs.size()) : 0;
}

// The traces as the reply, for tests.
PLANDRA_EXPORT("trace_table") size_t ViewerTraceTable(int handle) {
  Viewer* v = ViewerOf(handle);
  return plandra::SetReply(v ? plandra::TraceTableText(v->Locus) : std::string());
}

// The element table of the figure as the reply, for tests.
PLANDRA_EXPORT("element_table") size_t ViewerElementTable(int handle) {
  Viewer* v = ViewerOf(handle);
  return plandra::SetReply(v ? plandra::ElementTableText(v->Fig) : std::string());
}
