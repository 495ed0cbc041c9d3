#include "qt/ZEvav.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QShortcut>
#include <QStatusBar>
#include <algorithm>

#include "core/Program.h"
#include "qt/drawing/QtSurface.h"
#include "qt/drawing/QtSurfaceRaster.h"

namespace plandra {

namespace {

int16_t CoreButtons(Qt::MouseButtons buttons) {
  int16_t result = 0;
  if (buttons & Qt::LeftButton) result |= kButtonLeft;
  if (buttons & Qt::RightButton) result |= kButtonRight;
  if (buttons & Qt::MiddleButton) result |= kButtonMiddle;
  return result;
}

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }

// The pointer numbers the core asks for (picking, event points) as Qt's shapes.
Qt::CursorShape CursorShapeOf(int16_t pointer) {
  switch (pointer) {
    case 2: return Qt::CrossCursor;
    case 3: return Qt::IBeamCursor;
    case 5:
    case 15: return Qt::SizeAllCursor;
    case 6: return Qt::SizeBDiagCursor;
    case 7: return Qt::SizeVerCursor;
    case 8: return Qt::SizeFDiagCursor;
    case 9: return Qt::SizeHorCursor;
    case 10: return Qt::UpArrowCursor;
    case 11: return Qt::WaitCursor;
    case 12: return Qt::ForbiddenCursor;
    case 13: return Qt::BusyCursor;
    case 14: return Qt::WhatsThisCursor;
    case 99: return Qt::PointingHandCursor;
    default: return Qt::ArrowCursor;
  }
}

}  // namespace

int16_t CoreKeyCode(int qtKey) {
  if ((qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) || (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)) {
    return static_cast<int16_t>(qtKey);  // Qt uses the ASCII codes for these
  }
  if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F12) {
    return static_cast<int16_t>(kKeyF1 + (qtKey - Qt::Key_F1));
  }
  switch (qtKey) {
    case Qt::Key_Backspace: return kKeyBack;
    case Qt::Key_Tab: return kKeyTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return kKeyEnter;
    case Qt::Key_Shift: return kKeyShift;
    case Qt::Key_Control: return kKeyControl;
    case Qt::Key_Escape: return kKeyEscape;
    case Qt::Key_Space: return kKeySpace;
    case Qt::Key_PageUp: return kKeyPageUp;
    case Qt::Key_PageDown: return kKeyPageDown;
    case Qt::Key_End: return kKeyEnd;
    case Qt::Key_Home: return kKeyHome;
    case Qt::Key_Left: return kKeyLeft;
    case Qt::Key_Up: return kKeyUp;
    case Qt::Key_Right: return kKeyRight;
    case Qt::Key_Down: return kKeyDown;
    case Qt::Key_Insert: return kKeyInsert;
    case Qt::Key_Delete: return kKeyDelete;
    default: return 0;
  }
}

int16_t CoreShiftState(Qt::KeyboardModifiers modifiers) {
  int16_t result = 0;
  if (modifiers & Qt::ShiftModifier) result |= kShiftKey;
  if (modifiers & Qt::ControlModifier) result |= kCtrlKey;
  if (modifiers & Qt::AltModifier) result |= kAltKey;
  return result;
}

PanelLabel::PanelLabel(int number, std::function<void(int)> onClick)
    : number_(number), onClick_(std::move(onClick)) {
  setObjectName(QString("Panel%1").arg(number));
  setMinimumWidth(number == kStretchPanel ? 1 : 24);
  setLineWidth(1);
  SetBevel(PanelBevel::kInset);
}

void PanelLabel::SetBevel(PanelBevel bevel) {
  bevel_ = bevel;
  setFrameStyle(QFrame::Panel | (bevel == PanelBevel::kRaised ? QFrame::Raised : QFrame::Sunken));
}

void PanelLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && onClick_) onClick_(number_);
  QLabel::mousePressEvent(event);
}

ZEvavCanvas::ZEvavCanvas(QtSurface& surface, ZEvavCallbacks& callbacks)
    : surface_(surface), callbacks_(callbacks) {
  setObjectName("Canvas");
  setFocusPolicy(Qt::StrongFocus);
  setMouseTracking(true);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

void ZEvavCanvas::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, surface_.Image());
  painter.end();
  // The next drag step's recomputing and sampling are SSE code too.
  ClearUpperVectorState();
  if (callbacks_.Painted) callbacks_.Painted();
}

