#include "core/locus/PlaneSamples.h"

#include <algorithm>

#include "curves/SampleRuns.h"
#include "curves/SampledLocus.h"
#include "engine/GeoObj05.h"
#include "engine/MoveStep.h"

namespace plandra {
namespace {

// A whole recompute takes long enough that a few samples pay for a thread.
constexpr size_t kMinPlaneSamplesPerThread = 8;

// Every sample recomputes the whole figure, so all of it carries over.
std::vector<uint64_t> WholeFigureState(const Figure& fig) {
  std::vector<uint64_t> bits;
  for (int cls = kClassNumber; cls <= kClassCircle; ++cls) {
    int count = std::min(fig.ElemCount[cls], TableUpperBound(fig, cls));
    for (int i = 1; i <= count; ++i) AppendElementBits(fig, ObjRef::Of(cls, i), bits);
  }
  for (int rev : fig.StepRev) bits.push_back(static_cast<uint64_t>(rev));
  for (int state : fig.StepState) bits.push_back(static_cast<uint64_t>(state));
  bits.push_back(static_cast<uint64_t>(fig.PassCount));
  return bits;
}

}  // namespace

std::pair<int, int> GridColumnRow(const PlaneGrid& grid, long i) {
  const int columns = grid.Columns();
  return {static_cast<int>(i % columns) - grid.Nx, static_cast<int>(i / columns) - grid.Ny};
}

void PlaceOnPlane(Figure& fig, int point, double x, double y) {
  PtRec& pt = fig.PtTable[point];
  pt.Exists = kTrue;
  PlacePointAt(fig, pt, x, y);
  RecomputeForRedraw(fig);
}

std::vector<double> PlaneSampleValues(Figure& fig, const PlaneGrid& grid, int point, int number,
                                      long begin, long end, int threads) {
  if (end <= begin) return {};
  auto take = [&grid, point, number](Figure& f, size_t i, bool) {
    auto [column, row] = GridColumnRow(grid, static_cast<long>(i));
    PlaceOnPlane(f, point, grid.Coordinate(column), grid.Coordinate(row));
    return f.NumTable[number].Value;
  };
  const auto count = static_cast<size_t>(end - begin);
  SampleRuns<double> runs(take, WholeFigureState);
  return runs.Run(fig, static_cast<size_t>(begin), static_cast<size_t>(end),
                  SampleThreads(threads, count, kMinPlaneSamplesPerThread));
}

}  // namespace plandra
