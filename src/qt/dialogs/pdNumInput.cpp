#include "qt/dialogs/pdNumInput.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "core/Program.h"
#include "core/numbers/NumberInput.h"

namespace plandra {

pdNumInput::pdNumInput(Program& program, CoreRunner runner, QWidget* parent)
    : QtModelDialog(std::move(runner), parent), p_(program) {
  setObjectName("pdNumInput");
  setWindowModality(Qt::ApplicationModal);
  label1_ = AddLabel("Label1");
  text1_ = Watch(new QLineEdit, "Text1");
  connect(text1_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Run([this, text] { NumInputTextChanged(p_, text.toStdString()); });
  });
  auto* layout = new QGridLayout(this);
  layout->addWidget(label1_, 0, 0, 1, 2);
  layout->addWidget(text1_, 1, 0, 2, 1);
  layout->addWidget(AddButton("Command1", [this] { NumInputStep(p_, 1); }), 1, 1);
  layout->addWidget(AddButton("Command2", [this] { NumInputStep(p_, -1); }), 2, 1);
  layout->addWidget(AddButton("OKButton", [this] { NumInputOK(p_); }), 3, 0);
  layout->addWidget(AddButton("CancelButton", [this] { NumInputCancel(p_); }), 3, 1);
  Mirror();
}

void pdNumInput::MirrorModel() {
  const NumberInput& model = p_.NumInput;
  setWindowTitle(FromModel(model.Caption));
  MirrorLabel(label1_, model.Label1);
  MirrorEdit(text1_, model.Text1);
  MirrorButton(Control("Command1"), model.Command1);
  MirrorButton(Control("Command2"), model.Command2);
  MirrorButton(Control("OKButton"), model.OKButton);
  MirrorButton(Control("CancelButton"), model.CancelButton);
  MirrorShown(model.Shown);
  MirrorFocus(model.Focus);
}

bool pdNumInput::ModelKey(std::string_view control, int16_t key, const std::string&) {
  return NumInputKey(p_, control, key);
}

void pdNumInput::ModelFocus(const std::string& control) { p_.NumInput.Focus = control; }

void pdNumInput::ModelCancel() { NumInputCancel(p_); }

}  // namespace plandra
