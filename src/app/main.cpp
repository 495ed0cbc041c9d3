// plandra [FIGURE]: the program's window.
#include <QApplication>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "CliRender.h"
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
  double PixelSize = 0.05;
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

void Redraw(Session& session, QtSurface& surface) {
  surface.SetBackColor(
      RgbColor{static_cast<uint8_t>(session.Prog.Config.BackColor & 0xff),
               static_cast<uint8_t>((session.Prog.Config.BackColor >> 8) & 0xff),
               static_cast<uint8_t>((session.Prog.Config.BackColor >> 16) & 0xff)});
  surface.Clear();
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
  surface.SetFont(program.Config.FontName, program.Config.FontSize);
  surface.SetPenWidth(program.Config.DrawWidth);

  TextViewer viewer(session.Viewer, program.Lang, nullptr, &window);
  window.Callbacks().Resized = [&](int, int) {
    SetViewWindow(surface, session.PixelSize);
    Redraw(session, surface);
  };
  window.Callbacks().MenuChosen = [&](const std::string& name) {
    RunMenu(name, window, viewer, session);
  };
  ApplyLanguage(window, session);
  if (argc > 1) {
    // Until the figure reader is part of this program the window starts empty.
    std::fprintf(stderr, "plandra: this build cannot open figures yet; %s was not opened\n",
                 argv[1]);
  }
  window.SetPanelText(2, std::filesystem::path(program.CurFileName).filename().string());
  window.setWindowTitle(QString::fromStdString(WindowCaption(program)));
  window.show();
  return app.exec();
}
