// The line attribute dialog: mirrors the line model and answers the core.
#pragma once

#include "qt/dialogs/QtAttributeControls.h"

class QComboBox;
class QLineEdit;

namespace plandra {

struct Program;

class LineAttribute : public DrawnAttributeDialog {
 public:
  explicit LineAttribute(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;
  int Room(const QLineEdit* edited, const QString& text) const override;

 private:
  QComboBox* comboKind_;
};

}  // namespace plandra
