#include "core/dialogs/ControlTable.h"

#include <charconv>
#include <utility>

namespace plandra {

const ControlEntry* FindControl(const DialogTable& dialog, std::string_view name) {
  for (const ControlEntry& control : dialog.Controls) {
    if (control.Name == name) return &control;
  }
  return nullptr;
}

bool ControlEnabled(Program& p, const ControlEntry& control) {
  if (control.List != nullptr) return control.List(p)->Enabled;
  return control.Field != nullptr && control.Field(p)->Enabled;
}

bool ControlVisible(Program& p, const ControlEntry& control) {
  if (control.List != nullptr) return control.List(p)->Visible;
  return control.Field != nullptr && control.Field(p)->Visible;
}

bool RunControl(Program& p, const DialogTable& dialog, std::string_view control, ControlAct act,
                std::string_view value) {
  const ControlEntry* entry = FindControl(dialog, control);
  // A front end cannot press what the model greys out or hides, nor anything
  // of a closed dialog; a page's call could (a click queued behind the one
  // that closed it), and must not reach the model's logic.
  if (entry == nullptr || !dialog.Shown(p) || !ControlEnabled(p, *entry) ||
      !ControlVisible(p, *entry)) {
    return false;
  }
  switch (act) {
    case ControlAct::kClick:
      if (entry->Click == nullptr) return false;
      entry->Click(p);
      return true;
    case ControlAct::kEdit:
      if (entry->Edit == nullptr) return false;
      entry->Edit(p, value);
      return true;
    case ControlAct::kSelect: {
      int line = -1;
      const auto read = std::from_chars(value.data(), value.data() + value.size(), line);
      if (entry->Select == nullptr || read.ec != std::errc{} ||
          read.ptr != value.data() + value.size()) {
        return false;
      }
      entry->Select(p, line);
      return true;
    }
    case ControlAct::kDoubleClick:
      if (entry->DoubleClick == nullptr) return false;
      entry->DoubleClick(p);
      return true;
  }
  return false;
}

bool DialogKey(Program& p, const DialogTable& dialog, std::string_view control, int16_t key,
               std::string_view text) {
  return dialog.Shown(p) && dialog.Key(p, control, key, text);
}

void DialogFocus(Program& p, const DialogTable& dialog, std::string_view control) {
  if (FindControl(dialog, control) != nullptr) dialog.Focus(p) = std::string(control);
}

void DialogActivate(Program& p, const DialogTable& dialog) {
  if (dialog.Activate != nullptr) dialog.Activate(p);
}

bool ControlActNamed(std::string_view word, ControlAct& act) {
  const std::pair<std::string_view, ControlAct> words[] = {{"click", ControlAct::kClick},
                                                           {"edit", ControlAct::kEdit},
                                                           {"select", ControlAct::kSelect},
                                                           {"double", ControlAct::kDoubleClick}};
  for (const auto& [name, named] : words) {
    if (name == word) {
      act = named;
      return true;
    }
  }
  return false;
}

}  // namespace plandra
