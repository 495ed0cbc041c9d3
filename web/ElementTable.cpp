#include "ElementTable.h"

#include <cstdio>

namespace plandra {
namespace {

void AppendReals(std::string& out, std::initializer_list<double> values) {
  for (double value : values) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, " %.17g", value);
    out += buffer;
  }
}

void AppendRow(std::string& out, char kind, int index, std::initializer_list<double> values,
               int exists) {
  out += kind;
  out += ' ' + std::to_string(index);
  AppendReals(out, values);
  out += ' ' + std::to_string(exists) + '\n';
}

}  // namespace

std::string ElementTableText(const Figure& fig) {
  std::string out;
  for (int i = 1; i <= fig.ElemCount[kClassPoint]; ++i) {
    const PtRec& p = fig.PtTable[i];
    AppendRow(out, 'P', i, {p.X, p.Y}, p.Exists);
  }
  for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
    const LnRec& l = fig.LnTable[i];
    AppendRow(out, 'L', i, {l.X1, l.Y1, l.X2, l.Y2}, l.Exists);
  }
  for (int i = 1; i <= fig.ElemCount[kClassCircle]; ++i) {
    const CirRec& c = fig.CirTable[i];
    AppendRow(out, 'C', i, {c.CX, c.CY, c.R}, c.Exists);
  }
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    const NumRec& n = fig.NumTable[i];
    AppendRow(out, 'N', i, {n.Value}, n.Exists);
  }
  return out;
}

std::string TraceTableText(const LocusState& locus) {
  std::string out;
  const std::array<int, 4>& count = locus.TraceCount;
  const std::array<int, 4>& first = locus.TraceFirst;
  ForEachTrace(locus.TracePts, count[kClassPoint], first[kClassPoint], 0, [&out](const PtRec& p) {
    AppendRow(out, 'p', p.Color, {p.X, p.Y}, p.Mark);
  });
  ForEachTrace(locus.TraceLns, count[kClassLine], first[kClassLine], 0, [&out](const LnRec& l) {
    AppendRow(out, 'l', l.Color, {l.X1, l.Y1, l.DX, l.DY}, 0);
  });
  ForEachTrace(locus.TraceCirs, count[kClassCircle], first[kClassCircle], 0,
               [&out](const CirRec& c) {
                 AppendRow(out, 'c', c.Color, {c.CX, c.CY, c.R}, 0);
               });
  return out;
}

}  // namespace plandra