void ZEvavCanvas::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  if (width() < 1 || height() < 1) return;  // minimised: nothing to recompute
  surface_.Resize(width(), height());
  if (callbacks_.Resized) callbacks_.Resized(width(), height());
  update();
}

InputEvent ZEvavCanvas::MouseInput(const QMouseEvent& event, Qt::MouseButtons buttons) const {
  InputEvent input;
  surface_.ToWorld(event.position(), input.X, input.Y);
  input.Button = CoreButtons(buttons);
  input.Shift = CoreShiftState(event.modifiers());
  input.Finger = event.pointingDevice() != nullptr &&
                 event.pointingDevice()->type() == QInputDevice::DeviceType::TouchScreen;
  return input;
}

void ZEvavCanvas::mousePressEvent(QMouseEvent* event) {
  setFocus();
  if (callbacks_.MouseDown) callbacks_.MouseDown(MouseInput(*event, event->button()));
}

void ZEvavCanvas::mouseMoveEvent(QMouseEvent* event) {
  if (callbacks_.MouseMove) callbacks_.MouseMove(MouseInput(*event, event->buttons()));
}

void ZEvavCanvas::mouseReleaseEvent(QMouseEvent* event) {
  if (callbacks_.MouseUp) callbacks_.MouseUp(MouseInput(*event, event->button()));
}

// The second press of a double click is the double click itself.
void ZEvavCanvas::mouseDoubleClickEvent(QMouseEvent* event) {
  if (callbacks_.DoubleClick) callbacks_.DoubleClick(MouseInput(*event, event->button()));
}

void ZEvavCanvas::keyPressEvent(QKeyEvent* event) {
  InputEvent input;
  input.KeyCode = CoreKeyCode(event->key());
  input.Shift = CoreShiftState(event->modifiers());
  input.Text = event->text().toStdString();
  if (callbacks_.KeyDown) callbacks_.KeyDown(input);
}

ZEvav::ZEvav(QtSurface& surface) : surface_(surface) {
  setObjectName("ZEvav");
  canvas_ = new ZEvavCanvas(surface_, callbacks_);
  setCentralWidget(canvas_);
  for (int number = 1; number <= kStatusPanelCount; ++number) {
    auto* panel = new PanelLabel(number, [this](int clicked) {
      if (callbacks_.PanelClicked) callbacks_.PanelClicked(clicked);
    });
    statusBar()->addWidget(panel, number == kStretchPanel ? 1 : 0);
    panels_.push_back(panel);
  }
  statusBar()->setSizeGripEnabled(true);
  connect(new QShortcut(QKeySequence(Qt::Key_F10), this), &QShortcut::activated, this,
          &ZEvav::OpenMenuBar);
  resize(640, 520);
  canvas_->setFocus();
}

void ZEvav::ShowPicture() { canvas_->update(); }

PanelLabel* ZEvav::Panel(int panel) {
  if (panel < 1 || panel > kStatusPanelCount) return nullptr;
  return panels_[panel - 1];
}

void ZEvav::Mirror(const Program& p) {
  setWindowTitle(FromUtf8(p.Window.Caption));
  qtTexts_.Follow(p.Lang.Language);
  MirrorDialogFont(p.Window.DialogFont);
  MirrorMenu(p.Menu);
  MirrorStatus(p.Status);
  const Qt::CursorShape shape = CursorShapeOf(p.Pick.Cursor);
  if (canvas_->cursor().shape() != shape) canvas_->setCursor(shape);
  ShowPicture();
}

// The dialogs take the application's font; the family is resolved to one
// this system has.
void ZEvav::MirrorDialogFont(const std::string& family) {
  if (family.empty() || family == dialogFont_) return;
  dialogFont_ = family;
  QFont font = QApplication::font();
  font.setFamily(ResolveFontFamily(family));
  QApplication::setFont(font, "QDialog");
}

