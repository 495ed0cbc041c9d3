// The small number input window, built from the number input's control
// table. It keeps the main window from input while it is shown.
#pragma once

#include "qt/dialogs/QtTableDialog.h"

class QLabel;
class QLineEdit;

namespace plandra {

struct Program;

class pdNumInput : public QtTableDialog {
 public:
  explicit pdNumInput(Program& program, CoreRunner runner = {}, QWidget* parent = nullptr);

  QLabel* Label1() const;
  QLineEdit* Text1() const;
};

}  // namespace plandra
