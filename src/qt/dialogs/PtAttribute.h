// The point attribute dialog: mirrors the point model and answers the core.
#pragma once

#include "qt/dialogs/QtAttributeControls.h"

class QComboBox;
class QLineEdit;

namespace plandra {

struct Program;

class PtAttribute : public DrawnAttributeDialog {
 public:
  explicit PtAttribute(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;
  int Room(const QLineEdit* edited, const QString& text) const override;

 private:
  QComboBox* comboKind_;
  QComboBox* comboIndependent_;
  QComboBox* comboEvent_;
  QLineEdit* textEvent_;
};

}  // namespace plandra
