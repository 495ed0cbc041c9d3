#include "NumberDialogForm.h"

#include "PageSession.h"
#include "core/Program.h"
#include "core/numbers/NumberDialogs.h"
#include "persist/JsonText.h"

#define PLANDRA_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace plandra {
namespace {

const char* KindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::kButton: return "button";
    case ControlKind::kTextBox: return "text";
    case ControlKind::kList: return "list";
    case ControlKind::kLabel: break;
  }
  return "label";
}

std::string ListJson(const DialogList& list) {
  std::string out = ",\"selected\":" + std::to_string(list.Selected) + ",\"lines\":[";
  for (size_t i = 0; i < list.Lines.size(); ++i) out += (i ? "," : "") + JsonString(list.Lines[i]);
  return out + "]";
}

std::string ControlJson(Program& p, const ControlEntry& c) {
  std::string out = "{\"name\":" + JsonString(c.Name) + ",\"kind\":\"" + KindName(c.Kind) +
                    "\",\"row\":" + std::to_string(c.Row) +
                    ",\"labelledBy\":" + JsonString(c.LabelledBy) +
                    ",\"enabled\":" + JsonBool(ControlEnabled(p, c)) +
                    ",\"visible\":" + JsonBool(ControlVisible(p, c));
  if (c.List != nullptr) return out + ListJson(*c.List(p)) + "}";
  return out + ",\"text\":" + JsonString(c.Field(p)->Caption) + "}";
}

const DialogTable* TableNamed(const char* name, int length) {
  return NumberDialogTable(PageText(name, length));
}

}  // namespace

std::string NumberDialogJson(Program& p, std::string_view name) {
  const DialogTable* table = NumberDialogTable(name);
  if (table == nullptr) return "{}";
  std::string out =
      "{\"name\":" + JsonString(table->Name) + ",\"caption\":" + JsonString(table->Caption(p)) +
      ",\"modal\":" + JsonBool(table->Modal) + ",\"shown\":" + JsonBool(table->Shown(p)) +
      ",\"focus\":" + JsonString(table->Focus(p)) + ",\"controls\":[";
  bool first = true;
  for (const ControlEntry& control : table->Controls) {
    out += (first ? "" : ",") + ControlJson(p, control);
    first = false;
  }
  return out + "]}";
}

std::string ShownNumberDialogsJson(const Program& p) {
  std::string out = "[";
  for (const DialogTable* table : NumberDialogTables()) {
    if (table->Shown(p)) out += (out.size() > 1 ? "," : "") + JsonString(table->Name);
  }
  return out + "]";
}

}  // namespace plandra

using plandra::PageCallDone;
using plandra::PageProgram;
using plandra::PageText;
using plandra::TableNamed;

PLANDRA_EXPORT("program_number_dialog") int program_number_dialog(const char* name, int length) {
  return plandra::PageReply(plandra::NumberDialogJson(PageProgram(), PageText(name, length)));
}

// An act on a control (ControlAct: 0 click, 1 edit, 2 select, 3 double
// click) with its value (the edited text, the selected line); 1 when the
// dialog ran it.
PLANDRA_EXPORT("program_number_act")
int program_number_act(const char* dialog, int dialogLength, const char* control, int controlLength,
                       int act, const char* value, int valueLength) {
  const plandra::DialogTable* table = TableNamed(dialog, dialogLength);
  if (table == nullptr || act < 0 || act > static_cast<int>(plandra::ControlAct::kDoubleClick)) {
    return 0;
  }
  const bool ran =
      plandra::RunControl(PageProgram(), *table, PageText(control, controlLength),
                          static_cast<plandra::ControlAct>(act), PageText(value, valueLength));
  PageCallDone();
  return ran ? 1 : 0;
}

// A key in a control, given to the dialog's key function first; 1 when it
// took the key, so that the page leaves the key's own effect out.
PLANDRA_EXPORT("program_number_key")
int program_number_key(const char* dialog, int dialogLength, const char* control, int controlLength,
                       int key, const char* text, int textLength) {
  const plandra::DialogTable* table = TableNamed(dialog, dialogLength);
  if (table == nullptr) return 0;
  const bool taken = plandra::DialogKey(PageProgram(), *table, PageText(control, controlLength),
                                        static_cast<int16_t>(key), PageText(text, textLength));
  PageCallDone();
  return taken ? 1 : 0;
}

// The user moved the focus to a control of the dialog.
PLANDRA_EXPORT("program_number_focus")
void program_number_focus(const char* dialog, int dialogLength, const char* control,
                          int controlLength) {
  const plandra::DialogTable* table = TableNamed(dialog, dialogLength);
  if (table != nullptr)
    plandra::DialogFocus(PageProgram(), *table, PageText(control, controlLength));
}

// The focus came into the dialog from elsewhere: the dialog became active.
PLANDRA_EXPORT("program_number_activate")
void program_number_activate(const char* dialog, int dialogLength) {
  const plandra::DialogTable* table = TableNamed(dialog, dialogLength);
  if (table != nullptr) plandra::DialogActivate(PageProgram(), *table);
  PageCallDone();
}

// The dialog's close button, or Escape that no control took.
PLANDRA_EXPORT("program_number_cancel")
void program_number_cancel(const char* dialog, int dialogLength) {
  const plandra::DialogTable* table = TableNamed(dialog, dialogLength);
  if (table != nullptr && table->Shown(PageProgram())) table->Cancel(PageProgram());
  PageCallDone();
}
