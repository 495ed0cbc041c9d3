#include "qt/dialogs/PDSelNum.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Program.h"
#include "core/numbers/NumberChooser.h"

namespace plandra {

PDSelNum::PDSelNum(Program& program, CoreRunner runner, QWidget* parent)
    : QtModelDialog(std::move(runner), parent), p_(program) {
  setObjectName("PDSelNum");
  numList_ = Watch(new QListWidget, "NumList");
  text1_ = Watch(new QLineEdit, "Text1");
  resetText_ = Watch(new QLineEdit, "ResetText");
  label2_ = AddLabel("Label2");
  label3_ = AddLabel("Label3");
  connect(numList_, &QListWidget::currentRowChanged, this,
          [this](int row) { Run([this, row] { SelNumSelectLine(p_, row); }); });
  connect(numList_, &QListWidget::itemDoubleClicked, this,
          [this] { Run([this] { SelNumOK(p_); }); });
  connect(text1_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Run([this, text] { SelNumText1Changed(p_, text.toStdString()); });
  });
  connect(resetText_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Run([this, text] { p_.SelNum.ResetText.Caption = text.toStdString(); });
  });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(numList_);
  layout->addLayout(Row({AddCommand("Cmd_OK", SelNumOK), AddCommand("Cmd_Cancel", SelNumCancel),
                         AddCommand("Reset", SelNumReset)}));
  layout->addLayout(Row({resetText_, AddCommand("ResetOK", SelNumResetOK),
                         AddCommand("ResetCancel", SelNumResetCancel)}));
  layout->addLayout(
      Row({AddCommand("Command1", SelNumExistingFace), AddCommand("NewNum", SelNumNewNumberFace)}));
  layout->addLayout(Row({label2_, label3_}));
  layout->addLayout(Row({text1_, AddCommand("Command2", [](Program& p) { SelNumText1Step(p, 1); }),
                         AddCommand("Command3", [](Program& p) { SelNumText1Step(p, -1); })}));
  layout->addLayout(Row(
      {AddCommand("NewNumOK", SelNumNewNumOK), AddCommand("NewNumCancel", SelNumNewNumCancel)}));
  Mirror();
}

QPushButton* PDSelNum::AddCommand(const char* name, void (*command)(Program&)) {
  return AddButton(name, [this, command] { command(p_); });
}

void PDSelNum::MirrorModel() {
  const NumberChooser& model = p_.SelNum;
  setWindowTitle(FromModel(model.Caption));
  MirrorList(numList_, model.NumList);
  const std::pair<const char*, const DialogControl*> buttons[] = {
      {"Cmd_OK", &model.Cmd_OK},
      {"Cmd_Cancel", &model.Cmd_Cancel},
      {"Reset", &model.Reset},
      {"ResetOK", &model.ResetOK},
      {"ResetCancel", &model.ResetCancel},
      {"Command1", &model.Command1},
      {"NewNum", &model.NewNum},
      {"Command2", &model.Command2},
      {"Command3", &model.Command3},
      {"NewNumOK", &model.NewNumOK},
      {"NewNumCancel", &model.NewNumCancel}};
  for (const auto& [name, control] : buttons) MirrorButton(Control(name), *control);
  MirrorEdit(text1_, model.Text1);
  MirrorEdit(resetText_, model.ResetText);
  MirrorLabel(label2_, model.Label2);
  MirrorLabel(label3_, model.Label3);
  MirrorShown(model.Shown);
  MirrorFocus(model.Focus);
}

bool PDSelNum::ModelKey(std::string_view control, int16_t key, const std::string&) {
  return SelNumKey(p_, control, key);
}

void PDSelNum::ModelFocus(const std::string& control) { p_.SelNum.Focus = control; }

void PDSelNum::ModelActivated() { SelNumActivate(p_); }

void PDSelNum::ModelCancel() { SelNumCancel(p_); }

}  // namespace plandra
