// The expression window: a mirror of the expression dialog's model.
#pragma once

#include "qt/dialogs/QtModelDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;

namespace plandra {

struct Program;

class PDExpress : public QtModelDialog {
 public:
  explicit PDExpress(Program& program, CoreRunner runner = {}, QWidget* parent = nullptr);

  void MirrorModel() override;
  QListWidget* NumList() const { return numList_; }
  QLineEdit* Text1() const { return text1_; }
  QLabel* LabelExpress() const { return labelExpress_; }

 protected:
  bool ModelKey(std::string_view control, int16_t key, const std::string& text) override;
  void ModelFocus(const std::string& control) override;
  void ModelActivated() override;
  void ModelCancel() override;

 private:
  Program& p_;
  QListWidget* numList_;
  QLineEdit* text1_;
  QLabel* label1_;
  QLabel* labelNewNumCheck_;
  QLabel* label5_;
  QLabel* labelExpress_;
};

}  // namespace plandra
