#include "app/Program.h"
#include "numbers/Labels05.h"
#include "persist/PDio05.h"

namespace plandra {

constexpr std::string_view kLostCharactersMessage =
    "名前に保存できない文字があったので,「?」に置き換えて保存しました。";

FigFileResult FigFileIO(Program& program, char mode) {
  if (mode != 'W' && mode != 'R' && mode != 'A') return {FigFileStatus::kFailed, {}, false, false};
  if (mode == 'W') AutoLabels(program.Fig, program.Lang);
  FigFileResult result =
      FigFileCore(program.Fig, program.CurFileName, mode, *program.Host, program.Lang);
  if (mode == 'W' && result.Status == FigFileStatus::kOk && result.LostCharacters) {
    program.Host->MessageBox(Translate(program.Lang, kLostCharactersMessage),
                             Translate(program.Lang, kProgramTitle), MsgButtons::kOk);
  }
  if (mode != 'W') AutoLabels(program.Fig, program.Lang);
  return result;
}

}  // namespace plandra
