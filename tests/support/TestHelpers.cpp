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

int16_t AddFreePoint(Figure& fig, double x, double y) {
  AppendStep(fig);
  SetStepKind(fig, fig.StepCount, "PNEW");
  ReserveElement(fig, kClassPoint);
  int16_t index = fig.ElemCount[kClassPoint];
  fig.StepOut[fig.StepCount][1] = {kClassPoint, index};
  PtRec& pt = fig.PtTable[index];
  pt.X = x;
  pt.Y = y;
  pt.Exists = kTrue;
  pt.BoundMode = kTrue;
  pt.Mark = 2;
  return index;
}

int16_t AddNumber(Figure& fig, double value) {
  ReserveElement(fig, kClassNumber);
  int16_t index = fig.ElemCount[kClassNumber];
  NumRec& num = fig.NumTable[index];
  num.Value = value;
  num.Exists = kTrue;
  num.NumFlag = kTrue;
  return index;
}

int16_t AddStep(Figure& fig, std::string_view kind, std::initializer_list<ObjRef> inputs) {
  AppendStep(fig);
  int16_t step = fig.StepCount;
  SetStepKind(fig, step, kind);
  int slot = 1;
  for (ObjRef in : inputs) fig.StepIn[step][slot++] = in;
  const KindInfo& info = KindInfoOf(fig.StepKindId[step]);
  int16_t first = 0;
  for (int k = 0; k < 5 && info.OutClass[k] != 0; ++k) {
    auto cls = static_cast<int16_t>(info.OutClass[k] % 100);
    ReserveElement(fig, cls);
    int16_t index = fig.ElemCount[cls];
    fig.StepOut[step][k + 1] = {info.OutClass[k], index};
    if (k == 0) first = index;
  }
  return first;
}

}  // namespace plandra::test
