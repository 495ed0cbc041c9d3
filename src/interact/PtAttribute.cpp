#include "interact/PtAttribute.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "app/Program.h"

namespace plandra {

PtAttribute::PtAttribute(Program& program, QWidget* parent)
    : AttributeDialogFrame(program.Attr.Point.Texts, "PtAttribute", "CommandOK", "CommandCancel",
                           parent),
      program_(program) {
  const PtAttributeModel& m = program_.Attr.Point;
  textName_ = MirrorText(m.TextName, "TextName");
  comboClr_ = MirrorList(m.ComboClr, "ComboClr");
  comboLocus_ = MirrorList(m.ComboLocus, "ComboLocus");
  comboKind_ = MirrorList(m.ComboKind, "ComboKind");
  comboIndependent_ = MirrorList(m.ComboIndependent, "ComboIndependent");
  comboEvent_ = MirrorList(m.Combo_Event, "Combo_Event");
  textEvent_ = MirrorText(m.Text_Event, "Text_Event");
  if (!m.Combo_Event.Visible) textEvent_->hide();
  AddRow(m.LabelName, "LabelName", textName_);
  AddRow(m.LabelClr, "LabelClr", comboClr_);
  AddRow(m.LabelLocus, "LabelLocus", comboLocus_);
  AddRow(m.LabelKind, "LabelKind", comboKind_);
  AddRow(m.LabelIndependent, "LabelIndependent", comboIndependent_)
      ->setVisible(m.ComboIndependent.Visible);
  AddRow(m.LabelEvent, "Label_Event", comboEvent_)->setVisible(m.Combo_Event.Visible);
  AddRow({}, nullptr, textEvent_);
  textName_->setFocus();
}

void PtAttribute::Ok() {
  PtAttributeModel& m = program_.Attr.Point;
  m.TextName = FromQString(textName_->text());
  ReadList(comboClr_, m.ComboClr);
  ReadList(comboLocus_, m.ComboLocus);
  ReadList(comboKind_, m.ComboKind);
  ReadList(comboIndependent_, m.ComboIndependent);
  ReadList(comboEvent_, m.Combo_Event);
  m.Text_Event = FromQString(textEvent_->text());
  PtAttributeOK(program_);
}

void PtAttribute::Cancel() { PtAttributeCancel(program_); }

}  // namespace plandra
