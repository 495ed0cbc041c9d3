#include "qt/QtPlatform.h"

#include <QApplication>
#include <QClipboard>
#include <QColorDialog>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>
#include <algorithm>

#include "app/EventTargets.h"
#include "figure/PDtype05.h"
#include "qt/drawing/QtSurface.h"
#include "qt/windows/frmMemo.h"
#include "qt/windows/frmMsg.h"

namespace plandra {

namespace {

constexpr int kDesktopQueryMs = 3000;
// What the desktop's launcher falls back to for a file no application claims.
constexpr const char* kBrowsers[] = {"x-www-browser", "www-browser",   "firefox", "firefox-esr",
                                     "chromium",      "google-chrome", "epiphany"};

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString PathText(const std::filesystem::path& path) {
  return QString::fromStdString(path.string());
}

QString DialogPatterns(const QString& pattern) {
  QStringList patterns = pattern.split(';', Qt::SkipEmptyParts);
  for (QString& one : patterns) {
    one = one.trimmed();
    if (one == "*.*") one = "*";
  }
  patterns.removeAll(QString());
  return patterns.join(' ');
}

// The description without a trailing "(...)" that only repeats the patterns.
QString DescriptionWithoutPatterns(QString description, const QString& pattern) {
  description = description.trimmed();
  const QString repeated = "(" + pattern.trimmed() + ")";
  if (description.endsWith(repeated)) description.chop(repeated.size());
  return description.trimmed();
}

QMessageBox::StandardButtons QtButtons(MsgButtons buttons) {
  switch (buttons) {
    case MsgButtons::kOk: return QMessageBox::Ok;
    case MsgButtons::kOkCancel: return QMessageBox::Ok | QMessageBox::Cancel;
    case MsgButtons::kYesNo: return QMessageBox::Yes | QMessageBox::No;
    case MsgButtons::kYesNoCancel: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
  }
  return QMessageBox::Ok;
}

MsgResult FromQtButton(int clicked, MsgButtons buttons) {
  switch (clicked) {
    case QMessageBox::Ok: return MsgResult::kOk;
    case QMessageBox::Yes: return MsgResult::kYes;
    case QMessageBox::No: return MsgResult::kNo;
    default: break;
  }
  // Closed without a choice: the answer that changes nothing.
  if (buttons == MsgButtons::kYesNo) return MsgResult::kNo;
  if (buttons == MsgButtons::kOk) return MsgResult::kOk;
  return MsgResult::kCancel;
}

}  // namespace

QtFileFilters ConvertFileFilter(std::string_view filter, int filterIndex) {
  QtFileFilters result;
  const QStringList fields = FromUtf8(filter).split('|');
  for (qsizetype i = 0; i + 1 < fields.size(); i += 2) {
    const QString patterns = DialogPatterns(fields[i + 1]);
    if (patterns.isEmpty()) continue;
    QString description = DescriptionWithoutPatterns(fields[i], fields[i + 1]);
    if (description.isEmpty()) description = patterns;
    result.Filters.append(description + " (" + patterns + ")");
  }
  if (result.Filters.isEmpty()) result.Filters.append(QObject::tr("All files") + " (*)");
  const bool inRange = filterIndex >= 1 && filterIndex <= result.Filters.size();
  result.Selected = result.Filters[inRange ? filterIndex - 1 : 0];
  return result;
}

const char* PictureFormat(const std::filesystem::path& file) {
  return LowerAscii(file.extension().string()) == ".png" ? "PNG" : "BMP";
}

QRect FitCentered(QSize picture, QRect page) {
  if (picture.isEmpty() || page.isEmpty()) return QRect(page.topLeft(), QSize(0, 0));
  const QSize fitted = picture.scaled(page.size(), Qt::KeepAspectRatio);
  const QPoint corner(page.left() + (page.width() - fitted.width()) / 2,
                      page.top() + (page.height() - fitted.height()) / 2);
  return QRect(corner, fitted);
}

QtPlatform::QtPlatform(QWidget* parent, const QtSurface& picture)
    : parent_(parent), picture_(picture) {}

QtPlatform::~QtPlatform() {
  for (auto& [id, timer] : timers_) delete timer;
}

void QtPlatform::Beep() { QApplication::beep(); }

MsgResult QtPlatform::MessageBox(std::string_view text, std::string_view title,
                                 MsgButtons buttons) {
  QMessageBox box(QMessageBox::NoIcon, FromUtf8(title), FromUtf8(text), QtButtons(buttons),
                  parent_);
  return FromQtButton(box.exec(), buttons);
}

std::optional<std::string> QtPlatform::InputBox(std::string_view prompt, std::string_view title,
                                                std::string_view initial) {
  bool accepted = false;
  const QString answer = QInputDialog::getText(parent_, FromUtf8(title), FromUtf8(prompt),
                                               QLineEdit::Normal, FromUtf8(initial), &accepted);
  if (!accepted) return std::nullopt;
  return answer.toStdString();
}

std::optional<std::filesystem::path> QtPlatform::RunFileDialog(const FileDialogRequest& request,
                                                               bool save) {
  QFileDialog dialog(parent_, FromUtf8(request.Title), PathText(request.InitialFolder));
  const QtFileFilters filters = ConvertFileFilter(request.Filter, request.FilterIndex);
  dialog.setNameFilters(filters.Filters);
  dialog.selectNameFilter(filters.Selected);
  if (!request.FileName.empty()) dialog.selectFile(FromUtf8(request.FileName));
  if (save) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.PromptOverwrite);
  } else if (request.ChooseFolder) {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(request.MustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(dialog.selectedFiles().first().toStdString());
}

std::optional<std::filesystem::path> QtPlatform::OpenFileDialog(const FileDialogRequest& request) {
  return RunFileDialog(request, false);
}

std::optional<std::filesystem::path> QtPlatform::SaveFileDialog(const FileDialogRequest& request) {
  return RunFileDialog(request, true);
}

std::optional<RgbColor> QtPlatform::ColorDialog(RgbColor initial) {
  const QColor chosen = QColorDialog::getColor(ToQColor(initial), parent_);
  if (!chosen.isValid()) return std::nullopt;
  return RgbColor{static_cast<uint8_t>(chosen.red()), static_cast<uint8_t>(chosen.green()),
                  static_cast<uint8_t>(chosen.blue())};
}

std::optional<FontChoice> QtPlatform::FontDialog(const FontChoice& initial) {
  QFont font(ResolveFontFamily(initial.Family));
  if (initial.Points > 0) font.setPointSizeF(initial.Points);
  bool accepted = false;
  const QFont chosen = QFontDialog::getFont(&accepted, font, parent_);
  if (!accepted) return std::nullopt;
  return FontChoice{chosen.family().toStdString(), chosen.pointSizeF()};
}

namespace {

// The desktop's default application for a type (empty: none); nothing when
// the desktop cannot be asked.
std::optional<QString> DesktopDefaultFor(const QString& typeName) {
  const QString xdgMime = QStandardPaths::findExecutable("xdg-mime");
  if (xdgMime.isEmpty()) return std::nullopt;
  QProcess query;
  query.start(xdgMime, {"query", "default", typeName});
  if (!query.waitForFinished(kDesktopQueryMs)) return std::nullopt;
  return QString::fromUtf8(query.readAllStandardOutput()).trimmed();
}

}  // namespace

bool DesktopCanOpen(const QString& file) {
  if (qEnvironmentVariableIsSet("BROWSER")) return true;
  // No way to ask: the launch will tell.
  const std::optional<QString> application =
      DesktopDefaultFor(QMimeDatabase().mimeTypeForFile(file).name());
  if (!application || !application->isEmpty()) return true;
  // Without an application for the type, the launcher still tries a browser.
  return std::any_of(std::begin(kBrowsers), std::end(kBrowsers), [](const char* browser) {
    return !QStandardPaths::findExecutable(browser).isEmpty();
  });
}

QUrl DesktopUrl(const std::string& pathOrUrl) {
  const QString text = QString::fromStdString(pathOrUrl);
  if (IsDesktopAddress(pathOrUrl)) return QUrl(text);
  return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}

bool QtPlatform::OpenWithDesktop(const std::string& pathOrUrl) {
  const QUrl url = DesktopUrl(pathOrUrl);
  if (!url.isLocalFile()) return QDesktopServices::openUrl(url);
  // The launcher starts at once and fails later where no application takes
  // the file; ask first, so that the caller can say where the file is.
  return DesktopCanOpen(url.toLocalFile()) && QDesktopServices::openUrl(url);
}

bool QtPlatform::StartProgramCopy(const std::filesystem::path& figure) {
  return QProcess::startDetached(QCoreApplication::applicationFilePath(), {PathText(figure)});
}

bool QtPlatform::CopyPictureToClipboard() {
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr || picture_.Image().isNull()) return false;
  clipboard->clear();
  clipboard->setImage(picture_.Image());
  return true;
}

