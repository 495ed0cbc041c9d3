// The settings commands as the program runs them: the settings and data-folder
// files of the program folder, with a message when one cannot be read or
// written.
#pragma once

#include <filesystem>

#include "core/Platform.h"
#include "core/language/Multi_lang.h"
#include "files/PDio05_settings.h"
#include "files/ProgramFolder.h"

namespace plandra {

// The translated text of the failure, the file and the system's reason, in a
// box titled "設定".
void ShowSettingsFailure(const SettingsFileResult& failure, Platform& platform, LangState& lang);

// LoadSettingsFile; false when an existing file could not be read (the user is
// told; the defaults stay).
bool mnuOFileLoad(Settings& settings, const std::filesystem::path& programFolder,
                  Platform& platform, LangState& lang);

// SaveSettingsFile; false (and a message) on failure.
bool mnuOFileSave(const Settings& settings, const std::filesystem::path& programFolder,
                  Platform& platform, LangState& lang);

// SaveDataPathFile; false (and a message) on failure.
bool mnuFDataFolderStandardSet(const ProgramFolder& program,
                               const std::filesystem::path& currentFolder, Platform& platform,
                               LangState& lang);

}  // namespace plandra
