#include "core/attributes/PasteFit.h"

namespace plandra {
namespace {

bool IsContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

size_t CharacterCount(std::string_view text) {
  size_t n = 0;
  for (char c : text) n += IsContinuation(c) ? 0 : 1;
  return n;
}

// Where the last character of text starts.
size_t LastCharacterStart(std::string_view text) {
  size_t at = text.size() - 1;
  while (at > 0 && IsContinuation(text[at])) --at;
  return at;
}

}  // namespace

std::optional<FittedPaste> FitPaste(std::string_view before, std::string_view after,
                                    const std::function<bool(const std::string&)>& holds) {
  if (holds(std::string(after))) return std::nullopt;
  // The inserted run: what lies between the parts the edit left as they were,
  // cut at whole characters.
  size_t head = 0;
  while (head < before.size() && head < after.size() && before[head] == after[head]) ++head;
  while (head > 0 && head < after.size() && IsContinuation(after[head])) --head;
  size_t tail = 0;
  while (tail < before.size() - head && tail < after.size() - head &&
         before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) {
    ++tail;
  }
  while (tail > 0 && IsContinuation(after[after.size() - tail])) --tail;
  std::string_view inserted = after.substr(head, after.size() - head - tail);
  if (CharacterCount(inserted) < 2) return std::nullopt;  // a key typed
  const std::string_view keptHead = after.substr(0, head);
  const std::string_view keptTail = after.substr(after.size() - tail);
  while (!inserted.empty()) {
    inserted = inserted.substr(0, LastCharacterStart(inserted));
    if (inserted.empty()) break;
    std::string text = std::string(keptHead).append(inserted).append(keptTail);
    if (holds(text)) return FittedPaste{std::move(text), head + inserted.size()};
  }
  return std::nullopt;
}

}  // namespace plandra
