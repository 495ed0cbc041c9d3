// The table of the chosen number while the dragged point sweeps the plane
// (key X in the deformation). It is computed a slice at a time from a timer,
// so that the window shows the point sweeping and Escape can stop it; the
// file appears only when the table is whole.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

#include "figure/PDtype05.h"

namespace plandra {

struct Program;
struct ViewState;

// Samples every 10 pixels over the visible plane: i from -Nx to Nx, j from
// -Ny to Ny, at (i × 10 × PixelSize, j × 10 × PixelSize).
struct PlaneGrid {
  int Nx = 0;
  int Ny = 0;
  double PixelSize = 0;

  int Columns() const { return 2 * Nx + 1; }
  int Rows() const { return 2 * Ny + 1; }
  long Samples() const { return static_cast<long>(Columns()) * Rows(); }
  double Coordinate(int i) const { return i * 10 * PixelSize; }
};
PlaneGrid PlaneGridOf(const ViewState& view);

struct PlaneTableRun {
  bool Running = false;
  PlaneGrid Grid;
  int Point = 0;
  PtRec Start;  // the point as it stood before the table
  std::filesystem::path File;
  std::string Text;  // the lines so far
  long Done = 0;     // samples taken
  long Batch = 0;    // samples taken together, grown while a batch is quick
};

constexpr int kPlaneTableTickMs = 1;
// The time one tick computes before the window shows the sweep again.
constexpr int kPlaneTableSliceMs = 40;

// Key X: the checks, the question, then the table starts.
void StartPlaneTable(Program& p);
// The timer: samples for one slice, then the progress or the end.
void PlaneTableTick(Program& p);
// Escape: no file, the point back where it was; the deformation goes on.
void CancelPlaneTable(Program& p);
bool PlaneTableRunning(const Program& p);

}  // namespace plandra
