// The number chooser, the expression input and the number input for the
// page: the shown dialog's controls and their states as JSON, from the
// core's control tables, and the page's acts and keys run through the
// tables' dispatch. The module's exports for them are in NumberDialogForm.cpp.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

struct Program;

// The controls of the number dialog of that object name, in the table's
// order, each with its row and what the model holds for it; "{}" for a name
// that is no number dialog.
std::string NumberDialogJson(Program& p, std::string_view name);

// The object names of the number dialogs the models show, as a JSON list.
std::string ShownNumberDialogsJson(const Program& p);

}  // namespace plandra
