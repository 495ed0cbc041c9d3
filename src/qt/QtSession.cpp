#include "qt/QtSession.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QMenu>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <algorithm>
#include <utility>

#include "app/EventActions.h"
#include "app/MainCommands.h"
#include "app/MainEvents.h"
#include "app/NewAndExit.h"
#include "app/Session.h"
#include "app/Startup.h"
#include "core/ImageOutput.h"
#include "core/MainModel.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "qt/dialogs/CircleAttribute.h"
#include "qt/dialogs/LineAttribute.h"
#include "qt/dialogs/NewConstchk.h"
#include "qt/dialogs/NumAttribute.h"
#include "qt/dialogs/PDLanguage.h"
#include "qt/dialogs/PDfrmAbout.h"
#include "qt/dialogs/PtAttribute.h"
#include "qt/dialogs/SelGeoKindBounded.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// The desktop's documents folder, or the home folder where it does not exist.
std::filesystem::path DocumentsFolder() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  return std::filesystem::path(folder.toStdString());
}

}  // namespace

template <typename Call_>
void QtSession::Call(Call_&& call) {
  call();
  window_.Mirror(prog_);
  viewer_.Mirror();
  selNum_.Mirror();
  express_.Mirror();
  numInput_.Mirror();
  memo_.Mirror();
  if (prog_.Window.ExitRequested) window_.close();
  ShowRequested();
}

CoreRunner QtSession::Runner() {
  return [this](const std::function<void()>& call) { Call(call); };
}

// The pop-up menu and the attribute dialogs the core asked for.
void QtSession::ShowRequested() {
  const std::string popup = std::exchange(prog_.Window.PopupMenu, {});
  if (QAction* action = window_.MenuAction(popup); action != nullptr && action->menu()) {
    action->menu()->popup(QCursor::pos());
  }
  AttributeDialog dialog;
  while ((dialog = TakePendingDialog(prog_.Attr)) != AttributeDialog::kNone) {
    RunAttributeDialog(dialog);
    window_.Mirror(prog_);
  }
}

void QtSession::RunAttributeDialog(AttributeDialog dialog) {
  switch (dialog) {
    case AttributeDialog::kPoint: PtAttribute(prog_, &window_).exec(); break;
    case AttributeDialog::kLine: LineAttribute(prog_, &window_).exec(); break;
    case AttributeDialog::kCircle: CircleAttribute(prog_, &window_).exec(); break;
    case AttributeDialog::kNumber: NumAttribute(prog_, &window_).exec(); break;
    case AttributeDialog::kBinding: SelGeoKindBounded(prog_, &window_).exec(); break;
    case AttributeDialog::kNone: break;
  }
}

QtSession::QtSession()
    : window_(surface_),
      platform_(&window_, surface_),
      viewer_(
          prog_.Viewer, prog_.Lang, [this](const std::string& command) { RunMenu(command); }, &window_),
      selNum_(prog_, Runner(), &window_),
      express_(prog_, Runner(), &window_),
      numInput_(prog_, Runner(), &window_),
      message_(prog_.Lang, &window_),
      memo_(prog_, Runner(), &window_) {
  platform_.SetEventWindows(&message_, &memo_);
  prog_.Host = &platform_;
  prog_.Canvas = &surface_;
  prog_.Folders = LocateProgramFolder(CurrentExecutablePath(), ProcessEnvironment());
  ZEvavCallbacks& on = window_.Callbacks();
  on.Resized = [this](int, int) { Call([this] { SessionResized(prog_); }); };
  on.MenuChosen = [this](const std::string& name) { RunMenu(name); };
  on.PanelClicked = [this](int panel) { Call([&] { StatusPanelClick(prog_, panel); }); };
  on.KeyDown = [this](const InputEvent& e) { Call([&] { SessionKeyDown(prog_, e); }); };
  on.MouseDown = [this](const InputEvent& e) {
    Call([&] { SessionMouse(prog_, e, MouseAction::kDown); });
  };
  on.MouseMove = [this](const InputEvent& e) {
    Call([&] { SessionMouse(prog_, e, MouseAction::kMove); });
  };
  on.MouseUp = [this](const InputEvent& e) {
    Call([&] { SessionMouse(prog_, e, MouseAction::kUp); });
  };
  on.DoubleClick = [this](const InputEvent& e) { Call([&] { EventDoubleClick(prog_, e); }); };
  on.Closing = [this] {
    bool closing = false;
    Call([&] { closing = SessionClosing(prog_); });
    return closing;
  };
  platform_.SetTimerCallback([this](TimerId timer) { Call([&] { OnTimer(prog_, timer); }); });
}

void QtSession::QuitAfterFirstPaint() {
  window_.Callbacks().Painted = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };
}

