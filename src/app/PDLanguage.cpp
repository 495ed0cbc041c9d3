#include "app/PDLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/MainModel.h"
#include "app/Program.h"

namespace plandra {

PDLanguage::PDLanguage(Program& program, PDLanguageActions actions, QWidget* parent)
    : QDialog(parent), program_(program), actions_(std::move(actions)) {
  setObjectName("PDLanguage");
  setWindowTitle("Language");
  combo_ = new QComboBox;
  combo_->setObjectName("Combo1");
  const LanguageDialogItems list = LanguageDialogList(program_);
  for (const std::string& item : list.Items) combo_->addItem(QString::fromStdString(item));
  combo_->setCurrentIndex(list.Current);
  ok_ = new QPushButton(QString::fromStdString(Translate(program_.Lang, "OK")));
  ok_->setObjectName("OKButton");
  cancel_ = new QPushButton(QString::fromStdString(Translate(program_.Lang, "キャンセル")));
  cancel_->setObjectName("CancelButton");
  font_ = new QPushButton(QString::fromStdString(Translate(program_.Lang, "フォント")));
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
  if (program_.Host != nullptr) {
    FontChoice initial{program_.Config.FontName, program_.Config.FontSize};
    if (const auto chosen = program_.Host->FontDialog(initial)) {
      if (actions_.SetFonts) actions_.SetFonts(chosen->Family);
    }
  }
  reject();
}

}  // namespace plandra
