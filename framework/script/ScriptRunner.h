#pragma once

#include <cstdint>

#include "framework/text/Text.h"

namespace fw {

// The compiled-script runner: runs a numbered script without parameters, or begins a run,
// appends parameters to it by its handle and completes it. Runs go to the current script host.

void ScriptExecute(std::int32_t scriptNumber);
Text ScriptFunction(std::int32_t scriptNumber);

// Begins a run with parameters; nothing runs until it is completed.
std::int32_t StartParamScript(std::int32_t scriptNumber);
void AddIntegerScriptParam(std::int32_t handle, std::int32_t value);
void AddStringScriptParam(std::int32_t handle, Text value);
// Runs the script with the parameters appended, in their order. The handle is spent afterwards,
// whether the run succeeded or not.
void CompleteParamScriptExecute(std::int32_t handle);
Text CompleteParamScriptFunction(std::int32_t handle);

}  // namespace fw
