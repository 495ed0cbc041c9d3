#include "interact/CircleAttribute.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/Program.h"

namespace plandra {

CircleAttribute::CircleAttribute(Program& program, QWidget* parent)
    : AttributeDialogFrame(program.Attr.Circle.Texts, "CircleAttribute", "CommandOK",
                           "CommandCancel", parent),
      program_(program) {
  const CircleAttributeModel& m = program_.Attr.Circle;
  textName_ = MirrorText(m.TextName, "TextName");
  comboClr_ = MirrorList(m.ComboClr, "ComboClr");
  comboLocus_ = MirrorList(m.ComboLocus, "ComboLocus");
  AddRow(m.LabelName, "LabelName", textName_);
  AddRow(m.LabelClr, "LabelClr", comboClr_);
  AddRow(m.LabelLocus, "LabelLocus", comboLocus_);
  textName_->setFocus();
}

void CircleAttribute::Ok() {
  CircleAttributeModel& m = program_.Attr.Circle;
  m.TextName = FromQString(textName_->text());
  ReadList(comboClr_, m.ComboClr);
  ReadList(comboLocus_, m.ComboLocus);
  CircleAttributeOK(program_);
}

void CircleAttribute::Cancel() { CircleAttributeCancel(program_); }

}  // namespace plandra
