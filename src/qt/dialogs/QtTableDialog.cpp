#include "qt/dialogs/QtTableDialog.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace plandra {

QtTableDialog::QtTableDialog(Program& program, const DialogTable& table, CoreRunner runner,
                             QWidget* parent)
    : QtModelDialog(std::move(runner), parent), p_(program), table_(table) {
  setObjectName(QString::fromUtf8(table.Name.data(), static_cast<qsizetype>(table.Name.size())));
  if (table.Modal) setWindowModality(Qt::ApplicationModal);
  auto* layout = new QVBoxLayout(this);
  QHBoxLayout* row = nullptr;
  int rowNumber = -1;
  for (const ControlEntry& control : table.Controls) {
    if (row == nullptr || control.Row != rowNumber) {
      row = new QHBoxLayout;
      layout->addLayout(row);
      rowNumber = control.Row;
    }
    widgets_.push_back(MakeWidget(control));
    row->addWidget(widgets_.back());
  }
  Mirror();
}

QWidget* QtTableDialog::MakeWidget(const ControlEntry& control) {
  const std::string name(control.Name);
  switch (control.Kind) {
    case ControlKind::kButton:
      return AddButton(name.c_str(), [this, &control] { Act(control, ControlAct::kClick); });
    case ControlKind::kTextBox: {
      auto* edit = Watch(new QLineEdit, name.c_str());
      connect(edit, &QLineEdit::textEdited, this, [this, &control](const QString& text) {
        Act(control, ControlAct::kEdit, text.toStdString());
      });
      return edit;
    }
    case ControlKind::kList: {
      auto* list = Watch(new QListWidget, name.c_str());
      connect(list, &QListWidget::currentRowChanged, this, [this, &control](int line) {
        Act(control, ControlAct::kSelect, std::to_string(line));
      });
      connect(list, &QListWidget::itemDoubleClicked, this,
              [this, &control] { Act(control, ControlAct::kDoubleClick); });
      return list;
    }
    case ControlKind::kLabel: break;
  }
  QLabel* label = AddLabel(name.c_str());
  label->setWordWrap(true);
  return label;
}

void QtTableDialog::Act(const ControlEntry& control, ControlAct act, const std::string& value) {
  Run([this, &control, act, &value] { RunControl(p_, table_, control.Name, act, value); });
}

void QtTableDialog::MirrorControl(const ControlEntry& control, QWidget* widget) {
  switch (control.Kind) {
    case ControlKind::kButton:
      MirrorButton(static_cast<QPushButton*>(widget), *control.Field(p_));
      break;
    case ControlKind::kTextBox:
      MirrorEdit(static_cast<QLineEdit*>(widget), *control.Field(p_));
      break;
    case ControlKind::kList:
      MirrorList(static_cast<QListWidget*>(widget), *control.List(p_));
      break;
    case ControlKind::kLabel: MirrorLabel(static_cast<QLabel*>(widget), *control.Field(p_)); break;
  }
}

void QtTableDialog::MirrorModel() {
  setWindowTitle(FromModel(table_.Caption(p_)));
  for (size_t i = 0; i < widgets_.size(); ++i) MirrorControl(table_.Controls[i], widgets_[i]);
  MirrorShown(table_.Shown(p_));
  MirrorFocus(table_.Focus(p_));
}

bool QtTableDialog::ModelKey(std::string_view control, int16_t key, const std::string& text) {
  return DialogKey(p_, table_, control, key, text);
}

void QtTableDialog::ModelFocus(const std::string& control) { DialogFocus(p_, table_, control); }

void QtTableDialog::ModelActivated() { DialogActivate(p_, table_); }

void QtTableDialog::ModelCancel() { table_.Cancel(p_); }

}  // namespace plandra
