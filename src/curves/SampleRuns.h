// Samples taken one after another on a figure, where a sample may depend on
// what the one before it left (which of two intersections is which, the old
// place of a missing point), spread over the machine's cores: each run of
// samples starts on its own copy of the figure from the sample before the
// run, and is taken again after the run before it when that left another
// state. So every sample is what taking them one by one gives.
#pragma once

#include <algorithm>
#include <cstdint>
#include <functional>
#include <vector>
#ifndef __wasi__
#include <thread>
#endif

#include "figure/PDvar05.h"

namespace plandra {

// The size of a cache line on the machines we run on.
constexpr size_t kCacheLine = 64;

// What tells two states of the figure apart, for the samples to come.
using FigureStateOf = std::function<std::vector<uint64_t>(const Figure&)>;

// threads 0: one a core; never so many that a thread has fewer than
// minPerThread samples.
inline size_t SampleThreads(int threads, size_t samples, size_t minPerThread) {
#ifdef __wasi__
  (void)threads;
  (void)samples;
  (void)minPerThread;
  return 1;
#else
  if (threads <= 0) threads = static_cast<int>(std::max(1u, std::thread::hardware_concurrency()));
  size_t most = std::max<size_t>(1, samples / std::max<size_t>(1, minPerThread));
  return std::min(static_cast<size_t>(threads), most);
#endif
}

template <class Sample>
class SampleRuns {
 public:
  // take (figure, i, caughtUp): takes sample i; caughtUp is true when the
  // figure is a fresh copy brought to where sample i leaves it.
  using Take = std::function<Sample(Figure&, size_t, bool)>;

  SampleRuns(Take take, FigureStateOf state) : take_(std::move(take)), state_(std::move(state)) {}

  // Samples begin..end-1 as if taken one by one on fig, which is left as
  // the last of them leaves it.
  std::vector<Sample> Run(Figure& fig, size_t begin, size_t end, size_t threads) {
    if (end <= begin) return {};
    threads = std::max<size_t>(1, std::min(threads, end - begin));
    std::vector<Part> parts(threads);
    for (size_t k = 0; k < threads; ++k) {
      parts[k].Begin = begin + (end - begin) * k / threads;
      parts[k].End = begin + (end - begin) * (k + 1) / threads;
      if (k > 0) parts[k].Fig = fig;
    }
    StartParts(fig, parts);
    return JoinParts(fig, parts);
  }

 private:
  // Each part on cache lines of its own: a thread adds to its part at every
  // sample while the next thread reads its part just beside it, and sharing
  // a line made both threads wait for it (the sweep took half again longer).
  struct alignas(kCacheLine) Part {
    size_t Begin = 0;
    size_t End = 0;
    Figure Fig;
    std::vector<uint64_t> StartState;
    std::vector<Sample> Samples;
  };

  void Continue(Part& part, Figure& fig) {
    part.Samples.clear();
    part.Samples.reserve(part.End - part.Begin);
    for (size_t i = part.Begin; i < part.End; ++i) part.Samples.push_back(take_(fig, i, false));
  }

  void CatchUpAndContinue(Part& part) {
    take_(part.Fig, part.Begin - 1, true);
    part.StartState = state_(part.Fig);
    Continue(part, part.Fig);
  }

  void StartParts(Figure& fig, std::vector<Part>& parts) {
#ifdef __wasi__
    Continue(parts[0], fig);
    for (size_t k = 1; k < parts.size(); ++k) CatchUpAndContinue(parts[k]);
#else
    std::vector<std::thread> workers;
    for (size_t k = 1; k < parts.size(); ++k)
      workers.emplace_back([this, &part = parts[k]] { CatchUpAndContinue(part); });
    Continue(parts[0], fig);
    for (std::thread& worker : workers) worker.join();
#endif
  }

  std::vector<Sample> JoinParts(Figure& fig, std::vector<Part>& parts) {
    Figure* truth = &fig;
    std::vector<Sample> samples = std::move(parts[0].Samples);
    samples.reserve(parts.back().End - parts.front().Begin);
    for (size_t k = 1; k < parts.size(); ++k) {
      if (state_(*truth) != parts[k].StartState) {
        Continue(parts[k], *truth);
      } else {
        truth = &parts[k].Fig;
      }
      samples.insert(samples.end(), parts[k].Samples.begin(), parts[k].Samples.end());
    }
    // Copied into place, not moved: the tables keep their storage, so whoever
    // holds an element of the figure still holds it.
    if (truth != &fig) fig = *truth;
    return samples;
  }

  Take take_;
  FigureStateOf state_;
};

}  // namespace plandra
