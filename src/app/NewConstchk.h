// The confirmation before a new figure replaces the current one.
#pragma once

#include <QDialog>

class QPushButton;

namespace plandra {

struct LangState;

enum class NewConstchkChoice { kYes, kSave, kCancel };

class NewConstchk : public QDialog {
 public:
  NewConstchk(LangState& lang, QWidget* parent = nullptr);
  NewConstchkChoice Choice() const { return choice_; }
  QPushButton* YesButton() const { return yes_; }
  QPushButton* SaveButton() const { return save_; }
  QPushButton* CancelButton() const { return cancel_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void Choose(NewConstchkChoice choice);
  QPushButton* yes_;
  QPushButton* save_;
  QPushButton* cancel_;
  NewConstchkChoice choice_ = NewConstchkChoice::kCancel;
};

// Shows the dialog modally and returns the choice; closing it cancels.
NewConstchkChoice RunNewConstchk(LangState& lang, QWidget* parent);

}  // namespace plandra
