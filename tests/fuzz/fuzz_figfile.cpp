// Reads arbitrary bytes as a figure file, as a load and as a merge. A load
// or merge that succeeds must write a file that reads back to the same
// bytes; one that fails must leave the figure as it was.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "figure/PDvar05.h"
#include "files/PDio05.h"

namespace {

using namespace plandra;

std::string Text(const Figure& fig) {
  bool lost = false;
  return FigFileText(fig, lost);
}

// A small open figure to merge into: two free points and their segment,
// in a store small enough that every merge grows it.
Figure OpenFigure() {
  Figure fig;
  ResetFigure(fig, 3);
  for (int i = 1; i <= 2; ++i) {
    AppendStep(fig);
    SetStepKind(fig, fig.StepCount, "PNEW");
    ReserveElement(fig, kClassPoint);
    fig.StepOut[fig.StepCount][1] = ObjRef::Of(kClassPoint, fig.ElemCount[kClassPoint]);
    fig.PtTable[i].X = i;
    fig.PtTable[i].Exists = kTrue;
  }
  AppendStep(fig);
  SetStepKind(fig, fig.StepCount, "L1");
  fig.StepIn[3][1] = {kClassPoint, 1};
  fig.StepIn[3][2] = {kClassPoint, 2};
  ReserveElement(fig, kClassLine);
  fig.StepOut[3][1] = {kClassLine, 1};
  fig.StepRev[3] = kTrue;
  return fig;
}

void CheckRoundTrip(const Figure& fig) {
  std::string written = Text(fig);
  Figure back;
  ResetFigure(back, 3);
  if (FigFileParse(back, written, 'R', "written").Status != FigFileStatus::kOk) std::abort();
  if (Text(back) != written) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  Figure loaded;
  ResetFigure(loaded, 3);
  std::string empty = Text(loaded);
  if (FigFileParse(loaded, bytes, 'R', "fuzz").Status == FigFileStatus::kOk) {
    CheckRoundTrip(loaded);
  } else if (Text(loaded) != empty) {
    std::abort();
  }

  Figure open = OpenFigure();
  std::string before = Text(open);
  if (FigFileParse(open, bytes, 'A', "fuzz").Status == FigFileStatus::kOk) {
    CheckRoundTrip(open);
    // The open figure's own steps and elements stay where they were.
    bool kept = open.StepCount >= 3 && open.StepIn[3][2] == ObjRef{kClassPoint, 2} &&
                open.StepRev[3] == kTrue && open.PtTable[2].X == 2 &&
                open.ElemCount[kClassPoint] >= 2 && open.ElemCount[kClassLine] >= 1;
    if (!kept) std::abort();
  } else if (Text(open) != before) {
    std::abort();
  }
  return 0;
}
