#include "framework/script/ScriptHost.h"

namespace fw {

namespace {
ScriptHost* installedHost = nullptr;
}

ScriptHost& CurrentScriptHost() {
  return installedHost != nullptr ? *installedHost : DefaultScriptHost();
}

void SetScriptHost(ScriptHost* host) { installedHost = host; }

}  // namespace fw
