// Translation of the program's texts; the Japanese text is the key.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

struct LangState {
  std::string Language = "Japanese";
};

std::string Translate(LangState& lang, std::string_view text);

// The translated display name of a kind code; empty for codes without one.
std::string KindDisplayName(LangState& lang, std::string_view code);

}  // namespace plandra
