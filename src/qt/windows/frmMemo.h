// The memo window: a text file shown and, unless read-only, edited and
// saved. It mirrors the program's memo model; every click and edit runs
// through the core. One window serves every event and the memo command.
#pragma once

#include <QWidget>

#include "qt/dialogs/QtModelDialog.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace plandra {

struct Program;

class frmMemo : public QWidget {
 public:
  frmMemo(Program& p, CoreRunner runner, QWidget* parent);

  // Takes the model's text, font and button states; comes up when the model
  // was shown again since the last mirror.
  void Mirror();

 protected:
  // Closing the window is the "消す" button: changed text is asked about.
  void closeEvent(QCloseEvent* event) override;

 private:
  // True when the window may go.
  bool Erase();

  Program& p_;
  CoreRunner runner_;
  QLabel* notice_;
  QPlainTextEdit* text1_;
  QPushButton* command1_;
  QPushButton* command2_;
  QPushButton* command3_;
  int shown_ = 0;
};

}  // namespace plandra
