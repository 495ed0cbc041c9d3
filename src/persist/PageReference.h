// How a published page names the files beside it, and which addresses it may
// open. The page's writer and the page's own viewer share these rules.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace plandra {

// A relative path ("/" between folders) as the page refers to it: "./" and
// every byte but letters, digits, "-", ".", "_", "~" and "/" percent-encoded.
// So a name is never read as a scheme ("javascript:"), a fragment or a
// query, and needs no HTML escape anywhere.
std::string PercentEncodedReference(std::string_view relativePath);

// A file an event point names, as the page may refer to it: only a plain
// name inside the page's folder ("\" and "/" both separate). Nothing for an
// absolute path, a drive or scheme (any ":"), a ".." or a control character.
std::optional<std::string> PageSafeReference(std::string_view name);

// An address a page may open or post to: http or https, in any case.
// Any other scheme ("javascript:") would run in the page.
bool IsWebAddress(std::string_view url);

}  // namespace plandra
