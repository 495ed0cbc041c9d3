#include "core/numbers/NumberDialogs.h"

#include <array>

#include "core/Program.h"
#include "core/numbers/ExpressionInput.h"
#include "core/numbers/NumberChooser.h"
#include "core/numbers/NumberInput.h"

namespace plandra {
namespace {

using enum ControlKind;

// A field of each dialog's model.
template <auto Member>
auto* Sel(Program& p) {
  return &(p.SelNum.*Member);
}
template <auto Member>
auto* Exp(Program& p) {
  return &(p.Express.*Member);
}
template <auto Member>
auto* Num(Program& p) {
  return &(p.NumInput.*Member);
}

using NC = NumberChooser;
using EI = ExpressionInput;
using NI = NumberInput;

const ControlEntry kSelNumControls[] = {
    {.Name = "NumList",
     .Kind = kList,
     .Row = 0,
     .List = Sel<&NC::NumList>,
     .Select = SelNumSelectLine,
     .DoubleClick = SelNumOK,
     .LabelledBy = "Command1"},
    {.Name = "Cmd_OK", .Kind = kButton, .Row = 1, .Field = Sel<&NC::Cmd_OK>, .Click = SelNumOK},
    {.Name = "Cmd_Cancel",
     .Kind = kButton,
     .Row = 1,
     .Field = Sel<&NC::Cmd_Cancel>,
     .Click = SelNumCancel},
    {.Name = "Reset", .Kind = kButton, .Row = 1, .Field = Sel<&NC::Reset>, .Click = SelNumReset},
    {.Name = "ResetText",
     .Kind = kTextBox,
     .Row = 2,
     .Field = Sel<&NC::ResetText>,
     .Edit = SelNumResetTextChanged,
     .LabelledBy = "Reset"},
    {.Name = "ResetOK",
     .Kind = kButton,
     .Row = 2,
     .Field = Sel<&NC::ResetOK>,
     .Click = SelNumResetOK},
    {.Name = "ResetCancel",
     .Kind = kButton,
     .Row = 2,
     .Field = Sel<&NC::ResetCancel>,
     .Click = SelNumResetCancel},
    {.Name = "Command1",
     .Kind = kButton,
     .Row = 3,
     .Field = Sel<&NC::Command1>,
     .Click = SelNumExistingFace},
    {.Name = "NewNum",
     .Kind = kButton,
     .Row = 3,
     .Field = Sel<&NC::NewNum>,
     .Click = SelNumNewNumberFace},
    {.Name = "Label2", .Kind = kLabel, .Row = 4, .Field = Sel<&NC::Label2>},
    {.Name = "Label3", .Kind = kLabel, .Row = 4, .Field = Sel<&NC::Label3>},
    {.Name = "Text1",
     .Kind = kTextBox,
     .Row = 5,
     .Field = Sel<&NC::Text1>,
     .Edit = SelNumText1Changed,
     .LabelledBy = "NewNum"},
    {.Name = "Command2",
     .Kind = kButton,
     .Row = 5,
     .Field = Sel<&NC::Command2>,
     .Click = [](Program& p) { SelNumText1Step(p, 1); }},
    {.Name = "Command3",
     .Kind = kButton,
     .Row = 5,
     .Field = Sel<&NC::Command3>,
     .Click = [](Program& p) { SelNumText1Step(p, -1); }},
    {.Name = "NewNumOK",
     .Kind = kButton,
     .Row = 6,
     .Field = Sel<&NC::NewNumOK>,
     .Click = SelNumNewNumOK},
    {.Name = "NewNumCancel",
     .Kind = kButton,
     .Row = 6,
     .Field = Sel<&NC::NewNumCancel>,
     .Click = SelNumNewNumCancel},
};

const ControlEntry kExpressControls[] = {
    {.Name = "Label1", .Kind = kLabel, .Row = 0, .Field = Exp<&EI::Label1>},
    {.Name = "NumList",
     .Kind = kList,
     .Row = 1,
     .List = Exp<&EI::NumList>,
     .Select = ExpressSelectLine,
     .DoubleClick = ExpressTakeNumber,
     .LabelledBy = "Label1"},
    {.Name = "NumSelectOK",
     .Kind = kButton,
     .Row = 2,
     .Field = Exp<&EI::NumSelectOK>,
     .Click = ExpressTakeNumber},
    {.Name = "cmdAddNum",
     .Kind = kButton,
     .Row = 2,
     .Field = Exp<&EI::cmdAddNum>,
     .Click = ExpressAddNum},
    {.Name = "Text1",
     .Kind = kTextBox,
     .Row = 3,
     .Field = Exp<&EI::Text1>,
     .Edit = ExpressText1Changed,
     .LabelledBy = "cmdAddNum"},
    {.Name = "LabelNewNumCheck", .Kind = kLabel, .Row = 3, .Field = Exp<&EI::LabelNewNumCheck>},
    {.Name = "cmdNewNumOK",
     .Kind = kButton,
     .Row = 3,
     .Field = Exp<&EI::cmdNewNumOK>,
     .Click = ExpressNewNumOK},
    {.Name = "cmdOpAdd",
     .Kind = kButton,
     .Row = 4,
     .Field = Exp<&EI::cmdOpAdd>,
     .Click = [](Program& p) { ExpressOperator(p, '+'); }},
    {.Name = "cmdOpMinus",
     .Kind = kButton,
     .Row = 4,
     .Field = Exp<&EI::cmdOpMinus>,
     .Click = [](Program& p) { ExpressOperator(p, '-'); }},
    {.Name = "cmdOpMulti",
     .Kind = kButton,
     .Row = 4,
     .Field = Exp<&EI::cmdOpMulti>,
     .Click = [](Program& p) { ExpressOperator(p, '*'); }},
    {.Name = "cmdOpDiv",
     .Kind = kButton,
     .Row = 4,
     .Field = Exp<&EI::cmdOpDiv>,
     .Click = [](Program& p) { ExpressOperator(p, '/'); }},
    {.Name = "cmdOpPower",
     .Kind = kButton,
     .Row = 4,
     .Field = Exp<&EI::cmdOpPower>,
     .Click = [](Program& p) { ExpressOperator(p, '^'); }},
    {.Name = "Label5", .Kind = kLabel, .Row = 5, .Field = Exp<&EI::Label5>},
    {.Name = "LabelExpress", .Kind = kLabel, .Row = 5, .Field = Exp<&EI::LabelExpress>},
    {.Name = "cmdReInput", .Kind = kButton, .Row = 6, .Field = Exp<&EI::cmdReInput>, .Click = Init},
    {.Name = "cmdInputEnd",
     .Kind = kButton,
     .Row = 6,
     .Field = Exp<&EI::cmdInputEnd>,
     .Click = ExpressInputEnd},
    {.Name = "cmdCancel",
     .Kind = kButton,
     .Row = 6,
     .Field = Exp<&EI::cmdCancel>,
     .Click = ExpressCancel},
};

const ControlEntry kNumInputControls[] = {
    {.Name = "Label1", .Kind = kLabel, .Row = 0, .Field = Num<&NI::Label1>},
    {.Name = "Text1",
     .Kind = kTextBox,
     .Row = 1,
     .Field = Num<&NI::Text1>,
     .Edit = NumInputTextChanged,
     .LabelledBy = "Label1"},
    {.Name = "Command1",
     .Kind = kButton,
     .Row = 1,
     .Field = Num<&NI::Command1>,
     .Click = [](Program& p) { NumInputStep(p, 1); }},
    {.Name = "Command2",
     .Kind = kButton,
     .Row = 1,
     .Field = Num<&NI::Command2>,
     .Click = [](Program& p) { NumInputStep(p, -1); }},
    {.Name = "OKButton",
     .Kind = kButton,
     .Row = 2,
     .Field = Num<&NI::OKButton>,
     .Click = NumInputOK},
    {.Name = "CancelButton",
     .Kind = kButton,
     .Row = 2,
     .Field = Num<&NI::CancelButton>,
     .Click = NumInputCancel},
};

const DialogTable kSelNum{
    .Name = "PDSelNum",
    .Shown = [](const Program& p) { return p.SelNum.Shown; },
    .Caption = [](const Program& p) -> const std::string& { return p.SelNum.Caption; },
    .Focus = [](Program& p) -> std::string& { return p.SelNum.Focus; },
    .Key = [](Program& p, std::string_view control, int16_t key,
              std::string_view) { return SelNumKey(p, control, key); },
    .Activate = SelNumActivate,
    .Cancel = SelNumCancel,
    .Controls = kSelNumControls};

const DialogTable kExpress{
    .Name = "PDExpress",
    .Shown = [](const Program& p) { return p.Express.Shown; },
    .Caption = [](const Program& p) -> const std::string& { return p.Express.Caption; },
    .Focus = [](Program& p) -> std::string& { return p.Express.Focus; },
    .Key = ExpressKey,
    .Activate = ExpressActivate,
    .Cancel = ExpressCancel,
    .Controls = kExpressControls};

const DialogTable kNumInput{
    .Name = "pdNumInput",
    .Modal = true,
    .Shown = [](const Program& p) { return p.NumInput.Shown; },
    .Caption = [](const Program& p) -> const std::string& { return p.NumInput.Caption; },
    .Focus = [](Program& p) -> std::string& { return p.NumInput.Focus; },
    .Key = [](Program& p, std::string_view control, int16_t key,
              std::string_view) { return NumInputKey(p, control, key); },
    .Cancel = NumInputCancel,
    .Controls = kNumInputControls};

const std::array<const DialogTable*, 3> kTables{&kSelNum, &kExpress, &kNumInput};

}  // namespace

const DialogTable& SelNumTable() { return kSelNum; }
const DialogTable& ExpressTable() { return kExpress; }
const DialogTable& NumInputTable() { return kNumInput; }

std::span<const DialogTable* const> NumberDialogTables() { return kTables; }

const DialogTable* NumberDialogTable(std::string_view name) {
  for (const DialogTable* table : kTables) {
    if (table->Name == name) return table;
  }
  return nullptr;
}

}  // namespace plandra
