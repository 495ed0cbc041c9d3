#include "core/Refresh.h"

#include <string>

#include "core/MainModel.h"
#include "core/Program.h"
#include "core/Recompute.h"
#include "core/language/TranslatedText.h"
#include "core/locus/MeasureRecord.h"
#include "core/locus/PdLocus.h"
#include "core/locus/PlaneTable.h"
#include "core/macros/ViewerText.h"
#include "core/pick/PDSelObj.h"
#include "engine/DragRules.h"
#include "engine/GeoObj05.h"
#include "labels/Labels05.h"

namespace plandra {
namespace {

// The renderer notes colour numbers outside the palette; each is told once.
void ReportUnknownColors(Program& p) {
  std::vector<int16_t> colors;
  colors.swap(p.Draw.ColorsToReport);
  for (int number : colors) {
    HostOf(p).MessageBox(std::to_string(number), kProgramTitle, MsgButtons::kOk);
  }
}

bool SampledLociUnfinished(const Program& p) {
  return p.Layers.SampledLociUnfinished && p.Layers.SampledLociUnfinished();
}

// The figure as it stands, with the loci its frame leaves for later asked for.
void DrawFigureFrame(Program& p) {
  int16_t mode = CurrentMode(p.Modes);
  if (mode == kModeStandard || mode == kModeLoading) RefreshFreePointCandidates(p);
  MarkDraggableLines(p.Fig);
  std::vector<ScreenNumberLine> numberList;
  if (p.Canvas && !NamesHidden(p.Config, mode)) {
    numberList = ScreenNumberList(p.Fig, TranslatedText(p.Lang), p.Config.KetaDecimal,
                                  p.Draw.LeftPanelShown);
  }
  RenderContext context = RenderContextOf(p, &numberList);
  DrawFrame(context);
  if (SampledLociUnfinished(p)) HostOf(p).SetTimer(TimerId::kLoci, kLocusTickMs);
}

void DrawRecomputed(Program& p) {
  DrawFigureFrame(p);
  // The number labels are refreshed: the record takes their values.
  // The samples of the table over the plane are no measurements.
  if (p.Locus.LocusOn != kFalse && !PlaneTableRunning(p)) RecordRow(p, "");
  ReportUnknownColors(p);
  RefreshModeDisplay(p);
}

}  // namespace

Platform& HostOf(Program& p) {
  static SilentPlatform silent;  // stateless
  return p.Host ? *p.Host : silent;
}

RenderContext RenderContextOf(Program& p, const std::vector<ScreenNumberLine>* numberList) {
  return RenderContext{p.Fig,      p.View,   p.Draw, p.Config, p.Canvas, CurrentMode(p.Modes),
                       numberList, &p.Layers};
}

MatrixDisplay MatrixDisplayOf(Program& p) {
  // Nothing in the program turns the final matrices on; the projective
  // frames are written at every evaluation.
  return ViewerMatrixDisplay(p.Viewer, p.Lang, kFalse);
}

void Redraw(Program& p) {
  MatrixDisplay display = MatrixDisplayOf(p);
  RecomputeForRedraw(p.Fig, HostOf(p), &display);
  DrawRecomputed(p);
  RefreshObjStatus(p);
}

void RedrawAfterMove(Program& p) { DrawRecomputed(p); }

void DrawLociLeftForLater(Program& p) {
  HostOf(p).SetTimer(TimerId::kLoci, 0);
  DrawFigureFrame(p);
  ReportUnknownColors(p);
}

void CompleteSampledLoci(Program& p) {
  while (SampledLociUnfinished(p)) DrawLociLeftForLater(p);
}

void DrawElement(Program& p, ObjRef ref, int16_t c, int16_t source) {
  RenderContext context = RenderContextOf(p);
  DrawElement(context, ref, c, source);
  ReportUnknownColors(p);
}

void DrawAxes(Program& p) {
  RenderContext context = RenderContextOf(p);
  DrawAxes(context);
}

RgbColor ColorOf(Program& p, int16_t number) {
  RenderContext context = RenderContextOf(p);
  RgbColor color = ColorOf(context, number);
  ReportUnknownColors(p);
  return color;
}

void DrawHighlights(Program& p) {
  RenderContext context = RenderContextOf(p);
  DrawHighlights(context);
  ReportUnknownColors(p);
}

}  // namespace plandra
