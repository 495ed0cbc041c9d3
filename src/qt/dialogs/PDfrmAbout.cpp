#include "qt/dialogs/PDfrmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <QtGlobal>
#include <string>

#include "app/NewAndExit.h"

namespace plandra {

QString SystemInformationText() {
  return QSysInfo::prettyProductName() + "\n" + QSysInfo::kernelType() + " " +
         QSysInfo::kernelVersion() + "\n" + QSysInfo::currentCpuArchitecture() + "\nQt " +
         QString::fromLatin1(qVersion());
}

PDfrmAbout::PDfrmAbout(LangState& lang, QWidget* parent) : QDialog(parent), lang_(lang) {
  setObjectName("PDfrmAbout");
  const AboutBoxTexts texts = AboutBox(lang);
  setWindowTitle(QString::fromStdString(texts.Caption));
  auto* name = new QLabel(QString::fromStdString(texts.Title));
  name->setObjectName("lblTitle");
  QFont large = name->font();
  large.setPointSizeF(large.pointSizeF() * 1.6);
  large.setBold(true);
  name->setFont(large);
  version_ = new QLabel(QString::fromStdString(texts.Version));
  version_->setObjectName("lblVersion");
  ok_ = new QPushButton(QString::fromStdString(texts.OK));
  ok_->setObjectName("cmdOK");
  sysInfo_ = new QPushButton(QString::fromStdString(texts.SystemInfo));
  sysInfo_->setObjectName("cmdSysInfo");
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  connect(sysInfo_, &QPushButton::clicked, this, [this] { ShowSystemInformation(); });
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ok_);
  buttons->addWidget(sysInfo_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(name);
  layout->addWidget(version_);
  layout->addLayout(buttons);
  ok_->setDefault(true);
}

void PDfrmAbout::ShowSystemInformation() {
  QMessageBox::information(this, QString::fromStdString(AboutBox(lang_).SystemInfo),
                           SystemInformationText());
}

}  // namespace plandra
