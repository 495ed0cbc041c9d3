#include "qt/dialogs/PDExpress.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>

#include "core/numbers/NumberDialogs.h"

namespace plandra {

PDExpress::PDExpress(Program& program, CoreRunner runner, QWidget* parent)
    : QtTableDialog(program, ExpressTable(), std::move(runner), parent) {}

QListWidget* PDExpress::NumList() const { return findChild<QListWidget*>("NumList"); }

QLineEdit* PDExpress::Text1() const { return findChild<QLineEdit*>("Text1"); }

QLabel* PDExpress::LabelExpress() const { return findChild<QLabel*>("LabelExpress"); }

}  // namespace plandra
