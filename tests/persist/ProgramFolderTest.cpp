#include <gtest/gtest.h>

#include <map>
#include <string>

#include "files/ProgramFolder.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

using test::TempDir;
using test::WriteFileBytes;

EnvLookup FakeEnvironment(std::map<std::string, std::string> values) {
  return [values](std::string_view name) -> std::optional<std::string> {
    auto found = values.find(std::string(name));
    if (found == values.end()) return std::nullopt;
    return found->second;
  };
}

TEST(ProgramFolder, HomeVariableThenPortableCopyThenUserFolder) {
  TempDir dir;
  std::filesystem::path bin = dir / "bin";
  std::filesystem::create_directories(bin);
  std::filesystem::path exe = bin / "plandra";

  ProgramFolder chosen = LocateProgramFolder(
      exe,
      FakeEnvironment({{"PLANDRA_HOME", (dir / "h").string()}, {"HOME", (dir / "u").string()}}));
  EXPECT_EQ(chosen.Folder, dir / "h");
  EXPECT_TRUE(std::filesystem::is_directory(dir / "h"));
  EXPECT_EQ(chosen.ExeFolder, bin);
  EXPECT_EQ(chosen.InstallDataFolder, dir / "share" / "plandra");

  // Without a settings file beside it, the executable's folder is not used.
  chosen = LocateProgramFolder(
      exe, FakeEnvironment({{"PLANDRA_HOME", ""}, {"HOME", (dir / "u").string()}}));
  EXPECT_EQ(chosen.Folder, dir / "u" / ".local" / "share" / "plandra");
  EXPECT_TRUE(std::filesystem::is_directory(chosen.Folder));

  chosen = LocateProgramFolder(exe, FakeEnvironment({{"XDG_DATA_HOME", (dir / "x").string()},
                                                     {"HOME", (dir / "u").string()}}));
  EXPECT_EQ(chosen.Folder, dir / "x" / "plandra");

  WriteFileBytes(bin / "config_zevav.txt", "delta = 3 \r\n");
  chosen = LocateProgramFolder(exe, FakeEnvironment({{"HOME", (dir / "u").string()}}));
  EXPECT_EQ(chosen.Folder, bin);
}

TEST(ProgramFolder, ShippedFilesAreFoundInOrder) {
  TempDir dir;
  ProgramFolder folders;
  folders.Folder = dir / "home";
  folders.ExeFolder = dir / "bin";
  folders.InstallDataFolder = dir / "share";
  for (const auto& f : {folders.Folder, folders.ExeFolder, folders.InstallDataFolder}) {
    std::filesystem::create_directories(f);
  }
  EXPECT_FALSE(FindShippedFile(folders, "pd_html_org.htm"));
  WriteFileBytes(folders.InstallDataFolder / "pd_html_org.htm", "x");
  EXPECT_EQ(FindShippedFile(folders, "pd_html_org.htm"),
            folders.InstallDataFolder / "pd_html_org.htm");
  std::filesystem::create_directories(folders.ExeFolder / "sample.pd4");
  std::filesystem::create_directories(folders.InstallDataFolder / "sample.pd4");
  EXPECT_EQ(FindShippedFile(folders, "sample.pd4"), folders.ExeFolder / "sample.pd4");
  WriteFileBytes(folders.Folder / "pd_html_org.htm", "mine");
  EXPECT_EQ(FindShippedFile(folders, "pd_html_org.htm"), folders.Folder / "pd_html_org.htm");

  EXPECT_FALSE(CurrentExecutablePath().empty());
}

}  // namespace
}  // namespace plandra
