// Reads arbitrary bytes as a figure and does what opening it in the window
// does: recomputes it, draws it and sweeps its sampled loci frame by frame,
// each frame within the window's share of work. A file that asks for hours
// of work must still give every frame in bounded time; libFuzzer's time
// limit names one that does not.
#include <cstdint>
#include <string_view>
#include <vector>

#include "curves/SampledLocusCurves.h"
#include "engine/DragRules.h"
#include "engine/GeoObj05.h"
#include "figure/PDvar05.h"
#include "files/PDio05.h"
#include "files/SvgSurface.h"
#include "labels/Labels05.h"
#include "persist/Settings.h"
#include "view/PDDraw05.h"

namespace {

using namespace plandra;

// As the command-line renderer opens figures.
constexpr int16_t kCapacity = 200;
// The frames an input may have swept, each a tenth of the window's share
// (the sanitizers slow the sweeps): a figure with more loci to sweep is cut
// off here, as a window closed before they came.
constexpr int kFrames = 8;
constexpr double kWorkPerFrame = kLocusWorkPerFrame / 10;

struct Opened {
  Figure Fig;
  ViewState View;
  DrawState Draw;
  Settings Config;
  SvgSurface Canvas{641, 481};
  SampledLocusCurves Curves;
};

// One frame of the figure, as the window paints it; true when loci are left.
bool DrawFrameOf(Opened& o) {
  MarkDraggableLines(o.Fig);
  SetScreen(o.View, &o.Canvas);
  std::vector<ScreenNumberLine> numbers =
      ScreenNumberList(o.Fig, PlainTextLookup(), o.Config.KetaDecimal, o.Draw.LeftPanelShown);
  RenderLayers layers;
  layers.DrawSampledLoci = [&o](RenderContext& r) { DrawSampledLoci(o.Curves, r); };
  RenderContext context{o.Fig,     o.View,        o.Draw,   o.Config,
                        &o.Canvas, kModeStandard, &numbers, &layers};
  DrawFrame(context);
  return o.Curves.Unfinished;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Opened o;
  ResetFigure(o.Fig, kCapacity);
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  if (FigFileParse(o.Fig, bytes, 'R', "fuzz").Status != FigFileStatus::kOk) return 0;
  RecomputeForRedraw(o.Fig);
  o.View.PixelSize = o.Fig.ComplexOpsUsed ? kDefaultPixelSize / 4 : kDefaultPixelSize;
  SetFrameWork(o.Curves, kWorkPerFrame);
  for (int frame = 0; frame < kFrames && DrawFrameOf(o); ++frame) {
  }
  return 0;
}
