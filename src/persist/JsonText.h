// JSON texts for the pages: the viewer's words and links, and the browser
// program's models, built here without a library the WebAssembly builds
// would have to carry.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

// text as a JSON string, quotes included; text is UTF-8. '<', '>' and '&' are
// escaped too, so the string may stand inside a page's script element.
std::string JsonString(std::string_view text);
std::string JsonBool(bool value);

}  // namespace plandra
