// Window managers cut a title that is wider than its window short ("About
// P… Win"): every dialog is kept wide enough for its whole title.
#pragma once

#include <QObject>
#include <QString>

class QWidget;

namespace plandra {

// The width a window needs to show the title whole beside the frame's buttons.
int TitleWidth(const QString& title);

// Widens the window when its title, or its layout, needs more room than it has.
void FitTitle(QWidget& window);

// Installed on the application, it fits each dialog as it is shown, retitled
// or laid out anew, so that message boxes and input boxes are fitted too.
class TitleFit : public QObject {
 public:
  explicit TitleFit(QObject* parent = nullptr);
  ~TitleFit() override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace plandra
