// The number attribute dialog: mirrors the number model and answers the core.
#pragma once

#include "qt/dialogs/QtAttributeControls.h"

class QLineEdit;
class QRadioButton;

namespace plandra {

struct Program;

class NumAttribute : public AttributeDialogFrame {
 public:
  explicit NumAttribute(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;

 private:
  int Room(const QLineEdit* edited, const QString& text) const;

  Program& program_;
  RoomKeeper room_;
  QLineEdit* textName_;
  QLineEdit* textVal_;
  QRadioButton* optionVisible_;
  QRadioButton* optionNotVisible_;
};

}  // namespace plandra
