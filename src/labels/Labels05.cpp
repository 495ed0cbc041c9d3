#include "labels/Labels05.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "engine/CalcEval.h"
#include "figure/EventMark.h"

namespace plandra {
namespace {

constexpr std::string_view kOperators = "+-*/^";

constexpr int kSignificantDigits = 15;
constexpr size_t kIntegerPositions = 3;

// The 15 significant digits of a (> 0 or 0) and the count of them that stand
// before the decimal point (may be <= 0 or > 15).
void SignificantDigits(double a, std::string& digits, int& pointPos) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*e", kSignificantDigits - 1, a);
  digits.assign(1, buf[0]);
  digits.append(buf + 2, kSignificantDigits - 1);
  pointPos = std::atoi(std::strchr(buf, 'e') + 1) + 1;
}

// Adds one to a text of decimal digits, growing it on a carry out of the front.
void IncrementDigits(std::string& digits) {
  for (size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

// |value| with exactly `decimals` decimals, rounded half away from zero on its
// 15-digit decimal form (so 2.675 shows 2.68, as the user typed it).
std::string FixedDecimalDigits(double magnitude, int decimals) {
  std::string digits;
  int pointPos = 0;
  SignificantDigits(magnitude, digits, pointPos);
  std::string whole;
  std::string fraction;
  if (pointPos <= 0) {
    whole = "0";
    fraction = std::string(static_cast<size_t>(-pointPos), '0') + digits;
  } else if (pointPos >= kSignificantDigits) {
    whole = digits + std::string(static_cast<size_t>(pointPos - kSignificantDigits), '0');
  } else {
    whole = digits.substr(0, static_cast<size_t>(pointPos));
    fraction = digits.substr(static_cast<size_t>(pointPos));
  }
  fraction.resize(static_cast<size_t>(decimals) + 1, '0');
  bool roundUp = fraction.back() >= '5';
  fraction.pop_back();
  std::string kept = whole + fraction;
  if (roundUp) IncrementDigits(kept);
  size_t wholeLength = kept.size() - fraction.size();
  return kept.substr(0, wholeLength) + "." + kept.substr(wholeLength);
}

// Names of inputs first..last of a step, joined.
std::string JoinedInputNames(const Figure& fig, int step, int first, int last) {
  std::string text;
  for (int k = first; k <= last; ++k) text += ElementName(fig, fig.StepIn[step][k]);
  return text;
}

// A circle's name in a distance label passes through the lookup.
std::string DistanceOperand(const Figure& fig, const TextLookup& words, ObjRef ref) {
  std::string name = ElementName(fig, ref);
  return ref.BaseClass() == kClassCircle ? words.Text(name) : name;
}

// The label of a step, or false when its kind keeps its names.
bool StepLabel(const Figure& fig, const TextLookup& words, int step, std::string& label) {
  const StepRefs& in = fig.StepIn[step];
  switch (fig.StepKindId[step]) {
    case Kind::L1:
    case Kind::ND2P: label = JoinedInputNames(fig, step, 1, 2); return true;
    case Kind::ND2L:
    case Kind::ND2C:
    case Kind::NDLC:
    case Kind::NDPC:
    case Kind::NDPL:
    case Kind::NPL2:
      label = "d(" + DistanceOperand(fig, words, in[1]) + ", " +
              DistanceOperand(fig, words, in[2]) + ")";
      return true;
    case Kind::NA3P:
    case Kind::NA3Plus:
    case Kind::NA3Star: label = "∠" + JoinedInputNames(fig, step, 1, 3); return true;
    case Kind::NAR3:
    case Kind::NARPlus: label = words.Text("Δ") + JoinedInputNames(fig, step, 1, 3); return true;
    case Kind::NAR4: label = words.Text("□") + JoinedInputNames(fig, step, 1, 4); return true;
    case Kind::NPX: label = ElementName(fig, in[1]) + "(x)"; return true;
    case Kind::NPX2: label = ElementName(fig, in[1]); return true;
    case Kind::NPY: label = ElementName(fig, in[1]) + "(y)"; return true;
    case Kind::NLC:
      label = words.Text("円") + ElementName(fig, in[1]) + words.Text("の円周");
      return true;
    case Kind::NRC:
      label = words.Text("円") + ElementName(fig, in[1]) + words.Text("の半径");
      return true;
    case Kind::NSIN: label = "SIN(" + ElementName(fig, in[1]) + ")"; return true;
    case Kind::NCOS: label = "COS(" + ElementName(fig, in[1]) + ")"; return true;
    case Kind::NTAN: label = "TAN(" + ElementName(fig, in[1]) + ")"; return true;
    case Kind::CALC: {
      ObjRef out = fig.StepOut[step][1];
      if (!RefInRange(fig, out) || out.BaseClass() != kClassNumber) return false;
      label = Num2Name(fig, fig.NumTable[out.Index].Expr);
      return true;
    }
    default: return false;
  }
}

std::string NumberLineText(int index, std::string_view name, double value, int16_t keta) {
  return PlainNumberText(index) + ":" + std::string(name) + " = " + ValueText(value, keta);
}

void SetDependentNumShow(Figure& fig, int16_t show) {
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    NumRec& num = fig.NumTable[i];
    if (num.NumFlag == kFalse) num.NumShow = show;
  }
}

// Display form of one operand token; a token naming no number stays as written.
std::string OperandName(const Figure& fig, std::string_view token) {
  size_t pos = 0;
  int index = 0;
  bool whole = ReadOperand(token, pos, index) && pos == token.size();
  if (!whole || !NumberInRange(fig, index)) return std::string(Trim(token));
  const NumRec& num = fig.NumTable[index];
  std::string_view name = TrimRight(num.Name);
  return name.empty() ? PlainNumberText(num.Value) : std::string(name);
}

}  // namespace

std::string ElementName(const Figure& fig, ObjRef ref) {
  if (!RefInRange(fig, ref)) return {};
  switch (ref.BaseClass()) {
    case kClassNumber: return std::string(TrimRight(fig.NumTable[ref.Index].Name));
    case kClassPoint: return std::string(PointNameShown(fig.PtTable[ref.Index].Name));
    case kClassLine: return std::string(TrimRight(fig.LnTable[ref.Index].Name));
    case kClassCircle: return std::string(TrimRight(fig.CirTable[ref.Index].Name));
    default: return {};
  }
}

std::string WithTimesSigns(std::string_view name) {
  std::string text;
  for (char c : name) {
    if (c == '*') {
      text += "×";
    } else {
      text += c;
    }
  }
  return text;
}

std::string Num2Name(const Figure& fig, std::string_view expByNum) {
  std::string_view text = TrimRight(expByNum);
  std::string name;
  size_t start = 0;
  while (true) {
    size_t end = std::min(text.find_first_of(kOperators, start), text.size());
    name += OperandName(fig, text.substr(start, end - start));
    if (end == text.size()) break;
    name += text[end];
    start = end + 1;
  }
  return name;
}

std::string PlainNumberText(double value) {
  std::string sign = value < 0 ? "-" : " ";
  if (value == 0) return " 0";
  char buf[40];
  std::snprintf(buf, sizeof buf, "%.*G", kSignificantDigits, std::fabs(value));
  std::string_view digits = buf;
  if (digits.starts_with("0.")) digits.remove_prefix(1);
  return sign + std::string(digits);
}

std::string ValueText(double value, int16_t ketaDecimal) {
  // A value that is no number cannot be formatted; show that it is undefined.
  if (!std::isfinite(value)) return "   ---";
  int decimals = std::clamp<int>(ketaDecimal, 0, kMaxKetaDecimal);
  std::string sign = value < 0 ? "-" : " ";
  std::string digits = FixedDecimalDigits(std::fabs(value), decimals);
  size_t pointPos = digits.find('.') + 1;
  size_t padding = pointPos < kIntegerPositions + 1 ? kIntegerPositions + 1 - pointPos : 0;
  return std::string(padding, ' ') + sign + digits;
}

void SetElemName(Figure& fig, ObjRef ref, std::string_view text) {
  if (!RefInRange(fig, ref)) return;
  switch (ref.BaseClass()) {
    case kClassNumber: fig.NumTable[ref.Index].Name = FixedText(text, kNumNameWidth); break;
    case kClassPoint: SetPointName(fig.PtTable[ref.Index], text); break;
    case kClassLine: fig.LnTable[ref.Index].Name = FixedText(text, kLnNameWidth); break;
    case kClassCircle: fig.CirTable[ref.Index].Name = FixedText(text, kCirNameWidth); break;
    default: break;
  }
}

void AutoLabels(Figure& fig, const TextLookup& words) {
  std::string label;
  for (int s = 1; s <= fig.StepCount; ++s) {
    if (StepLabel(fig, words, s, label)) SetElemName(fig, fig.StepOut[s][1], label);
  }
}

bool NameFollowsInputs(const Figure& fig, ObjRef ref) {
  const PlainTextLookup words;
  std::string label;
  for (int s = 1; s <= fig.StepCount; ++s) {
    const ObjRef made = fig.StepOut[s][1];
    if (made.BaseClass() == ref.BaseClass() && made.Index == ref.Index) {
      return StepLabel(fig, words, s, label);
    }
  }
  return false;
}

std::string NumberListLine(const Figure& fig, int index, int16_t ketaDecimal) {
  if (!RefInRange(fig, ObjRef::Of(kClassNumber, index))) return {};
  const NumRec& num = fig.NumTable[index];
  return NumberLineText(index, Trim(num.Name), num.Value, ketaDecimal);
}

std::vector<ScreenNumberLine> ScreenNumberList(Figure& fig, const TextLookup& words,
                                               int16_t ketaDecimal, bool leftPanelShown) {
  AutoLabels(fig, words);
  std::vector<ScreenNumberLine> lines;
  int left = leftPanelShown ? kNumListLeftBesidePanel : kNumListLeft;
  for (int i = 1; i <= fig.ElemCount[kClassNumber]; ++i) {
    const NumRec& num = fig.NumTable[i];
    if (num.NumFlag != kFalse || num.NumShow != kNumShown) continue;
    std::string text = NumberLineText(i, WithTimesSigns(num.Name), num.Value, ketaDecimal);
    lines.push_back({std::move(text), i, left, static_cast<int>(lines.size())});
  }
  return lines;
}

void mnuEVarDispAllOff(Figure& fig) { SetDependentNumShow(fig, kNumHidden); }

void mnuEVarDispAllOn(Figure& fig) { SetDependentNumShow(fig, kNumShown); }

}  // namespace plandra
