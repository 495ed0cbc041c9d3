#include "qt/dialogs/QtAttributeControls.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <QValidator>
#include <memory>
#include <optional>
#include <utility>

#include "core/Program.h"
#include "core/attributes/PasteFit.h"
#include "core/language/Multi_lang.h"

namespace plandra {

QString ToQString(const std::string& text) { return QString::fromUtf8(text.data(), text.size()); }

std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }

QComboBox* MirrorList(const ListControl& list, const char* name) {
  auto* combo = new QComboBox;
  combo->setObjectName(name);
  for (const std::string& item : list.Items) combo->addItem(ToQString(item));
  combo->setCurrentIndex(list.ListIndex);
  // Only hidden: showing a widget before it has a parent would open a window.
  if (!list.Visible) combo->hide();
  return combo;
}

void ReadList(const QComboBox* combo, ListControl& list) { list.ListIndex = combo->currentIndex(); }

QLineEdit* MirrorText(const std::string& text, const char* name) {
  auto* edit = new QLineEdit(ToQString(text));
  edit->setObjectName(name);
  return edit;
}

namespace {

// Consulted before an edit is taken: what would not fit is never typed.
class RoomValidator : public QValidator {
 public:
  RoomValidator(const RoomKeeper& keeper, QLineEdit* edit)
      : QValidator(edit), keeper_(keeper), edit_(edit), shown_(edit->text()) {
    // The edit holds the new text already when it asks: the old one is kept here.
    connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) { shown_ = text; });
  }
  State validate(QString& input, int& cursor) const override {
    if (keeper_.CutPasteToFit(edit_, shown_, input, cursor)) return Acceptable;
    return keeper_.Fits(edit_, input) ? Acceptable : Invalid;
  }

 private:
  const RoomKeeper& keeper_;
  const QLineEdit* edit_;
  QString shown_;
};

}  // namespace

std::string TextWith(const QLineEdit* field, const QLineEdit* edited, const QString& text) {
  return FromQString(field == edited ? text : field->text());
}

RoomKeeper::RoomKeeper(Program& program, RoomOf room, QObject* parent)
    : QObject(parent), program_(program), room_(std::move(room)) {}

QLabel* RoomKeeper::Guard(QLineEdit* edit) {
  auto* counter = new QLabel;
  counter->setObjectName(edit->objectName() + "Room");
  counters_.push_back(counter);
  edit->setValidator(new RoomValidator(*this, edit));
  connect(edit, &QLineEdit::textChanged, this, [this] { Show(); });
  return counter;
}

void RoomKeeper::Guard(QComboBox* list) {
  auto chosen = std::make_shared<int>(list->currentIndex());
  connect(list, &QComboBox::currentIndexChanged, this, [this, list, chosen](int index) {
    if (Fits(nullptr, {})) {
      *chosen = index;
    } else {
      const QSignalBlocker quiet(list);
      list->setCurrentIndex(*chosen);
    }
    Show();
  });
}

void RoomKeeper::Show() const {
  std::string text = RoomText(program_.Lang, room_(nullptr, {}));
  if (std::exchange(pasteCut_, false)) {
    text += " (" + Translate(program_.Lang, "入る分だけ貼り付けました") + ")";
  }
  for (QLabel* counter : counters_) counter->setText(ToQString(text));
}

bool RoomKeeper::Fits(const QLineEdit* edit, const QString& text) const {
  if (Holds(edit, text)) return true;
  if (program_.Host) program_.Host->Beep();
  return false;
}

bool RoomKeeper::CutPasteToFit(const QLineEdit* edit, const QString& before, QString& text,
                               int& cursor) const {
  const std::optional<FittedPaste> fitted =
      FitPaste(FromQString(before), FromQString(text),
               [&](const std::string& candidate) { return Holds(edit, ToQString(candidate)); });
  if (!fitted) return false;
  text = ToQString(fitted->Text);
  cursor = static_cast<int>(ToQString(fitted->Text.substr(0, fitted->CursorBytes)).size());
  pasteCut_ = true;
  if (program_.Host) program_.Host->Beep();
  return true;
}

AttributeDialogFrame::AttributeDialogFrame(const DialogTexts& texts, const char* name,
                                           const char* okName, const char* cancelName,
                                           QWidget* parent)
    : QDialog(parent) {
  setObjectName(name);
  setWindowTitle(ToQString(texts.Caption));
  grid_ = new QGridLayout;
  ok_ = new QPushButton(ToQString(texts.CommandOK));
  ok_->setObjectName(okName);
  cancel_ = new QPushButton(ToQString(texts.CommandCancel));
  cancel_->setObjectName(cancelName);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(cancel_);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(grid_);
  layout->addLayout(buttons);
  ok_->setDefault(true);
}

QLabel* AttributeDialogFrame::AddRow(const std::string& label, const char* labelName,
                                     QWidget* control, QWidget* beside) {
  QLabel* caption = nullptr;
  if (labelName != nullptr) {
    caption = new QLabel(ToQString(label));
    caption->setObjectName(labelName);
    caption->setBuddy(control);
    grid_->addWidget(caption, rows_, 0);
  }
  grid_->addWidget(control, rows_, 1);
  if (beside != nullptr) grid_->addWidget(beside, rows_, 2);
  ++rows_;
  return caption;
}

QLabel* NameNoteOrRoom(RoomKeeper& room, QLineEdit* name, const std::string& note) {
  if (note.empty()) return room.Guard(name);
  name->setReadOnly(true);
  auto* label = new QLabel(ToQString(note));
  label->setObjectName(name->objectName() + "Note");
  return label;
}

void FocusNameOr(QLineEdit* name, QWidget* other) {
  (name->isReadOnly() ? other : name)->setFocus();
}

void DrawnAttributeDialog::AddNameRows(const std::string& labelName, const std::string& textName,
                                       const std::string& nameNote, const std::string& labelClr,
                                       const ListControl& comboClr, const std::string& labelLocus,
                                       const ListControl& comboLocus) {
  textName_ = MirrorText(textName, "TextName");
  comboClr_ = MirrorList(comboClr, "ComboClr");
  comboLocus_ = MirrorList(comboLocus, "ComboLocus");
  AddRow(labelName, "LabelName", textName_, NameNoteOrRoom(room_, textName_, nameNote));
  AddRow(labelClr, "LabelClr", comboClr_);
  AddRow(labelLocus, "LabelLocus", comboLocus_);
}

std::string DrawnAttributeDialog::NameText() const { return FromQString(textName_->text()); }

// The core hears of each dialog once, however it is closed.
void AttributeDialogFrame::accept() {
  if (!answered_) {
    answered_ = true;
    Ok();
  }
  QDialog::accept();
}

void AttributeDialogFrame::reject() {
  if (!answered_) {
    answered_ = true;
    Cancel();
  }
  QDialog::reject();
}

}  // namespace plandra
