// The number chooser, the expression input and the number input as control
// tables: which control mirrors which model field and runs which call. The
// desktop's windows and the browser's dialogs are both built from these.
#pragma once

#include <span>
#include <string_view>

#include "core/dialogs/ControlTable.h"

namespace plandra {

const DialogTable& SelNumTable();
const DialogTable& ExpressTable();
const DialogTable& NumInputTable();

// The three tables; the one of that object name, or null.
std::span<const DialogTable* const> NumberDialogTables();
const DialogTable* NumberDialogTable(std::string_view name);

}  // namespace plandra
