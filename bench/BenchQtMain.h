// The main of the window's benchmarks: they draw with Qt.
#pragma once

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <cstdlib>

namespace plandra {

inline int RunQtBenchmarks(int argc, char** argv) {
  // Drawing text needs the application; no display is needed for an image.
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  QGuiApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace plandra
