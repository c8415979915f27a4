#pragma once

#include <cstddef>
#include <deque>
#include <functional>
#include <vector>

#include "framework/script/ScriptHost.h"

namespace fw {

// A script host for tests: records every run, answers from a queue of results (the empty text
// when the queue is empty) and can be told to fail a run. Installs itself while it lives.
class RecordingScriptHost : public ScriptHost {
 public:
  RecordingScriptHost();
  ~RecordingScriptHost() override;
  RecordingScriptHost(const RecordingScriptHost&) = delete;
  RecordingScriptHost& operator=(const RecordingScriptHost&) = delete;

  Text Run(const ScriptRun& run) override;

  void QueueResult(const Text& result) { results_.push_back(result); }
  // The run with this index (from 0, counting every run) raises RuntimeException.
  void FailRun(std::size_t index) { failingRun_ = index; }

  const std::vector<ScriptRun>& Runs() const { return runs_; }

 private:
  std::vector<ScriptRun> runs_;
  std::deque<Text> results_;
  std::size_t failingRun_ = static_cast<std::size_t>(-1);
};

}  // namespace fw
