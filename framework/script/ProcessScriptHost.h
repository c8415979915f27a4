#pragma once

#include <chrono>
#include <string>

#include "framework/script/ScriptHost.h"

namespace fw {

// Runs scripts as processes: the executable NUMBER in a scripts folder, with the parameters as
// its arguments; its standard output is the text result. Every failure raises RuntimeException
// with the script number, the cause and what the script wrote to standard error.
class ProcessScriptHost : public ScriptHost {
 public:
  static constexpr std::chrono::milliseconds kDefaultTimeLimit{60000};

  explicit ProcessScriptHost(std::string scriptsFolder,
                             std::chrono::milliseconds timeLimit = kDefaultTimeLimit);

  Text Run(const ScriptRun& run) override;

  const std::string& ScriptsFolder() const { return scriptsFolder_; }

 private:
  std::string scriptsFolder_;
  std::chrono::milliseconds timeLimit_;
};

// The folder "scripts" beside the running executable.
std::string ScriptsFolderBesideExecutable();

}  // namespace fw
