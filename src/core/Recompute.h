// The program's recompute: the engine's pass, then what it reported told to
// the user through the platform, a beep for each point held at an end and
// "Error in Angle" for each angle that could not be decided.
#pragma once

#include <cstdint>

#include "core/Platform.h"
#include "engine/GeoObj05.h"

namespace plandra {

void TellRecomputeReport(Platform& platform, const RecomputeReport& report);

// display, when given, receives the matrices of the map steps evaluated.
void RecomputeStep(Figure& fig, Platform& platform, int step,
                   const MatrixDisplay* display = nullptr);
void RecomputeAll(Figure& fig, Platform& platform, const MatrixDisplay* display = nullptr);
void MarkDependencies(Figure& fig, Platform& platform, ObjRef moved);
void RecomputeForRedraw(Figure& fig, Platform& platform, const MatrixDisplay* display = nullptr);

}  // namespace plandra
