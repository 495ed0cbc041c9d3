// Pieces of the construction flow shared by its source files.
#pragma once

#include <cstdint>
#include <string_view>

#include "figure/PDvar05.h"
#include "interact/PDconst01.h"

namespace plandra {

struct Program;

// Appends a step with empty slots and the given kind; false when full.
bool AppendCleanStep(Figure& fig, std::string_view code);
// Appends an element of class cls with its class defaults; its index, or 0
// when the table is full.
int16_t AppendNewElement(Figure& fig, int16_t cls);
int16_t AppendNumber(Figure& fig, double value);
// Withdraws the step under construction with the elements it reserved.
inline void WithdrawLastStep(Figure& fig) { RemoveLastStep(fig); }

void ApplyOutputStyles(Program& p, int16_t step);
// Pops modes 15 and 17, drops the marks and redraws.
void EndConstruction(Program& p);
void PopModeIf(Program& p, int16_t mode);

bool IsMacroKind(std::string_view kind);
// Removes the closing step of a macro and everything back to its opening step.
void RemoveBracketedMacro(Figure& fig, std::string_view kind);

}  // namespace plandra
