#include "app/FigFileIO.h"

#include "app/Program.h"
#include "app/TranslatedText.h"
#include "numbers/Labels05.h"

namespace plandra {

constexpr std::string_view kLostCharactersMessage =
    "名前に保存できない文字があったので,「?」に置き換えて保存しました。";

void ShowFigFileResult(FigFileResult& result, Platform& platform, LangState& lang) {
  if (result.TriedOlderLayout) platform.Beep();
  if (result.Status == FigFileStatus::kOk) return;
  platform.Beep();
  if (result.MessageKey.empty()) return;
  // A read-only file is told here; other failures are told by the command
  // with the message, now in the user's language.
  std::string text = Translate(lang, result.MessageKey);
  if (result.Status == FigFileStatus::kReadOnly) {
    platform.MessageBox(text, kProgramTitle, MsgButtons::kOk);
  }
  result.Message = result.File.string() + ": " + text;
}

FigFileResult FigFileCoreShown(Figure& fig, const std::filesystem::path& file, char mode,
                               Platform& platform, LangState& lang) {
  FigFileResult result = FigFileCore(fig, file, mode);
  if (IsFigFileMode(mode)) ShowFigFileResult(result, platform, lang);
  return result;
}

FigFileResult FigFileIO(Program& program, char mode) {
  if (!IsFigFileMode(mode)) {
    FigFileResult refused;
    refused.Status = FigFileStatus::kFailed;
    return refused;
  }
  if (mode == 'W') AutoLabels(program.Fig, TranslatedText(program.Lang));
  FigFileResult result =
      FigFileCoreShown(program.Fig, program.CurFileName, mode, *program.Host, program.Lang);
  if (mode == 'W' && result.Status == FigFileStatus::kOk && result.LostCharacters) {
    program.Host->MessageBox(Translate(program.Lang, kLostCharactersMessage),
                             Translate(program.Lang, kProgramTitle), MsgButtons::kOk);
  }
  if (mode != 'W') AutoLabels(program.Fig, TranslatedText(program.Lang));
  return result;
}

}  // namespace plandra
