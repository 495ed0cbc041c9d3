// What the attribute and binding dialogs share: the frame with its rows of
// labelled controls and its two buttons, and the mirroring of list models.
#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/attributes/PDAttribute.h"

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;

namespace plandra {

struct Program;

QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

// A combo box holding the list's texts with its position selected (none for -1).
QComboBox* MirrorList(const ListControl& list, const char* name);
void ReadList(const QComboBox* combo, ListControl& list);
QLineEdit* MirrorText(const std::string& text, const char* name);

// The text a field would hold: text when it is the field being edited.
std::string TextWith(const QLineEdit* field, const QLineEdit* edited, const QString& text);

// Keeps typed names within what their fields hold in the file: an edit (or
// a choice of list) that would leave less than nothing is refused with a
// beep, and a counter beside each guarded field shows what is left.
class RoomKeeper : public QObject {
 public:
  // The characters left were edited to hold text (none edited: as they stand).
  using RoomOf = std::function<int(const QLineEdit* edited, const QString& text)>;
  RoomKeeper(Program& program, RoomOf room, QObject* parent);
  // The counter to put beside the field, named after it with "Room".
  QLabel* Guard(QLineEdit* edit);
  void Guard(QComboBox* list);
  void Show() const;
  // Whether edit may hold text; a refusal beeps.
  bool Fits(const QLineEdit* edit, const QString& text) const;
  // A paste into edit (which showed before) too long for its room, in text,
  // cut to what fits: false when not even its first character does.
  bool CutPasteToFit(const QLineEdit* edit, const QString& before, QString& text,
                     int& cursor) const;

 private:
  bool Holds(const QLineEdit* edit, const QString& text) const { return room_(edit, text) >= 0; }

  Program& program_;
  RoomOf room_;
  std::vector<QLabel*> counters_;
  mutable bool pasteCut_ = false;  // the next counter says what became of a paste
};

// A modal dialog whose OK and Cancel (also Escape and closing) answer the
// core; subclasses copy their controls into the model before OK.
class AttributeDialogFrame : public QDialog {
 public:
  QPushButton* OKButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  void accept() override;
  void reject() override;

 protected:
  AttributeDialogFrame(const DialogTexts& texts, const char* name, const char* okName,
                       const char* cancelName, QWidget* parent);
  // A row of the form; a null labelName leaves the label column empty and
  // returns null. A widget beside the control goes in a third column.
  QLabel* AddRow(const std::string& label, const char* labelName, QWidget* control,
                 QWidget* beside = nullptr);
  virtual void Ok() = 0;
  virtual void Cancel() = 0;

 private:
  QGridLayout* grid_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int rows_ = 0;
  bool answered_ = false;
};

// Beside a name field: its room counter, or, for a name the program renews
// from its inputs, the field made read-only and the note that says so.
QLabel* NameNoteOrRoom(RoomKeeper& room, QLineEdit* name, const std::string& note);
// The name field when it can be edited, else the control given.
void FocusNameOr(QLineEdit* name, QWidget* other);

// The point, line and circle dialogs: they open with the name and the two
// colour rows of their model.
class DrawnAttributeDialog : public AttributeDialogFrame {
 protected:
  template <typename Model>
  DrawnAttributeDialog(Program& program, const Model& m, const char* name, QWidget* parent)
      : AttributeDialogFrame(m.Texts, name, "CommandOK", "CommandCancel", parent),
        program_(program),
        room_(
            program,
            [this](const QLineEdit* edited, const QString& text) { return Room(edited, text); },
            this) {
    AddNameRows(m.LabelName, m.TextName, m.NameNote, m.LabelClr, m.ComboClr, m.LabelLocus,
                m.ComboLocus);
  }
  template <typename Model>
  void ReadNameRows(Model& m) const {
    m.TextName = NameText();
    ReadList(comboClr_, m.ComboClr);
    ReadList(comboLocus_, m.ComboLocus);
  }
  // The characters the name has left were edited to hold text; the
  // subclass's constructor shows the counters once its controls are there.
  virtual int Room(const QLineEdit* edited, const QString& text) const = 0;

  Program& program_;
  RoomKeeper room_;
  QLineEdit* textName_;
  QComboBox* comboClr_;
  QComboBox* comboLocus_;

 private:
  void AddNameRows(const std::string& labelName, const std::string& textName,
                   const std::string& nameNote, const std::string& labelClr,
                   const ListControl& comboClr, const std::string& labelLocus,
                   const ListControl& comboLocus);
  std::string NameText() const;
};

}  // namespace plandra
