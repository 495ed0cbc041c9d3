#include "qt/dialogs/SelGeoKindBounded.h"

#include <QListWidget>

#include "core/Program.h"
#include "core/construct/PDconst01.h"

namespace plandra {

SelGeoKindBounded::SelGeoKindBounded(Program& program, QWidget* parent)
    : AttributeDialogFrame(program.Attr.Binding.Texts, "SelGeoKindBounded", "cmdOK", "cmdCancel",
                           parent),
      program_(program) {
  const ListControl& list = program_.Attr.Binding.ListKind;
  listKind_ = new QListWidget;
  listKind_->setObjectName("ListKind");
  for (const std::string& item : list.Items) listKind_->addItem(ToQString(item));
  listKind_->setCurrentRow(list.ListIndex);
  AddRow({}, nullptr, listKind_);
  listKind_->setFocus();
}

void SelGeoKindBounded::Ok() {
  program_.Attr.Binding.ListKind.ListIndex = listKind_->currentRow();
  SelGeoKindBoundedOK(program_);
}

void SelGeoKindBounded::Cancel() { SelGeoKindBoundedCancel(program_); }

}  // namespace plandra
