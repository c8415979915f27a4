#pragma once
// Two actions timed against each other: run in turns, so that both meet the same machine.

#include <chrono>
#include <functional>
#include <utility>

namespace bench {

// The mean time of one run of each of two actions, over `runs` runs in turns after `warmups`
// runs of each that are not counted.
inline std::pair<std::chrono::duration<double>, std::chrono::duration<double>> MeanTakingTurns(
    int warmups, int runs, const std::function<void()>& a, const std::function<void()>& b) {
  using Clock = std::chrono::steady_clock;
  for (int i = 0; i < warmups; ++i) {
    a();
    b();
  }
  Clock::duration timeA{};
  Clock::duration timeB{};
  for (int i = 0; i < runs; ++i) {
    auto start = Clock::now();
    a();
    timeA += Clock::now() - start;
    start = Clock::now();
    b();
    timeB += Clock::now() - start;
  }
  return {std::chrono::duration<double>(timeA) / runs, std::chrono::duration<double>(timeB) / runs};
}

}  // namespace bench
