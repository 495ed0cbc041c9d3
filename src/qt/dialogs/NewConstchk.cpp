#include "qt/dialogs/NewConstchk.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>
#include <string>

namespace plandra {

namespace {

QString FromUtf8(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }

}  // namespace

NewConstchk::NewConstchk(LangState& lang, QWidget* parent) : QDialog(parent) {
  setObjectName("NewConstchk");
  const NewConstchkTexts texts = NewConstchkDialogTexts(lang);
  setWindowTitle(FromUtf8(texts.Caption));
  auto* text = new QLabel(FromUtf8(texts.Message));
  text->setObjectName("Label1");
  yes_ = new QPushButton(FromUtf8(texts.YesButton));
  save_ = new QPushButton(FromUtf8(texts.SaveButton));
  cancel_ = new QPushButton(FromUtf8(texts.CancelButton));
  yes_->setObjectName("cmdYes");
  save_->setObjectName("cmdSave");
  cancel_->setObjectName("cmdCancel");
  connect(yes_, &QPushButton::clicked, this, [this] { Choose(NewChoice::kYes); });
  connect(save_, &QPushButton::clicked, this, [this] { Choose(NewChoice::kSave); });
  connect(cancel_, &QPushButton::clicked, this, [this] { Choose(NewChoice::kCancel); });
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(yes_);
  buttons->addWidget(save_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(text);
  layout->addLayout(buttons);
  // Enter keeps the figure; only a deliberate Y or click throws it away.
  save_->setDefault(true);
}

void NewConstchk::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  save_->setFocus();
}

void NewConstchk::Choose(NewChoice choice) {
  choice_ = choice;
  if (choice == NewChoice::kCancel) {
    reject();
  } else {
    accept();
  }
}

void NewConstchk::keyPressEvent(QKeyEvent* event) {
  const std::string typed =
      event->key() == Qt::Key_Escape ? std::string("\x1b") : event->text().toStdString();
  if (const std::optional<NewChoice> choice = NewConstchkKey(typed)) {
    Choose(*choice);
  } else {
    QDialog::keyPressEvent(event);
  }
}

NewChoice RunNewConstchk(LangState& lang, QWidget* parent) {
  NewConstchk dialog(lang, parent);
  dialog.exec();
  return dialog.Choice();
}

}  // namespace plandra
