#include "framework/script/ScriptRunner.h"

#include <map>
#include <string>

#include "framework/core/Exceptions.h"
#include "framework/script/ScriptHost.h"

namespace fw {

namespace {

// Runs that have been begun and not yet completed, by handle.
std::map<std::int32_t, ScriptRun>& PendingRuns() {
  static std::map<std::int32_t, ScriptRun> runs;
  return runs;
}

std::int32_t nextHandle = 1;

ScriptRun& PendingRun(std::int32_t handle) {
  auto found = PendingRuns().find(handle);
  if (found == PendingRuns().end()) {
    throw RuntimeException(Text("Unbekannter Script-Lauf " + std::to_string(handle)));
  }
  return found->second;
}

Text RunWithoutParameters(std::int32_t scriptNumber) {
  ScriptRun run;
  run.number = scriptNumber;
  return CurrentScriptHost().Run(run);
}

Text CompleteRun(std::int32_t handle) {
  const ScriptRun run = std::move(PendingRun(handle));
  PendingRuns().erase(handle);
  return CurrentScriptHost().Run(run);
}

}  // namespace

void ScriptExecute(std::int32_t scriptNumber) { RunWithoutParameters(scriptNumber); }

Text ScriptFunction(std::int32_t scriptNumber) { return RunWithoutParameters(scriptNumber); }

std::int32_t StartParamScript(std::int32_t scriptNumber) {
  const std::int32_t handle = nextHandle++;
  ScriptRun run;
  run.number = scriptNumber;
  run.withParameters = true;
  run.parameters.reserve(8);  // room for a booking's eight values without regrowing
  PendingRuns().emplace(handle, std::move(run));
  return handle;
}

void AddIntegerScriptParam(std::int32_t handle, std::int32_t value) {
  PendingRun(handle).parameters.emplace_back(value);
}

void AddStringScriptParam(std::int32_t handle, Text value) {
  PendingRun(handle).parameters.emplace_back(std::move(value));
}

void CompleteParamScriptExecute(std::int32_t handle) { CompleteRun(handle); }

Text CompleteParamScriptFunction(std::int32_t handle) { return CompleteRun(handle); }

}  // namespace fw
