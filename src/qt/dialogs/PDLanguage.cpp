#include "qt/dialogs/PDLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Program.h"
#include "core/dialogs/LanguageDialog.h"

namespace plandra {

PDLanguage::PDLanguage(Program& program, PDLanguageActions actions, QWidget* parent)
    : QDialog(parent), program_(program), actions_(std::move(actions)) {
  setObjectName("PDLanguage");
  const LanguageDialogTexts texts = LanguageDialogCaptions(program_.Lang);
  setWindowTitle(QString::fromStdString(texts.Caption));
  combo_ = new QComboBox;
  combo_->setObjectName("Combo1");
  const LanguageDialogItems list = LanguageDialogList(program_);
  for (const std::string& item : list.Items) combo_->addItem(QString::fromStdString(item));
  combo_->setCurrentIndex(list.Current);
  ok_ = new QPushButton(QString::fromStdString(texts.OK));
  ok_->setObjectName("OKButton");
  cancel_ = new QPushButton(QString::fromStdString(texts.Cancel));
  cancel_->setObjectName("CancelButton");
  font_ = new QPushButton(QString::fromStdString(texts.Font));
  font_->setObjectName("cmd_font");
  connect(ok_, &QPushButton::clicked, this, [this] { ChooseLanguage(); });
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  connect(font_, &QPushButton::clicked, this, [this] { ChooseFont(); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  buttons->addWidget(font_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(combo_);
  layout->addLayout(buttons);
  ok_->setDefault(true);
  combo_->setFocus();
}

void PDLanguage::keyPressEvent(QKeyEvent* event) {
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  if (event->key() == Qt::Key_Escape) {
    reject();
  } else if (enter && focusWidget() == combo_) {
    ChooseLanguage();
  } else {
    QDialog::keyPressEvent(event);
  }
}

void PDLanguage::ChooseLanguage() {
  if (program_.Host == nullptr || !LanguageDialogOk(program_, combo_->currentIndex())) return;
  if (actions_.ApplyMenuLanguage) actions_.ApplyMenuLanguage();
  accept();
}

void PDLanguage::ChooseFont() {
  if (const std::optional<std::string> family = LanguageDialogFont(program_)) {
    if (actions_.SetFonts) actions_.SetFonts(*family);
  }
  reject();
}

}  // namespace plandra
