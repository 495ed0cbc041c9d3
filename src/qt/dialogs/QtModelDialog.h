// The common part of the dialogs that mirror a core model: every click, key
// and edit runs a core call through the runner, after which the dialog (and,
// through the session's runner, the main window) mirrors the model again.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/dialogs/DialogControl.h"

class QAbstractButton;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plandra {

// Runs a core call; the session's runner mirrors every window afterwards.
using CoreRunner = std::function<void(const std::function<void()>&)>;

QString FromModel(const std::string& text);

class QtModelDialog : public QDialog {
 public:
  QtModelDialog(CoreRunner runner, QWidget* parent);

  // Shows, hides and fills the dialog as its model says.
  void Mirror();
  // The push button of that object name.
  QPushButton* Control(const char* name) const;

 protected:
  // Runs a core call, then mirrors.
  void Run(const std::function<void()>& call);
  // The model's answer to a key in the named control; true when it took it.
  virtual bool ModelKey(std::string_view control, int16_t key, const std::string& text) = 0;
  virtual void ModelFocus(const std::string& control) = 0;
  virtual void MirrorModel() = 0;
  virtual void ModelActivated() = 0;
  // Escape on a control that keeps it, and the window's close button.
  virtual void ModelCancel() = 0;

  // Watches a control's keys and focus.
  template <typename Widget>
  Widget* Watch(Widget* widget, const char* name) {
    widget->setObjectName(name);
    widget->installEventFilter(this);
    return widget;
  }
  QAbstractButton* Button(QAbstractButton* button, const char* name,
                          const std::function<void()>& onClick);
  QPushButton* AddButton(const char* name, const std::function<void()>& onClick);
  static QLabel* AddLabel(const char* name);
  // The widgets side by side.
  static QHBoxLayout* Row(std::initializer_list<QWidget*> widgets);

  void MirrorShown(bool shown);
  void MirrorFocus(const std::string& control);
  static void MirrorButton(QAbstractButton* button, const DialogControl& model);
  static void MirrorLabel(QLabel* label, const DialogControl& model);
  static void MirrorEdit(QLineEdit* edit, const DialogControl& model);
  static void MirrorList(QListWidget* list, const DialogList& model);

  bool eventFilter(QObject* watched, QEvent* event) override;
  void changeEvent(QEvent* event) override;
  void reject() override;

 private:
  CoreRunner runner_;
  bool shownByModel_ = false;  // the core activated the dialog when it showed it
  bool mirroring_ = false;
};

}  // namespace plandra
