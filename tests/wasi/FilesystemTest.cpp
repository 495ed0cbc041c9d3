// The browser build's filesystem (web/wasi), compiled here as plandra_fs,
// answers as the desktop's std::filesystem does: the same query, written
// once, runs on both and the answers are compared.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "../../web/wasi/include/filesystem"
#include "support/TestHelpers.h"

namespace plandra {
namespace {

namespace real = std::filesystem;

const std::vector<std::string> kPaths = {"",
                                         ".",
                                         "..",
                                         "/",
                                         "//",
                                         "//x",
                                         "///x//y/",
                                         "a",
                                         "a/",
                                         "a/b/c.pd4",
                                         "/a/b/c.pd4",
                                         "a//b",
                                         "./a",
                                         "../a/./b/../c",
                                         "a/..",
                                         "a/../..",
                                         "/..",
                                         "/../a",
                                         "a/b/.",
                                         "a/b/..",
                                         "a/./",
                                         "../.",
                                         "../..//",
                                         "a.b.c.pd4",
                                         ".profile",
                                         "..x",
                                         "x.",
                                         "noext",
                                         "dir.d/file",
                                         "x/.hidden.pd4",
                                         "a b/c d.pd5",
                                         "図形/三角形.pd4"};

// A path operation's answer as text, whatever namespace the path is of.
template <typename Path>
std::string Text(const Path& p) {
  return "[" + p.string() + "]";
}

template <typename Path>
constexpr bool kReal = std::is_same_v<Path, real::path>;

std::string Code(const std::error_code& ec) { return ec ? std::to_string(ec.value()) : "ok"; }

// Every query starts with an error already set, so one that succeeds must
// clear it.
std::error_code Stale() { return std::make_error_code(std::errc::io_error); }

// Runs one query, written for either namespace, on the shim and on the real
// library; names what differs.
template <typename Query>
void ExpectSame(const std::string& what, Query query) {
  EXPECT_EQ(query(plandra_fs::path()), query(real::path())) << what;
}

// For the calls without a path to tell the namespace by.
void ExpectSameFolder(const std::string& what, real::path (*desktop)(std::error_code&),
                      plandra_fs::path (*shim)(std::error_code&)) {
  std::error_code expectedEc = Stale(), foundEc = Stale();
  const real::path expected = desktop(expectedEc);
  const plandra_fs::path found = shim(foundEc);
  EXPECT_EQ(Text(found) + Code(foundEc), Text(expected) + Code(expectedEc)) << what;
}

template <typename Query>
void ExpectSameOnEveryPath(Query query) {
  for (const std::string& text : kPaths) {
    ExpectSame("path \"" + text + "\"", [&](auto none) { return query(decltype(none)(text)); });
  }
}

template <typename Query>
void ExpectSameOnEveryPair(Query query) {
  for (const std::string& left : kPaths) {
    for (const std::string& right : kPaths) {
      ExpectSame("paths \"" + left + "\", \"" + right + "\"", [&](auto none) {
        using Path = decltype(none);
        return query(Path(left), Path(right));
      });
    }
  }
}

TEST(WasiFilesystem, TakesPathsApartAsTheDesktopDoes) {
  ExpectSameOnEveryPath([](const auto& p) {
    std::string elements;
    for (const auto& element : p) elements += Text(element);
    return Text(p.filename()) + Text(p.parent_path()) + Text(p.stem()) + Text(p.extension()) +
           Text(p.relative_path()) + Text(p.root_directory()) + "[" + p.generic_string() + "]" +
           Text(p.lexically_normal()) + elements + std::to_string(p.has_filename()) +
           std::to_string(p.is_absolute());
  });
}

TEST(WasiFilesystem, JoinsComparesAndRelatesPathsAsTheDesktopDoes) {
  ExpectSameOnEveryPair([](const auto& left, const auto& right) {
    // As text, as the program appends: the desktop's path += path overflows
    // its heap on "/" += "a/".
    auto joined = left;
    joined += right.string();
    const int order = left.compare(right);
    return Text(left / right) + Text(joined) + Text(left.lexically_relative(right)) +
           std::to_string((order > 0) - (order < 0)) + std::to_string(left == right) +
           std::to_string(left < right);
  });
  for (const char* replacement : {"", "pd4", ".pd5", ".", "a.b"}) {
    ExpectSameOnEveryPath([&](auto p) { return Text(p.replace_extension(replacement)); });
  }
}

// A folder of every kind of name, the current folder while a test runs.
class WasiFilesystemOnDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    before_ = real::current_path();
    real::current_path(temp_.Path());
    real::create_directories("d/e");
    test::WriteFileBytes("f.pd4", "x");
    test::WriteFileBytes("d/g.txt", "x");
    ::chmod("f.pd4", 0754);
    real::create_symlink("d", "link");
    real::create_symlink("../link/e", "d/up");
    real::create_symlink(temp_.Path() / "d", "absolute");
    real::create_symlink("missing", "dangling");
    real::create_symlink("loop", "loop");
  }
  void TearDown() override { real::current_path(before_); }

  // Every name of the folder and several that do not resolve, relative
  // and absolute.
  std::vector<std::string> Names() const {
    std::vector<std::string> names = {"",
                                      ".",
                                      "f.pd4",
                                      "d",
                                      "d/",
                                      "d/e/..",
                                      "link",
                                      "link/",
                                      "link/g.txt",
                                      "link/../f.pd4",
                                      "d/up",
                                      "d/up/",
                                      "d/up/../g.txt",
                                      "dangling",
                                      "dangling/x",
                                      "loop",
                                      "loop/x",
                                      "missing",
                                      "missing/a/..",
                                      "f.pd4/x",
                                      "f.pd4/",
                                      "d/./missing/../e",
                                      "absolute/e/../g.txt",
                                      "absolute/missing"};
    const std::size_t relative = names.size();
    for (std::size_t i = 1; i < relative; ++i) names.push_back((temp_.Path() / names[i]).string());
    return names;
  }

