// Measurements: numbers computed from points, lines, circles and numbers,
// and the angle marks that angle measurements leave for the drawing.
#include <algorithm>
#include <cmath>
#include <limits>

#include "engine/GeoObj05_eval.h"

namespace plandra {
namespace {

// A number's value, or NaN when it does not exist, so that a failed part
// makes the whole measurement fail.
double ValueOf(const NumRec& number) {
  return Defined(number.Exists) ? number.Value : std::numeric_limits<double>::quiet_NaN();
}

double DistanceOf(const PtRec& a, const PtRec& b) {
  NumRec d;
  Distance(a, b, d);
  return ValueOf(d);
}

void DistanceToLine(const PtRec& p, const LnRec& line, NumRec& out) {
  PtRec foot;
  FootOnLine(line, p, foot);
  Distance(p, foot, out);
}

void SignedDistanceToLine(StepEval& eval, NumRec& out) {
  const PtRec& p = eval.Pt(1);
  const LnRec& line = eval.Ln(2);
  NumRec distance, side;
  DistanceToLine(p, line, distance);
  PtRec first, second;
  SplitLine(line, first, second);
  if (!SignedAngle(p, first, second, side)) ++eval.Report.AngleErrors;
  if (!Defined(distance.Exists)) {
    out.Exists = kFalse;
    return;
  }
  // Positive on the left of the line's direction.
  StoreNumber(out, side.Value > 0 ? -distance.Value : distance.Value);
}

void DistanceOfLines(const LnRec& l, const LnRec& m, NumRec& out) {
  bool sameDirection =
      std::abs(l.DX - m.DX) <= kDirectionEps && std::abs(l.DY - m.DY) <= kDirectionEps;
  if (!sameDirection) {
    out.Exists = kFalse;
    return;
  }
  PtRec start, end, across;
  SplitLine(l, start, end);
  LnRec perpendicular;
  PerpendicularThrough(l, start, perpendicular);
  LineIntersect(m, perpendicular, across);
  Distance(start, across, out);
}

void CircleLineGap(const LnRec& line, const CirRec& circle, NumRec& out) {
  NumRec distance;
  DistanceToLine(CentreOf(circle), line, distance);
  if (!Defined(distance.Exists)) {
    out.Exists = kFalse;
    return;
  }
  StoreNumber(out, distance.Value - circle.R);
}

double CircleGap(const CirRec& k0, const CirRec& k1) {
  double gap = DistanceOf(CentreOf(k0), CentreOf(k1)) - k0.R - k1.R;
  return gap < 0 ? 0 : gap;
}

double SignedArea(const PtRec& a, const PtRec& b, const PtRec& c) {
  return Determinant2(b.X - a.X, b.Y - a.Y, c.X - a.X, c.Y - a.Y) / 2;
}

double TriangleArea(const PtRec& a, const PtRec& b, const PtRec& c) {
  NumRec angle;
  UnsignedAngle(a, b, c, angle);
  return DistanceOf(a, b) * DistanceOf(b, c) * std::sin(ValueOf(angle) * kPi / 180) / 2;
}

double LinesAngle(const LnRec& l, const LnRec& m) {
  return std::abs(ArcCosPart(l.DX * m.DX + l.DY * m.DY)) * 180 / kPi;
}

void EvalAngle(StepEval& eval, NumRec& out) {
  const PtRec& a = eval.Pt(1);
  const PtRec& vertex = eval.Pt(2);
  const PtRec& c = eval.Pt(3);
  NumRec angle;
  if (eval.Id != Kind::NA3Star) {
    MeasureAngle(eval, a, vertex, c, angle);
    double value = ValueOf(angle);
    StoreNumber(out, eval.Id == Kind::NA3P ? std::abs(value) : value);
    return;
  }
  // The full-turn angle registers its own mark instead of the signed one.
  bool recording = eval.Fig.AngleMarkRecording;
  eval.Fig.AngleMarkRecording = false;
  MeasureAngle(eval, a, vertex, c, angle);
  eval.Fig.AngleMarkRecording = recording;
  if (!Defined(angle.Exists)) {
    out.Exists = kFalse;
    DropAngleMark(eval.Fig, eval.Step);
    return;
  }
  double value = angle.Value < 0 ? angle.Value + 360 : angle.Value;
  StoreNumber(out, value);
  RegisterAngleMark(eval.Fig, eval.Step, a, vertex, c, value);
}

void EvalCircleMeasure(StepEval& eval, NumRec& out) {
  switch (eval.Id) {
    case Kind::NDPC:
      StoreNumber(out, std::abs(DistanceOf(eval.Pt(1), CentreOf(eval.Cir(2))) - eval.Cir(2).R));
      break;
    case Kind::NDLC: CircleLineGap(eval.Ln(1), eval.Cir(2), out); break;
    case Kind::ND2C: StoreNumber(out, CircleGap(eval.Cir(1), eval.Cir(2))); break;
    case Kind::NLC: StoreNumber(out, eval.Cir(1).R * kFullTurn); break;
    case Kind::NRC: StoreNumber(out, eval.Cir(1).R); break;
    default: break;
  }
}

void EvalOtherMeasure(StepEval& eval, NumRec& out) {
  switch (eval.Id) {
    case Kind::NA2L: StoreNumber(out, LinesAngle(eval.Ln(1), eval.Ln(2))); break;
    case Kind::NPX:
    case Kind::NPX2: StoreNumber(out, eval.Pt(1).X); break;
    case Kind::NPY: StoreNumber(out, eval.Pt(1).Y); break;
    case Kind::NAR3: StoreNumber(out, TriangleArea(eval.Pt(1), eval.Pt(2), eval.Pt(3))); break;
    case Kind::NARPlus: StoreNumber(out, SignedArea(eval.Pt(1), eval.Pt(2), eval.Pt(3))); break;
    case Kind::NAR4: {
      const PtRec& a = eval.Pt(1);
      StoreNumber(out, std::abs(SignedArea(a, eval.Pt(2), eval.Pt(3)) +
                                SignedArea(a, eval.Pt(3), eval.Pt(4))));
      break;
    }
    case Kind::NSIN: StoreNumber(out, std::sin(eval.Num(1).Value * kPi / 180)); break;
    case Kind::NCOS: StoreNumber(out, std::cos(eval.Num(1).Value * kPi / 180)); break;
    case Kind::NTAN: StoreNumber(out, std::tan(eval.Num(1).Value * kPi / 180)); break;
    default: EvalCircleMeasure(eval, out); break;
  }
}

bool MarkBefore(const AngleMark& mark, int step) { return mark.Step < step; }

}  // namespace

void MeasureAngle(StepEval& eval, const PtRec& a, const PtRec& vertex, const PtRec& c,
                  NumRec& out) {
  if (!SignedAngle(a, vertex, c, out)) ++eval.Report.AngleErrors;
  if (Defined(out.Exists)) {
    RegisterAngleMark(eval.Fig, eval.Step, a, vertex, c, out.Value);
  } else {
    DropAngleMark(eval.Fig, eval.Step);
  }
}

bool MeasuresAngle(Kind kind) {
  return kind == Kind::NA3P || kind == Kind::NA3Plus || kind == Kind::NA3Star || kind == Kind::LH2;
}

void RegisterAngleMark(Figure& fig, int step, const PtRec& from, const PtRec& vertex,
                       const PtRec& to, double degrees) {
  if (!fig.AngleMarkRecording || !fig.LastPass) return;
  AngleMark mark{step, vertex.X, vertex.Y, from.X, from.Y, to.X, to.Y, degrees};
  auto at = std::lower_bound(fig.AngleMarks.begin(), fig.AngleMarks.end(), step, MarkBefore);
  if (at != fig.AngleMarks.end() && at->Step == step) {
    *at = mark;
  } else {
    fig.AngleMarks.insert(at, mark);
  }
}

void DropAngleMark(Figure& fig, int step) {
  if (!fig.AngleMarkRecording || !fig.LastPass) return;
  auto at = std::lower_bound(fig.AngleMarks.begin(), fig.AngleMarks.end(), step, MarkBefore);
  if (at != fig.AngleMarks.end() && at->Step == step) fig.AngleMarks.erase(at);
}

void PruneAngleMarks(Figure& fig) {
  std::erase_if(fig.AngleMarks, [&fig](const AngleMark& mark) {
    return mark.Step < 1 || mark.Step > fig.StepCount ||
           mark.Step >= static_cast<int>(fig.StepKindId.size()) ||
           !MeasuresAngle(fig.StepKindId[mark.Step]);
  });
}

void ComputeNumberStep(StepEval& eval) {
  NumRec& out = eval.OutNum(1);
  switch (eval.Id) {
    case Kind::ND2P: Distance(eval.Pt(1), eval.Pt(2), out); break;
    case Kind::NDPL: DistanceToLine(eval.Pt(1), eval.Ln(2), out); break;
    case Kind::NPL2: SignedDistanceToLine(eval, out); break;
    case Kind::ND2L: DistanceOfLines(eval.Ln(1), eval.Ln(2), out); break;
    case Kind::NA3P:
    case Kind::NA3Plus:
    case Kind::NA3Star: EvalAngle(eval, out); break;
    default: EvalOtherMeasure(eval, out); break;
  }
}

}  // namespace plandra
