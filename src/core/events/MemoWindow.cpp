#include "core/events/MemoWindow.h"

#include <system_error>

#include "core/Platform.h"
#include "core/io/FileFaultText.h"
#include "core/language/Multi_lang.h"
#include "files/Cp932.h"
#include "files/FileRead.h"
#include "files/FileWriter.h"
#include "files/PDio05_text.h"
#include "persist/TextCode.h"

namespace plandra {
namespace {

constexpr std::string_view kNewMemoText = "新規作成です。";
constexpr std::string_view kMemoNotSavedText = "メモを保存できませんでした。";
constexpr std::string_view kMemoNotReadText = "メモを読めませんでした。";
constexpr std::string_view kMemoTooLargeText = "メモが大きすぎるので,ここでは編集できません。";
constexpr std::string_view kMemoUnknownCodeText =
    "メモの文字コードが分からないので,ここでは編集できません。";
constexpr std::string_view kMemoLostCharactersText =
    "このメモの文字コード(Shift_JIS)で書けない文字は「?」になります。保存しますか。";
constexpr std::string_view kMemoChangedText = "メモが変更されています。保存しますか。";
constexpr std::string_view kMemoTitle = "メモ";
// A memo is a page of notes; a larger file is not taken in part, which a
// save would then cut.
constexpr size_t kMemoMaxBytes = 4 * 1024 * 1024;
constexpr std::string_view kCrLf = "\r\n";

std::string WithLfOnly(std::string_view text) {
  std::string lf;
  lf.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    lf += text[i];
  }
  return lf;
}

std::string WithLineEnds(std::string_view text, std::string_view lineEnd) {
  std::string bytes;
  bytes.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n') {
      bytes += lineEnd;
    } else {
      bytes += c;
    }
  }
  return bytes;
}

// The line end of the first line, empty when the file has none.
std::string_view FirstLineEnd(std::string_view bytes) {
  const size_t lf = bytes.find('\n');
  if (lf == std::string_view::npos) return {};
  return lf > 0 && bytes[lf - 1] == '\r' ? kCrLf : std::string_view("\n");
}

void CannotEdit(MemoState& memo, LangState& lang, std::string_view why, const std::string& detail) {
  memo.Readable = false;
  memo.Notice = Translate(lang, why) + "\n" + memo.File.string() + "\n" + detail;
}

// UTF-8 or code page 932 as the bytes are, by the rule the page shares.
void DecodeMemo(MemoState& memo, std::string_view bytes, LangState& lang) {
  const std::string_view lineEnd = FirstLineEnd(bytes);
  if (!lineEnd.empty()) memo.LineEnd = lineEnd;
  if (MemoTextCode(bytes) == TextCode::kUtf8) {
    memo.Text = WithLfOnly(bytes);
    return;
  }
  memo.Encoding = MemoEncoding::kCp932;
  memo.Text = WithLfOnly(Cp932ToUtf8(bytes));
  // CP932 holds no U+FFFD: one in the text marks bytes of neither code.
  if (memo.Text.find("\xEF\xBF\xBD") != std::string::npos) {
    CannotEdit(memo, lang, kMemoUnknownCodeText, {});
  }
}

void LoadMemoFile(MemoState& memo, LangState& lang) {
  // The program's one reader: a named pipe or a folder in the memo's place
  // is refused at once, and a memo too large is not cut.
  const FileBytes read = ReadRegularFile(memo.File, kMemoMaxBytes);
  switch (read.Status) {
    case FileReadStatus::kMissing: memo.Notice = Translate(lang, kNewMemoText); return;
    case FileReadStatus::kOk: break;
    default:
      CannotEdit(memo, lang, kMemoNotReadText, FaultText(lang, read.Fault) + read.Reason);
      return;
  }
  if (read.More) {
    CannotEdit(memo, lang, kMemoTooLargeText,
               "more than " + std::to_string(kMemoMaxBytes) + " bytes");
    return;
  }
  DecodeMemo(memo, read.Bytes, lang);
}

// The bytes of the text as the file held it; false when the user would
// rather not lose the characters code page 932 cannot hold.
bool EncodeMemo(const MemoState& memo, Platform& platform, LangState& lang, std::string& bytes) {
  bytes = WithLineEnds(memo.Text, memo.LineEnd);
  if (memo.Encoding == MemoEncoding::kUtf8) return true;
  bool lost = false;
  bytes = Utf8ToCp932(bytes, lost);
  return !lost ||
         platform.MessageBox(Translate(lang, kMemoLostCharactersText) + "\n" + memo.File.string(),
                             Translate(lang, kMemoTitle), MsgButtons::kOkCancel) == MsgResult::kOk;
}

}  // namespace

void ShowMemo(MemoState& memo, const std::filesystem::path& file, LangState& lang) {
  memo.File = file;
  memo.SaveEnabled = false;
  ++memo.Shown;
  memo.Text.clear();
  memo.Notice.clear();
  memo.Readable = true;
  memo.Encoding = MemoEncoding::kUtf8;
  memo.LineEnd = std::string(kCrLf);
  LoadMemoFile(memo, lang);
  memo.FileText = memo.Text;
}

void MemoTextEdited(MemoState& memo, std::string_view text) {
  if (!memo.Readable) return;  // what is shown is not the file's text
  memo.Text = WithLfOnly(text);
  memo.SaveEnabled = !memo.ReadOnly;
}

bool MemoChanged(const MemoState& memo) {
  return memo.Readable && !memo.ReadOnly && memo.Text != memo.FileText;
}

bool SaveMemo(MemoState& memo, Platform& platform, LangState& lang) {
  if (memo.ReadOnly || !memo.Readable) return false;
  std::string bytes;
  if (!EncodeMemo(memo, platform, lang, bytes)) return false;
  if (const FileWriteResult written = WriteFileSafely(memo.File, bytes); !written.Ok()) {
    platform.MessageBox(Translate(lang, kMemoNotSavedText) + "\n" + FaultText(lang, written.Fault) +
                            memo.File.string() + "\n" + written.Reason,
                        Translate(lang, kMemoTitle), MsgButtons::kOk);
    return false;
  }
  memo.FileText = memo.Text;
  memo.Notice.clear();
  memo.SaveEnabled = false;
  return true;
}

bool MemoMayGo(MemoState& memo, Platform& platform, LangState& lang) {
  if (!MemoChanged(memo)) return true;
  const MsgResult answer =
      platform.MessageBox(Translate(lang, kMemoChangedText) + "\n" + memo.File.string(),
                          Translate(lang, kMemoTitle), MsgButtons::kYesNoCancel);
  if (answer == MsgResult::kYes) return SaveMemo(memo, platform, lang);
  if (answer != MsgResult::kNo) return false;
  // Let go: should the window come back, it shows the file's text.
  memo.Text = memo.FileText;
  memo.SaveEnabled = false;
  return true;
}

bool MemoEraseClicked(MemoState& memo, Platform& platform, LangState& lang) {
  if (!MemoMayGo(memo, platform, lang)) return false;
  setMemoRW(memo);
  return true;
}

void SetMemoReadOnly(MemoState& memo) {
  memo.ReadOnly = true;
  memo.SaveEnabled = false;
}

void setMemoRW(MemoState& memo) {
  memo.ReadOnly = false;
  memo.SaveEnabled = memo.Readable;
}

void MemoFontSwitch(MemoState& memo) {
  memo.FontSize = memo.FontSize >= 10 ? kMemoSmallFont : kMemoLargeFont;
}

}  // namespace plandra
