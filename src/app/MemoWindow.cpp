#include "app/MemoWindow.h"

#include <vector>

#include "app/Multi_lang.h"
#include "app/Platform.h"
#include "persist/PDio05_text.h"

namespace plandra {
namespace {

constexpr std::string_view kNewMemoText = "新規作成です。";
constexpr std::string_view kMemoNotSavedText = "メモを保存できませんでした。";
constexpr std::string_view kMemoNotReadText = "メモを読めませんでした。";
constexpr std::string_view kMemoTitle = "メモ";
// A memo is a page of notes; a larger file is shown cut at a line end.
constexpr size_t kMemoMaxBytes = 4 * 1024 * 1024;

std::string MemoLines(std::string_view bytes) {
  const std::vector<std::string_view> lines = SplitLines(bytes);
  std::string text;
  for (size_t k = 0; k < lines.size(); ++k) {
    if (k > 0) text += '\n';
    text += UserLineToUtf8(lines[k]).value_or(std::string(lines[k]));
  }
  return text;
}

}  // namespace

void ShowMemo(MemoState& memo, const std::filesystem::path& file, LangState& lang) {
  memo.File = file;
  memo.SaveEnabled = false;
  ++memo.Shown;
  const TextFileRead read = ReadTextFileCapped(file, kMemoMaxBytes);
  switch (read.Result) {
    case ReadResult::kOk: memo.Text = MemoLines(read.Bytes); break;
    case ReadResult::kMissing: memo.Text = Translate(lang, kNewMemoText); break;
    case ReadResult::kFailed:
      memo.Text = Translate(lang, kMemoNotReadText) + "\n" + read.Error;
      break;
  }
}

void MemoTextEdited(MemoState& memo, std::string_view text) {
  memo.Text = std::string(text);
  memo.SaveEnabled = !memo.ReadOnly;
}

bool SaveMemo(MemoState& memo, Platform& platform, LangState& lang) {
  if (memo.ReadOnly) return false;
  std::string bytes;
  for (char c : memo.Text) {
    if (c == '\r') continue;
    bytes += c == '\n' ? std::string_view("\r\n") : std::string_view(&c, 1);
  }
  std::string error;
  if (!ReplaceFileContents(memo.File, bytes, error)) {
    platform.MessageBox(
        Translate(lang, kMemoNotSavedText) + "\n" + memo.File.string() + "\n" + error,
        Translate(lang, kMemoTitle), MsgButtons::kOk);
    return false;
  }
  memo.SaveEnabled = false;
  return true;
}

void SetMemoReadOnly(MemoState& memo) {
  memo.ReadOnly = true;
  memo.SaveEnabled = false;
}

void setMemoRW(MemoState& memo) {
  memo.ReadOnly = false;
  memo.SaveEnabled = true;
}

void MemoFontSwitch(MemoState& memo) {
  memo.FontSize = memo.FontSize >= 10 ? kMemoSmallFont : kMemoLargeFont;
}

}  // namespace plandra
