#include "framework/script/ProcessScriptHost.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/script/ChildProcess.h"
#include "framework/script/ScriptArguments.h"
#include "framework/script/ScriptOutput.h"

extern char** environ;

namespace fw {

namespace {

[[noreturn]] void Fail(std::int32_t number, const std::string& cause,
                       const std::string& standardError = std::string()) {
  throw RuntimeException(ScriptFailureMessage(number, cause, standardError));
}

std::vector<std::string> Environment() {
  std::vector<std::string> entries;
  for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry)
    entries.emplace_back(*entry);
  return entries;
}

// Missing or not executable, told before anything is started.
std::optional<std::string> ProgramProblem(const std::string& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT || errno == ENOTDIR) return "nicht vorhanden (" + path + ")";
    return "nicht lesbar (" + path + "): " + std::strerror(errno);
  }
  if (!S_ISREG(info.st_mode) || ::access(path.c_str(), X_OK) != 0)
    return "nicht ausführbar (" + path + ")";
  return std::nullopt;
}

std::string StartCause(int error, const std::string& path) {
  if (error == ENOENT) return "nicht vorhanden (" + path + ")";
  if (error == EACCES || error == ENOEXEC || error == EPERM)
    return "nicht ausführbar (" + path + ")";
  return "konnte nicht gestartet werden (" + path + "): " + std::strerror(error);
}

}  // namespace

ProcessScriptHost::ProcessScriptHost(std::string scriptsFolder, std::chrono::milliseconds timeLimit)
    : scriptsFolder_(std::move(scriptsFolder)), timeLimit_(timeLimit) {}

Text ProcessScriptHost::Run(const ScriptRun& run) {
  const std::string path = scriptsFolder_ + "/" + std::to_string(run.number);
  const std::vector<std::string> arguments = ScriptArguments(run);
  const std::size_t fixedBytes =
      ArgumentBytes(Environment()) + ArgumentBytes({path}) + sizeof(char*) * 2;
  if (auto problem = ArgumentProblem(arguments, fixedBytes, SystemArgumentLimits()))
    Fail(run.number, *problem);
  if (auto problem = ProgramProblem(path)) Fail(run.number, *problem);

  const ChildOutcome outcome = RunChildProcess(path, arguments, timeLimit_);
  switch (outcome.end) {
    case ChildOutcome::End::NotStarted:
      Fail(run.number, StartCause(outcome.code, path));
    case ChildOutcome::End::Signalled:
      Fail(run.number, SignalCause(outcome.code), outcome.standardError);
    case ChildOutcome::End::TimedOut:
      Fail(run.number, TimeLimitCause(timeLimit_), outcome.standardError);
    case ChildOutcome::End::Exited:
      if (outcome.code != 0) Fail(run.number, ExitStatusCause(outcome.code), outcome.standardError);
      break;
  }
  return ScriptResultText(outcome.standardOutput);
}

std::string ScriptsFolderBesideExecutable() {
  std::vector<char> buffer(4096);
  const ssize_t length = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
  if (length <= 0) {
    throw RuntimeException(Text("Der Ordner des Programms ist nicht zu ermitteln: " +
                                std::string(std::strerror(errno))));
  }
  if (static_cast<std::size_t>(length) >= buffer.size())
    throw RuntimeException(Text("Der Pfad des Programms ist zu lang"));
  std::string executable(buffer.data(), static_cast<std::size_t>(length));
  return executable.substr(0, executable.rfind('/')) + "/scripts";
}

ScriptHost& DefaultScriptHost() {
  static ProcessScriptHost host(ScriptsFolderBesideExecutable());
  return host;
}

}  // namespace fw
