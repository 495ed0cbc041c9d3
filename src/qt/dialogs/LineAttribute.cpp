#include "qt/dialogs/LineAttribute.h"

#include <QComboBox>
#include <QLineEdit>

#include "core/Program.h"

namespace plandra {

LineAttribute::LineAttribute(Program& program, QWidget* parent)
    : DrawnAttributeDialog(program, program.Attr.Line, "LineAttribute", parent) {
  const LineAttributeModel& m = program_.Attr.Line;
  comboKind_ = MirrorList(m.ComboKind, "ComboKind");
  AddRow(m.LabelKind, "LabelKind", comboKind_);
  room_.Show();
  FocusNameOr(textName_, comboClr_);
}

int LineAttribute::Room(const QLineEdit* edited, const QString& text) const {
  LineAttributeModel m = program_.Attr.Line;
  m.TextName = TextWith(textName_, edited, text);
  return RoomLeft(m);
}

void LineAttribute::Ok() {
  LineAttributeModel& m = program_.Attr.Line;
  ReadNameRows(m);
  ReadList(comboKind_, m.ComboKind);
  LineAttributeOK(program_);
}

void LineAttribute::Cancel() { LineAttributeCancel(program_); }

}  // namespace plandra
