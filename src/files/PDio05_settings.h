// The option settings and their file config_zevav.txt in the program folder,
// and the data folders of the load and merge dialogs (datapath.txt). Both are
// written in UTF-8 with CR LF; lines read back that are not UTF-8 are taken
// as code page 932, so files carried over from Windows still read.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "persist/FileFault.h"
#include "persist/Settings.h"

namespace plandra {

struct ProgramFolder;

constexpr std::string_view kSettingsFileName = "config_zevav.txt";
constexpr std::string_view kDataPathFileName = "datapath.txt";
constexpr std::string_view kSampleFolderName = "sample.pd4";

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
  FileFault Fault = FileFault::kNone;
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
