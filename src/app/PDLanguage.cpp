#include "app/PDLanguage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Program.h"

namespace plandra {

namespace {

constexpr const char* kComboItems[] = {"Japanese", "English", "Manual(use dic_pd4.txt)"};
constexpr const char* kComboLanguages[] = {"Japanese", "English", "Manual"};

int ComboIndexOf(std::string_view language) {
  switch (ChosenLanguage(language)) {
    case LanguageChoice::kEnglish: return 1;
    case LanguageChoice::kManual: return 2;
    case LanguageChoice::kJapanese: break;
  }
  return 0;
}

}  // namespace

std::string LanguageOfComboIndex(int index) {
  if (index < 0 || index > 2) return std::string();
  return kComboLanguages[index];
}

PDLanguage::PDLanguage(Program& program, PDLanguageActions actions, QWidget* parent)
    : QDialog(parent), program_(program), actions_(std::move(actions)) {
  setObjectName("PDLanguage");
  setWindowTitle("Language");
  combo_ = new QComboBox;
  combo_->setObjectName("Combo1");
  for (const char* item : kComboItems) combo_->addItem(QString::fromLatin1(item));
  combo_->setCurrentIndex(ComboIndexOf(program_.Lang.Language));
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
  const std::string language = LanguageOfComboIndex(combo_->currentIndex());
  if (language.empty()) return;
  program_.Lang.Language = language;
  program_.Config.Language = language;
  if (program_.Host != nullptr) {
    mnuOFileSave(program_.Config, program_.Folders.Folder, *program_.Host, program_.Lang);
  }
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
