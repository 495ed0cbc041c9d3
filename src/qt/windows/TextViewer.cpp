#include "qt/windows/TextViewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "core/language/Multi_lang.h"
#include "core/macros/ViewerText.h"
#include "qt/QtPlacement.h"
#include "qt/drawing/QtSurface.h"

namespace plandra {

TextViewer::TextViewer(ViewerText& viewer, LangState& lang,
                       std::function<void(const std::string& command)> runMainCommand,
                       QWidget* parent)
    : QMainWindow(parent),
      viewer_(viewer),
      lang_(lang),
      runMainCommand_(std::move(runMainCommand)) {
  setObjectName("TextViewer");
  text_ = new QPlainTextEdit;
  text_->setObjectName("Text1");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The report pads its labels by display width: a fixed font keeps the columns.
  text_->setFont(QFont(ResolveFontFamily("IPAGothic")));
  setCentralWidget(text_);

  QMenu* submenu = nullptr;
  for (const ViewerMenuItem& item : kViewerMenu) {
    if (item.Submenu) {
      submenu = menuBar()->addMenu(QString());
      submenu->setObjectName(item.Name);
      captions_.emplace_back(submenu->menuAction(), item.Caption);
      continue;
    }
    QAction* action = item.Mode >= 0 ? AddItem(submenu, item.Name, item.Caption)
                                     : AddTopItem(item.Name, item.Caption);
    action->setCheckable(item.Mode >= 0);
    connect(action, &QAction::triggered, this, [this, &item] { Choose(item); });
  }
  resize(520, 420);
  Mirror();
}

QAction* TextViewer::AddItem(QMenu* menu, const char* name, const char* caption) {
  QAction* item = menu->addAction(QString());
  item->setObjectName(name);
  captions_.emplace_back(item, caption);
  return item;
}

QAction* TextViewer::AddTopItem(const char* name, const char* caption) {
  QAction* item = menuBar()->addAction(QString());
  item->setObjectName(name);
  captions_.emplace_back(item, caption);
  return item;
}

// The window is built before the settings name the language, and the language
// may change while it is open: the captions follow it at every mirror.
void TextViewer::ShowCaptions() {
  QString title = QString::fromStdString(Translate(lang_, kViewerTitle));
  if (windowTitle() != title) setWindowTitle(title);
  for (const auto& [item, japanese] : captions_) {
    QString caption = QString::fromStdString(Translate(lang_, japanese));
    if (item->text() != caption) item->setText(caption);
  }
}

QAction* TextViewer::Item(const char* name) const { return findChild<QAction*>(name); }

void TextViewer::Mirror() {
  QString text = QString::fromStdString(viewer_.Text);
  text.replace("\r\n", "\n");
  if (text_->toPlainText() != text) {
    text_->setPlainText(text);
    // Adding shows the newest block: at the end, or at the top when added in front.
    if (viewer_.ViewerWriteMode == kViewerAppend) text_->moveCursor(QTextCursor::End);
    text_->ensureCursorVisible();
  }
  ShowCaptions();
  for (const ViewerMenuItem& item : kViewerMenu) {
    if (item.Mode >= 0) Item(item.Name)->setChecked(viewer_.ViewerWriteMode == item.Mode);
  }
  ShowMatrixItems();
  if (viewer_.Shown && !isVisible()) {
    PlaceBesideOwner(*this, parentWidget());
    show();
  }
  if (!viewer_.Shown && isVisible()) hide();
}

void TextViewer::Choose(const ViewerMenuItem& item) {
  if (item.MainCommand != nullptr) {
    if (runMainCommand_) runMainCommand_(item.MainCommand);
    return;
  }
  ViewerChoose(viewer_, item);
  Mirror();
}

void TextViewer::ShowMatrixItems() {
  for (const ViewerMenuItem& item : kViewerMenu) {
    if (item.MainCommand == nullptr) continue;
    Item(item.Name)->setVisible(ViewerItemVisible(viewer_, lang_, item));
  }
}

void TextViewer::changeEvent(QEvent* event) {
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) ShowMatrixItems();
  QMainWindow::changeEvent(event);
}

void TextViewer::closeEvent(QCloseEvent* event) {
  // Closing the window only hides it, as the exit item does.
  viewer_.Shown = false;
  event->accept();
}

}  // namespace plandra
