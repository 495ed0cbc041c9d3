// The text lookup of the program: every word through the language table.
#pragma once

#include "core/language/Multi_lang.h"
#include "persist/TextLookup.h"

namespace plandra {

class TranslatedText final : public TextLookup {
 public:
  explicit TranslatedText(LangState& lang) : lang_(lang) {}
  // Translating may load the dictionary and note missing texts in the
  // language state; the lookup itself holds nothing.
  std::string Text(std::string_view japanese) const override;

 private:
  LangState& lang_;
};

}  // namespace plandra
