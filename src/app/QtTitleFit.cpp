#include "app/QtTitleFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <algorithm>

namespace plandra {

namespace {

// The frame's buttons and the title's margins: room for three buttons on the
// common desktops.
constexpr int kFrameButtonsWidth = 120;

}  // namespace

int TitleWidth(const QString& title) {
  // The font Qt takes for title bars; bold, as many window managers draw them.
  QFont font = QApplication::font("QMdiSubWindowTitleBar");
  font.setBold(true);
  return QFontMetrics(font).horizontalAdvance(title) + kFrameButtonsWidth;
}

void FitTitle(QWidget& window) {
  const int needed = std::min(TitleWidth(window.windowTitle()), window.maximumWidth());
  if (window.minimumWidth() < needed) window.setMinimumWidth(needed);
  if (window.width() < needed) window.resize(needed, window.height());
}

TitleFit::TitleFit(QObject* parent) : QObject(parent) {
  QCoreApplication::instance()->installEventFilter(this);
}

TitleFit::~TitleFit() {
  if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool TitleFit::eventFilter(QObject* watched, QEvent* event) {
  const bool fitting = event->type() == QEvent::Show || event->type() == QEvent::WindowTitleChange;
  auto* dialog = fitting ? qobject_cast<QDialog*>(watched) : nullptr;
  if (dialog != nullptr && dialog->isWindow()) FitTitle(*dialog);
  return false;
}

}  // namespace plandra
