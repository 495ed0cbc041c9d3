// plandra [FIGURE]: the program's window. The window mirrors the core after
// every call into it; what happens is decided by the core.
#include <QApplication>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "qt/QtSession.h"

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

// Long enough for the first paint of a common figure to come first.
constexpr int kIconDelayMs = 300;

// The installed theme's icon, else the one built in, drawn at the sizes the
// desktop asks for (the SVG icon engine may be missing).
QIcon ProgramIcon() {
  QIcon themed = QIcon::fromTheme(QStringLiteral("plandra"));
  if (!themed.isNull()) return themed;
  QSvgRenderer renderer(QStringLiteral(":/plandra.svg"));
  QIcon drawn;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    painter.end();
    drawn.addPixmap(pixmap);
  }
  return drawn;
}

}  // namespace

int main(int argc, char** argv) {
  if (!CheckDisplay()) return 2;
  QApplication app(argc, argv);
  // Lets the desktop match the window with plandra.desktop (its icon, its name).
  QGuiApplication::setDesktopFileName(QStringLiteral("plandra"));
  std::string commandLine;
  for (int i = 1; i < argc; ++i) commandLine += (i > 1 ? " " : "") + std::string(argv[i]);
  QtSession session;
  if (EnvSet("PLANDRA_EXIT_AFTER_FIRST_PAINT")) session.QuitAfterFirstPaint();
  session.Start(commandLine);
  // The icon is drawn at eight sizes: it comes once the figure is on screen.
  QTimer::singleShot(kIconDelayMs, [] { QApplication::setWindowIcon(ProgramIcon()); });
  return app.exec();
}
