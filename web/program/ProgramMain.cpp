// The browser program's module: the whole program without its window. The
// page's script calls these exports for the window's events and shows the
// state they leave (ProgramState); the core asks the page its questions
// through WebPlatform. Files live in the page's file system under /plandra
// (the program folder, kept in the browser's storage) and /work (figures
// brought in or handed out).
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <utility>

#include "AttributeForm.h"
#include "CanvasSurface.h"
#include "FigureDescription.h"
#include "NumberDialogForm.h"
#include "PageSession.h"
#include "ProgramState.h"
#include "ProgramWindows.h"
#include "WebPlatform.h"
#include "app/EventActions.h"
#include "app/FileCommands.h"
#include "app/KeptFigure.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "app/NewAndExit.h"
#include "app/Session.h"
#include "app/Startup.h"
#include "app/WebCommands.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/attributes/PDAttribute.h"
#include "core/attributes/PasteFit.h"
#include "core/dialogs/LanguageDialog.h"
#include "files/ProgramFolder.h"
#include "files/WebPages.h"
#include "persist/JsonText.h"
#include "view/PDDraw05.h"

#define PLANDRA_EXPORT(name) extern "C" __attribute__((export_name(name)))

namespace plandra {
namespace {

constexpr const char* kProgramFolder = "/plandra";
constexpr const char* kDocumentsFolder = "/work";

struct WebSession {
  WebSession(int width, int height) : Canvas(width, height), Host(Prog.Lang) {}
  Program Prog;
  CanvasSurface Canvas;
  WebPlatform Host;
  std::string MenuDialog;  // the dialog the last menu command asked for
  AttributeDialog OpenDialog = AttributeDialog::kNone;  // the one the page shows
  std::string LastKept;  // what the browser's storage holds of the figure
};

std::unique_ptr<WebSession> session;
std::string reply;

InputEvent MouseEvent(double column, double row, int button, int shift, bool finger = false) {
  const WorldPoint at = PixelToWorld(session->Prog.View, column, row);
  InputEvent e;
  e.X = at.X;
  e.Y = at.Y;
  e.Button = static_cast<int16_t>(button);
  e.Shift = static_cast<int16_t>(shift);
  e.Finger = finger;
  return e;
}

}  // namespace

Program& PageProgram() { return session->Prog; }

// Every call ends with the drawing handed over in full.
void PageCallDone() { session->Canvas.FlushPixels(); }

int PageReply(std::string text) {
  reply = std::move(text);
  return static_cast<int>(reply.size());
}

}  // namespace plandra

using plandra::PageText;
using plandra::session;

PLANDRA_EXPORT("program_alloc") char* program_alloc(int bytes) {
  return static_cast<char*>(std::malloc(static_cast<size_t>(bytes > 0 ? bytes : 1)));
}

PLANDRA_EXPORT("program_free") void program_free(char* block) { std::free(block); }

PLANDRA_EXPORT("program_reply") const char* program_reply() { return plandra::reply.data(); }

PLANDRA_EXPORT("program_reply_length") int program_reply_length() {
  return static_cast<int>(plandra::reply.size());
}

// The figure given (a path in the page's file system, may be empty) opens as
// the desktop opens the figure of its command line.
PLANDRA_EXPORT("program_start")
void program_start(int width, int height, const char* figure, int length) {
  using namespace plandra;
  session = std::make_unique<WebSession>(width, height);
  Program& p = session->Prog;
  p.Host = &session->Host;
  p.Canvas = &session->Canvas;
  p.Folders = LocateProgramFolder({}, [](std::string_view name) -> std::optional<std::string> {
    if (name == "PLANDRA_HOME") return std::string(kProgramFolder);
    return std::nullopt;
  });
  StartupInputs inputs;
  inputs.CommandLine = std::string(PageText(figure, length));
  inputs.DocumentsFolder = kDocumentsFolder;
  StartUp(p, inputs);
  session->Host.ServeOwnPage(p.Folders.Folder / kOnlineSavePageName);
  ApplyDisplaySettings(p.Config, p.Canvas);
  SessionResized(p);
  PageCallDone();
}

// action 0 press, 1 move, 2 release; column and row in canvas pixels; finger
// 1 for a touch.
PLANDRA_EXPORT("program_mouse")
void program_mouse(int action, double column, double row, int button, int shift, int finger) {
  using namespace plandra;
  SessionMouse(session->Prog, MouseEvent(column, row, button, shift, finger != 0),
               static_cast<MouseAction>(action));
  PageCallDone();
}

PLANDRA_EXPORT("program_double_click")
void program_double_click(double column, double row, int button, int shift) {
  plandra::EventDoubleClick(session->Prog, plandra::MouseEvent(column, row, button, shift));
  plandra::PageCallDone();
}

PLANDRA_EXPORT("program_key") void program_key(int keyCode, int shift) {
  plandra::InputEvent e;
  e.KeyCode = static_cast<int16_t>(keyCode);
  e.Shift = static_cast<int16_t>(shift);
  plandra::SessionKeyDown(session->Prog, e);
  plandra::PageCallDone();
}

// The command of a menu item; the reply names a dialog the page is to open.
// Returns the command's status (MainCommands' CommandStatus).
PLANDRA_EXPORT("program_menu") int program_menu(const char* name, int length) {
  const plandra::CommandResult result =
      plandra::RunMenuCommand(session->Prog, PageText(name, length));
  session->MenuDialog = std::string(result.Dialog);
  plandra::PageCallDone();
  return static_cast<int>(result.Status);
}

PLANDRA_EXPORT("program_menu_dialog") int program_menu_dialog() {
  return plandra::PageReply(std::exchange(session->MenuDialog, {}));
}