bool QtPlatform::PrintPicture() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, parent_);
  if (dialog.exec() != QDialog::Accepted) return false;
  QPainter painter;
  if (!painter.begin(&printer)) return false;
  const QImage& image = picture_.Image();
  painter.drawImage(FitCentered(image.size(), painter.viewport()), image);
  return painter.end();
}

bool QtPlatform::SavePicture(const std::filesystem::path& file) {
  std::string error;
  return WriteImageFile(picture_.Image(), file, PictureFormat(file), error);
}

void QtPlatform::SetTimer(TimerId timer, int intervalMs) {
  QTimer*& slot = timers_[timer];
  if (slot == nullptr) {
    slot = new QTimer();
    QObject::connect(slot, &QTimer::timeout, [this, timer] {
      if (onTimer_) onTimer_(timer);
    });
  }
  if (intervalMs <= 0) {
    slot->stop();
    return;
  }
  slot->start(intervalMs);
}

int QtPlatform::TimerInterval(TimerId timer) const {
  const auto found = timers_.find(timer);
  if (found == timers_.end() || !found->second->isActive()) return 0;
  return found->second->interval();
}

void QtPlatform::ShowMessageWindow(int backColor, std::string_view text) {
  if (message_ != nullptr) message_->ShowMsg(backColor, text);
}

