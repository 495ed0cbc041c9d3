// The one writer every file of the program goes through.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <string>

#include "figure/PDvar05.h"
#include "files/FileWriter.h"
#include "files/PDio05.h"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

namespace fs = std::filesystem;
using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

struct stat StatOf(const fs::path& file) {
  struct stat info {};
  EXPECT_EQ(::stat(file.c_str(), &info), 0) << file;
  return info;
}

size_t FilesIn(const fs::path& folder) {
  return static_cast<size_t>(std::distance(fs::directory_iterator(folder), {}));
}

TEST(FileWriter, KeepsModeOwnerLinksAndNamesAndRefusesWhatItMayNotReplace) {
  TempDir dir;
  std::string error;

  // A private file stays private.
  const fs::path diary = dir / "diary.txt";
  WriteFileBytes(diary, "old");
  ::chmod(diary.c_str(), 0600);
  EXPECT_TRUE(ReplaceFileContents(diary, "new", error)) << error;
  EXPECT_EQ(ReadFileBytes(diary), "new");
  EXPECT_EQ(StatOf(diary).st_mode & 07777, 0600u);

  // Owner and group stay (only root can give a file to someone else).
  if (::geteuid() == 0) {
    ASSERT_EQ(::chown(diary.c_str(), 4321, 4322), 0);
    EXPECT_TRUE(ReplaceFileContents(diary, "owned", error)) << error;
    EXPECT_EQ(StatOf(diary).st_uid, 4321u);
    EXPECT_EQ(StatOf(diary).st_gid, 4322u);
  }

  // A link stays a link, and the file it names gets the bytes.
  const fs::path shared = dir / "shared.txt";
  WriteFileBytes(shared, "shared");
  fs::create_symlink("shared.txt", dir / "link.txt");
  EXPECT_TRUE(ReplaceFileContents(dir / "link.txt", "through the link", error)) << error;
  EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
  EXPECT_EQ(ReadFileBytes(shared), "through the link");

  // Another name of the same file sees the new bytes too.
  fs::create_hard_link(shared, dir / "other name.txt");
  EXPECT_TRUE(ReplaceFileContents(shared, "both names", error)) << error;
  EXPECT_EQ(ReadFileBytes(dir / "other name.txt"), "both names");

  // A name as long as the system allows still saves, figure and text alike.
  const fs::path longText = dir / (std::string(251, 'm') + ".txt");
  EXPECT_TRUE(ReplaceFileContents(longText, "long", error)) << error;
  EXPECT_EQ(ReadFileBytes(longText), "long");
  Figure fig;
  ResetFigure(fig, 20);
  const fs::path longFigure = dir / (std::string(251, 'f') + ".pd4");
  EXPECT_EQ(FigFileCore(fig, longFigure, 'W').Status, FigFileStatus::kOk);
  EXPECT_TRUE(fs::exists(longFigure));

  // A read-only file is refused and kept, even for root; appends too.
  const fs::path locked = dir / "locked.txt";
  WriteFileBytes(locked, "keep me");
  ::chmod(locked.c_str(), 0444);
  EXPECT_FALSE(ReplaceFileContents(locked, "lost", error));
  EXPECT_FALSE(error.empty());
  EXPECT_FALSE(AppendToFile(locked, "lost"));
  EXPECT_EQ(ReadFileBytes(locked), "keep me");

  // A pipe is no file to replace; it stays a pipe.
  const fs::path pipe = dir / "pipe.txt";
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);
  EXPECT_FALSE(ReplaceFileContents(pipe, "x", error));
  EXPECT_TRUE(fs::is_fifo(pipe));

  // A new file gets the mode the umask gives; appends go through links.
  const mode_t mask = ::umask(022);
  ASSERT_TRUE(AppendToFile(dir / "log.txt", "1\r\n"));
  ::umask(mask);
  EXPECT_EQ(StatOf(dir / "log.txt").st_mode & 07777, 0644u);
  fs::create_symlink("log.txt", dir / "log link.txt");
  ASSERT_TRUE(AppendToFile(dir / "log link.txt", "2\r\n"));
  EXPECT_TRUE(fs::is_symlink(dir / "log link.txt"));
  EXPECT_EQ(ReadFileBytes(dir / "log.txt"), "1\r\n2\r\n");

  // No temporary file is left behind.
  EXPECT_EQ(FilesIn(dir.Path()), 10u);
}

// Replaces file in a child whose files may not grow past limit bytes, so
// that the write fails partway; true when the writer reported the failure.
bool ReplaceFailsPastLimit(const fs::path& file, const std::string& bytes, rlim_t limit) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);  // the write fails with EFBIG instead
    const rlimit small{limit, limit};
    std::string error;
    const bool failed =
        ::setrlimit(RLIMIT_FSIZE, &small) == 0 && !ReplaceFileContents(file, bytes, error);
    ::_exit(failed ? 0 : 1);
  }
  int status = -1;
  return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
         WEXITSTATUS(status) == 0;
}

// A replacement that cannot be written whole leaves the old file as it was
// and nothing beside it; one that succeeds is a new file under the name,
// except where other names share the file, which keeps its inode.
TEST(FileWriter, AReplaceThatFailsPartwayLeavesTheOldFileWhole) {
  TempDir dir;
  const fs::path figure = dir / "figure.pd4";
  const std::string old(3000, 'o');
  WriteFileBytes(figure, old);
  const ino_t oldInode = StatOf(figure).st_ino;
  const std::string larger(64 * 1024, 'n');
  EXPECT_TRUE(ReplaceFailsPastLimit(figure, larger, 8192));
  EXPECT_EQ(ReadFileBytes(figure), old);
  EXPECT_EQ(StatOf(figure).st_ino, oldInode);
  EXPECT_EQ(FilesIn(dir.Path()), 1u) << "a temporary file was left";

  std::string error;
  ASSERT_TRUE(ReplaceFileContents(figure, larger, error)) << error;
  EXPECT_EQ(ReadFileBytes(figure), larger);
  EXPECT_NE(StatOf(figure).st_ino, oldInode);

  const fs::path shared = dir / "shared.pd4";
  fs::create_hard_link(figure, shared);
  const ino_t sharedInode = StatOf(figure).st_ino;
  ASSERT_TRUE(ReplaceFileContents(figure, old, error)) << error;
  EXPECT_EQ(StatOf(figure).st_ino, sharedInode);
  EXPECT_EQ(ReadFileBytes(shared), old);
  EXPECT_EQ(FilesIn(dir.Path()), 2u);
}

}  // namespace
}  // namespace plandra
