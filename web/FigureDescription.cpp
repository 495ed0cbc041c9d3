// The figure told as text for the page's description beside the canvas: one
// line an element, its values as the figure now has them. The page puts the
// words of its language around these fields.
#include <cstdio>
#include <map>
#include <string>
#include <utility>

#include "FigureDescription.h"
#include "figure/Codes.h"
#include "labels/Labels05.h"

namespace plandra {
namespace {

std::string Decimal(double value, int decimals) {
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  std::string shown(text);
  if (shown.find_first_not_of("-0.") == std::string::npos) shown = shown.substr(shown[0] == '-');
  return shown;
}

std::string Place(double x, double y, int decimals) {
  return "(" + Decimal(x, decimals) + ", " + Decimal(y, decimals) + ")";
}

// The step that made each element, by class and index.
std::map<std::pair<int, int>, int> MakingSteps(const Figure& fig) {
  std::map<std::pair<int, int>, int> made;
  for (int s = 1; s <= fig.StepCount; ++s) {
    for (int k = 1; k <= 5; ++k) {
      const ObjRef out = fig.StepOut[s][k];
      if (out.Index != 0) made.emplace(std::pair<int, int>(out.BaseClass(), out.Index), s);
    }
  }
  return made;
}

// The kind of the step and the names of its inputs, tab-separated.
std::string Making(const Figure& fig, int step) {
  if (step == 0) return "\t";
  std::string inputs;
  for (int k = 1; k <= 5; ++k) {
    const ObjRef in = fig.StepIn[step][k];
    if (in.Index == 0 || !RefInRange(fig, in)) continue;
    // A number typed in (a ratio, a length) has no name to tell.
    const std::string name = ElementName(fig, ObjRef::Of(in.BaseClass(), in.Index));
    if (name.empty()) continue;
    if (!inputs.empty()) inputs += ", ";
    inputs += name;
  }
  return std::string(StepKindText(fig, step)) + "\t" + inputs;
}

std::string Value(const Figure& fig, int cls, int i, int decimals) {
  switch (cls) {
    case kClassPoint: return Place(fig.PtTable[i].X, fig.PtTable[i].Y, decimals);
    case kClassLine: {
      const LnRec& ln = fig.LnTable[i];
      return Place(ln.X1, ln.Y1, decimals) + ", " + Place(ln.X2, ln.Y2, decimals);
    }
    case kClassCircle: {
      const CirRec& cir = fig.CirTable[i];
      return Place(cir.CX, cir.CY, decimals) + "\t" + Decimal(cir.R, decimals);
    }
    default: return Decimal(fig.NumTable[i].Value, decimals);
  }
}

}  // namespace

std::string FigureDescription(const Figure& fig, int decimals) {
  static constexpr char kLetters[] = "NPLC";
  const auto made = MakingSteps(fig);
  std::string text;
  for (int cls : {kClassPoint, kClassLine, kClassCircle, kClassNumber}) {
    for (int i = 1; i <= fig.ElemCount[cls]; ++i) {
      const ObjRef ref = ObjRef::Of(cls, i);
      if (!RefInRange(fig, ref)) break;
      if (cls == kClassNumber && fig.NumTable[i].NumShow != kNumShown) continue;
      const auto step = made.find({cls, i});
      text += kLetters[cls];
      text += "\t" + std::to_string(i) + "\t" + ElementName(fig, ref) + "\t" +
              Making(fig, step == made.end() ? 0 : step->second) + "\t" +
              (GetExists(fig, ref) != kFalse ? Value(fig, cls, i, decimals) : std::string()) + "\n";
    }
  }
  return text;
}

}  // namespace plandra
