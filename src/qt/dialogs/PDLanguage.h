// The language dialog: a mirror of its model (core/dialogs/LanguageDialog):
// the list of languages, OK, Cancel and the font button.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QPushButton;

namespace plandra {

struct Program;

struct PDLanguageActions {
  std::function<void()> ApplyMenuLanguage;                    // after OK: the window mirrors
  std::function<void(const std::string& fontName)> SetFonts;  // after cmd_font
};

class PDLanguage : public QDialog {
 public:
  PDLanguage(Program& program, PDLanguageActions actions, QWidget* parent = nullptr);
  QComboBox* Combo1() const { return combo_; }
  QPushButton* OKButton() const { return ok_; }
  QPushButton* CancelButton() const { return cancel_; }
  QPushButton* FontButton() const { return font_; }

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ChooseLanguage();
  void ChooseFont();
  Program& program_;
  PDLanguageActions actions_;
  QComboBox* combo_;
  QPushButton* ok_;
  QPushButton* cancel_;
  QPushButton* font_;
};

}  // namespace plandra
