#include "framework/script/RecordingScriptHost.h"

#include <string>

#include "framework/core/Exceptions.h"

namespace fw {

RecordingScriptHost::RecordingScriptHost() { SetScriptHost(this); }

RecordingScriptHost::~RecordingScriptHost() { SetScriptHost(nullptr); }

Text RecordingScriptHost::Run(const ScriptRun& run) {
  const std::size_t index = runs_.size();
  runs_.push_back(run);
  if (index == failingRun_) {
    throw RuntimeException(
        Text("Script " + std::to_string(run.number) + " ist fehlgeschlagen: Testfehler"));
  }
  if (results_.empty()) return Text();
  Text result = results_.front();
  results_.pop_front();
  return result;
}

}  // namespace fw
