// The version box: the words and version of its model (AboutBox of
// app/NewAndExit), and what the system is, which only Qt knows.
#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace plandra {

struct LangState;

// What this system is: operating system, kernel, processor and toolkit.
QString SystemInformationText();

class PDfrmAbout : public QDialog {
 public:
  PDfrmAbout(LangState& lang, QWidget* parent = nullptr);
  QLabel* VersionLabel() const { return version_; }
  QPushButton* OkButton() const { return ok_; }
  QPushButton* SysInfoButton() const { return sysInfo_; }

 private:
  void ShowSystemInformation();
  LangState& lang_;
  QLabel* version_;
  QPushButton* ok_;
  QPushButton* sysInfo_;
};

}  // namespace plandra
