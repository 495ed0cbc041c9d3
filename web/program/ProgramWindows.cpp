#include "ProgramWindows.h"

#include <tuple>

#include "PageSession.h"
#include "app/MainCommands.h"
#include "core/Program.h"
#include "core/events/MemoWindow.h"
#include "core/language/Multi_lang.h"
#include "core/macros/ViewerText.h"
#include "persist/JsonText.h"

#define PLANDRA_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace plandra {
namespace {

// What the windows showed at the last look, to tell whether they changed.
struct Shown {
  ViewerText Viewer;
  int MemoShown = 0;
  std::string MemoText;
  std::string MemoNotice;
  bool MemoSaveEnabled = false;
  bool MemoReadOnly = false;
  double MemoFont = 0;
  std::string Language;
};

bool SameViewer(const ViewerText& a, const ViewerText& b) {
  return std::tie(a.Text, a.Heading, a.ViewerWriteMode, a.Shown) ==
         std::tie(b.Text, b.Heading, b.ViewerWriteMode, b.Shown);
}

bool SameMemo(const Shown& last, const MemoState& memo) {
  return std::tie(last.MemoShown, last.MemoText, last.MemoNotice, last.MemoSaveEnabled,
                  last.MemoReadOnly, last.MemoFont) == std::tie(memo.Shown, memo.Text, memo.Notice,
                                                                memo.SaveEnabled, memo.ReadOnly,
                                                                memo.FontSize);
}

std::string ViewerItemJson(const ViewerText& viewer, LangState& lang, const ViewerMenuItem& item) {
  const bool visible = ViewerItemVisible(viewer, lang, item);
  return "{\"name\":" + JsonString(item.Name) +
         ",\"caption\":" + JsonString(Translate(lang, item.Caption)) +
         ",\"mode\":" + std::to_string(item.Mode) + ",\"submenu\":" + JsonBool(item.Submenu) +
         ",\"checked\":" + JsonBool(item.Mode >= 0 && viewer.ViewerWriteMode == item.Mode) +
         ",\"visible\":" + JsonBool(visible) + "}";
}

}  // namespace

int SideWindowsRevision(const Program& p) {
  static Shown last;
  static int revision = 0;
  const MemoState& memo = p.Events.Memo;
  if (SameViewer(last.Viewer, p.Viewer) && SameMemo(last, memo) &&
      last.Language == p.Lang.Language) {
    return revision;
  }
  last = {p.Viewer,         memo.Shown,    memo.Text,     memo.Notice,
          memo.SaveEnabled, memo.ReadOnly, memo.FontSize, p.Lang.Language};
  return ++revision;
}

std::string ViewerJson(Program& p) {
  const ViewerText& viewer = p.Viewer;
  std::string items;
  for (const ViewerMenuItem& item : kViewerMenu) {
    items += (items.empty() ? "" : ",") + ViewerItemJson(viewer, p.Lang, item);
  }
  return "{\"shown\":" + JsonBool(viewer.Shown) +
         ",\"title\":" + JsonString(Translate(p.Lang, kViewerTitle)) +
         ",\"text\":" + JsonString(viewer.Text) +
         ",\"append\":" + JsonBool(viewer.ViewerWriteMode == kViewerAppend) + ",\"items\":[" +
         items + "]}";
}

bool ViewerItemChosen(Program& p, std::string_view name) {
  for (const ViewerMenuItem& item : kViewerMenu) {
    if (name != item.Name) continue;
    if (item.MainCommand != nullptr) {
      RunMenuCommand(p, item.MainCommand);
    } else {
      ViewerChoose(p.Viewer, item);
    }
    return true;
  }
  return false;
}

std::string MemoJson(Program& p) {
  const MemoState& memo = p.Events.Memo;
  const bool editable = !memo.ReadOnly && memo.Readable;
  return "{\"shown\":" + std::to_string(memo.Shown) +
         ",\"title\":" + JsonString(memo.File.filename().string()) +
         ",\"caption\":" + JsonString(Translate(p.Lang, "メモ")) +
         ",\"text\":" + JsonString(memo.Text) + ",\"notice\":" + JsonString(memo.Notice) +
         ",\"editable\":" + JsonBool(editable) +
         ",\"saveEnabled\":" + JsonBool(memo.SaveEnabled && editable) +
         ",\"changed\":" + JsonBool(MemoChanged(memo)) +
         ",\"fontSize\":" + std::to_string(memo.FontSize) +
         ",\"font\":\"Font\",\"save\":\"Save\",\"erase\":" + JsonString(Translate(p.Lang, "消す")) +
         "}";
}

}  // namespace plandra

using plandra::PageProgram;

PLANDRA_EXPORT("program_windows_revision") int program_windows_revision() {
  return plandra::SideWindowsRevision(PageProgram());
}

PLANDRA_EXPORT("program_viewer") int program_viewer() {
  return plandra::PageReply(plandra::ViewerJson(PageProgram()));
}

// An item of the viewer's menu chosen; 0 for a name it does not hold.
PLANDRA_EXPORT("program_viewer_choose") int program_viewer_choose(const char* name, int length) {
  const bool chosen = plandra::ViewerItemChosen(PageProgram(), plandra::PageText(name, length));
  plandra::PageCallDone();
  return chosen ? 1 : 0;
}

PLANDRA_EXPORT("program_memo") int program_memo() {
  return plandra::PageReply(plandra::MemoJson(PageProgram()));
}

PLANDRA_EXPORT("program_memo_edit") void program_memo_edit(const char* text, int length) {
  plandra::MemoTextEdited(PageProgram().Events.Memo, plandra::PageText(text, length));
}

PLANDRA_EXPORT("program_memo_font") void program_memo_font() {
  plandra::MemoFontSwitch(PageProgram().Events.Memo);
}

PLANDRA_EXPORT("program_memo_save") int program_memo_save() {
  plandra::Program& p = PageProgram();
  return plandra::SaveMemo(p.Events.Memo, *p.Host, p.Lang) ? 1 : 0;
}

// The window's "消す" (or its close): 1 when it may go, a changed memo asked
// about first.
PLANDRA_EXPORT("program_memo_erase") int program_memo_erase() {
  plandra::Program& p = PageProgram();
  return plandra::MemoEraseClicked(p.Events.Memo, *p.Host, p.Lang) ? 1 : 0;
}
