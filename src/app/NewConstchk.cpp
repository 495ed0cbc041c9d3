#include "app/NewConstchk.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Multi_lang.h"

namespace plandra {

namespace {

QString Tr(LangState& lang, std::string_view text) {
  return QString::fromStdString(Translate(lang, text));
}

// Keys typed with a kana or full-width input method count as the letter.
bool IsYesKey(const QString& text) {
  return text == "y" || text == "Y" || text == "ﾗ" || text == "ラ" || text == "Ｙ";
}
bool IsSaveKey(const QString& text) {
  return text == "s" || text == "S" || text == "Ｓ" || text == "シ" || text == "ｼ";
}

}  // namespace

NewConstchk::NewConstchk(LangState& lang, QWidget* parent) : QDialog(parent) {
  setObjectName("NewConstchk");
  setWindowTitle(Tr(lang, "新規作図の確認"));
  auto* text = new QLabel(Tr(lang, "現在の図は失われますが,新しい図を作図しますか。"));
  text->setObjectName("Label1");
  yes_ = new QPushButton(Tr(lang, "はい(Y)"));
  save_ = new QPushButton(Tr(lang, "保存しておく(S)"));
  cancel_ = new QPushButton(Tr(lang, "キャンセル(Esc)"));
  yes_->setObjectName("cmdYes");
  save_->setObjectName("cmdSave");
  cancel_->setObjectName("cmdCancel");
  connect(yes_, &QPushButton::clicked, this, [this] { Choose(NewConstchkChoice::kYes); });
  connect(save_, &QPushButton::clicked, this, [this] { Choose(NewConstchkChoice::kSave); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Choose(NewConstchkChoice::kCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(yes_);
  buttons->addWidget(save_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addLayout(buttons);
  yes_->setDefault(true);
}

void NewConstchk::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  yes_->setFocus();
}

void NewConstchk::Choose(NewConstchkChoice choice) {
  choice_ = choice;
  if (choice == NewConstchkChoice::kCancel) {
    reject();
  } else {
    accept();
  }
}

void NewConstchk::keyPressEvent(QKeyEvent* event) {
  const QString text = event->text();
  if (IsYesKey(text)) {
    Choose(NewConstchkChoice::kYes);
  } else if (IsSaveKey(text)) {
    Choose(NewConstchkChoice::kSave);
  } else if (event->key() == Qt::Key_Escape) {
    Choose(NewConstchkChoice::kCancel);
  } else {
    QDialog::keyPressEvent(event);
  }
}

NewConstchkChoice RunNewConstchk(LangState& lang, QWidget* parent) {
  NewConstchk dialog(lang, parent);
  dialog.exec();
  return dialog.Choice();
}

}  // namespace plandra
