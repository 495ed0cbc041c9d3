// Reads a settings file from arbitrary bytes; the values must stay in their
// ranges and the file written from them must read back to the same numbers.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "files/PDio05_settings.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace plandra;
  Settings settings;
  ReadSettingsText(settings, std::string_view(reinterpret_cast<const char*>(data), size));
  ApplyBrowserSwitchRule(settings);
  Check(settings.ColorStrength >= 1 && settings.ColorStrength <= 255);
  Check(settings.KetaDecimal >= 0 && settings.KetaDecimal <= 20);
  Check(settings.DrawWidth >= 1 && settings.DrawWidth <= 10);
  Check(settings.RedrawSlow > 0);
  Check(settings.FontSize >= 1 && settings.FontSize <= 500);

  Settings again;
  ReadSettingsText(again, SettingsFileText(settings));
  Check(again.Delta == settings.Delta && again.DeltaVar == settings.DeltaVar);
  Check(again.ColorStrength == settings.ColorStrength && again.FontSize == settings.FontSize);
  Check(again.AxisColor == settings.AxisColor && again.BackColor == settings.BackColor);
  Check(again.StartWidth == settings.StartWidth && again.StartHeight == settings.StartHeight);
  Check(again.RedrawSlow == settings.RedrawSlow && again.SDeformKind == settings.SDeformKind);
  return 0;
}
