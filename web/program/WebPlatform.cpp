#include "WebPlatform.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/events/MessageWindow.h"
#include "persist/JsonText.h"

// The page's side. Texts go as pointer and length of UTF-8 bytes; a text
// answer comes back as its length (-1 for none) and is then copied into the
// module by answer().
#define PLANDRA_IMPORT(name) \
  extern "C" __attribute__((import_module("platform"), import_name(#name)))

PLANDRA_IMPORT(beep) void platform_beep();
PLANDRA_IMPORT(message_box)
int platform_message_box(const char* text, int textLength, const char* title, int titleLength,
                         int buttons);
PLANDRA_IMPORT(input_box)
int platform_input_box(const char* prompt, int promptLength, const char* title, int titleLength,
                       const char* initial, int initialLength);
PLANDRA_IMPORT(open_file) int platform_open_file(const char* request, int length);
PLANDRA_IMPORT(save_file) int platform_save_file(const char* request, int length);
PLANDRA_IMPORT(color) int platform_color(int rgb);
PLANDRA_IMPORT(font) int platform_font(const char* family, int length, double points);
PLANDRA_IMPORT(open_address) int platform_open_address(const char* address, int length);
PLANDRA_IMPORT(open_own_page) int platform_open_own_page(const char* page, int length);
PLANDRA_IMPORT(start_copy) int platform_start_copy(const char* figure, int length);
PLANDRA_IMPORT(copy_picture) int platform_copy_picture();
PLANDRA_IMPORT(print_picture) int platform_print_picture();
PLANDRA_IMPORT(save_picture) int platform_save_picture(const char* file, int length);
PLANDRA_IMPORT(set_timer) void platform_set_timer(int timer, int intervalMs);
PLANDRA_IMPORT(message_window)
void platform_message_window(const char* words, int wordsLength, const char* text, int length);
PLANDRA_IMPORT(picture_window) int platform_picture_window(const char* file, int length);
PLANDRA_IMPORT(memo_window) void platform_memo_window();
PLANDRA_IMPORT(confirm_open)
int platform_confirm_open(const char* question, int questionLength, const char* title,
                          int titleLength);
PLANDRA_IMPORT(answer) void platform_answer(char* into);

namespace plandra {
namespace {

int Length(std::string_view text) { return static_cast<int>(text.size()); }

std::optional<std::string> Answer(int length) {
  if (length < 0) return std::nullopt;
  std::string text(static_cast<size_t>(length), '\0');
  platform_answer(text.data());
  return text;
}

std::string RequestJson(const FileDialogRequest& r) {
  return "{\"title\":" + JsonString(r.Title) + ",\"filter\":" + JsonString(r.Filter) +
         ",\"filterIndex\":" + std::to_string(r.FilterIndex) +
         ",\"folder\":" + JsonString(r.InitialFolder.string()) +
         ",\"name\":" + JsonString(r.FileName) + ",\"mustExist\":" + JsonBool(r.MustExist) +
         ",\"promptOverwrite\":" + JsonBool(r.PromptOverwrite) +
         ",\"chooseFolder\":" + JsonBool(r.ChooseFolder) + "}";
}

std::optional<std::filesystem::path> PathAnswer(int length) {
  std::optional<std::string> path = Answer(length);
  if (!path) return std::nullopt;
  return std::filesystem::path(*path);
}

int PackRgb(RgbColor c) { return (c.R << 16) | (c.G << 8) | c.B; }

}  // namespace

void WebPlatform::Beep() { platform_beep(); }

MsgResult WebPlatform::MessageBox(std::string_view text, std::string_view title,
                                  MsgButtons buttons) {
  const int answer = platform_message_box(text.data(), Length(text), title.data(), Length(title),
                                          static_cast<int>(buttons));
  switch (answer) {
    case 1: return MsgResult::kCancel;
    case 2: return MsgResult::kYes;
    case 3: return MsgResult::kNo;
    default: return MsgResult::kOk;
  }
}

std::optional<std::string> WebPlatform::InputBox(std::string_view prompt, std::string_view title,
                                                 std::string_view initial) {
  return Answer(platform_input_box(prompt.data(), Length(prompt), title.data(), Length(title),
                                   initial.data(), Length(initial)));
}

std::optional<std::filesystem::path> WebPlatform::OpenFileDialog(const FileDialogRequest& r) {
  const std::string request = RequestJson(r);
  return PathAnswer(platform_open_file(request.data(), Length(request)));
}

std::optional<std::filesystem::path> WebPlatform::SaveFileDialog(const FileDialogRequest& r) {
  const std::string request = RequestJson(r);
  return PathAnswer(platform_save_file(request.data(), Length(request)));
}

std::optional<RgbColor> WebPlatform::ColorDialog(RgbColor initial) {
  const int rgb = platform_color(PackRgb(initial));
  if (rgb < 0) return std::nullopt;
  return RgbColor{static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8),
                  static_cast<uint8_t>(rgb)};
}

std::optional<FontChoice> WebPlatform::FontDialog(const FontChoice& initial) {
  std::optional<std::string> answer = Answer(
      platform_font(initial.Family.data(), Length(initial.Family), initial.Points));
  if (!answer) return std::nullopt;
  // "family<TAB>points"
  const size_t tab = answer->find('\t');
  FontChoice chosen{answer->substr(0, tab), initial.Points};
  if (tab != std::string::npos) chosen.Points = std::strtod(answer->c_str() + tab + 1, nullptr);
  return chosen;
}

bool WebPlatform::OpenWithDesktop(const std::string& pathOrUrl) {
  if (!ownPage_.empty() && std::filesystem::path(pathOrUrl) == ownPage_) {
    return platform_open_own_page(pathOrUrl.data(), Length(pathOrUrl)) != 0;
  }
  return platform_open_address(pathOrUrl.data(), Length(pathOrUrl)) != 0;
}

bool WebPlatform::StartProgramCopy(const std::filesystem::path& figure) {
  const std::string path = figure.string();
  return platform_start_copy(path.data(), Length(path)) != 0;
}

bool WebPlatform::CopyPictureToClipboard() { return platform_copy_picture() != 0; }

bool WebPlatform::PrintPicture() { return platform_print_picture() != 0; }

bool WebPlatform::SavePicture(const std::filesystem::path& file) {
  const std::string path = file.string();
  return platform_save_picture(path.data(), Length(path)) != 0;
}

void WebPlatform::SetTimer(TimerId timer, int intervalMs) {
  platform_set_timer(static_cast<int>(timer), intervalMs);
}

// The window's background and words travel as JSON beside the text.
void WebPlatform::ShowMessageWindow(int backColor, std::string_view text) {
  const MessageWindowTexts texts = MessageTexts(lang_);
  const std::string words = "{\"background\":" + JsonString(MessageBackground(backColor)) +
                            ",\"caption\":" + JsonString(texts.Caption) +
                            ",\"dismiss\":" + JsonString(texts.Dismiss) + "}";
  platform_message_window(words.data(), Length(words), text.data(), Length(text));
}

bool WebPlatform::ShowPictureWindow(const std::filesystem::path& picture) {
  const std::string path = picture.string();
  return platform_picture_window(path.data(), Length(path)) != 0;
}

void WebPlatform::ShowMemoWindow() { platform_memo_window(); }

bool WebPlatform::ConfirmOpen(std::string_view question, std::string_view title) {
  return platform_confirm_open(question.data(), Length(question), title.data(), Length(title)) !=
         0;
}

// The browser opens addresses itself; it names no application.
std::string WebPlatform::DesktopOpenerOf(const std::string&) { return {}; }

}  // namespace plandra
