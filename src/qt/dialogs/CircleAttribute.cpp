#include "qt/dialogs/CircleAttribute.h"

#include <QLineEdit>

#include "core/Program.h"

namespace plandra {

CircleAttribute::CircleAttribute(Program& program, QWidget* parent)
    : DrawnAttributeDialog(program, program.Attr.Circle, "CircleAttribute", parent) {
  room_.Show();
  textName_->setFocus();
}

int CircleAttribute::Room(const QLineEdit* edited, const QString& text) const {
  CircleAttributeModel m = program_.Attr.Circle;
  m.TextName = TextWith(textName_, edited, text);
  return RoomLeft(m);
}

void CircleAttribute::Ok() {
  CircleAttributeModel& m = program_.Attr.Circle;
  ReadNameRows(m);
  CircleAttributeOK(program_);
}

void CircleAttribute::Cancel() { CircleAttributeCancel(program_); }

}  // namespace plandra