void QtSession::Start(const std::string& commandLine) {
  StartupInputs inputs;
  inputs.CommandLine = commandLine;
  inputs.DocumentsFolder = DocumentsFolder();
  StartUp(prog_, inputs);
  ApplyDisplaySettings(prog_.Config, prog_.Canvas);
  WindowGeometry start = Geometry();
  if (SetWindow(prog_, start)) Apply(start);
  window_.Mirror(prog_);
  window_.show();
  FitToScreen();
}

void QtSession::RunMenu(const std::string& name) {
  CommandResult result;
  Call([&] { result = RunMenuCommand(prog_, name); });
  if (result.Status == CommandStatus::kOpenDialog) OpenDialog(result.Dialog);
  if (result.Status == CommandStatus::kWindowCommand) Call([&] { RunWindowCommand(name); });
}

void QtSession::OpenDialog(std::string_view dialog) {
  if (dialog == "NewConstchk") {
    const NewChoice choice = RunNewConstchk(prog_.Lang, &window_);
    Call([&] { NewConstchkAnswer(prog_, choice); });
  } else if (dialog == "PDLanguage") {
    PDLanguageActions actions;
    actions.ApplyMenuLanguage = [this] { window_.Mirror(prog_); };
    actions.SetFonts = [this](const std::string& family) {
      SetFonts(prog_, family);
      window_.Mirror(prog_);
    };
    PDLanguage(prog_, actions, &window_).exec();
  } else if (dialog == "PDfrmAbout") {
    PDfrmAbout(prog_.Lang, &window_).exec();
  } else if (dialog == "TextViewer") {
    viewer_.Mirror();
  }
}

// The window's size is stored and applied without the frame the window
// manager draws: that frame is unknown until the window is shown, and a size
// stored with it and applied without it grew the window at every start.
WindowGeometry QtSession::Geometry() const {
  WindowGeometry g;
  g.OuterWidth = window_.width() * kTwipsPerPixel;
  g.OuterHeight = window_.height() * kTwipsPerPixel;
  g.ClientWidth = window_.Canvas()->width();
  g.ClientHeight = window_.Canvas()->height();
  if (window_.isMaximized()) g.State = kWindowMaximized;
  if (window_.isMinimized()) g.State = kWindowMinimized;
  g.StatusBarVisible = !window_.statusBar()->isHidden();
  return g;
}

void QtSession::Apply(const WindowGeometry& g) {
  window_.statusBar()->setVisible(g.StatusBarVisible);
  if (g.State == kWindowMaximized) {
    window_.showMaximized();
    return;
  }
  if (window_.isMaximized()) window_.showNormal();
  window_.resize((g.OuterWidth + kTwipsPerPixel / 2) / kTwipsPerPixel,
                 (g.OuterHeight + kTwipsPerPixel / 2) / kTwipsPerPixel);
  FitToScreen();
}

// A stored size larger than the screen would put the window's buttons out of
// reach: it is held to the screen's free area, frame included (known once the
// window is shown, so this runs again then).
void QtSession::FitToScreen() {
  const QScreen* screen = window_.screen();
  if (screen == nullptr || window_.isMaximized()) return;
  const QRect free = screen->availableGeometry();
  const QSize frame = window_.frameGeometry().size() - window_.size();
  window_.resize(window_.size().boundedTo(free.size() - frame));
  QRect placed = window_.frameGeometry();
  if (free.contains(placed)) return;
  placed.moveLeft(std::clamp(placed.left(), free.left(), free.right() - placed.width() + 1));
  placed.moveTop(std::clamp(placed.top(), free.top(), free.bottom() - placed.height() + 1));
  window_.move(placed.topLeft());
}

void QtSession::RunWindowCommand(const std::string& name) {
  WindowGeometry g = Geometry();
  if (name == "mnuOWindowSave") {
    mnuOWindowSave(prog_, g);
    return;
  }
  if (name == "mnuOWindowStandard") mnuOWindowStandard(prog_, g);
  if (name == "mnuOWindowVGA") mnuOWindowVGA(prog_, g);
  if (name == "mnuOWindowMax") mnuOWindowMax(prog_, g);
  if (name == "mnuOWindowMini") {
    RunThumbnailStep(g);
    return;
  }
  Apply(g);
}

// One step of the thumbnail cycle: the window takes the size, and a reduced
// size is then copied to the clipboard as the window shows it (a refusal of
// the clipboard is told).
void QtSession::RunThumbnailStep(WindowGeometry& g) {
  const ThumbnailStep step = Set_Menu_Thumbnail(prog_, g);
  if (step == ThumbnailStep::kRefused) return;
  Apply(g);
  QCoreApplication::processEvents();  // the resize reaches the canvas first
  if (step == ThumbnailStep::kResized) {
    Redraw(prog_);
    mnufBMP(prog_);
  }
}

}  // namespace plandra
