#include "core/language/TranslatedText.h"

namespace plandra {

std::string TranslatedText::Text(std::string_view japanese) const {
  return Translate(lang_, japanese);
}

}  // namespace plandra
