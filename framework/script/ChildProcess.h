#pragma once

#include <chrono>
#include <string>
#include <vector>

namespace fw {

// How a child process ended and what it wrote.
struct ChildOutcome {
  enum class End { NotStarted, Exited, Signalled, TimedOut };
  End end = End::NotStarted;
  // The exit status, the signal number, or the errno of a failed start.
  int code = 0;
  std::string standardOutput;
  std::string standardError;
};

// Starts `program` directly (no shell) with `arguments` after its own path, the environment of
// this process, standard input from /dev/null and in a process group of its own; collects
// standard output and standard error as they come and waits for it to end. A child that has not
// ended within `limit` is killed with its process group, and reaped.
ChildOutcome RunChildProcess(const std::string& program, const std::vector<std::string>& arguments,
                             std::chrono::milliseconds limit);

}  // namespace fw
