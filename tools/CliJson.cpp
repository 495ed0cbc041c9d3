#include "CliJson.h"

namespace plandra {
namespace {

using json = nlohmann::ordered_json;

// The used slots up to the first empty one, as stored.
json SlotList(const StepRefs& refs) {
  json list = json::array();
  for (int k = 1; k <= 5; ++k) {
    if (refs[k].Class == 0 && refs[k].Index == 0) break;
    list.push_back({refs[k].Class, refs[k].Index});
  }
  return list;
}

json StepsJson(const Figure& fig) {
  json steps = json::array();
  for (int s = 1; s <= fig.StepCount; ++s) {
    steps.push_back({{"index", s},
                     {"kind", std::string(StepKindText(fig, static_cast<int16_t>(s)))},
                     {"in", SlotList(fig.StepIn[s])},
                     {"out", SlotList(fig.StepOut[s])},
                     {"state", fig.StepState[s]},
                     {"rev", fig.StepRev[s] != 0}});
  }
  return steps;
}

json NumbersJson(const Figure& fig) {
  json numbers = json::array();
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    const NumRec& n = fig.NumTable[i];
    numbers.push_back({{"index", i},
                       {"name", std::string(TrimRight(n.Name))},
                       {"value", n.Value},
                       {"exists", n.Exists != 0},
                       {"independent", n.NumFlag != 0},
                       {"expr", std::string(TrimRight(n.Expr))},
                       {"shown", n.NumShow == 0}});
  }
  return numbers;
}

json PointsJson(const Figure& fig) {
  json points = json::array();
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    const PtRec& p = fig.PtTable[i];
    points.push_back({{"index", i},
                      {"name", std::string(TrimRight(p.Name))},
                      {"x", p.X},
                      {"y", p.Y},
                      {"exists", p.Exists != 0},
                      {"color", p.Color},
                      {"style", p.Style},
                      {"mark", p.Mark},
                      {"boundMode", p.BoundMode},
                      {"hostClass", p.HostClass},
                      {"hostIndex", p.HostIndex},
                      {"param", p.Param}});
  }
  return points;
}

json LinesJson(const Figure& fig) {
  json lines = json::array();
  for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
    const LnRec& l = fig.LnTable[i];
    lines.push_back({{"index", i},
                     {"name", std::string(TrimRight(l.Name))},
                     {"x1", l.X1},
                     {"y1", l.Y1},
                     {"x2", l.X2},
                     {"y2", l.Y2},
                     {"dx", l.DX},
                     {"dy", l.DY},
                     {"exists", l.Exists != 0},
                     {"lineKind", l.LineKind},
                     {"color", l.Color},
                     {"style", l.Style}});
  }
  return lines;
}

json CirclesJson(const Figure& fig) {
  json circles = json::array();
  for (int i = 1; i <= fig.ElemCount[kClassCircle]; ++i) {
    const CirRec& c = fig.CirTable[i];
    circles.push_back({{"index", i},
                       {"name", std::string(TrimRight(c.Name))},
                       {"cx", c.CX},
                       {"cy", c.CY},
                       {"r", c.R},
                       {"exists", c.Exists != 0},
                       {"color", c.Color},
                       {"style", c.Style}});
  }
  return circles;
}

}  // namespace

nlohmann::ordered_json FigureJson(const Figure& fig, const std::string& fileName) {
  json doc;
  doc["file"] = fileName;
  doc["passCount"] = fig.PassCount;
  doc["steps"] = StepsJson(fig);
  doc["numbers"] = NumbersJson(fig);
  doc["points"] = PointsJson(fig);
  doc["lines"] = LinesJson(fig);
  doc["circles"] = CirclesJson(fig);
  return doc;
}

}  // namespace plandra
