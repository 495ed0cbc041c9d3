#include "core/dialogs/AboutDialog.h"

#include "core/Program.h"
#include "core/language/Multi_lang.h"

namespace plandra {

AboutDialogTexts AboutTexts(LangState& lang) {
  const std::string title(kProgramTitle);
  return {Translate(lang, title + "のﾊﾞｰｼﾞｮﾝ情報"), Translate(lang, title),
          std::string("ver.") + PLANDRA_VERSION, Translate(lang, "OK"),
          Translate(lang, "システム情報")};
}

}  // namespace plandra
