#include "core/Recompute.h"

namespace plandra {

void TellRecomputeReport(Platform& platform, const RecomputeReport& report) {
  for (int i = 0; i < report.HeldAtEnd; ++i) platform.Beep();
  // The language table holds no entry for this text: it shows as it is.
  for (int i = 0; i < report.AngleErrors; ++i) {
    platform.MessageBox("Error in Angle", "", MsgButtons::kOk);
  }
}

void RecomputeStep(Figure& fig, Platform& platform, int step, const MatrixDisplay* display) {
  TellRecomputeReport(platform, RecomputeStep(fig, step, display));
}

void RecomputeAll(Figure& fig, Platform& platform, const MatrixDisplay* display) {
  TellRecomputeReport(platform, RecomputeAll(fig, display));
}

void MarkDependencies(Figure& fig, Platform& platform, ObjRef moved) {
  TellRecomputeReport(platform, MarkDependencies(fig, moved));
}

void RecomputeForRedraw(Figure& fig, Platform& platform, const MatrixDisplay* display) {
  TellRecomputeReport(platform, RecomputeForRedraw(fig, display));
}

}  // namespace plandra
