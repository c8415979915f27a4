#include "framework/core/Exceptions.h"
#include "framework/script/ScriptHost.h"

namespace fw {

namespace {

// Placeholder until the host that starts the scripts as processes is in place.
class UnavailableScriptHost : public ScriptHost {
 public:
  Text Run(const ScriptRun&) override {
    throw RuntimeException(Text("Scripts können noch nicht ausgeführt werden"));
  }
};

}  // namespace

ScriptHost& DefaultScriptHost() {
  static UnavailableScriptHost host;
  return host;
}

}  // namespace fw
