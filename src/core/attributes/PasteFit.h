// What a field keeps of a paste too long for the room its text has in the
// figure file: the pasted run, shortened a character at a time until the
// field's text fits. A key typed into a full field is refused whole instead.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace plandra {

struct FittedPaste {
  std::string Text;        // the field's text with what fits of the paste
  size_t CursorBytes = 0;  // the cursor, after the kept run, in bytes of Text
};

// before is the field's text, after what the edit would make it (UTF-8);
// holds says whether a text fits. Nothing when after fits already, when the
// edit inserted fewer than two characters, or when not even the first fits.
std::optional<FittedPaste> FitPaste(std::string_view before, std::string_view after,
                                    const std::function<bool(const std::string&)>& holds);

}  // namespace plandra
