#include "support/TestHelpers.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace plandra::test {

::testing::AssertionResult PointNear(const char* xExpr, const char* yExpr, const char* ptExpr,
                                     const char*, double x, double y, const PtRec& pt, double eps) {
  if (std::abs(pt.X - x) <= eps && std::abs(pt.Y - y) <= eps) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure()
         << ptExpr << " is (" << pt.X << ", " << pt.Y << "), expected (" << xExpr << ", " << yExpr
         << ") = (" << x << ", " << y << ") within " << eps;
}

TempDir::TempDir() {
  static std::atomic<int> counter{0};
  const char* base = std::getenv("PLANDRA_TEST_TMP");
  std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
  path_ = root / ("t" + std::to_string(getpid()) + "_" + std::to_string(counter++));
  std::filesystem::remove_all(path_);
  std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::optional<std::filesystem::path> UnwritableFolder(const TempDir& temp) {
  if (::geteuid() != 0) {
    std::filesystem::path locked = temp / "locked";
    std::filesystem::create_directory(locked);
    using std::filesystem::perms;
    std::filesystem::permissions(locked, perms::owner_read | perms::owner_exec);
    return locked;
  }
  const char* probe = "/sys/.plandra-probe";
  int fd = ::open(probe, O_WRONLY | O_CREAT | O_EXCL, 0600);
  if (fd < 0 && (errno == EACCES || errno == EPERM || errno == EROFS)) {
    return std::filesystem::path("/sys");
  }
  if (fd >= 0) {
    ::close(fd);
    ::unlink(probe);
  }
  return std::nullopt;
}

}  // namespace plandra::test