bool QtPlatform::ShowPictureWindow(const std::filesystem::path& picture) {
  return message_ != nullptr && message_->ShowFig(picture);
}

void QtPlatform::ShowMemoWindow() {
  if (memo_ != nullptr) memo_->Mirror();
}

bool QtPlatform::ConfirmOpen(std::string_view question, std::string_view title) {
  QMessageBox box(QMessageBox::Question, FromUtf8(title), FromUtf8(question),
                  QMessageBox::Open | QMessageBox::Cancel, parent_);
  box.setDefaultButton(QMessageBox::Cancel);
  box.setEscapeButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Open;
}

// The kind of the file or address and the desktop's application for it,
// as far as the desktop tells.
std::string QtPlatform::DesktopOpenerOf(const std::string& pathOrUrl) {
  const QString text = QString::fromStdString(pathOrUrl);
  QString typeName;
  QString kind;
  if (DesktopUrl(pathOrUrl).scheme() == "mailto") {
    typeName = "x-scheme-handler/mailto";
    kind = "mail";
  } else if (IsDesktopAddress(pathOrUrl)) {
    typeName = "x-scheme-handler/https";
    kind = "web browser";
  } else {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(text);
    typeName = type.name();
    kind = type.comment() + " (" + typeName + ")";
  }
  const QString application = DesktopDefaultFor(typeName).value_or(QString());
  return (application.isEmpty() ? kind : application + " - " + kind).toStdString();
}

}  // namespace plandra
