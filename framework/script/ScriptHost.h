#pragma once

#include <cstdint>
#include <variant>
#include <vector>

#include "framework/text/Text.h"

namespace fw {

// One parameter of a script run: a 32-bit integer or a text.
using ScriptParameter = std::variant<std::int32_t, Text>;

// One run of a numbered script as the runner hands it to a host.
struct ScriptRun {
  std::int32_t number = 0;
  // False for a run without parameters (`ScriptExecute`, `ScriptFunction`).
  bool withParameters = false;
  std::vector<ScriptParameter> parameters;
};

// Carries out script runs. The default host starts the executable scripts/NUMBER beside the
// program; tests install hosts of their own.
class ScriptHost {
 public:
  virtual ~ScriptHost() = default;
  // Runs the script and returns its text result. A failing run raises RuntimeException.
  virtual Text Run(const ScriptRun& run) = 0;
};

// The host that runs the scripts beside the executable.
ScriptHost& DefaultScriptHost();

// The installed host, or the default host when none is installed.
ScriptHost& CurrentScriptHost();
// Installs a host (none: back to the default); the caller keeps it alive while installed.
void SetScriptHost(ScriptHost* host);

}  // namespace fw
