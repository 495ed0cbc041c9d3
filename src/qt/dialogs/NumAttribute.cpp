#include "qt/dialogs/NumAttribute.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "core/Program.h"

namespace plandra {
namespace {

QRadioButton* MirrorOption(const std::string& text, bool selected, bool enabled, const char* name) {
  auto* option = new QRadioButton(ToQString(text));
  option->setObjectName(name);
  option->setChecked(selected);
  option->setEnabled(enabled);
  return option;
}

}  // namespace

NumAttribute::NumAttribute(Program& program, QWidget* parent)
    : AttributeDialogFrame(program.Attr.Number.Texts, "NumAttribute", "CommandOK", "CommandCancel",
                           parent),
      program_(program),
      room_(
          program,
          [this](const QLineEdit* edited, const QString& text) { return Room(edited, text); },
          this) {
  const NumAttributeModel& m = program_.Attr.Number;
  textName_ = MirrorText(m.TextName, "TextName");
  QLineEdit* textAttr = MirrorText(m.TextAttr, "TextAttr");
  textAttr->setReadOnly(true);
  textVal_ = MirrorText(m.TextVal, "TextVal");
  textVal_->setEnabled(m.TextValEnabled);
  optionVisible_ =
      MirrorOption(m.OptionVisibleText, m.OptionVisible, m.OptionsEnabled, "OptionVisible");
  optionNotVisible_ = MirrorOption(m.OptionNotVisibleText, m.OptionNotVisible, m.OptionsEnabled,
                                   "OptionNotVisible");
  auto* options = new QWidget;
  auto* optionRow = new QHBoxLayout(options);
  optionRow->setContentsMargins(0, 0, 0, 0);
  optionRow->addWidget(optionVisible_);
  optionRow->addWidget(optionNotVisible_);
  AddRow(m.LabelName, "LabelName", textName_, NameNoteOrRoom(room_, textName_, m.NameNote));
  AddRow(m.LabelAttr, "LabelAttr", textAttr);
  AddRow({}, nullptr, textVal_);
  AddRow({}, nullptr, options);
  room_.Show();
  FocusNameOr(textName_, m.TextValEnabled ? static_cast<QWidget*>(textVal_) : optionVisible_);
}

int NumAttribute::Room(const QLineEdit* edited, const QString& text) const {
  NumAttributeModel m = program_.Attr.Number;
  m.TextName = TextWith(textName_, edited, text);
  return RoomLeft(m);
}

void NumAttribute::Ok() {
  NumAttributeModel& m = program_.Attr.Number;
  m.TextName = FromQString(textName_->text());
  m.TextVal = FromQString(textVal_->text());
  m.OptionVisible = optionVisible_->isChecked();
  m.OptionNotVisible = optionNotVisible_->isChecked();
  NumAttributeOK(program_);
}

void NumAttribute::Cancel() { NumAttributeCancel(program_); }

}  // namespace plandra
