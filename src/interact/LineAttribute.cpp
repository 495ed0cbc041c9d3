#include "interact/LineAttribute.h"

#include <QComboBox>
#include <QLineEdit>

#include "app/Program.h"

namespace plandra {

LineAttribute::LineAttribute(Program& program, QWidget* parent)
    : AttributeDialogFrame(program.Attr.Line.Texts, "LineAttribute", "CommandOK", "CommandCancel",
                           parent),
      program_(program) {
  const LineAttributeModel& m = program_.Attr.Line;
  textName_ = MirrorText(m.TextName, "TextName");
  comboClr_ = MirrorList(m.ComboClr, "ComboClr");
  comboLocus_ = MirrorList(m.ComboLocus, "ComboLocus");
  comboKind_ = MirrorList(m.ComboKind, "ComboKind");
  AddRow(m.LabelName, "LabelName", textName_);
  AddRow(m.LabelClr, "LabelClr", comboClr_);
  AddRow(m.LabelLocus, "LabelLocus", comboLocus_);
  AddRow(m.LabelKind, "LabelKind", comboKind_);
  textName_->setFocus();
}

void LineAttribute::Ok() {
  LineAttributeModel& m = program_.Attr.Line;
  m.TextName = FromQString(textName_->text());
  ReadList(comboClr_, m.ComboClr);
  ReadList(comboLocus_, m.ComboLocus);
  ReadList(comboKind_, m.ComboKind);
  LineAttributeOK(program_);
}

void LineAttribute::Cancel() { LineAttributeCancel(program_); }

}  // namespace plandra
