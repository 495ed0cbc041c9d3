#include "support/ScriptedPlatform.h"

namespace plandra::test {
namespace {

template <class T>
std::optional<T> TakeAnswer(std::deque<std::optional<T>>& answers) {
  if (answers.empty()) return std::nullopt;
  std::optional<T> answer = answers.front();
  answers.pop_front();
  return answer;
}

}  // namespace

MsgResult ScriptedPlatform::MessageBox(std::string_view text, std::string_view title,
                                       MsgButtons buttons) {
  Messages.push_back({std::string(text), std::string(title), buttons});
  if (!Answers.empty()) {
    MsgResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  return buttons == MsgButtons::kYesNo || buttons == MsgButtons::kYesNoCancel ? MsgResult::kYes
                                                                              : MsgResult::kOk;
}

std::optional<std::string> ScriptedPlatform::InputBox(std::string_view prompt, std::string_view,
                                                      std::string_view) {
  Prompts.emplace_back(prompt);
  return TakeAnswer(InputAnswers);
}

std::optional<std::filesystem::path> ScriptedPlatform::OpenFileDialog(
    const FileDialogRequest& request) {
  FileDialogs.push_back(request);
  return TakeAnswer(FileAnswers);
}

std::optional<std::filesystem::path> ScriptedPlatform::SaveFileDialog(
    const FileDialogRequest& request) {
  FileDialogs.push_back(request);
  return TakeAnswer(FileAnswers);
}

std::optional<RgbColor> ScriptedPlatform::ColorDialog(RgbColor) { return TakeAnswer(ColorAnswers); }

std::optional<FontChoice> ScriptedPlatform::FontDialog(const FontChoice&) {
  return TakeAnswer(FontAnswers);
}

bool ScriptedPlatform::OpenWithDesktop(const std::string& pathOrUrl) {
  Opened.push_back(pathOrUrl);
  return true;
}

bool ScriptedPlatform::StartProgramCopy(const std::filesystem::path& figure) {
  Opened.push_back(figure.string());
  return true;
}

bool ScriptedPlatform::CopyPictureToClipboard() {
  ++ClipboardCopies;
  return PictureResult;
}

bool ScriptedPlatform::PrintPicture() {
  ++Prints;
  return PictureResult;
}

bool ScriptedPlatform::SavePicture(const std::filesystem::path& file) {
  SavedPictures.push_back(file);
  return PictureResult;
}

void ScriptedPlatform::SetTimer(TimerId timer, int intervalMs) { Timers[timer] = intervalMs; }

void ScriptedPlatform::ShowMessageWindow(int backColor, std::string_view text) {
  WindowMessages.push_back({backColor, std::string(text)});
}

bool ScriptedPlatform::ShowPictureWindow(const std::filesystem::path& picture) {
  ShownPictures.push_back(picture);
  return PictureShowResult;
}

bool ScriptedPlatform::ConfirmOpen(std::string_view question, std::string_view) {
  OpenQuestions.emplace_back(question);
  if (OpenAnswers.empty()) return false;
  const bool answer = OpenAnswers.front();
  OpenAnswers.pop_front();
  return answer;
}

std::string ScriptedPlatform::DesktopOpenerOf(const std::string& pathOrUrl) {
  return "viewer of " + std::filesystem::path(pathOrUrl).extension().string();
}

}  // namespace plandra::test