// A figure file of the page's file system, opened as the load command opens
// the one chosen (a changed figure is offered for saving first).
PLANDRA_EXPORT("program_open") int program_open(const char* path, int length) {
  const bool opened =
      plandra::OpenPDFile(session->Prog, std::filesystem::path(PageText(path, length)));
  plandra::PageCallDone();
  return opened ? 1 : 0;
}

// The attribute dialog the page showed was closed: 1 OK (its controls
// written into the model), 0 Cancel.
PLANDRA_EXPORT("program_attribute_answer") void program_attribute_answer(int ok) {
  plandra::AnswerAttributeDialog(session->Prog, std::exchange(session->OpenDialog, {}), ok != 0);
  plandra::PageCallDone();
}

// The new-figure question's answer: 0 yes, 1 save first, 2 cancel.
PLANDRA_EXPORT("program_new_answer") void program_new_answer(int choice) {
  plandra::NewConstchkAnswer(session->Prog, static_cast<plandra::NewChoice>(choice));
  plandra::PageCallDone();
}

PLANDRA_EXPORT("program_dialog") int program_dialog(const char* name, int length) {
  return plandra::PageReply(plandra::DialogJson(session->Prog, PageText(name, length)));
}

// The language dialog's OK with the position chosen; 0 for one outside its list.
PLANDRA_EXPORT("program_language") int program_language(int position) {
  const bool done = plandra::LanguageDialogOk(session->Prog, position);
  plandra::PageCallDone();
  return done ? 1 : 0;
}

PLANDRA_EXPORT("program_attribute_form") int program_attribute_form() {
  return plandra::PageReply(plandra::AttributeFormJson(session->Prog, session->OpenDialog));
}

// A control of the open attribute dialog took a value; returns the room its
// name fields have left (negative: the value does not fit), the counter's
// text in the reply.
PLANDRA_EXPORT("program_attribute_set")
int program_attribute_set(const char* field, int fieldLength, const char* value, int valueLength) {
  plandra::Program& p = session->Prog;
  plandra::SetAttributeField(p, session->OpenDialog, PageText(field, fieldLength),
                             PageText(value, valueLength));
  plandra::PageReply(plandra::AttributeRoomText(p, session->OpenDialog));
  return plandra::AttributeRoom(p, session->OpenDialog);
}

// A paste into a text control that would not fit keeps what fits of it; the
// text kept is the reply (before, when nothing of the paste fits).
PLANDRA_EXPORT("program_attribute_fit")
int program_attribute_fit(const char* field, int fieldLength, const char* before, int beforeLength,
                          const char* after, int afterLength) {
  using namespace plandra;
  Program& p = session->Prog;
  const std::string_view name = PageText(field, fieldLength);
  const std::string_view was = PageText(before, beforeLength);
  const std::optional<FittedPaste> fitted =
      FitPaste(was, PageText(after, afterLength), [&](const std::string& text) {
        SetAttributeField(p, session->OpenDialog, name, text);
        return AttributeRoom(p, session->OpenDialog) >= 0;
      });
  const std::string kept = fitted ? fitted->Text : std::string(was);
  SetAttributeField(p, session->OpenDialog, name, kept);
  return PageReply(kept);
}

PLANDRA_EXPORT("program_panel") void program_panel(int panel) {
  plandra::StatusPanelClick(session->Prog, panel);
  plandra::PageCallDone();
}

PLANDRA_EXPORT("program_timer") void program_timer(int timer) {
  plandra::OnTimer(session->Prog, static_cast<plandra::TimerId>(timer));
  plandra::PageCallDone();
}

PLANDRA_EXPORT("program_resize") void program_resize(int width, int height) {
  session->Canvas.Resize(width, height);
  plandra::SessionResized(session->Prog);
  plandra::PageCallDone();
}

// The figure as the browser keeps it, in the reply, when it changed since
// the last keep; -1 when it did not.
PLANDRA_EXPORT("program_keep") int program_keep() {
  std::string kept = plandra::KeptFigureText(session->Prog);
  if (kept == session->LastKept) return -1;
  session->LastKept = kept;
  return plandra::PageReply(std::move(kept));
}

// The figure kept on the last visit, offered to the user; 1 when restored.
PLANDRA_EXPORT("program_offer_kept") int program_offer_kept(const char* kept, int length) {
  const bool restored = plandra::OfferKeptFigure(session->Prog, PageText(kept, length));
  plandra::PageCallDone();
  return restored ? 1 : 0;
}

// The browser's storage refused the figure.
PLANDRA_EXPORT("program_keep_refused") void program_keep_refused() {
  plandra::KeepRefused(session->Prog);
  plandra::PageCallDone();
}

// The figure told for the description beside the canvas, a line an element.
PLANDRA_EXPORT("program_describe") int program_describe() {
  plandra::Program& p = session->Prog;
  return plandra::PageReply(plandra::FigureDescription(p.Fig, p.Config.KetaDecimal));
}

// The words the description is told in, as a JSON object by name.
PLANDRA_EXPORT("program_description_words") int program_description_words() {
  std::string json = "{";
  for (const auto& [name, text] : plandra::DescriptionWords(session->Prog)) {
    json +=
        (json.size() > 1 ? "," : "") + plandra::JsonString(name) + ':' + plandra::JsonString(text);
  }
  return plandra::PageReply(json + '}');
}

PLANDRA_EXPORT("program_state") int program_state() {
  plandra::Program& p = session->Prog;
  if (session->OpenDialog == plandra::AttributeDialog::kNone) {
    session->OpenDialog = plandra::TakePendingDialog(p.Attr);
  }
  return plandra::PageReply(plandra::ProgramStateJson(p, session->OpenDialog));
}
