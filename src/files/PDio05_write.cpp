// Writing the figure store as a figure file.
#include <algorithm>
#include <charconv>
#include <string>

#include "figure/EventMark.h"
#include "files/Cp932.h"
#include "files/PDio05.h"
#include "persist/String05.h"

namespace plandra {
namespace {

class FigWriter {
 public:
  FigWriter(std::string& out, bool& lostCharacters) : out_(out), lost_(lostCharacters) {}

  FigWriter& Int(int value) {
    Separate();
    char buffer[16];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out_.append(buffer, result.ptr);
    return *this;
  }

  FigWriter& Real(double value) {
    Separate();
    AppendReal(out_, value);
    return *this;
  }

  // The format has no escape: a quote or a line break inside a text could
  // not be read back, so they are replaced.
  FigWriter& Text(std::string_view text) {
    Separate();
    out_ += '"';
    text = TrimRight(text);
    if (text.find_first_of("\"\r\n") == std::string_view::npos) {
      out_ += converter_.FromUtf8(text, lost_);
    } else {
      out_ += converter_.FromUtf8(Sanitized(text), lost_);
    }
    out_ += '"';
    return *this;
  }

  void EndLine() {
    out_ += "\r\n";
    lineStarted_ = false;
  }

 private:
  static std::string Sanitized(std::string_view text) {
    std::string clean;
    for (char c : text) {
      if (c == '"') {
        clean += FullWidth(c);
      } else {
        clean += (c == '\r' || c == '\n') ? ' ' : c;
      }
    }
    return clean;
  }

  void Separate() {
    if (lineStarted_) out_ += ',';
    lineStarted_ = true;
  }

  std::string& out_;
  bool& lost_;
  Cp932Converter converter_;
  bool lineStarted_ = false;
};

// Counts that the tables can back, so a damaged store still gives a file
// that reads back.
int WritableSteps(const Figure& fig) {
  int rows = std::min({UpperBound(fig.StepKind), UpperBound(fig.StepIn), UpperBound(fig.StepOut)});
  return std::clamp<int>(fig.StepCount, 0, std::max(rows, 0));
}

std::array<int, 11> WritableCounts(const Figure& fig) {
  std::array<int, 11> counts{};
  const int bounds[] = {UpperBound(fig.NumTable), UpperBound(fig.PtTable), UpperBound(fig.LnTable),
                        UpperBound(fig.CirTable)};
  for (size_t c = 0; c < counts.size(); ++c) {
    int limit = c < std::size(bounds) ? std::max(bounds[c], 0) : kMaxCount;
    counts[c] = std::clamp<int>(fig.ElemCount[c], 0, limit);
  }
  return counts;
}

void WriteSteps(FigWriter& w, const Figure& fig, int steps) {
  w.Int(steps).EndLine();
  for (int i = 1; i <= steps; ++i) w.Text(fig.StepKind[i]).EndLine();
  for (int i = 1; i <= steps; ++i) {
    for (int j = 1; j <= 5; ++j) {
      const ObjRef& in = fig.StepIn[i][j];
      w.Int(in.Class % 100).Int(in.Index).EndLine();
    }
  }
  for (int i = 1; i <= steps; ++i) {
    for (int j = 1; j <= 5; ++j)
      w.Int(fig.StepOut[i][j].Class).Int(fig.StepOut[i][j].Index).EndLine();
  }
}

// "_" and "@" end a number's name in its text field: a name holding them
// (a label made from point names, say) keeps them in their full-width form.
std::string NumberNameField(std::string_view name) {
  std::string field;
  for (char c : TrimRight(name)) field += c == '_' || c == '@' ? FullWidth(c) : std::string(1, c);
  return field;
}

void WriteNumber(FigWriter& w, const NumRec& num) {
  std::string text = NumberNameField(num.Name);
  if (num.NumShow == 7) text += '_';
  text += '@';
  text += TrimRight(num.Expr);
  w.Real(num.Value).Int(num.Exists).Text(text).EndLine();
  w.Int(num.NumFlag).EndLine();
}

void WritePoint(FigWriter& w, const PtRec& pt) {
  w.Real(pt.X).Real(pt.Y).EndLine();
  w.Int(pt.Color).EndLine();
  w.Int(pt.Style).EndLine();
  w.Int(pt.Exists).EndLine();
  w.Int(pt.Mark).EndLine();
  w.Int(pt.BoundMode).EndLine();
  w.Int(pt.HostClass).Int(pt.HostIndex).EndLine();
  w.Real(pt.Param).EndLine();
  w.Text(pt.Name).EndLine();
}

void WriteLine(FigWriter& w, const LnRec& ln) {
  w.Real(ln.X1).Real(ln.Y1).EndLine();
  w.Real(ln.X2).Real(ln.Y2).EndLine();
  w.Int(ln.Exists).EndLine();
  w.Int(ln.LineKind).EndLine();
  w.Real(ln.DX).Real(ln.DY).EndLine();
  w.Int(ln.Color).EndLine();
  w.Int(ln.Style).EndLine();
  w.Text(ln.Name).EndLine();
}

void WriteCircle(FigWriter& w, const CirRec& cir) {
  w.Real(cir.CX).Real(cir.CY).EndLine();
  w.Real(cir.R).EndLine();
  w.Int(cir.Exists).EndLine();
  w.Int(cir.Color).EndLine();
  w.Int(cir.Style).EndLine();
  w.Text(cir.Name).EndLine();
}

}  // namespace

std::string FigFileText(const Figure& fig, bool& lostCharacters) {
  int steps = WritableSteps(fig);
  std::array<int, 11> counts = WritableCounts(fig);
  std::string out;
  out.reserve(static_cast<size_t>(steps) * 160 + static_cast<size_t>(counts[0]) * 40 +
              static_cast<size_t>(counts[1] + counts[2] + counts[3]) * 90 + 64);
  FigWriter w(out, lostCharacters);
  WriteSteps(w, fig, steps);
  for (int count : counts) w.Int(count).EndLine();
  for (int k = 1; k <= counts[kClassNumber]; ++k) WriteNumber(w, fig.NumTable[k]);
  for (int k = 1; k <= counts[kClassPoint]; ++k) WritePoint(w, fig.PtTable[k]);
  for (int k = 1; k <= counts[kClassLine]; ++k) WriteLine(w, fig.LnTable[k]);
  for (int k = 1; k <= counts[kClassCircle]; ++k) WriteCircle(w, fig.CirTable[k]);
  int revRows = std::min(steps, UpperBound(fig.StepRev));
  for (int s = 1; s <= revRows; ++s) {
    if (fig.StepRev[s] != 0) w.Text("REV=").Int(s).EndLine();
  }
  return out;
}

std::string FigFileExt(const Figure& fig) {
  int points = std::min<int>(fig.ElemCount[kClassPoint], UpperBound(fig.PtTable));
  for (int k = 1; k <= points; ++k) {
    if (EventKindOf(fig.PtTable[k].Name) != kEventNone) return ".pd5";
  }
  return ".pd4";
}

}  // namespace plandra
