#include "qt/QtTitleFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QLayout>
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
  int needed = TitleWidth(window.windowTitle());
  // Once a minimum width is set here the layout sets it no more: its own is
  // kept in it, or a button shown or renamed later would be cut short.
  if (const QLayout* layout = window.layout()) {
    needed = std::max(needed, layout->totalMinimumSize().width());
  }
  needed = std::min(needed, window.maximumWidth());
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
  const QEvent::Type type = event->type();
  const bool fitting =
      type == QEvent::Show || type == QEvent::WindowTitleChange || type == QEvent::LayoutRequest;
  auto* dialog = fitting ? qobject_cast<QDialog*>(watched) : nullptr;
  // A hidden dialog is fitted when it is shown: measuring every title at
  // start-up, for dialogs nobody has opened yet, delayed the first paint.
  if (dialog != nullptr && dialog->isWindow() && (type == QEvent::Show || dialog->isVisible())) {
    FitTitle(*dialog);
  }
  return false;
}

}  // namespace plandra
