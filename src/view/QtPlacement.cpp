#include "view/QtPlacement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace plandra {

void PlaceBesideOwner(QWidget& window, const QWidget* owner) {
  if (owner == nullptr || owner->screen() == nullptr) return;
  const QRect free = owner->screen()->availableGeometry();
  const QRect beside = owner->frameGeometry();
  const QSize frame = window.frameGeometry().size() - window.size();
  const QSize outer = window.size() + frame;
  int x = beside.right() + 1;
  if (x + outer.width() - 1 > free.right()) x = beside.left() - outer.width();
  if (x < free.left()) x = free.right() - outer.width() + 1;
  const int y = std::clamp(beside.top(), free.top(),
                           std::max(free.top(), free.bottom() - outer.height() + 1));
  window.move(std::max(x, free.left()), y);
}

}  // namespace plandra
