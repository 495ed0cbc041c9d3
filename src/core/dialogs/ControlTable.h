// A dialog's controls as data, read by every front end: what each control
// is, the model field it mirrors, what the user's acts on it run and the row
// it is laid out in. One dispatch runs an act by the control's name, so a
// front end wires nothing by hand.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/dialogs/DialogControl.h"

namespace plandra {

struct Program;

enum class ControlKind : uint8_t { kButton, kTextBox, kList, kLabel };

// What the user did to a control: pressed a button, changed a text box's
// text, selected a list line, double-clicked a list line.
enum class ControlAct : uint8_t { kClick, kEdit, kSelect, kDoubleClick };

struct ControlEntry {
  std::string_view Name;  // the control's object name
  ControlKind Kind = ControlKind::kLabel;
  int Row = 0;  // controls of one row stand side by side, rows top to bottom
  // The model field: Field for a button, text box or label, List for a list.
  DialogControl* (*Field)(Program&) = nullptr;
  DialogList* (*List)(Program&) = nullptr;
  void (*Click)(Program&) = nullptr;
  void (*Edit)(Program&, std::string_view text) = nullptr;
  void (*Select)(Program&, int line) = nullptr;
  void (*DoubleClick)(Program&) = nullptr;
  // The control whose caption names this one for a screen reader (a text box
  // or list has no caption of its own); empty: the dialog's title.
  std::string_view LabelledBy{};
};

struct DialogTable {
  std::string_view Name;  // the dialog's object name
  bool Modal = false;     // keeps the main window from input while shown
  bool (*Shown)(const Program&) = nullptr;
  const std::string& (*Caption)(const Program&) = nullptr;
  std::string& (*Focus)(Program&) = nullptr;  // object name of the focused control
  // The model's answer to a key in a control (code, typed text); false when
  // the control keeps the key for itself.
  bool (*Key)(Program&, std::string_view control, int16_t key, std::string_view text) = nullptr;
  void (*Activate)(Program&) = nullptr;  // the dialog became active; may be null
  void (*Cancel)(Program&) = nullptr;    // the window's close button, Escape left over
  std::span<const ControlEntry> Controls;
};

const ControlEntry* FindControl(const DialogTable& dialog, std::string_view name);

// The control's state as the model holds it: a list's, or its field's.
bool ControlEnabled(Program& p, const ControlEntry& control);
bool ControlVisible(Program& p, const ControlEntry& control);

// Runs what the act on the named control does. value: the text of an edit,
// the line of a selection as digits. False, with nothing run, for a dialog
// the model does not show, a control the dialog does not have, an act the
// control has no answer to, a control the model has disabled or hidden, or a
// line that is no number.
bool RunControl(Program& p, const DialogTable& dialog, std::string_view control, ControlAct act,
                std::string_view value = {});

// The dialog's key function; false, with nothing run, while it is not shown.
bool DialogKey(Program& p, const DialogTable& dialog, std::string_view control, int16_t key,
               std::string_view text);

// The focus moved to a control of the dialog, by the user.
void DialogFocus(Program& p, const DialogTable& dialog, std::string_view control);
void DialogActivate(Program& p, const DialogTable& dialog);

// "click", "edit", "select", "double"; false for another word.
bool ControlActNamed(std::string_view word, ControlAct& act);

}  // namespace plandra
