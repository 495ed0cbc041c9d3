#pragma once

#include <string>
#include <string_view>

namespace plandra {

// The tables a teacher opens in a spreadsheet are UTF-8 marked by its
// byte-order mark: spreadsheets read that mark in any locale, while code
// page 932 reads right only where the system's own code page is Japanese.
inline constexpr std::string_view kSpreadsheetBom = "\xEF\xBB\xBF";

// A name as a spreadsheet cell shows it, never run as a formula: a name from
// a stranger's figure that starts like one gets a leading apostrophe.
std::string InertCellText(std::string_view text);

}  // namespace plandra
