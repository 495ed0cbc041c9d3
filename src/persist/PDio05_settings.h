// The option settings and their file config_zevav.txt in the program folder,
// and the data folders of the load and merge dialogs (datapath.txt). Both are
// written in UTF-8 with CR LF; lines read back that are not UTF-8 are taken
// as code page 932, so files carried over from Windows still read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

namespace plandra {

struct ProgramFolder;

constexpr std::string_view kSettingsFileName = "config_zevav.txt";
constexpr std::string_view kDataPathFileName = "datapath.txt";
constexpr std::string_view kSampleFolderName = "sample.pd4";

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

// The version written into the file, from the build's version.
Settings ProgramSettings();

// Every value that has a default gets it; the window size, menu mode,
// language and shift-deformation kind are kept.
void mnuOFileInit(Settings& settings);

// What reading or writing a settings or data-folder file reports; the
// caller tells the user.
struct SettingsFileResult {
  bool Ok = true;
  // The Japanese text to translate and show when it failed.
  std::string MessageKey;
  std::filesystem::path File;
  std::string Reason;  // the system's words, not translated
};

// Init, the built-in server address, then the file's lines when the file
// exists, then the browser switch rule. Not Ok when an existing file could
// not be read; the defaults stay.
SettingsFileResult LoadSettingsFile(Settings& settings, const std::filesystem::path& programFolder);

// Writes all lines, replacing the file.
SettingsFileResult SaveSettingsFile(const Settings& settings,
                                    const std::filesystem::path& programFolder);

// The file's text, CR LF line ends.
std::string SettingsFileText(const Settings& settings);

// Applies every line of a settings text; junk lines are skipped.
void ReadSettingsText(Settings& settings, std::string_view text);

// Applies one line; false when it names no readable key or holds no usable value.
bool ReadSettingsLine(Settings& settings, std::string_view line);

// After loading, a browser switch that is not 0 becomes 3.
void ApplyBrowserSwitchRule(Settings& settings);

// The folders the load and merge dialogs open in.
struct DataFolders {
  std::filesystem::path DataFolder;
  std::filesystem::path LoadInitialFolder;
  std::filesystem::path MergeInitialFolder;
  // Where a figure that has never been saved is first saved: the user's own
  // documents, not the shipped samples.
  std::filesystem::path DocumentsFolder;
};

// datapath.txt's first field when the file exists, else the sample folder.
void mnuFDataFolderGet(DataFolders& folders, const ProgramFolder& program);
void mnuFDataFolderSample(DataFolders& folders, const ProgramFolder& program);
// Stores currentFolder in datapath.txt, replacing the file.
SettingsFileResult SaveDataPathFile(const ProgramFolder& program,
                                    const std::filesystem::path& currentFolder);
void Set_MergeDataFolder(DataFolders& folders, const ProgramFolder& program);

// The first field of a datapath.txt text: up to the first comma or line end,
// or the text between quotes when it starts with one.
std::string DataPathFirstField(std::string_view text);

}  // namespace plandra
