// The number chooser's logic: the modeless dialog every command that needs a
// number opens (a construction's number slot, the variation of a number, the
// attribute editing of a number). It lists the numbers, takes a new one, or
// changes a value in place, and hands the choice to whoever asked, by the
// mode in force.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/dialogs/DialogControl.h"

namespace plandra {

struct Program;

// Modes in which the chooser opens for something other than a construction.

struct NumberChooser {
  bool Shown = false;
  std::string Caption = "数値の選択";
  DialogList NumList;
  // Choosing among the numbers.
  DialogControl Cmd_OK{"OK"};
  DialogControl Cmd_Cancel{"キャンセル"};
  DialogControl Command1{"既存の変数から選択する"};
  // Typing a new number.
  DialogControl NewNum{"新しい変数を追加する"};
  DialogControl Text1{""};
  DialogControl Label2{"確認 :"};
  DialogControl Label3{""};
  DialogControl NewNumOK{"OK"};
  DialogControl NewNumCancel{"キャンセル"};
  DialogControl Command2{"↑(+1)"};
  DialogControl Command3{"↓(-1)"};
  // Changing a value in place.
  DialogControl Reset{"値の変更"};
  DialogControl ResetText{"", true, false};
  DialogControl ResetOK{"OK", true, false};
  DialogControl ResetCancel{"キャンセル", true, false};
  std::string Focus;  // object name of the control with the focus

  int SelectedNum = 0;  // 0 = none
};

// The list of every number, or of the independent numbers only.
void SelNumSetAll(Program& p);
void SelNumSetbyIndependent(Program& p);
// Fills the list and prepares the controls for the mode in force.
void SelNumSet(Program& p);
// What the dialog does each time it becomes active: captions, and the face
// the mode (or the kind of the construction under way) asks for.
void SelNumActivate(Program& p);
// SelNumSet, then shows the dialog and activates it.
void ShowNumberChooser(Program& p);
// Lets the construction flow's number slots open the chooser.
void WireNumberChooser(Program& p);

// The faces: choosing among the numbers (Command1) and typing a new one (NewNum).
void SelNumExistingFace(Program& p);
void SelNumNewNumberFace(Program& p);

void SelNumSelectLine(Program& p, int line);
// The index the selected line stands for; 0 when no line is selected.
int SelNumLineIndex(const NumberChooser& chooser);

void SelNumOK(Program& p);  // Cmd_OK, a double click, Enter in the list
// Closes the dialog with no choice and no answer: what it was open for ended.
void SelNumHide(Program& p);
void SelNumNewNumOK(Program& p);
void SelNumNewNumCancel(Program& p);
void SelNumCancel(Program& p);
void SelNumReset(Program& p);  // the value of the selected number, in place
void SelNumResetOK(Program& p);
void SelNumResetCancel(Program& p);
void SelNumResetTextChanged(Program& p, std::string_view text);
void SelNumText1Changed(Program& p, std::string_view text);
void SelNumText1Step(Program& p, int direction);  // Command2 (+1), Command3 (-1)
// A key in the named control; false when the control keeps it.
bool SelNumKey(Program& p, std::string_view control, int16_t key);

// Hands SelectedNum to whoever asked, by the mode in force.
void SelNumExit(Program& p);

}  // namespace plandra
