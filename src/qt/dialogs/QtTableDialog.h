// A window built from a dialog's control table in the core: one widget per
// control, laid out in the table's rows, each act and key handed to the
// table's dispatch, and every control mirrored from its model field.
#pragma once

#include <vector>

#include "core/dialogs/ControlTable.h"
#include "qt/dialogs/QtModelDialog.h"

namespace plandra {

struct Program;

class QtTableDialog : public QtModelDialog {
 public:
  QtTableDialog(Program& program, const DialogTable& table, CoreRunner runner, QWidget* parent);

  void MirrorModel() override;

 protected:
  bool ModelKey(std::string_view control, int16_t key, const std::string& text) override;
  void ModelFocus(const std::string& control) override;
  void ModelActivated() override;
  void ModelCancel() override;

 private:
  QWidget* MakeWidget(const ControlEntry& control);
  void MirrorControl(const ControlEntry& control, QWidget* widget);
  void Act(const ControlEntry& control, ControlAct act, const std::string& value = {});

  Program& p_;
  const DialogTable& table_;
  std::vector<QWidget*> widgets_;  // one per control, in the table's order
};

}  // namespace plandra
