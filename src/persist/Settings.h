// The program's settings as values; reading and writing them as a file is
// PDio05_settings, outside the model.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace plandra {

// The server that receives figures saved online unless the user names another.
constexpr std::string_view kBuiltInWWWurl = "http://localhost/asp/pd/pd_save.asp";

// A colour as the settings file stores it: red in the low byte.
constexpr int32_t Rgb(int red, int green, int blue) { return red | (green << 8) | (blue << 16); }

// The values of every line of the settings file, in the file's order. The
// first three and AutoRedraw are only written; the rest are read back.
struct Settings {
  std::string App = "plandra";
  int32_t AppMajor = 0;
  int32_t AppMinor = 0;
  int16_t Delta = 10;           // point deformation step in pixels
  double DeltaVar = 0.5;        // number variation step
  int16_t ColorStrength = 255;  // 1..255
  int16_t NotChrDisp = 0;       // flag: names and labels not shown
  int16_t AxisShow = 0;         // flag
  int32_t AxisColor = Rgb(170, 170, 170);
  int16_t DrawWidth = 1;  // 1..10
  float FontSize = 9;
  std::string FontName = "FixedSys";
  int16_t KetaDecimal = 2;  // 0..20
  int32_t BackColor = Rgb(255, 255, 255);
  int16_t BrowserSW = 2;
  std::string WWWurl = std::string(kBuiltInWWWurl);
  int16_t StartWidth = 0;
  int16_t StartHeight = 0;
  int16_t StartState = 0;
  int16_t MenuEasy = 0;  // flag
  bool AutoRedraw = true;
  int32_t RedrawSlow = 500;  // replay interval in ms, > 0
  std::string Language = "Japanese";
  int16_t SDeformKind = 0;
};

}  // namespace plandra
