#include "qt/dialogs/QtModelDialog.h"

#include <QAbstractButton>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>

#include "qt/ZEvav.h"

namespace plandra {

QString FromModel(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QtModelDialog::QtModelDialog(CoreRunner runner, QWidget* parent)
    : QDialog(parent), runner_(std::move(runner)) {}

void QtModelDialog::Run(const std::function<void()>& call) {
  if (runner_) {
    runner_(call);
  } else {
    call();
  }
  Mirror();
}

void QtModelDialog::Mirror() {
  // Disabling the control that has the focus hands it to the next one; that
  // is Qt's move, not the user's, and must not overwrite the model's choice.
  const bool outer = !mirroring_;
  mirroring_ = true;
  MirrorModel();
  if (outer) mirroring_ = false;
}

QAbstractButton* QtModelDialog::Button(QAbstractButton* button, const char* name,
                                       const std::function<void()>& onClick) {
  Watch(button, name);
  connect(button, &QAbstractButton::clicked, this, [this, onClick] { Run(onClick); });
  return button;
}

QPushButton* QtModelDialog::AddButton(const char* name, const std::function<void()>& onClick) {
  auto* button = new QPushButton;
  Button(button, name, onClick);
  return button;
}

QLabel* QtModelDialog::AddLabel(const char* name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  return label;
}

QHBoxLayout* QtModelDialog::Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  for (QWidget* widget : widgets) row->addWidget(widget);
  return row;
}

QPushButton* QtModelDialog::Control(const char* name) const {
  return findChild<QPushButton*>(name);
}

void QtModelDialog::MirrorShown(bool shown) {
  if (shown && !isVisible()) {
    shownByModel_ = true;
    show();
  } else if (!shown && isVisible()) {
    hide();
  }
}

void QtModelDialog::MirrorFocus(const std::string& control) {
  if (!isVisible() || control.empty()) return;
  auto* widget = findChild<QWidget*>(FromModel(control));
  if (widget != nullptr && widget->isVisible() && widget->isEnabled() && !widget->hasFocus()) {
    widget->setFocus();
  }
}

void QtModelDialog::MirrorButton(QAbstractButton* button, const DialogControl& model) {
  button->setText(FromModel(model.Caption));
  button->setEnabled(model.Enabled);
  button->setVisible(model.Visible);
}

void QtModelDialog::MirrorLabel(QLabel* label, const DialogControl& model) {
  label->setText(FromModel(model.Caption));
  label->setEnabled(model.Enabled);
  label->setVisible(model.Visible);
}

void QtModelDialog::MirrorEdit(QLineEdit* edit, const DialogControl& model) {
  // Only a changed text is written, so that the cursor stays where the user typed.
  QString text = FromModel(model.Caption);
  if (edit->text() != text) edit->setText(text);
  edit->setEnabled(model.Enabled);
  edit->setVisible(model.Visible);
}

void QtModelDialog::MirrorList(QListWidget* list, const DialogList& model) {
  QSignalBlocker quiet(list);
  QStringList lines;
  for (const std::string& line : model.Lines) lines << FromModel(line);
  QStringList shown;
  for (int row = 0; row < list->count(); ++row) shown << list->item(row)->text();
  if (shown != lines) {
    list->clear();
    list->addItems(lines);
  }
  list->setCurrentRow(model.Selected);
  list->setEnabled(model.Enabled);
  list->setVisible(model.Visible);
}

bool QtModelDialog::eventFilter(QObject* watched, QEvent* event) {
  const std::string name = watched->objectName().toStdString();
  if (event->type() == QEvent::FocusIn) {
    if (!mirroring_) ModelFocus(name);
  } else if (event->type() == QEvent::KeyPress) {
    auto* key = static_cast<QKeyEvent*>(event);
    const int16_t code = CoreKeyCode(key->key());
    const std::string text = key->text().toStdString();
    bool taken = false;
    Run([&] { taken = ModelKey(name, code, text); });
    if (taken) return true;
  }
  return QDialog::eventFilter(watched, event);
}

void QtModelDialog::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && isVisible()) {
    // The core ran the activation itself when it opened the dialog.
    if (shownByModel_) {
      shownByModel_ = false;
    } else {
      Run([this] { ModelActivated(); });
    }
  }
  QDialog::changeEvent(event);
}

void QtModelDialog::reject() {
  Run([this] { ModelCancel(); });
}

}  // namespace plandra
