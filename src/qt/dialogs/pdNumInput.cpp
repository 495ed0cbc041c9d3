#include "qt/dialogs/pdNumInput.h"

#include <QLabel>
#include <QLineEdit>

#include "core/numbers/NumberDialogs.h"

namespace plandra {

pdNumInput::pdNumInput(Program& program, CoreRunner runner, QWidget* parent)
    : QtTableDialog(program, NumInputTable(), std::move(runner), parent) {}

QLabel* pdNumInput::Label1() const { return findChild<QLabel*>("Label1"); }

QLineEdit* pdNumInput::Text1() const { return findChild<QLineEdit*>("Text1"); }

}  // namespace plandra
