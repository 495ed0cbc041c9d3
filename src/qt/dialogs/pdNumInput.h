// The small number input window: a mirror of the number input's model. It
// keeps the main window from input while it is shown.
#pragma once

#include "qt/dialogs/QtModelDialog.h"

class QLabel;
class QLineEdit;

namespace plandra {

struct Program;

class pdNumInput : public QtModelDialog {
 public:
  explicit pdNumInput(Program& program, CoreRunner runner = {}, QWidget* parent = nullptr);

  void MirrorModel() override;
  QLabel* Label1() const { return label1_; }
  QLineEdit* Text1() const { return text1_; }

 protected:
  bool ModelKey(std::string_view control, int16_t key, const std::string& text) override;
  void ModelFocus(const std::string& control) override;
  void ModelActivated() override {}
  void ModelCancel() override;

 private:
  Program& p_;
  QLabel* label1_;
  QLineEdit* text1_;
};

}  // namespace plandra
