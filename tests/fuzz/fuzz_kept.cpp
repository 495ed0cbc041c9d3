// Reads arbitrary bytes as the figure a browser kept from the last visit,
// answers Yes to its question, and then redoes and undoes what it holds: the
// browser's storage is the user's to tamper with, so no keep may crash the
// program or leave it unable to go on.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/KeptFigure.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "core/construct/PDconst01.h"
#include "figure/PDvar05.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plandra;
  SilentPlatform host;  // answers Yes to the question
  Program p;
  p.Host = &host;
  ResetFigure(p.Fig, 200);
  if (!OfferKeptFigure(p, std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
  for (int i = 0; i < 3 && CanRedo(p); ++i) RedoUndoneStep(p);
  UndoLastConstruction(p);
  KeptFigureText(p);
  return 0;
}
