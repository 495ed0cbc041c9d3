#include "core/io/FileFaultText.h"

#include <string_view>

namespace plandra {

std::string FaultText(LangState& lang, FileFault fault) {
  std::string_view key;
  switch (fault) {
    case FileFault::kNoSpace: key = "ディスクの空きが足りません。"; break;
    case FileFault::kReadOnlyPlace: key = "読み取り専用の場所なので,書き込めません。"; break;
    case FileFault::kPermission: key = "このファイルかフォルダを使う権限がありません。"; break;
    case FileFault::kNotFound: key = "ファイルかフォルダが見つかりません。"; break;
    case FileFault::kNotRegular:
      key = "普通のファイルではありません(フォルダ,パイプ,装置など)。";
      break;
    case FileFault::kNone:
    case FileFault::kOther: return {};
  }
  return Translate(lang, key) + "\n";
}

}  // namespace plandra
