// Where the program keeps its settings, dictionaries, temporary and record
// files, and where the files that ship with it are found.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/FileWriter.h"

namespace plandra {

// Looks up one environment variable; injectable so tests can set their own.
using EnvLookup = std::function<std::optional<std::string>(std::string_view name)>;

EnvLookup ProcessEnvironment();

// The running executable (/proc/self/exe); empty when it cannot be told.
std::filesystem::path CurrentExecutablePath();

struct ProgramFolder {
  std::filesystem::path Folder;             // settings, dictionaries, temporary files
  std::filesystem::path ExeFolder;          // folder of the executable
  std::filesystem::path InstallDataFolder;  // <prefix>/share/plandra beside bin/
  // The temporary files this program wrote there, removed when it ends.
  std::vector<FileStamp> MadeTemporaries;
};

// Remembers a temporary file just written (a later write replaces the stamp).
void NoteTemporaryFile(ProgramFolder& folders, const std::filesystem::path& file);
// Removes the temporary files this program wrote, those still as it wrote them.
void RemoveTemporaryFiles(ProgramFolder& folders);

// $PLANDRA_HOME when set; else the executable's folder when it is writable and
// already holds config_zevav.txt (a portable copy); else the per-user data
// folder, created here when missing.
ProgramFolder LocateProgramFolder(const std::filesystem::path& exePath, const EnvLookup& env);

// A shipped file or folder (sample.pd4, the HTML template): the program folder
// first, then beside the executable, then the install data folder.
std::optional<std::filesystem::path> FindShippedFile(const ProgramFolder& folders,
                                                     const std::filesystem::path& name);

}  // namespace plandra
