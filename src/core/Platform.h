// What the core needs from the desktop. The Qt window implements it; tests
// use a scripted double that records every call.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "view/Surface.h"

namespace plandra {

enum class MsgButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MsgResult { kOk, kCancel, kYes, kNo };

struct FileDialogRequest {
  std::string Title;
  // "description|pattern|description|pattern", as the program's filters are written.
  std::string Filter;
  int FilterIndex = 1;  // one-based, the preselected filter
  std::filesystem::path InitialFolder;
  std::string FileName;  // preset name
  bool MustExist = false;
  bool PromptOverwrite = false;
  bool ChooseFolder = false;  // an open dialog that picks a folder, not a file
};

struct FontChoice {
  std::string Family;
  double Points = 9;
};

enum class TimerId { kDraw, kDrawSlow, kProgmanClear, kPlaneTable, kLoci };

class Platform {
 public:
  virtual ~Platform() = default;
  virtual void Beep() = 0;
  // Texts arrive already translated.
  virtual MsgResult MessageBox(std::string_view text, std::string_view title,
                               MsgButtons buttons) = 0;
  // Empty when cancelled.
  virtual std::optional<std::string> InputBox(std::string_view prompt, std::string_view title,
                                              std::string_view initial) = 0;
  virtual std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest& request) = 0;
  virtual std::optional<RgbColor> ColorDialog(RgbColor initial) = 0;
  virtual std::optional<FontChoice> FontDialog(const FontChoice& initial) = 0;
  // Opens a document or page with the desktop's default application; true
  // when a launch was tried.
  virtual bool OpenWithDesktop(const std::string& pathOrUrl) = 0;
  // Starts another instance of this program on a figure file.
  virtual bool StartProgramCopy(const std::filesystem::path& figure) = 0;
  // The window's picture: to the clipboard, to the printer, to a file.
  virtual bool CopyPictureToClipboard() = 0;
  virtual bool PrintPicture() = 0;
  virtual bool SavePicture(const std::filesystem::path& file) = 0;
  // Interval 0 stops the timer.
  virtual void SetTimer(TimerId timer, int intervalMs) = 0;

  // Event points. The message window (one, reused) shows a text on one of
  // seven background colours (by the point's colour 1..7) or a picture;
  // false when the file holds no picture this desktop can show.
  virtual void ShowMessageWindow(int backColor, std::string_view text) = 0;
  virtual bool ShowPictureWindow(const std::filesystem::path& picture) = 0;
  // Brings up the memo window (one, reused) on the program's memo.
  virtual void ShowMemoWindow() = 0;
  // Asks before a file or address from a figure is opened; the question
  // shows it and its opener. Cancel is the default answer (false).
  virtual bool ConfirmOpen(std::string_view question, std::string_view title) = 0;
  // What the desktop would open a file or address with, said for the question.
  virtual std::string DesktopOpenerOf(const std::string& pathOrUrl) = 0;
};

// A platform that does nothing and takes the first choice of every question;
// for headless runs where no one is watching.
class SilentPlatform : public Platform {
 public:
  void Beep() override {}
  MsgResult MessageBox(std::string_view, std::string_view, MsgButtons buttons) override {
    return buttons == MsgButtons::kYesNo || buttons == MsgButtons::kYesNoCancel ? MsgResult::kYes
                                                                                : MsgResult::kOk;
  }
  std::optional<std::string> InputBox(std::string_view, std::string_view,
                                      std::string_view) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> OpenFileDialog(const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<RgbColor> ColorDialog(RgbColor) override { return std::nullopt; }
  std::optional<FontChoice> FontDialog(const FontChoice&) override { return std::nullopt; }
  bool OpenWithDesktop(const std::string&) override { return false; }
  bool StartProgramCopy(const std::filesystem::path&) override { return false; }
  bool CopyPictureToClipboard() override { return false; }
  bool PrintPicture() override { return false; }
  bool SavePicture(const std::filesystem::path&) override { return false; }
  void SetTimer(TimerId, int) override {}
  void ShowMessageWindow(int, std::string_view) override {}
  bool ShowPictureWindow(const std::filesystem::path&) override { return false; }
  void ShowMemoWindow() override {}
  // Nobody is watching: nothing is opened.
  bool ConfirmOpen(std::string_view, std::string_view) override { return false; }
  std::string DesktopOpenerOf(const std::string&) override { return {}; }
};

}  // namespace plandra
