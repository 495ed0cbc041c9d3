#include "app/PDfrmAbout.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSysInfo>
#include <QVBoxLayout>
#include <QtGlobal>
#include <string>

#include "app/Multi_lang.h"
#include "app/Program.h"

namespace plandra {

QString VersionText() { return QStringLiteral("ver.") + QStringLiteral(PLANDRA_VERSION); }

QString SystemInformationText() {
  return QSysInfo::prettyProductName() + "\n" + QSysInfo::kernelType() + " " +
         QSysInfo::kernelVersion() + "\n" + QSysInfo::currentCpuArchitecture() + "\nQt " +
         QString::fromLatin1(qVersion());
}

PDfrmAbout::PDfrmAbout(LangState& lang, QWidget* parent) : QDialog(parent), lang_(lang) {
  setObjectName("PDfrmAbout");
  const std::string title = std::string(kProgramTitle);
  setWindowTitle(QString::fromStdString(Translate(lang, title + "のﾊﾞｰｼﾞｮﾝ情報")));
  auto* name = new QLabel(QString::fromStdString(Translate(lang, title)));
  name->setObjectName("lblTitle");
  QFont large = name->font();
  large.setPointSizeF(large.pointSizeF() * 1.6);
  large.setBold(true);
  name->setFont(large);
  version_ = new QLabel(VersionText());
  version_->setObjectName("lblVersion");
  ok_ = new QPushButton(QString::fromStdString(Translate(lang, "OK")));
  ok_->setObjectName("cmdOK");
  sysInfo_ = new QPushButton(QString::fromStdString(Translate(lang, "システム情報")));
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
  QMessageBox::information(this, QString::fromStdString(Translate(lang_, "システム情報")),
                           SystemInformationText());
}

}  // namespace plandra
