// The number chooser window, built from the chooser's control table.
#pragma once

#include "qt/dialogs/QtTableDialog.h"

class QLineEdit;
class QListWidget;

namespace plandra {

struct Program;

class PDSelNum : public QtTableDialog {
 public:
  explicit PDSelNum(Program& program, CoreRunner runner = {}, QWidget* parent = nullptr);

  QListWidget* NumList() const;
  QLineEdit* Text1() const;
  QLineEdit* ResetText() const;
};

}  // namespace plandra
