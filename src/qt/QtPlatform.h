// The desktop services of the Qt window: message and input boxes, the common
// dialogs, the desktop launcher, clipboard, printer, picture files and timers.
#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <functional>
#include <map>
#include <string>
#include <string_view>

#include "core/Platform.h"

class QTimer;
class QWidget;

namespace plandra {

class QtSurface;
class frmMemo;
class frmMsg;

struct QtFileFilters {
  QStringList Filters;  // "description (pattern pattern)", as the file dialog takes them
  QString Selected;     // the preselected one
};

// Converts "desc|pattern|desc|pattern|" into file dialog filters: ";" between
// patterns becomes a blank, "*.*" becomes "*" (names without a dot match too),
// a pattern already written in the description is not repeated. A filter
// index outside the list selects the first filter.
QtFileFilters ConvertFileFilter(std::string_view filter, int filterIndex);

// The format a picture file is written in: "PNG" for ".png" in any case,
// else "BMP", the program's picture format.
const char* PictureFormat(const std::filesystem::path& file);

// Where a picture goes on a page: as large as fits with its proportions,
// centred.
QRect FitCentered(QSize picture, QRect page);

// What the desktop is handed: an http, https or mailto address as the
// address (its scheme in any case), anything else as a local file.
QUrl DesktopUrl(const std::string& pathOrUrl);

// False when the desktop has no application for this local file and no
// browser to fall back to: a launch would start and then fail unseen.
bool DesktopCanOpen(const QString& file);

class QtPlatform : public Platform {
 public:
  // parent: the window that owns the dialogs; picture: the surface whose
  // image is copied, printed and saved.
  QtPlatform(QWidget* parent, const QtSurface& picture);
  ~QtPlatform() override;
  QtPlatform(const QtPlatform&) = delete;
  QtPlatform& operator=(const QtPlatform&) = delete;

  // The window's handler of timer ticks.
  void SetTimerCallback(std::function<void(TimerId)> callback) { onTimer_ = std::move(callback); }
  // The interval in force (0 when stopped).
  int TimerInterval(TimerId timer) const;

  void Beep() override;
  MsgResult MessageBox(std::string_view text, std::string_view title, MsgButtons buttons) override;
  std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                      std::string_view initial) override;
  std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) override;
  std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) override;
  std::optional<RgbColor> ColorDialog(RgbColor initial) override;
  std::optional<FontChoice> FontDialog(const FontChoice& initial) override;
  bool OpenWithDesktop(const std::string& pathOrUrl) override;
  bool StartProgramCopy(const std::filesystem::path& figure) override;
  bool CopyPictureToClipboard() override;
  bool PrintPicture() override;
  bool SavePicture(const std::filesystem::path& file) override;
  void SetTimer(TimerId timer, int intervalMs) override;
  void ShowMessageWindow(int backColor, std::string_view text) override;
  bool ShowPictureWindow(const std::filesystem::path& picture) override;
  void ShowMemoWindow() override;
  bool ConfirmOpen(std::string_view question, std::string_view title) override;
  std::string DesktopOpenerOf(const std::string& pathOrUrl) override;

  // The event windows, owned by the session.
  void SetEventWindows(frmMsg* message, frmMemo* memo) {
    message_ = message;
    memo_ = memo;
  }

 private:
  std::optional<std::filesystem::path> RunFileDialog(const FileDialogRequest& request, bool save);

  QWidget* parent_;
  const QtSurface& picture_;
  std::map<TimerId, QTimer*> timers_;
  std::function<void(TimerId)> onTimer_;
  frmMsg* message_ = nullptr;
  frmMemo* memo_ = nullptr;
};

}  // namespace plandra
