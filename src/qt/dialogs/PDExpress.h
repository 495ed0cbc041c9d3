// The expression window, built from the expression input's control table.
#pragma once

#include "qt/dialogs/QtTableDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace plandra {

struct Program;

class PDExpress : public QtTableDialog {
 public:
  explicit PDExpress(Program& program, CoreRunner runner = {}, QWidget* parent = nullptr);

  QListWidget* NumList() const;
  QLineEdit* Text1() const;
  QLabel* LabelExpress() const;
};

}  // namespace plandra
