// Pieces of the picking shared by its source files.
#pragma once

#include <cstdint>

#include "core/pick/PDSelObj.h"

namespace plandra {

// Clears PickList, sized to twice the point table.
void ResetList(PickState& pick, const Figure& fig);
void AppendEntry(PickState& pick, ObjRef ref);
// The entry at a 1-based position; {0,0} outside the list.
ObjRef Entry(const PickState& pick, int pos);
// First allowed position, 0 when none.
int FirstAllowed(const PickState& pick);

}  // namespace plandra
