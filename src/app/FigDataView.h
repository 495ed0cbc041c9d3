// The text report of the whole construction and of every element (the data
// view), and the one-line description of a step that the replay shows.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "figure/PDvar05.h"

namespace plandra {

struct LangState;
struct ViewerText;

// Kind display name, ":(", the inputs, ")", "→(", the outputs, ")"; each
// input or output with a non-zero index as its class word and name, the
// items separated by " , ". Empty for a step outside 1..StepCount.
std::string StepText(const Figure& fig, LangState& lang, int step);

// A value of the report: fixed decimals (0..20), a blank before a value
// that is not negative, never "-0".
std::string ReportNumber(double value, int decimals);

// The report, lines ended by CR LF. Field labels are padded to one display
// width (a Japanese character counts two columns) and followed by " : ".
std::string FigDataViewReport(const Figure& fig, LangState& lang, std::string_view curFileName,
                              int decimals);

// The core of mnuEditFigDataView: the report replaces the viewer's text
// under the data view's heading, and the viewer is shown.
void ShowFigDataView(ViewerText& viewer, const Figure& fig, LangState& lang,
                     std::string_view curFileName, int decimals);

}  // namespace plandra
