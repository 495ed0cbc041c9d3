#include "qt/dialogs/PDExpress.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Program.h"
#include "core/numbers/ExpressionInput.h"

namespace plandra {

PDExpress::PDExpress(Program& program, CoreRunner runner, QWidget* parent)
    : QtModelDialog(std::move(runner), parent), p_(program) {
  setObjectName("PDExpress");
  label1_ = AddLabel("Label1");
  label1_->setWordWrap(true);
  numList_ = Watch(new QListWidget, "NumList");
  text1_ = Watch(new QLineEdit, "Text1");
  labelNewNumCheck_ = AddLabel("LabelNewNumCheck");
  label5_ = AddLabel("Label5");
  labelExpress_ = AddLabel("LabelExpress");
  connect(numList_, &QListWidget::currentRowChanged, this,
          [this](int row) { Run([this, row] { ExpressSelectLine(p_, row); }); });
  connect(numList_, &QListWidget::itemDoubleClicked, this,
          [this] { Run([this] { ExpressTakeNumber(p_); }); });
  connect(text1_, &QLineEdit::textEdited, this, [this](const QString& text) {
    Run([this, text] { ExpressText1Changed(p_, text.toStdString()); });
  });

  auto op = [this](char c) { return [this, c] { ExpressOperator(p_, c); }; };
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(label1_);
  layout->addWidget(numList_);
  layout->addLayout(Row({AddButton("NumSelectOK", [this] { ExpressTakeNumber(p_); }),
                         AddButton("cmdAddNum", [this] { ExpressAddNum(p_); })}));
  layout->addLayout(
      Row({text1_, labelNewNumCheck_, AddButton("cmdNewNumOK", [this] { ExpressNewNumOK(p_); })}));
  layout->addLayout(Row({AddButton("cmdOpAdd", op('+')), AddButton("cmdOpMinus", op('-')),
                         AddButton("cmdOpMulti", op('*')), AddButton("cmdOpDiv", op('/')),
                         AddButton("cmdOpPower", op('^'))}));
  layout->addLayout(Row({label5_, labelExpress_}));
  layout->addLayout(Row({AddButton("cmdReInput", [this] { Init(p_); }),
                         AddButton("cmdInputEnd", [this] { ExpressInputEnd(p_); }),
                         AddButton("cmdCancel", [this] { ExpressCancel(p_); })}));
  Mirror();
}

void PDExpress::MirrorModel() {
  const ExpressionInput& model = p_.Express;
  setWindowTitle(FromModel(model.Caption));
  MirrorList(numList_, model.NumList);
  const std::pair<const char*, const DialogControl*> buttons[] = {
      {"NumSelectOK", &model.NumSelectOK}, {"cmdAddNum", &model.cmdAddNum},
      {"cmdNewNumOK", &model.cmdNewNumOK}, {"cmdOpAdd", &model.cmdOpAdd},
      {"cmdOpMinus", &model.cmdOpMinus},   {"cmdOpMulti", &model.cmdOpMulti},
      {"cmdOpDiv", &model.cmdOpDiv},       {"cmdOpPower", &model.cmdOpPower},
      {"cmdReInput", &model.cmdReInput},   {"cmdInputEnd", &model.cmdInputEnd},
      {"cmdCancel", &model.cmdCancel}};
  for (const auto& [name, control] : buttons) MirrorButton(Control(name), *control);
  MirrorLabel(label1_, model.Label1);
  MirrorEdit(text1_, model.Text1);
  MirrorLabel(labelNewNumCheck_, model.LabelNewNumCheck);
  MirrorLabel(label5_, model.Label5);
  MirrorLabel(labelExpress_, model.LabelExpress);
  MirrorShown(model.Shown);
  MirrorFocus(model.Focus);
}

bool PDExpress::ModelKey(std::string_view control, int16_t key, const std::string& text) {
  return ExpressKey(p_, control, key, text);
}

void PDExpress::ModelFocus(const std::string& control) { p_.Express.Focus = control; }

void PDExpress::ModelActivated() { ExpressActivate(p_); }

void PDExpress::ModelCancel() { ExpressCancel(p_); }

}  // namespace plandra
