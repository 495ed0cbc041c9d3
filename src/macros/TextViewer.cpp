#include "macros/TextViewer.h"

#include <QAction>
#include <QCloseEvent>
#include <QEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextCursor>

#include "app/Multi_lang.h"
#include "view/QtPlacement.h"
#include "macros/ViewerText.h"
#include "view/QtSurface.h"

namespace plandra {

namespace {

constexpr const char* kModeItems[] = {"mnuModeOverwrite", "mnuModeAppend", "mnuModeFowardAppend"};

}  // namespace

TextViewer::TextViewer(ViewerText& viewer, LangState& lang, std::function<void()> matrixSwitchOff,
                       QWidget* parent)
    : QMainWindow(parent),
      viewer_(viewer),
      lang_(lang),
      matrixSwitchOff_(std::move(matrixSwitchOff)) {
  setObjectName("TextViewer");
  text_ = new QPlainTextEdit;
  text_->setObjectName("Text1");
  text_->setReadOnly(true);
  text_->setLineWrapMode(QPlainTextEdit::NoWrap);
  // The report pads its labels by display width: a fixed font keeps the columns.
  text_->setFont(QFont(ResolveFontFamily("IPAGothic")));
  setCentralWidget(text_);

  connect(AddTopItem("mnuClear", "クリア"), &QAction::triggered, this, [this] {
    ViewerClear(viewer_);
    Mirror();
  });
  QMenu* modes = menuBar()->addMenu(QString());
  modes->setObjectName("mnuMode");
  captions_.emplace_back(modes->menuAction(), "モード");
  const char* captions[] = {"上書", "追加", "先送り"};
  for (int mode = 0; mode < 3; ++mode) {
    QAction* item = AddItem(modes, kModeItems[mode], captions[mode]);
    item->setCheckable(true);
    connect(item, &QAction::triggered, this,
            [this, mode] { SetWriteMode(static_cast<int16_t>(mode)); });
  }
  connect(AddTopItem("mnuDispMatrixSWOff", "行列表示Off"), &QAction::triggered, this, [this] {
    if (matrixSwitchOff_) matrixSwitchOff_();
  });
  connect(AddTopItem("mnuExit", "終了"), &QAction::triggered, this, [this] {
    viewer_.Shown = false;
    hide();
  });
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
  QString title = QString::fromStdString(Translate(lang_, "Data Viewer"));
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
  for (int mode = 0; mode < 3; ++mode) {
    Item(kModeItems[mode])->setChecked(viewer_.ViewerWriteMode == mode);
  }
  ShowMatrixItems();
  if (viewer_.Shown && !isVisible()) {
    PlaceBesideOwner(*this, parentWidget());
    show();
  }
  if (!viewer_.Shown && isVisible()) hide();
}

void TextViewer::SetWriteMode(int16_t mode) {
  SetViewerWriteMode(viewer_, mode);
  Mirror();
}

void TextViewer::ShowMatrixItems() {
  Item("mnuDispMatrixSWOff")->setVisible(MatrixItemsVisible(viewer_, lang_));
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
