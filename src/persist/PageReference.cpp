#include "persist/PageReference.h"

#include <algorithm>
#include <cstdio>

#include "figure/PDtype05.h"

namespace plandra {
namespace {

bool IsControl(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return byte < 0x20 || byte == 0x7f;
}

}  // namespace

std::string PercentEncodedReference(std::string_view relativePath) {
  std::string reference = "./";
  for (char c : relativePath) {
    const bool alnum = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (alnum || c == '-' || c == '.' || c == '_' || c == '~' || c == '/') {
      reference += c;
    } else {
      char code[4];
      std::snprintf(code, sizeof code, "%%%02X", static_cast<unsigned char>(c));
      reference += code;
    }
  }
  return reference;
}

std::optional<std::string> PageSafeReference(std::string_view name) {
  std::string path(name);
  std::replace(path.begin(), path.end(), '\\', '/');
  if (path.empty() || path.front() == '/' || path.back() == '/') return std::nullopt;
  if (path.find(':') != std::string::npos) return std::nullopt;
  if (std::any_of(path.begin(), path.end(), IsControl)) return std::nullopt;
  for (size_t at = 0; at <= path.size();) {
    const size_t end = std::min(path.find('/', at), path.size());
    if (path.compare(at, end - at, "..") == 0) return std::nullopt;
    at = end + 1;
  }
  return PercentEncodedReference(path);
}

bool IsWebAddress(std::string_view url) {
  const std::string lower = LowerAscii(url.substr(0, 8));
  return lower.starts_with("http://") || lower.starts_with("https://");
}

}  // namespace plandra
