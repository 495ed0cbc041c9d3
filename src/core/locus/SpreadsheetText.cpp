#include "core/locus/SpreadsheetText.h"

namespace plandra {

std::string InertCellText(std::string_view text) {
  constexpr std::string_view kFormulaStarts = "=+-@\t\r";
  const bool startsAFormula =
      !text.empty() && kFormulaStarts.find(text[0]) != std::string_view::npos;
  return (startsAFormula ? "'" : "") + std::string(text);
}

}  // namespace plandra
