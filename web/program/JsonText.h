// JSON texts for the page: the models the page shows travel as JSON, built
// here without a library the WebAssembly build would have to carry.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

// text as a JSON string, quotes included; text is UTF-8.
std::string JsonString(std::string_view text);
std::string JsonBool(bool value);

}  // namespace plandra
