// The binding dialog: how a movable point moves, as a list of host classes.
#pragma once

#include "qt/dialogs/QtAttributeControls.h"

class QListWidget;

namespace plandra {

struct Program;

class SelGeoKindBounded : public AttributeDialogFrame {
 public:
  explicit SelGeoKindBounded(Program& program, QWidget* parent = nullptr);

 protected:
  void Ok() override;
  void Cancel() override;

 private:
  Program& program_;
  QListWidget* listKind_;
};

}  // namespace plandra
