// The circle attribute dialog: mirrors the circle model and answers the core.
#pragma once

#include "qt/dialogs/QtAttributeControls.h"

namespace plandra {

struct Program;

class CircleAttribute : public DrawnAttributeDialog {
 public:
  explicit CircleAttribute(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;
  int Room(const QLineEdit* edited, const QString& text) const override;
};

}  // namespace plandra
