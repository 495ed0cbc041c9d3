#include "support/TestHelpers.h"

#include <unistd.h>

#include <atomic>
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

}  // namespace plandra::test
