// Pieces of the construction flow shared by its source files.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/construct/PDconst01.h"
#include "figure/PDvar05.h"

namespace plandra {

struct Program;

// Withdraws the step under construction with the elements it reserved.
inline void WithdrawLastStep(Figure& fig) { RemoveLastStep(fig); }

void ApplyOutputStyles(Program& p, int step);
// Pops modes 15 and 17, drops the marks and redraws.
void EndConstruction(Program& p);

bool IsMacroKind(std::string_view kind);
// Removes the closing step of a macro and everything back to its opening step.
void RemoveBracketedMacro(Figure& fig, std::string_view kind);

}  // namespace plandra
