// Varying an independent number from the keyboard (mode 22) and the step of
// that variation.
#pragma once

#include <cstdint>
#include <string_view>

#include "figure/PDtype05.h"

namespace plandra {

struct Program;

constexpr double kDeltaVarNarrow = 0.1;
constexpr double kDeltaVarStandard = 0.5;
constexpr double kDeltaVarWide = 1.0;
constexpr double kDeltaVarMax = 100;

constexpr std::string_view kDeltaVarPromptText = "0より大きく100以下の数を入力してください";
constexpr std::string_view kDeltaVarTitleText = "数値の変化の幅の設定";

struct NumberVariation {
  ObjRef VarTarget;         // the number the arrow keys vary; Index 0 = none
  int16_t VarFirstKey = 0;  // flag: the dependency marking is still to be done
};

// Pushes modes 22 and 63 and opens the chooser on the independent numbers;
// does nothing in a figure without numbers.
void mnuDeformVar(Program& p);

// A key on the main window in mode 22.
void VarKeyDown(Program& p, int16_t key);

void mnuOdeformVarNarrow(Program& p);
void mnuOdeformVarStandard(Program& p);
void mnuOdeformVarWide(Program& p);
// Asks for the step; above 100 gives 100, 0 or below (or no number) 0.5.
void mnuOdeformVarManual(Program& p);

}  // namespace plandra
