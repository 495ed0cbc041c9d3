#include "qt/QtPlacement.h"

#include <QMenuBar>
#include <QPoint>
#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace plandra {

namespace {

// The first screen row below the owner's menu bar; the owner's top when it
// has none.
int BelowMenuBar(const QWidget& owner) {
  const QMenuBar* bar = owner.findChild<const QMenuBar*>();
  if (bar == nullptr || !bar->isVisible()) return owner.frameGeometry().top();
  return bar->mapToGlobal(QPoint(0, bar->height())).y();
}

}  // namespace

void PlaceBesideOwner(QWidget& window, const QWidget* owner) {
  if (owner == nullptr || owner->screen() == nullptr) return;
  const QRect free = owner->screen()->availableGeometry();
  const QRect beside = owner->frameGeometry();
  const QSize frame = window.frameGeometry().size() - window.size();
  const QSize outer = window.size() + frame;
  int x = beside.right() + 1;
  if (x + outer.width() - 1 > free.right()) x = beside.left() - outer.width();
  if (x < free.left()) x = free.right() - outer.width() + 1;
  x = std::max(x, free.left());
  int y = std::clamp(beside.top(), free.top(),
                     std::max(free.top(), free.bottom() - outer.height() + 1));
  // Over the owner only where the screen is too narrow: then below its menus.
  if (x <= beside.right() && x + outer.width() - 1 >= beside.left()) {
    y = std::max(y, BelowMenuBar(*owner));
  }
  window.move(x, y);
}

}  // namespace plandra
