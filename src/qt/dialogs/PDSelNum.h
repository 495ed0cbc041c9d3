// The number chooser window: a mirror of the chooser's model.
#pragma once

#include "qt/dialogs/QtModelDialog.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace plandra {

struct Program;

class PDSelNum : public QtModelDialog {
 public:
  explicit PDSelNum(Program& program, CoreRunner runner = {}, QWidget* parent = nullptr);

  void MirrorModel() override;
  QListWidget* NumList() const { return numList_; }
  QLineEdit* Text1() const { return text1_; }
  QLineEdit* ResetText() const { return resetText_; }

 protected:
  bool ModelKey(std::string_view control, int16_t key, const std::string& text) override;
  void ModelFocus(const std::string& control) override;
  void ModelActivated() override;
  void ModelCancel() override;

 private:
  // A button that runs the chooser's command.
  QPushButton* AddCommand(const char* name, void (*command)(Program&));
  Program& p_;
  QListWidget* numList_;
  QLineEdit* text1_;
  QLineEdit* resetText_;
  QLabel* label2_;
  QLabel* label3_;
};

}  // namespace plandra
