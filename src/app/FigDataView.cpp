#include "app/FigDataView.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <vector>

#include "core/language/Multi_lang.h"
#include "core/macros/ViewerText.h"
#include "engine/CalcEval.h"
#include "labels/Labels05.h"

namespace plandra {
namespace {

constexpr std::string_view kTitle = "作図手続きと幾何的対象のデータ";
constexpr std::string_view kLineEnd = "\r\n";
constexpr int kLabelColumns = 10;  // the widest label, "パラメータ"
constexpr std::array<std::string_view, 5> kBracketKinds = {"L3+", "LRGN", "LH2+", "PNEQ", "LPGN"};

struct Report {
  const Figure& Fig;
  LangState& Lang;
  int Decimals;
  std::string Text;

  std::string Tr(std::string_view japanese) { return Translate(Lang, japanese); }
  void Line(std::string_view text) { Text.append(text).append(kLineEnd); }
};

// A count as the report prints it: with a leading blank when not negative.
std::string CountText(int value) {
  return value < 0 ? std::to_string(value) : " " + std::to_string(value);
}

// A step number right-aligned to the widest one, so the kinds line up.
std::string StepNumberText(const Figure& fig, int step) {
  std::string text = CountText(step);
  size_t width = CountText(fig.StepCount).size();
  if (text.size() < width) text.insert(0, width - text.size(), ' ');
  return text;
}

// Columns a UTF-8 text takes: ASCII and half-width katakana one, every
// other character two.
int DisplayColumns(std::string_view text) {
  int columns = 0;
  for (size_t i = 0; i < text.size();) {
    auto lead = static_cast<unsigned char>(text[i]);
    size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t code = length == 1 ? lead : lead & (0x7F >> length);
    for (size_t k = 1; k < length && i + k < text.size(); ++k) {
      code = (code << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
    }
    columns += (code < 0x80 || (code >= 0xFF61 && code <= 0xFF9F)) ? 1 : 2;
    i += length;
  }
  return columns;
}

// label is translated; suffix (a number) is not.
void Field(Report& r, std::string_view label, std::string_view value,
           std::string_view suffix = {}) {
  std::string text = r.Tr(label).append(suffix);
  text.append(static_cast<size_t>(std::max(0, kLabelColumns - DisplayColumns(text))), ' ');
  r.Line(text + " : " + std::string(value));
}

void NumberField(Report& r, std::string_view label, double value) {
  Field(r, label, ReportNumber(value, r.Decimals));
}

void PairField(Report& r, std::string_view label, double x, double y,
               std::string_view suffix = {}) {
  Field(r, label, ReportNumber(x, r.Decimals) + " ," + ReportNumber(y, r.Decimals), suffix);
}

void FlagField(Report& r, std::string_view label, int value) {
  Field(r, label, std::to_string(value));
}

std::string_view ClassWord(int cls) {
  switch (cls) {
    case kClassNumber: return "変数";
    case kClassPoint: return "点";
    case kClassLine: return "線";
    case kClassCircle: return "円";
    default: return "?";
  }
}

std::string SlotName(const Figure& fig, ObjRef ref) {
  return RefInRange(fig, ref) ? ElementName(fig, ref) : "?";
}

// The used slots of a step side, each item made by itemText.
template <class ItemText>
std::string SlotList(const StepRefs& slots, ItemText itemText) {
  std::string list;
  for (int k = 1; k <= 5; ++k) {
    if (slots[k].Index == 0) continue;
    if (!list.empty()) list += " , ";
    list += itemText(slots[k]);
  }
  return list;
}

// A calculated number's inputs are the numbers of its expression, each
// once; its step's slots stay empty.
template <class ItemText>
std::string CalcOperandList(const Figure& fig, int step, ItemText itemText) {
  const ObjRef out = fig.StepOut[step][1];
  ParsedExpr expr;
  if (!RefInRange(fig, out) || out.BaseClass() != kClassNumber ||
      ParseExpr(TrimRight(fig.NumTable[out.Index].Expr), expr) != ExprProblem::kNone) {
    return {};
  }
  std::string list;
  std::vector<int> listed;
  for (int k = 0; k < expr.Count; ++k) {
    const int index = expr.Operand[static_cast<size_t>(k)];
    if (std::find(listed.begin(), listed.end(), index) != listed.end()) continue;
    listed.push_back(index);
    if (!list.empty()) list += " , ";
    list += itemText(ObjRef::Of(kClassNumber, index));
  }
  return list;
}

bool IsBracketKind(std::string_view kind) {
  return std::find(kBracketKinds.begin(), kBracketKinds.end(), kind) != kBracketKinds.end();
}

std::string PaddedKind(std::string_view kind) {
  std::string field(kind);
  if (field.size() < kKindWidth) field.append(kKindWidth - field.size(), ' ');
  return field;
}

void StepOutline(Report& r) {
  r.Line(r.Tr("■作図手続き(概略)■"));
  std::array<bool, kBracketKinds.size()> open{};
  for (int s = 1; s <= r.Fig.StepCount; ++s) {
    std::string_view kind = StepKindText(r.Fig, s);
    std::string name = KindDisplayName(r.Lang, kind);
    std::string head = StepNumberText(r.Fig, s) + ":";
    if (!IsBracketKind(kind)) {
      r.Line(head + PaddedKind(kind) + "(" + name + ")");
      continue;
    }
    size_t which = static_cast<size_t>(std::find(kBracketKinds.begin(), kBracketKinds.end(), kind) -
                                       kBracketKinds.begin());
    open[which] = !open[which];
    r.Line(head + "■" + name + " " + r.Tr(open[which] ? "開始" : "終了"));
  }
}

void StepDetails(Report& r) {
  r.Line(r.Tr("■作図手続き(入出力の詳細)■"));
  auto item = [&r](ObjRef ref) {
    return r.Tr(ClassWord(ref.BaseClass())) + SlotName(r.Fig, ref) + "[" +
           std::to_string(ref.Index) + "]";
  };
  for (int s = 1; s <= r.Fig.StepCount; ++s) {
    r.Line(StepNumberText(r.Fig, s) + ":" + std::string(StepKindText(r.Fig, s)));
    const bool calculated = r.Fig.StepKindId[s] == Kind::CALC;
    r.Line("   " + r.Tr("入力") + " : " +
           (calculated ? CalcOperandList(r.Fig, s, item) : SlotList(r.Fig.StepIn[s], item)));
    r.Line("   " + r.Tr("出力") + " : " + SlotList(r.Fig.StepOut[s], item));
  }
}

constexpr std::array<std::string_view, 4> kCountWords = {"数", "点", "直線", "円"};

void ElementCounts(Report& r) {
  r.Line(r.Tr("幾何的対象の数"));
  for (size_t c = 0; c < kCountWords.size(); ++c) {
    r.Line(r.Tr(kCountWords[c]) + "   : " + std::to_string(r.Fig.ElemCount[c]));
  }
}

void ElementHeading(Report& r, int cls, int index) {
  r.Line(r.Tr(kCountWords[static_cast<size_t>(cls)]) + CountText(index));
}

void NumberDetails(Report& r, int i) {
  const NumRec& num = r.Fig.NumTable[static_cast<size_t>(i)];
  ElementHeading(r, kClassNumber, i);
  Field(r, "名前", num.Name);
  NumberField(r, "値", num.Value);
  FlagField(r, "独立/従属", num.NumFlag);
  FlagField(r, "チェック", num.Exists);
  Field(r, "数式表示", num.Expr);
}

void PointDetails(Report& r, int i) {
  const PtRec& pt = r.Fig.PtTable[static_cast<size_t>(i)];
  ElementHeading(r, kClassPoint, i);
  Field(r, "名前", pt.Name);
  PairField(r, "座標", pt.X, pt.Y);
  FlagField(r, "種類", pt.Mark);
  FlagField(r, "独立/従属", pt.BoundMode);
  FlagField(r, "束縛状態", pt.Exists);
  FlagField(r, "色", pt.Color);
  FlagField(r, "束縛の種類", pt.HostClass);
  FlagField(r, "束縛番号", pt.HostIndex);
  NumberField(r, "パラメータ", pt.Param);
}

void LineDetails(Report& r, int i) {
  const LnRec& ln = r.Fig.LnTable[static_cast<size_t>(i)];
  ElementHeading(r, kClassLine, i);
  Field(r, "名前", ln.Name);
  PairField(r, "点", ln.X1, ln.Y1, "1");
  PairField(r, "点", ln.X2, ln.Y2, "2");
  PairField(r, "方向", ln.DX, ln.DY);
  FlagField(r, "種類", ln.LineKind);
  FlagField(r, "色", ln.Color);
  FlagField(r, "軌跡の色", ln.Style);
}

void CircleDetails(Report& r, int i) {
  const CirRec& cir = r.Fig.CirTable[static_cast<size_t>(i)];
  ElementHeading(r, kClassCircle, i);
  Field(r, "名前", cir.Name);
  PairField(r, "中心", cir.CX, cir.CY);
  NumberField(r, "半径", cir.R);
  FlagField(r, "色", cir.Color);
  FlagField(r, "軌跡の色", cir.Style);
}

// Counts beyond a table's bound (a store being filled) are not followed.
int ListedCount(const Figure& fig, int cls, int upperBound) {
  return std::clamp<int>(fig.ElemCount[static_cast<size_t>(cls)], 0, upperBound);
}

void ElementDetails(Report& r) {
  r.Line(r.Tr("■幾何的対象(数,点,線,円)の詳細データ■"));
  const Figure& fig = r.Fig;
  for (int i = 1; i <= ListedCount(fig, kClassNumber, UpperBound(fig.NumTable)); ++i) {
    NumberDetails(r, i);
  }
  for (int i = 1; i <= ListedCount(fig, kClassPoint, UpperBound(fig.PtTable)); ++i) {
    PointDetails(r, i);
  }
  for (int i = 1; i <= ListedCount(fig, kClassLine, UpperBound(fig.LnTable)); ++i) {
    LineDetails(r, i);
  }
  for (int i = 1; i <= ListedCount(fig, kClassCircle, UpperBound(fig.CirTable)); ++i) {
    CircleDetails(r, i);
  }
}

}  // namespace

std::string StepText(const Figure& fig, LangState& lang, int step) {
  if (step < 1 || step > fig.StepCount) return {};
  auto item = [&](ObjRef ref) {
    return Translate(lang, ClassWord(ref.BaseClass())) + SlotName(fig, ref);
  };
  return KindDisplayName(lang, StepKindText(fig, step)) + ":(" + SlotList(fig.StepIn[step], item) +
         ")" + "→(" + SlotList(fig.StepOut[step], item) + ")";
}

std::string ReportNumber(double value, int decimals) {
  char buffer[400];
  std::snprintf(buffer, sizeof buffer, "%.*f", std::clamp(decimals, 0, 20), value);
  std::string text = buffer;
  bool negative = text.front() == '-';
  if (negative && text.find_first_not_of("-0.") == std::string::npos) {
    text.erase(0, 1);  // minus zero after rounding
    negative = false;
  }
  return negative ? text : " " + text;
}

std::string FigDataViewReport(const Figure& fig, LangState& lang, std::string_view curFileName,
                              int decimals) {
  Report r{fig, lang, decimals, {}};
  r.Line(r.Tr(kTitle));
  r.Line("FileName : " + std::string(curFileName));
  r.Line(r.Tr("作図手続き数") + " : " + std::to_string(fig.StepCount));
  r.Line("");
  StepOutline(r);
  r.Line("");
  StepDetails(r);
  r.Line("");
  ElementCounts(r);
  r.Line("");
  ElementDetails(r);
  r.Line("");
  r.Line(r.Tr("以上"));
  return r.Text;
}

void ShowFigDataView(ViewerText& viewer, const Figure& fig, LangState& lang,
                     std::string_view curFileName, int decimals) {
  viewer.Text = FigDataViewReport(fig, lang, curFileName, decimals);
  viewer.Heading = Translate(lang, kTitle);
  viewer.Shown = true;
}

}  // namespace plandra
