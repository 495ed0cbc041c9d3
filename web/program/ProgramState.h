// What the page shows of the program after every call, as one JSON text:
// the caption, the menu bar and the status bar from the core's models, the
// dialog the core asks for, and whether the figure differs from the saved.
#pragma once

#include <string>
#include <string_view>

#include "core/attributes/PDAttribute.h"

namespace plandra {

struct Program;

// dialog is the attribute dialog the page is to show (or still shows).
std::string ProgramStateJson(Program& p, AttributeDialog dialog);

// Closes the attribute dialog the page showed: OK or Cancel of its model.
void AnswerAttributeDialog(Program& p, AttributeDialog dialog, bool ok);

// The words and choices of a dialog the core asked the page to open
// ("NewConstchk", "PDLanguage", "PDfrmAbout"), as JSON; "{}" for others.
std::string DialogJson(Program& p, std::string_view dialog);

}  // namespace plandra
