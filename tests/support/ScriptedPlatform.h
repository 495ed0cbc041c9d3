// A platform for tests: answers from a script and records every call.
#pragma once

#include <deque>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/Platform.h"

namespace plandra::test {

class ScriptedPlatform : public Platform {
 public:
  struct Message {
    std::string Text;
    std::string Title;
    MsgButtons Buttons;
  };

  void Beep() override { ++Beeps; }
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
  void ShowMemoWindow() override { ++MemoWindowShows; }
  bool ConfirmOpen(std::string_view question, std::string_view title) override;
  std::string DesktopOpenerOf(const std::string& pathOrUrl) override;

  // What happened.
  int Beeps = 0;
  std::vector<Message> Messages;
  std::vector<std::string> Prompts;  // input box prompts
  std::vector<FileDialogRequest> FileDialogs;
  std::vector<std::string> Opened;  // OpenWithDesktop and StartProgramCopy arguments
  int ClipboardCopies = 0;
  int Prints = 0;
  std::vector<std::filesystem::path> SavedPictures;
  std::map<TimerId, int> Timers;
  struct WindowMessage {
    int BackColor;
    std::string Text;
  };
  std::vector<WindowMessage> WindowMessages;         // the message window's texts
  std::vector<std::filesystem::path> ShownPictures;  // the message window's pictures
  int MemoWindowShows = 0;
  std::vector<std::string> OpenQuestions;  // ConfirmOpen questions

  // Answers, taken in order. An empty queue answers kOk (kYes for yes/no
  // boxes), cancels input boxes and dialogs.
  std::deque<MsgResult> Answers;
  std::deque<std::optional<std::string>> InputAnswers;
  std::deque<std::optional<std::filesystem::path>> FileAnswers;
  std::deque<std::optional<RgbColor>> ColorAnswers;
  std::deque<std::optional<FontChoice>> FontAnswers;
  bool PictureResult = true;
  bool PictureShowResult = true;  // ShowPictureWindow's answer
  // ConfirmOpen answers; an empty queue answers Cancel (false), the default.
  std::deque<bool> OpenAnswers;
};

}  // namespace plandra::test
