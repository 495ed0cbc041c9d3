#include "qt/dialogs/PtAttribute.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

#include "core/Program.h"

namespace plandra {

PtAttribute::PtAttribute(Program& program, QWidget* parent)
    : DrawnAttributeDialog(program, program.Attr.Point, "PtAttribute", parent) {
  const PtAttributeModel& m = program_.Attr.Point;
  comboKind_ = MirrorList(m.ComboKind, "ComboKind");
  comboIndependent_ = MirrorList(m.ComboIndependent, "ComboIndependent");
  comboEvent_ = MirrorList(m.Combo_Event, "Combo_Event");
  textEvent_ = MirrorText(m.Text_Event, "Text_Event");
  QLabel* eventRoom = room_.Guard(textEvent_);
  room_.Guard(comboEvent_);
  if (!m.Combo_Event.Visible) {
    textEvent_->hide();
    eventRoom->hide();
  }
  AddRow(m.LabelKind, "LabelKind", comboKind_);
  AddRow(m.LabelIndependent, "LabelIndependent", comboIndependent_)
      ->setVisible(m.ComboIndependent.Visible);
  AddRow(m.LabelEvent, "Label_Event", comboEvent_)->setVisible(m.Combo_Event.Visible);
  AddRow({}, nullptr, textEvent_, eventRoom);
  room_.Show();
  textName_->setFocus();
}

int PtAttribute::Room(const QLineEdit* edited, const QString& text) const {
  PtAttributeModel m = program_.Attr.Point;
  m.TextName = TextWith(textName_, edited, text);
  ReadList(comboEvent_, m.Combo_Event);
  m.Text_Event = TextWith(textEvent_, edited, text);
  return RoomLeft(m);
}

void PtAttribute::Ok() {
  PtAttributeModel& m = program_.Attr.Point;
  ReadNameRows(m);
  ReadList(comboKind_, m.ComboKind);
  ReadList(comboIndependent_, m.ComboIndependent);
  ReadList(comboEvent_, m.Combo_Event);
  m.Text_Event = FromQString(textEvent_->text());
  PtAttributeOK(program_);
}

void PtAttribute::Cancel() { PtAttributeCancel(program_); }

}  // namespace plandra
