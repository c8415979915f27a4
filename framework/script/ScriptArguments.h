#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "framework/script/ScriptHost.h"

namespace fw {

// How the parameters of a run become the arguments of a script process.

// One parameter as an argument: a text in UTF-8 (invalid bytes as U+FFFD), an integer as
// decimal text.
std::string ScriptArgument(const ScriptParameter& parameter);
std::vector<std::string> ScriptArguments(const ScriptRun& run);

// The limits that the system sets on the arguments of a new process.
struct ArgumentLimits {
  std::size_t perArgument = 0;  // bytes of one argument, its final NUL included
  std::size_t total = 0;        // arguments and environment with their pointers
};

// The limits of this system.
ArgumentLimits SystemArgumentLimits();

// Why the arguments cannot be passed (in German), or none when they can. `fixedBytes` is what
// the program path and the environment already take of the total.
std::optional<std::string> ArgumentProblem(const std::vector<std::string>& arguments,
                                           std::size_t fixedBytes, const ArgumentLimits& limits);

// Bytes that the strings take in a new process: each with its NUL and its pointer.
std::size_t ArgumentBytes(const std::vector<std::string>& strings);

}  // namespace fw
