// Texts of numbers: value texts, automatic labels of measured elements, the
// number list printed on the drawing area and the switches of its lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDvar05.h"
#include "persist/TextLookup.h"

namespace plandra {

constexpr int16_t kMaxKetaDecimal = 20;

// Left edge of the on-screen number list, in pixels; the wider one while the
// main window's left panel covers the edge.
constexpr int kNumListLeft = 3;
constexpr int kNumListLeftBesidePanel = 35;

// An element's name as other names and texts use it: blanks trimmed, a
// point's without its event part; empty for a reference out of range.
std::string ElementName(const Figure& fig, ObjRef ref);

// The platform's plain text of a number: a blank or "-", then up to 15
// significant digits, no zero before the decimal point (" .5"), exponent form
// for very small or large magnitudes (" 1E-05").
std::string PlainNumberText(double value);

// Fixed-decimal text with ketaDecimal decimals (clamped to 0..20), padded so
// that the integer part fills three positions: "   2.50", "  -2.50", " 1234.50".
std::string ValueText(double value, int16_t ketaDecimal);

// Stores text as the name of any element, cut to the field width (40 for
// numbers and points, 10 for lines and circles); leading blanks are kept.
void SetElemName(Figure& fig, ObjRef ref, std::string_view text);

// Renews the names of the first outputs of every labelled kind from the
// current names of their inputs; the few words of the labels ("円", "Δ", a
// circle's name) come through words.
void AutoLabels(Figure& fig, const TextLookup& words);
// Whether AutoLabels renews the element's name: a name typed for it would
// not last past the next refresh.
bool NameFollowsInputs(const Figure& fig, ObjRef ref);

// The display form of a "CALC" expression: each operand replaced by its
// number's name, or by its value in plain number text when unnamed; operators
// copied. "N1+N2" with unnamed numbers holding 1 and 2 gives " 1+ 2".
std::string Num2Name(const Figure& fig, std::string_view expByNum);

// A number's name as shown: each "*" written "×".
std::string WithTimesSigns(std::string_view name);

// " 3:AB =   2.50": a line of the number lists of the dialogs.
std::string NumberListLine(const Figure& fig, int index, int16_t ketaDecimal);

// One line of the number list on the drawing area; Row counts from 0 at the top.
struct ScreenNumberLine {
  std::string Text;
  int Number = 0;
  int LeftPixels = kNumListLeft;
  int Row = 0;
};

// Renews the labels, then lists the shown dependent numbers.
std::vector<ScreenNumberLine> ScreenNumberList(Figure& fig, const TextLookup& words,
                                               int16_t ketaDecimal, bool leftPanelShown);

// Hide or show the on-screen lines of every dependent number; independent
// numbers keep their setting. The caller redraws.
void mnuEVarDispAllOff(Figure& fig);
void mnuEVarDispAllOn(Figure& fig);

}  // namespace plandra
