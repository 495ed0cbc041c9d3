#include "interact/CircleAttribute.h"

#include <QLineEdit>

#include "app/Program.h"

namespace plandra {

CircleAttribute::CircleAttribute(Program& program, QWidget* parent)
    : DrawnAttributeDialog(program, program.Attr.Circle, "CircleAttribute", parent) {
  textName_->setFocus();
}

void CircleAttribute::Ok() {
  CircleAttributeModel& m = program_.Attr.Circle;
  ReadNameRows(m);
  CircleAttributeOK(program_);
}

void CircleAttribute::Cancel() { CircleAttributeCancel(program_); }

}  // namespace plandra
