// plandra [FIGURE]: the program's window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/FigDataView.h"
#include "app/MenuModel.h"
#include "app/Multi_lang.h"
#include "app/PDLanguage.h"
#include "app/PDfrmAbout.h"
#include "app/Program.h"
#include "app/QtPlatform.h"
#include "app/ZEvav.h"
#include "macros/TextViewer.h"
#include "macros/ViewerText.h"
#include "persist/PDio05.h"
#include "view/PDDraw05.h"
#include "view/QtSurface.h"

namespace {

using namespace plandra;

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

// The menus that the window carries until the full command table is wired.
std::vector<MenuItem> StartMenu(LangState& lang) {
  auto item = [&lang](const char* name, const char* caption) {
    return MenuItem{name, Translate(lang, caption), "", true, false, true, {}};
  };
  MenuItem file = item("mnuFile", "ﾌｧｲﾙ");
  file.Children = {item("mnuExit", "終了")};
  MenuItem option = item("mnuOption", "ｵﾌﾟｼｮﾝ");
  option.Children = {item("mnuOLanguage", "Language")};
  MenuItem help = item("mnuHelp", "ﾍﾙﾌﾟ");
  help.Children = {item("mnuEditFigDataView", "作図データの分析"),
                   item("mnuVersion", "バージョン")};
  return {file, option, help};
}

std::string WindowCaption(const Program& program) {
  const std::string file = std::filesystem::path(program.CurFileName).filename().string();
  return "[" + file + "] " + std::string(kProgramTitle) + " " + PLANDRA_VERSION;
}

struct Session {
  Program Prog;
  ViewerText Viewer;
};

void ApplyLanguage(ZEvav& window, Session& session) {
  window.MirrorMenu(StartMenu(session.Prog.Lang));
  window.SetPanelText(1, Translate(session.Prog.Lang, "標準"));
}

void RunMenu(const std::string& name, ZEvav& window, TextViewer& viewer, Session& session) {
  Program& program = session.Prog;
  if (name == "mnuExit") {
    window.close();
  } else if (name == "mnuVersion") {
    PDfrmAbout about(program.Lang, &window);
    about.exec();
  } else if (name == "mnuOLanguage") {
    PDLanguageActions actions;
    actions.ApplyMenuLanguage = [&] { ApplyLanguage(window, session); };
    PDLanguage dialog(program, actions, &window);
    dialog.exec();
  } else if (name == "mnuEditFigDataView") {
    ShowFigDataView(session.Viewer, program.Fig, program.Lang, program.CurFileName,
                    program.Config.KetaDecimal);
    viewer.Mirror();
    window.activateWindow();
  }
}

// The figure named on the command line; a missing one leaves "untitled".
void LoadStartFigure(Program& program, const std::string& argument) {
  std::string name = argument;
  if (!name.empty() && name.back() == '"') name.pop_back();
  if (!name.empty() && name.front() == '"') name.erase(0, 1);
  std::error_code ec;
  if (name.empty() || !std::filesystem::is_regular_file(name, ec)) return;
  constexpr int16_t kModeLoading = 8;
  ModePush(program.Modes, kModeLoading, *program.Host);
  program.CurFileName = name;
  const bool read = FigFileIO(program, 'R').Status == FigFileStatus::kOk;
  if (!read) program.CurFileName = std::string(kUntitled);
  ModePop(program.Modes, *program.Host);
  if (read && program.Fig.ComplexOpsUsed != 0) mnuZoomComplex(program);
}

}  // namespace

int main(int argc, char** argv) {
  if (!CheckDisplay()) return 2;
  QApplication app(argc, argv);

  Session session;
  Program& program = session.Prog;
  QtSurface surface(640, 480);
  ZEvav window(surface);
  QtPlatform platform(&window, surface);
  program.Host = &platform;
  program.Canvas = &surface;
  ResetFigure(program.Fig, 200);
  ModePush(program.Modes, kModeStandard, platform);
  program.Folders = LocateProgramFolder(CurrentExecutablePath(), ProcessEnvironment());
  program.Lang.ProgramFolder = program.Folders.Folder;
  mnuOFileLoad(program.Config, program.Folders.Folder, platform, program.Lang);
  program.Lang.Language = program.Config.Language;
  ApplyDisplaySettings(program);

  TextViewer viewer(session.Viewer, program.Lang, nullptr, &window);
  window.Callbacks().Resized = [&](int, int) {
    SetScreen(program);
    Redraw(program);
    window.ShowPicture();
  };
  window.Callbacks().MenuChosen = [&](const std::string& name) {
    RunMenu(name, window, viewer, session);
  };
  ApplyLanguage(window, session);
  if (argc > 1) LoadStartFigure(program, argv[1]);
  window.SetPanelText(2, std::filesystem::path(program.CurFileName).filename().string());
  window.setWindowTitle(QString::fromStdString(WindowCaption(program)));
  window.show();
  return app.exec();
}
