#include "qt/windows/frmMemo.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include "core/Program.h"
#include "core/events/MemoWindow.h"
#include "qt/QtPlacement.h"

namespace plandra {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmMemo::frmMemo(Program& p, CoreRunner runner, QWidget* parent)
    : QWidget(parent, Qt::Window), p_(p), runner_(std::move(runner)) {
  setObjectName("frmMemo");
  notice_ = new QLabel(this);
  notice_->setObjectName("Notice");
  notice_->setWordWrap(true);
  text1_ = new QPlainTextEdit(this);
  text1_->setObjectName("Text1");
  command1_ = new QPushButton(this);
  command1_->setObjectName("Command1");
  command2_ = new QPushButton(this);
  command2_->setObjectName("Command2");
  command3_ = new QPushButton(this);
  command3_->setObjectName("Command3");
  MemoState& memo = p_.Events.Memo;
  connect(text1_, &QPlainTextEdit::textChanged, this, [this, &memo] {
    const std::string text = text1_->toPlainText().toStdString();
    runner_([&] { MemoTextEdited(memo, text); });
  });
  connect(command1_, &QPushButton::clicked, this,
          [this, &memo] { runner_([&] { MemoFontSwitch(memo); }); });
  connect(command2_, &QPushButton::clicked, this,
          [this, &memo] { runner_([&] { SaveMemo(memo, *p_.Host, p_.Lang); }); });
  connect(command3_, &QPushButton::clicked, this, [this] {
    if (Erase()) hide();
  });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(command1_);
  buttons->addStretch(1);
  buttons->addWidget(command2_);
  buttons->addWidget(command3_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(notice_);
  layout->addWidget(text1_, 1);  // the layout resizes the text with the window
  layout->addLayout(buttons);
  resize(480, 360);
}

bool frmMemo::Erase() {
  bool mayGo = false;
  runner_([&] { mayGo = MemoEraseClicked(p_.Events.Memo, *p_.Host, p_.Lang); });
  return mayGo;
}

void frmMemo::closeEvent(QCloseEvent* event) {
  if (Erase()) {
    event->accept();
  } else {
    event->ignore();
  }
}

void frmMemo::Mirror() {
  const MemoState& memo = p_.Events.Memo;
  setWindowTitle(FromUtf8(memo.File.filename().string()));
  command1_->setText("Font");
  command2_->setText("Save");
  command3_->setText(FromUtf8(Translate(p_.Lang, "消す")));
  const QString text = FromUtf8(memo.Text);
  if (text1_->toPlainText() != text) {
    const QSignalBlocker quiet(text1_);  // a mirrored text is no edit
    text1_->setPlainText(text);
  }
  notice_->setText(FromUtf8(memo.Notice));
  notice_->setVisible(!memo.Notice.empty());
  const bool editable = !memo.ReadOnly && memo.Readable;
  text1_->setReadOnly(!editable);
  QFont font = text1_->font();
  if (font.pointSizeF() != memo.FontSize) {
    font.setPointSizeF(memo.FontSize);
    text1_->setFont(font);
  }
  command2_->setVisible(editable);
  command2_->setEnabled(memo.SaveEnabled && editable);
  if (memo.Shown != shown_) {
    shown_ = memo.Shown;
    if (!isVisible()) PlaceBesideOwner(*this, parentWidget());
    show();
    raise();
    activateWindow();
  }
}

}  // namespace plandra
