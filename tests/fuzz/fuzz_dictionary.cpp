// Loads a user dictionary from arbitrary bytes; every entry must be found
// again by its key, with the value of the key's first entry.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "core/language/Multi_lang.h"
#include "figure/PDtype05.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plandra;
  LangState lang;  // no program folder: nothing is read or written
  lang.Language = "Manual";
  lang.DicLoaded = true;
  LoadDictionaryText(lang, std::string_view(reinterpret_cast<const char*>(data), size));
  Check(lang.DicKeys.size() == lang.DicValues.size());
  for (size_t i = 1; i < lang.DicKeys.size(); ++i) {
    const std::string& key = lang.DicKeys[i];
    Check(!key.empty() && Trim(key) == key && !lang.DicValues[i].empty());
    size_t first = 1;
    while (lang.DicKeys[first] != key) ++first;
    Check(Translate(lang, key) == lang.DicValues[first]);
  }
  return 0;
}
