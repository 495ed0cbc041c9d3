#include "core/io/FigFileIO.h"

#include "core/Program.h"
#include "core/language/TranslatedText.h"
#include "labels/Labels05.h"

namespace plandra {

constexpr std::string_view kLostCharactersMessage =
    "名前に保存できない文字があったので,「?」に置き換えて保存しました。";

constexpr std::string_view kCutTextsMessage =
    "次の名前や式は長すぎるので,入る長さに切って読み込みました。このまま保存すると,切った形で"
    "保存されます。";
// A list longer than a screen helps nobody: the rest are counted.
constexpr size_t kCutTextsListed = 20;

void TellCutTexts(Program& program, const FigFileResult& result) {
  if (result.Status != FigFileStatus::kOk || result.CutTexts.empty()) return;
  std::string text = Translate(program.Lang, kCutTextsMessage) + "\n";
  for (size_t k = 0; k < result.CutTexts.size() && k < kCutTextsListed; ++k) {
    text += "\n" + result.CutTexts[k];
  }
  if (result.CutTexts.size() > kCutTextsListed) {
    text += "\n… (+" + std::to_string(result.CutTexts.size() - kCutTextsListed) + ")";
  }
  program.Host->MessageBox(text, Translate(program.Lang, kProgramTitle), MsgButtons::kOk);
}

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
