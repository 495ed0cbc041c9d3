#include "qt/dialogs/PDSelNum.h"

#include <QLineEdit>
#include <QListWidget>

#include "core/numbers/NumberDialogs.h"

namespace plandra {

PDSelNum::PDSelNum(Program& program, CoreRunner runner, QWidget* parent)
    : QtTableDialog(program, SelNumTable(), std::move(runner), parent) {}

QListWidget* PDSelNum::NumList() const { return findChild<QListWidget*>("NumList"); }

QLineEdit* PDSelNum::Text1() const { return findChild<QLineEdit*>("Text1"); }

QLineEdit* PDSelNum::ResetText() const { return findChild<QLineEdit*>("ResetText"); }

}  // namespace plandra