  template <typename Query>
  void ExpectSameOnEveryName(Query query) {
    for (const std::string& name : Names()) {
      ExpectSame("name \"" + name + "\"", [&](auto none) { return query(decltype(none)(name)); });
    }
  }

  test::TempDir temp_;
  real::path before_;
};

TEST_F(WasiFilesystemOnDisk, AnswersQueriesAsTheDesktopDoes) {
  ExpectSameOnEveryName([](const auto& p) {
    std::error_code ec = Stale(), linkEc = Stale(), existsEc = Stale();
    const auto s = status(p, ec);
    const auto l = symlink_status(p, linkEc);
    const bool found = exists(p, existsEc);
    return std::to_string(static_cast<int>(s.type())) + Code(ec) +
           std::to_string(static_cast<unsigned>(s.permissions())) +
           std::to_string(static_cast<int>(l.type())) + Code(linkEc) + std::to_string(found) +
           Code(existsEc) + std::to_string(is_symlink(l)) + std::to_string(exists(l));
  });
  ExpectSameOnEveryName([](const auto& p) {
    std::error_code fileEc = Stale(), folderEc = Stale(), linkEc = Stale();
    const bool file = is_regular_file(p, fileEc);
    const bool folder = is_directory(p, folderEc);
    const auto target = read_symlink(p, linkEc);
    return std::to_string(file) + Code(fileEc) + std::to_string(folder) + Code(folderEc) +
           Text(target) + Code(linkEc);
  });
  ExpectSameOnEveryName([](const auto& p) {
    std::error_code absoluteEc = Stale(), canonicalEc = Stale();
    const auto whole = absolute(p, absoluteEc);
    const auto resolved = weakly_canonical(p, canonicalEc);
    return Text(whole) + Code(absoluteEc) + Text(resolved) + Code(canonicalEc);
  });
}

TEST_F(WasiFilesystemOnDisk, TellsTheSameFileAndTheCurrentFolderAsTheDesktopDoes) {
  for (const std::string& other : Names()) {
    ExpectSameOnEveryName([&](const auto& p) {
      std::error_code ec = Stale();
      const bool same = equivalent(p, std::decay_t<decltype(p)>(other), ec);
      return std::to_string(same) + Code(ec) + " with " + other;
    });
  }
  ExpectSameFolder("current folder", real::current_path, plandra_fs::current_path);
}

TEST_F(WasiFilesystemOnDisk, ListsAFolderAsTheDesktopDoes) {
  ExpectSameOnEveryName([](const auto& p) {
    using Iterator = std::conditional_t<kReal<std::decay_t<decltype(p)>>, real::directory_iterator,
                                        plandra_fs::directory_iterator>;
    std::error_code ec = Stale();
    std::vector<std::string> found;
    for (Iterator it(p, ec); !ec && it != Iterator(); it.increment(ec)) {
      std::error_code fileEc = Stale();
      const bool file = it->is_regular_file(fileEc);
      found.push_back(Text(it->path()) + std::to_string(file) + Code(fileEc));
    }
    std::sort(found.begin(), found.end());
    std::string listing = Code(ec);
    for (const std::string& entry : found) listing += entry;
    return listing;
  });
}

// Runs the same folder creations in a folder of each side's own and
// compares the answers and the folders left.
TEST_F(WasiFilesystemOnDisk, CreatesFoldersAsTheDesktopDoes) {
  const std::vector<std::string> wanted = {"a",          "a",       "b/c/d/", "b/c/d", "b/x/../y",
                                           "e/./f/.",    "f.pd4/x", "f.pd4",  "",      "link/new",
                                           "dangling/x", "g/h/..",  "/"};
  for (const char* side : {"real1", "shim1"}) real::create_directory(side);
  for (const std::string& name : wanted) {
    ExpectSame("create_directory \"" + name + "\"", [&](auto none) {
      const std::string side = kReal<decltype(none)> ? "real" : "shim";
      std::error_code ec = Stale(), treeEc = Stale();
      const bool made = create_directory(decltype(none)(side + "1/" + name), ec);
      const bool madeTree = create_directories(decltype(none)(side + "2/" + name), treeEc);
      return std::to_string(made) + Code(ec) + std::to_string(madeTree) + Code(treeEc);
    });
  }
  for (const char* folder : {"1", "2"}) {
    std::vector<std::string> left, right;
    for (const auto& entry : real::recursive_directory_iterator(std::string("real") + folder)) {
      left.push_back(entry.path().lexically_relative(std::string("real") + folder));
    }
    for (const auto& entry : real::recursive_directory_iterator(std::string("shim") + folder)) {
      right.push_back(entry.path().lexically_relative(std::string("shim") + folder));
    }
    std::sort(left.begin(), left.end());
    std::sort(right.begin(), right.end());
    EXPECT_EQ(right, left) << folder;
  }
}

// TMPDIR is the one that counts here: the others come after it.
TEST_F(WasiFilesystemOnDisk, FindsTheTemporaryFolderAsTheDesktopDoes) {
  const char* saved = std::getenv("TMPDIR");
  const std::optional<std::string> before =
      saved ? std::optional<std::string>(saved) : std::nullopt;
  for (const std::string& name : Names()) {
    ::setenv("TMPDIR", name.c_str(), 1);
    ExpectSameFolder("TMPDIR=" + name, real::temp_directory_path, plandra_fs::temp_directory_path);
  }
  if (before)
    ::setenv("TMPDIR", before->c_str(), 1);
  else
    ::unsetenv("TMPDIR");
}

}  // namespace
}  // namespace plandra
