// The platform of the browser program: every question the core asks goes to
// the page's script, which answers with its own HTML dialogs, file picker,
// downloads and timers. The questions look synchronous to the core; the
// module is transformed so that such a call waits for the page's answer.
#pragma once

#include <filesystem>
#include <utility>

#include "core/Platform.h"

namespace plandra {

struct LangState;

class WebPlatform : public Platform {
 public:
  explicit WebPlatform(LangState& lang) : lang_(lang) {}
  void Beep() override;
  MsgResult MessageBox(std::string_view text, std::string_view title,
                       MsgButtons buttons) override;
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

  // A page the program writes itself (the online-saving form), which the
  // browser shows from the page's file system; any other file is not opened.
  void ServeOwnPage(std::filesystem::path page) { ownPage_ = std::move(page); }

 private:
  LangState& lang_;  // the words of the message window
  std::filesystem::path ownPage_;
};

}  // namespace plandra
