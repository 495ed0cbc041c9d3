#include "files/ProgramFolder.h"

#include <unistd.h>
#if !defined(__wasi__)
#include <pwd.h>
#endif

#include <cstdlib>

#include "files/PDio05_settings.h"

namespace plandra {

namespace {

std::optional<std::string> NonEmpty(const EnvLookup& env, std::string_view name) {
  std::optional<std::string> value = env(name);
  if (value && value->empty()) return std::nullopt;
  return value;
}

std::filesystem::path UserDatabaseHome() {
#if defined(__wasi__)
  return {};  // WASI has no users
#else
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : std::filesystem::path();
#endif
}

std::filesystem::path HomeFolder(const EnvLookup& env) {
  if (auto home = NonEmpty(env, "HOME")) return *home;
  return UserDatabaseHome();
}

// A TMPDIR that names no folder gives the usual one, whose use then reports
// its own failure.
std::filesystem::path TemporaryFolder() {
  std::error_code ec;
  std::filesystem::path folder = std::filesystem::temp_directory_path(ec);
  return ec ? std::filesystem::path("/tmp") : folder;
}

std::filesystem::path UserDataFolder(const EnvLookup& env) {
  auto xdg = NonEmpty(env, "XDG_DATA_HOME");
  if (xdg && std::filesystem::path(*xdg).is_absolute()) {
    return std::filesystem::path(*xdg) / "plandra";
  }
  std::filesystem::path home = HomeFolder(env);
  if (home.empty()) return TemporaryFolder() / "plandra";
  return home / ".local" / "share" / "plandra";
}

bool IsPortableCopy(const std::filesystem::path& exeFolder) {
  if (exeFolder.empty()) return false;
  std::error_code ec;
  return ::access(exeFolder.c_str(), W_OK) == 0 &&
         std::filesystem::is_regular_file(exeFolder / kSettingsFileName, ec);
}

}  // namespace

EnvLookup ProcessEnvironment() {
  return [](std::string_view name) -> std::optional<std::string> {
    const char* value = std::getenv(std::string(name).c_str());
    if (!value) return std::nullopt;
    return std::string(value);
  };
}

std::filesystem::path CurrentExecutablePath() {
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  return ec ? std::filesystem::path{} : exe;
}

ProgramFolder LocateProgramFolder(const std::filesystem::path& exePath, const EnvLookup& env) {
  ProgramFolder folders;
  folders.ExeFolder = exePath.parent_path();
  if (!folders.ExeFolder.empty()) {
    folders.InstallDataFolder = folders.ExeFolder.parent_path() / "share" / "plandra";
  }
  if (auto home = NonEmpty(env, "PLANDRA_HOME")) {
    folders.Folder = *home;
  } else if (IsPortableCopy(folders.ExeFolder)) {
    folders.Folder = folders.ExeFolder;
  } else {
    folders.Folder = UserDataFolder(env);
  }
  // A folder that cannot be made shows up later, when a file written there
  // fails and says so.
  std::error_code ec;
  std::filesystem::create_directories(folders.Folder, ec);
  return folders;
}

std::optional<std::filesystem::path> FindShippedFile(const ProgramFolder& folders,
                                                     const std::filesystem::path& name) {
  for (const std::filesystem::path* base :
       {&folders.Folder, &folders.ExeFolder, &folders.InstallDataFolder}) {
    if (base->empty()) continue;
    std::error_code ec;
    std::filesystem::path candidate = *base / name;
    if (std::filesystem::exists(candidate, ec)) return candidate;
  }
  return std::nullopt;
}

void NoteTemporaryFile(ProgramFolder& folders, const std::filesystem::path& file) {
  std::erase_if(folders.MadeTemporaries,
                [&file](const FileStamp& made) { return made.Path == file; });
  if (std::optional<FileStamp> stamp = StampOf(file)) folders.MadeTemporaries.push_back(*stamp);
}

void RemoveTemporaryFiles(ProgramFolder& folders) {
  for (const FileStamp& made : folders.MadeTemporaries) RemoveIfUnchanged(made);
  folders.MadeTemporaries.clear();
}

}  // namespace plandra
