// The window's start-up as a user meets it: the whole program started on a
// sample figure until its first paint, as a process (it ends itself there).
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

// Starts the program and waits for it; false when it could not run or failed.
bool RunToFirstPaint(const std::string& figure) {
  std::vector<std::string> words{PLANDRA_PROGRAM, figure};
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  if (posix_spawn(&pid, PLANDRA_PROGRAM, nullptr, nullptr, argv.data(), environ) != 0) return false;
  int status = 0;
  return waitpid(pid, &status, 0) == pid && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void BM_StartToFirstPaint(benchmark::State& state) {
  const std::filesystem::path home = std::filesystem::temp_directory_path() / "plandra-bench-home";
  std::filesystem::create_directories(home);
  setenv("PLANDRA_HOME", home.c_str(), 1);
  setenv("PLANDRA_EXIT_AFTER_FIRST_PAINT", "1", 1);
  if (getenv("DISPLAY") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const std::string figure = std::string(PLANDRA_SAMPLES) + "/triangle.pd4";
  for (auto _ : state) {
    if (!RunToFirstPaint(figure)) {
      state.SkipWithError("the program did not start and end by itself");
      break;
    }
  }
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
