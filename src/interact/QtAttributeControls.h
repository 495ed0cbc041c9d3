// What the attribute and binding dialogs share: the frame with its rows of
// labelled controls and its two buttons, and the mirroring of list models.
#pragma once

#include <QDialog>
#include <QString>
#include <string>

#include "interact/PDAttribute.h"

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
  // returns null.
  QLabel* AddRow(const std::string& label, const char* labelName, QWidget* control);
  virtual void Ok() = 0;
  virtual void Cancel() = 0;

 private:
  QGridLayout* grid_;
  QPushButton* ok_;
  QPushButton* cancel_;
  int rows_ = 0;
  bool answered_ = false;
};

// The point, line and circle dialogs: they open with the name and the two
// colour rows of their model.
class DrawnAttributeDialog : public AttributeDialogFrame {
 protected:
  template <typename Model>
  DrawnAttributeDialog(Program& program, const Model& m, const char* name, QWidget* parent)
      : AttributeDialogFrame(m.Texts, name, "CommandOK", "CommandCancel", parent),
        program_(program) {
    AddNameRows(m.LabelName, m.TextName, m.LabelClr, m.ComboClr, m.LabelLocus, m.ComboLocus);
  }
  template <typename Model>
  void ReadNameRows(Model& m) const {
    m.TextName = NameText();
    ReadList(comboClr_, m.ComboClr);
    ReadList(comboLocus_, m.ComboLocus);
  }

  Program& program_;
  QLineEdit* textName_;
  QComboBox* comboClr_;
  QComboBox* comboLocus_;

 private:
  void AddNameRows(const std::string& labelName, const std::string& textName,
                   const std::string& labelClr, const ListControl& comboClr,
                   const std::string& labelLocus, const ListControl& comboLocus);
  std::string NameText() const;
};

}  // namespace plandra
