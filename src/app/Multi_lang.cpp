#include "app/Multi_lang.h"

#include "figure/PDtype05.h"

namespace plandra {

std::string Translate(LangState& /*lang*/, std::string_view text) {
  return std::string(text);
}

std::string KindDisplayName(LangState& lang, std::string_view code) {
  std::string_view name = KindJapaneseName(TrimRight(code));
  if (name.empty()) return {};
  return Translate(lang, name);
}

}  // namespace plandra
