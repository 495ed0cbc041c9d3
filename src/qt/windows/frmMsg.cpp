#include "qt/windows/frmMsg.h"

#include <QBuffer>
#include <QByteArray>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QResizeEvent>
#include <QScrollArea>
#include <QVBoxLayout>

#include "core/events/MessageWindow.h"
#include "files/FileRead.h"
#include "qt/QtPlacement.h"
#include "qt/drawing/QtSurface.h"

namespace plandra {
namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

frmMsg::frmMsg(LangState& lang, QWidget* parent) : QWidget(parent, Qt::Window), lang_(lang) {
  setObjectName("frmMsg");
  lblMsg_ = new QLabel(this);
  lblMsg_->setObjectName("LblMsg");
  lblMsg_->setWordWrap(true);
  lblMsg_->setAlignment(Qt::AlignCenter);
  lblMsg_->setMargin(16);
  lblMsg_->setAutoFillBackground(true);
  QFont font = lblMsg_->font();
  font.setFamily(ResolveFontFamily("ＭＳ Ｐゴシック"));
  font.setPointSize(14);
  lblMsg_->setFont(font);
  picture_ = new QLabel;
  picture_->setObjectName("Picture");
  picture_->setAlignment(Qt::AlignCenter);
  pictureArea_ = new QScrollArea(this);
  pictureArea_->setWidget(picture_);
  pictureArea_->setWidgetResizable(true);
  command1_ = new QPushButton(this);
  command1_->setObjectName("Command1");
  connect(command1_, &QPushButton::clicked, this, &QWidget::hide);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(lblMsg_, 1);
  layout->addWidget(pictureArea_, 1);
  layout->addWidget(command1_, 0, Qt::AlignRight);
  pictureArea_->hide();
  resize(360, 200);
}

void frmMsg::ShowMsg(int clr, std::string_view x) {
  const QColor back(QString::fromStdString(MessageBackground(clr)));
  QPalette palette = lblMsg_->palette();
  palette.setColor(QPalette::Window, back);
  palette.setColor(QPalette::WindowText, Qt::black);
  lblMsg_->setPalette(palette);
  lblMsg_->setText(FromUtf8(x));
  pictureArea_->hide();
  lblMsg_->show();
  Present();
}

bool frmMsg::ShowFig(const std::filesystem::path& file) {
  // Read through the program's one reader, which takes regular files only:
  // Qt would wait on a named pipe for ever.
  FileBytes read = ReadRegularFile(file, kMaxMessagePictureBytes);
  if (read.Status != FileReadStatus::kOk || read.More) return false;
  QByteArray bytes(read.Bytes.data(), static_cast<qsizetype>(read.Bytes.size()));
  QBuffer buffer(&bytes);
  QImageReader reader(&buffer,
                      QFileInfo(QString::fromStdString(file.string())).suffix().toLatin1());
  reader.setAutoTransform(true);
  reader.setDecideFormatFromContent(true);
  const QImage image = reader.read();
  if (image.isNull()) return false;
  picture_->setPixmap(QPixmap::fromImage(image));
  lblMsg_->hide();
  pictureArea_->show();
  if (!sizedByUser_) {
    const WindowSize size = MessagePictureWindow(image.width(), image.height());
    resize(size.Width, size.Height);
  }
  Present();
  return true;
}

// Only the window manager's resizes (the user's dragging) are spontaneous.
void frmMsg::resizeEvent(QResizeEvent* event) {
  if (event->spontaneous() && isVisible()) sizedByUser_ = true;
  QWidget::resizeEvent(event);
}

void frmMsg::Present() {
  const MessageWindowTexts texts = MessageTexts(lang_);
  setWindowTitle(FromUtf8(texts.Caption));
  command1_->setText(FromUtf8(texts.Dismiss));
  // Beside the figure, never over the point just clicked.
  if (!isVisible()) PlaceBesideOwner(*this, parentWidget());
  show();
  raise();
  activateWindow();
}

}  // namespace plandra
