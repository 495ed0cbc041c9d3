// The line attribute dialog: mirrors the line model and answers the core.
#pragma once

#include "interact/QtAttributeControls.h"

class QComboBox;
class QLineEdit;

namespace plandra {

struct Program;

class LineAttribute : public AttributeDialogFrame {
 public:
  explicit LineAttribute(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;

 private:
  Program& program_;
  QLineEdit* textName_;
  QComboBox* comboClr_;
  QComboBox* comboLocus_;
  QComboBox* comboKind_;
};

}  // namespace plandra