void ZEvav::MirrorStatus(const StatusBar& bar) {
  for (int number = 1; number <= kStatusPanelCount; ++number) {
    const StatusPanel& model = bar.Panel(number);
    PanelLabel* label = Panel(number);
    label->setText(FromUtf8(model.Text));
    label->setToolTip(FromUtf8(model.Tooltip));
    label->SetBevel(model.Bevel);
    label->setEnabled(model.Usable);
    if (number == kStretchPanel) {
      // The panel that stretches holds the replay's step text whole; the
      // others yield to it. A label's size hint counts its minimum width, so
      // that is let go first, or a long text would hold its room for ever.
      label->setMinimumWidth(model.MinWidth);
      label->setMinimumWidth(std::max(model.MinWidth, label->sizeHint().width()));
    } else if (model.MinWidth > 0) {
      label->setMinimumWidth(model.MinWidth);
    }
  }
}

QAction* ZEvav::MenuAction(const std::string& name) const {
  const auto found = actions_.find(name);
  return found == actions_.end() ? nullptr : found->second;
}

void ZEvav::OpenMenuBar() {
  for (QAction* menu : menuBar()->actions()) {
    if (menu->isVisible() && menu->isEnabled()) {
      menuBar()->setActiveAction(menu);
      return;
    }
  }
}

void ZEvav::MirrorMenu(const MenuBar& bar) {
  if (bar.Items == mirroredMenu_) return;
  mirroredMenu_ = bar.Items;
  ++menuUpdates_;
  const std::vector<const MenuItem*> items = AllMenuItems(bar);
  const bool sameItems = items.size() == actions_.size() &&
                         std::all_of(items.begin(), items.end(), [this](const MenuItem* item) {
                           return actions_.count(item->Name) != 0;
                         });
  if (!sameItems) {
    menuBar()->clear();
    for (QMenu* menu : menus_) delete menu;
    menus_.clear();
    actions_.clear();
    BuildMenu(bar.Items, nullptr);
  }
  UpdateMenu(bar.Items);
}

void ZEvav::BuildMenu(const std::vector<MenuItem>& items, QMenu* into) {
  for (const MenuItem& item : items) {
    QAction* action = nullptr;
    if (item.Caption == "-" && into != nullptr) {
      action = into->addSeparator();
    } else if (!item.Children.empty()) {
      QMenu* menu = into == nullptr ? menuBar()->addMenu(FromUtf8(item.Caption))
                                    : into->addMenu(FromUtf8(item.Caption));
      menu->setObjectName(QString::fromStdString(item.Name));
      if (into == nullptr) menus_.push_back(menu);
      BuildMenu(item.Children, menu);
      action = menu->menuAction();
    } else {
      // A top-level item without a menu is a command of its own.
      action = into == nullptr ? menuBar()->addAction(FromUtf8(item.Caption))
                               : into->addAction(FromUtf8(item.Caption));
      connect(action, &QAction::triggered, this, [this, name = item.Name] {
        // Qt ticks a checkable item itself; the next mirror sets it as the model says.
        mirroredMenu_.clear();
        // The command's keys go to the drawing area, not to a menu bar left
        // waiting for an access letter (its focus ends its keyboard mode).
        canvas_->setFocus(Qt::ShortcutFocusReason);
        if (callbacks_.MenuChosen) callbacks_.MenuChosen(name);
      });
    }
    action->setObjectName(QString::fromStdString(item.Name));
    actions_[item.Name] = action;
  }
}

void ZEvav::UpdateMenu(const std::vector<MenuItem>& items) {
  for (const MenuItem& item : items) {
    QAction* action = MenuAction(item.Name);
    if (action == nullptr) continue;
    if (!action->isSeparator()) {
      action->setText(FromUtf8(item.Caption));
      action->setShortcuts(QKeySequence::listFromString(FromUtf8(item.Shortcut)));
      if (item.Checked) action->setCheckable(true);
      action->setChecked(item.Checked);
    }
    action->setEnabled(item.Enabled);
    action->setVisible(item.Visible);
    UpdateMenu(item.Children);
  }
}

void ZEvav::closeEvent(QCloseEvent* event) {
  if (callbacks_.Closing && !callbacks_.Closing()) {
    event->ignore();
    return;
  }
  event->accept();
}

}  // namespace plandra
