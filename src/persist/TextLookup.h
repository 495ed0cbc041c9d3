// The words that the number labels show, looked up by their Japanese text.
// The layers below the program never translate: the caller hands them a
// lookup backed by its language table.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

class TextLookup {
 public:
  virtual ~TextLookup() = default;
  // The text shown for a Japanese text.
  virtual std::string Text(std::string_view japanese) const = 0;
};

// Shows every text as its Japanese key.
class PlainTextLookup final : public TextLookup {
 public:
  std::string Text(std::string_view japanese) const override { return std::string(japanese); }
};

}  // namespace plandra
