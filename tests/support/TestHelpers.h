// Shared test helpers: near-equality with tolerances named after their use,
// temporary folders, and the figure builders.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "figure/PDvar05.h"
#include "support/FigureBuilder.h"

namespace plandra::test {

constexpr double kNear = 1e-9;

::testing::AssertionResult PointNear(const char* xExpr, const char* yExpr, const char* ptExpr,
                                     const char* epsExpr, double x, double y, const PtRec& pt,
                                     double eps);

// EXPECT_POINT_NEAR(x, y, point, eps): prints both positions and the tolerance.
#define EXPECT_POINT_NEAR(x, y, pt, eps) \
  EXPECT_PRED_FORMAT4(::plandra::test::PointNear, x, y, pt, eps)

// A fresh empty folder under the build's test folder, removed at destruction.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& Path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

std::string ReadFileBytes(const std::filesystem::path& path);
void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes);

// A folder this process may not write into: a locked one in temp, or for
// root, who writes anywhere else, the kernel's own; none when there is none.
std::optional<std::filesystem::path> UnwritableFolder(const TempDir& temp);

}  // namespace plandra::test
