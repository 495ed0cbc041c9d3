// The circle attribute dialog: mirrors the circle model and answers the core.
#pragma once

#include "interact/QtAttributeControls.h"

class QComboBox;
class QLineEdit;

namespace plandra {

struct Program;

class CircleAttribute : public AttributeDialogFrame {
 public:
  explicit CircleAttribute(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;

 private:
  Program& program_;
  QLineEdit* textName_;
  QComboBox* comboClr_;
  QComboBox* comboLocus_;
};

}  // namespace plandra
