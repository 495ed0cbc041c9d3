// The confirmation before a new figure replaces the current one: a mirror
// of its texts and keys in app/NewAndExit.
#pragma once

#include <QDialog>

#include "app/NewAndExit.h"

class QPushButton;

namespace plandra {

struct LangState;

class NewConstchk : public QDialog {
 public:
  NewConstchk(LangState& lang, QWidget* parent = nullptr);
  NewChoice Choice() const { return choice_; }
  QPushButton* YesButton() const { return yes_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Choose(NewChoice choice);
  QPushButton* yes_;
  QPushButton* save_;
  QPushButton* cancel_;
  NewChoice choice_ = NewChoice::kCancel;
};

// Shows the dialog modally and returns the choice; closing it cancels.
NewChoice RunNewConstchk(LangState& lang, QWidget* parent);

}  // namespace plandra
