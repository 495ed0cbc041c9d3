// plandra [FIGURE]: the program's window. The window mirrors the core after
// every call into it; what happens is decided by the core.
#include <QApplication>
#include <QMenuBar>
#include <QStatusBar>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/MainModel.h"
#include "app/NewAndExit.h"
#include "app/NewConstchk.h"
#include "app/PDLanguage.h"
#include "app/PDfrmAbout.h"
#include "app/Program.h"
#include "app/QtPlatform.h"
#include "app/Rakugaki.h"
#include "app/Startup.h"
#include "app/ZEvav.h"
#include "interact/PDSelObj.h"
#include "macros/TextViewer.h"
#include "numbers/PDExpress.h"
#include "numbers/PDSelNum.h"
#include "numbers/pdNumInput.h"
#include "view/PDDraw05.h"
#include "view/QtSurface.h"

namespace {

using namespace plandra;

constexpr int kTwipsPerPixel = 15;

bool EnvSet(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

// The platforms that need no display server.
bool HeadlessPlatform() {
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if (platform == nullptr) return false;
  for (const char* headless : {"offscreen", "minimal", "vnc", "linuxfb", "eglfs"}) {
    if (std::strncmp(platform, headless, std::strlen(headless)) == 0) return true;
  }
  return false;
}

// Qt aborts without a display; tell the user how to run the window instead.
bool CheckDisplay() {
  if (EnvSet("DISPLAY") || EnvSet("WAYLAND_DISPLAY") || HeadlessPlatform()) return true;
  std::fputs(
      "plandra: no display to open the window on (DISPLAY and WAYLAND_DISPLAY are not set).\n"
      "Run it from a desktop session, or in a virtual display:\n"
      "    xvfb-run plandra FIGURE\n"
      "For pictures without a window: plandra-cli render FIGURE -o OUT.png\n",
      stderr);
  return false;
}

// The window, its dialogs and the program, wired together.
class Session {
 public:
  Session()
      : window_(surface_),
        platform_(&window_, surface_),
        viewer_(prog_.Viewer, prog_.Lang, {}, &window_),
        selNum_(prog_, Runner(), &window_),
        express_(prog_, Runner(), &window_),
        numInput_(prog_, Runner(), &window_) {
    prog_.Host = &platform_;
    prog_.Canvas = &surface_;
    prog_.Folders = LocateProgramFolder(CurrentExecutablePath(), ProcessEnvironment());
    ZEvavCallbacks& on = window_.Callbacks();
    on.Resized = [this](int, int) { Call([this] { SetScreen(prog_), Redraw(prog_); }); };
    on.MenuChosen = [this](const std::string& name) { RunMenu(name); };
    on.PanelClicked = [this](int panel) { Call([&] { StatusPanelClick(prog_, panel); }); };
    on.KeyDown = [this](const InputEvent& e) {
      Call([&] { KeyDown(prog_, e.KeyCode, (e.Shift & kShiftKey) != 0); });
    };
    on.MouseDown = [this](const InputEvent& e) { Mouse(e, 'D'); };
    on.MouseMove = [this](const InputEvent& e) { Mouse(e, 'M'); };
    on.MouseUp = [this](const InputEvent& e) { Mouse(e, 'U'); };
    on.Closing = [this] {
      if (!prog_.Window.ExitRequested) mnuExit(prog_);
    };
    if (EnvSet("PLANDRA_EXIT_AFTER_FIRST_PAINT")) {
      on.Painted = [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); };
    }
    platform_.SetTimerCallback([this](TimerId timer) { Call([&] { OnTimer(prog_, timer); }); });
  }

  void Start(const std::string& commandLine) {
    StartupInputs inputs;
    inputs.CommandLine = commandLine;
    inputs.ExecutablePath = CurrentExecutablePath();
    StartUp(prog_, inputs);
    ApplyDisplaySettings(prog_);
    WindowGeometry start = Geometry();
    if (SetWindow(prog_, start)) Apply(start);
    window_.Mirror(prog_);
    window_.show();
  }

 private:
  // Runs a core call and mirrors the window afterwards.
  template <typename Call_>
  void Call(Call_&& call) {
    call();
    window_.Mirror(prog_);
    viewer_.Mirror();
    selNum_.Mirror();
    express_.Mirror();
    numInput_.Mirror();
    if (prog_.Window.ExitRequested) window_.close();
  }

  // The dialogs' clicks and keys reach the core as the window's do.
  CoreRunner Runner() {
    return [this](const std::function<void()>& call) { Call(call); };
  }

  // The single point where mouse input reaches the core.
  void Mouse(const InputEvent& e, char what) {
    bool scribble = CurrentMode(prog_.Modes) == kModeScribble;
    Call([&] {
      if (scribble) {
        if (what == 'D') ScribbleMouseDown(prog_, e.X, e.Y);
        if (what == 'M') ScribbleMouseMove(prog_, e.X, e.Y);
        if (what == 'U') ScribbleMouseUp(prog_);
        return;
      }
      if (what == 'D') MouseDown(prog_, e);
      if (what == 'M') MouseMove(prog_, e);
    });
  }

  void RunMenu(const std::string& name) {
    CommandResult result;
    Call([&] { result = RunMenuCommand(prog_, name); });
    if (result.Status == CommandStatus::kOpenDialog) OpenDialog(result.Dialog);
    if (result.Status == CommandStatus::kWindowCommand) Call([&] { RunWindowCommand(name); });
  }

  void OpenDialog(std::string_view dialog) {
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

  WindowGeometry Geometry() const {
    WindowGeometry g;
    g.OuterWidth = window_.frameGeometry().width() * kTwipsPerPixel;
    g.OuterHeight = window_.frameGeometry().height() * kTwipsPerPixel;
    g.ClientWidth = window_.Canvas()->width();
    g.ClientHeight = window_.Canvas()->height();
    if (window_.isMaximized()) g.State = kWindowMaximized;
    if (window_.isMinimized()) g.State = kWindowMinimized;
    g.StatusBarVisible = !window_.statusBar()->isHidden();
    return g;
  }

  void Apply(const WindowGeometry& g) {
    window_.statusBar()->setVisible(g.StatusBarVisible);
    if (g.State == kWindowMaximized) {
      window_.showMaximized();
      return;
    }
    if (window_.isMaximized()) window_.showNormal();
    // The frame is drawn by the window manager; the outer size minus the
    // frame's own width and height is what the window itself gets.
    const int frameWidth = window_.frameGeometry().width() - window_.width();
    const int frameHeight = window_.frameGeometry().height() - window_.height();
    window_.resize(g.OuterWidth / kTwipsPerPixel - frameWidth,
                   g.OuterHeight / kTwipsPerPixel - frameHeight);
  }

  void RunWindowCommand(const std::string& name) {
    WindowGeometry g = Geometry();
    if (name == "mnuOWindowSave") {
      mnuOWindowSave(prog_, g);
      return;
    }
    if (name == "mnuOWindowStandard") mnuOWindowStandard(prog_, g);
    if (name == "mnuOWindowVGA") mnuOWindowVGA(prog_, g);
    if (name == "mnuOWindowMax") mnuOWindowMax(prog_, g);
    Apply(g);
  }

  Program prog_;
  QtSurface surface_{640, 480};
  ZEvav window_;
  QtPlatform platform_;
  TextViewer viewer_;
  PDSelNum selNum_;
  PDExpress express_;
  pdNumInput numInput_;
};

}  // namespace

int main(int argc, char** argv) {
  if (!CheckDisplay()) return 2;
  QApplication app(argc, argv);
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
  Session session;
  session.Start(commandLine);
  return app.exec();
}
