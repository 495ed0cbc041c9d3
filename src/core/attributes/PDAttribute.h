// The attributes of one element: the four attribute dialogs as plain models
// (filled from the element, written back on OK), the edit picks that lead to
// them, and the object context menu of the standard mode.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "figure/PDtype05.h"

namespace plandra {

struct LangState;
struct Program;

constexpr std::string_view kObjectMenu = "mnuEdit2_point";

// A list box or combo box: its texts and the selected position (-1 none).
struct ListControl {
  std::vector<std::string> Items;
  int ListIndex = -1;
  bool Visible = true;
};

// The texts every attribute dialog shares.
struct DialogTexts {
  std::string Caption;
  std::string CommandOK;
  std::string CommandCancel;
};

struct PtAttributeModel {
  ObjRef Target;
  DialogTexts Texts;
  std::string LabelName, LabelClr, LabelLocus, LabelKind, LabelIndependent, LabelEvent;
  std::string TextName;  // the name before its event marker
  std::string NameNote;  // set: the name follows its inputs and is shown, not edited
  ListControl ComboClr, ComboLocus, ComboKind, ComboIndependent, Combo_Event;
  // ComboIndependent.Visible covers its label; Combo_Event.Visible covers
  // Text_Event and Label_Event too.
  std::string Text_Event;
};

struct LineAttributeModel {
  ObjRef Target;
  DialogTexts Texts;
  std::string LabelName, LabelClr, LabelLocus, LabelKind;
  std::string TextName;
  std::string NameNote;  // set: the name follows its points and is shown, not edited
  ListControl ComboClr, ComboLocus, ComboKind;
};

struct CircleAttributeModel {
  ObjRef Target;
  DialogTexts Texts;
  std::string LabelName, LabelClr, LabelLocus;
  std::string TextName;
  std::string NameNote;  // always empty: a circle's name is its own
  ListControl ComboClr, ComboLocus;
};

struct NumAttributeModel {
  ObjRef Target;
  DialogTexts Texts;
  std::string LabelName, LabelAttr;
  std::string TextName, TextAttr, TextVal;
  std::string NameNote;  // set: the name follows its inputs and is shown, not edited
  bool TextValEnabled = false;
  std::string OptionVisibleText, OptionNotVisibleText;
  bool OptionVisible = false;  // selected
  bool OptionNotVisible = false;
  bool OptionsEnabled = false;
};

// The binding dialog: how the point moves (list positions 0..3 = host class).
struct SelGeoKindBoundedModel {
  DialogTexts Texts;
  ListControl ListKind;
};

enum class AttributeDialog { kNone, kPoint, kLine, kCircle, kNumber, kBinding };

struct AttributeState {
  // The dialog the window is to open after the call that asked for it.
  AttributeDialog Pending = AttributeDialog::kNone;
  PtAttributeModel Point;
  LineAttributeModel Line;
  CircleAttributeModel Circle;
  NumAttributeModel Number;
  SelGeoKindBoundedModel Binding;
};

// A list of translated texts with the position of value selected (none when
// value is not a position of the list).
ListControl TranslatedList(Program& p, std::span<const std::string_view> texts, int value);

// The pending dialog, cleared.
AttributeDialog TakePendingDialog(AttributeState& state);

// The name fields of the dialogs: the text each one has in the figure file
// cannot hold certain characters.
enum class NameField { kPoint, kEventText, kNumber, kLineOrCircle };

// A name as typed, made storable and trimmed of blanks on both sides. Each
// character its text in the file cannot hold is replaced by one it can, so
// nothing typed is lost: a double quote becomes "＂", a control character
// (a line break above all) a blank, a character code page 932 lacks "?"; in
// a point's name "!" becomes "！" (the half-width one marks events), in a
// number's name "_" and "@" become "＿" and "＠" (in the file they end the
// name), in an event's text a "!" that would start a marker becomes "！".
std::string StorableName(std::string_view typed, NameField field);

// An event's text as it follows the marker of its kind: after "!" and "!!",
// a first character that would make another marker of them is full-width.
std::string StorableEventText(std::string_view typed, int16_t eventKind);

// The characters a name field has left in the file with the model as it
// stands; a point's name shares its 40 with its event's marker and text.
int RoomLeft(const PtAttributeModel& m);
int RoomLeft(const LineAttributeModel& m);
int RoomLeft(const CircleAttributeModel& m);
int RoomLeft(const NumAttributeModel& m);
// "残り12文字", translated: the counter beside a name field.
std::string RoomText(LangState& lang, int room);

PtAttributeModel FillPtAttribute(Program& p, int index);
LineAttributeModel FillLineAttribute(Program& p, int index);
CircleAttributeModel FillCircleAttribute(Program& p, int index);
NumAttributeModel FillNumAttribute(Program& p, int index);

// Fills the dialog of the element's class and asks the window for it; for
// points, lines and circles the dialog's mode is pushed first.
void EditAttributes(Program& p, ObjRef ref);

// OK writes the model's element and closes; Cancel closes. Both pop the
// dialog's mode and the edit mode under it, and redraw.
void PtAttributeOK(Program& p);
void PtAttributeCancel(Program& p);
void LineAttributeOK(Program& p);
void LineAttributeCancel(Program& p);
void CircleAttributeOK(Program& p);
void CircleAttributeCancel(Program& p);
void NumAttributeOK(Program& p);
void NumAttributeCancel(Program& p);

// The element chosen in mode 40 (a pick, or the number chooser): mode 40 is
// popped and the edit mode under it opens its dialog. An Index of 0 leaves
// as Escape does.
void AcceptEditPick(Program& p, ObjRef ref);
// Escape in mode 40: the pick and the edit mode under it end.
void EscapeEditPick(Program& p);

// The edit picks of the menu: the edit mode, then the pick (mode 40).
void mnuEbasicPt(Program& p);
void mnuEbasicLine(Program& p);
void mnuEbasicCircle(Program& p);
void mnuEbasicNum(Program& p);
void mnuEdit2_point_Edit(Program& p);

// Right click on an element in the standard mode: the element becomes
// MenuTarget, the pop-up's items get their captions and visibility, and the
// window is asked to show the pop-up at the mouse.
void ShowObjectMenu(Program& p, ObjRef found);

}  // namespace plandra
