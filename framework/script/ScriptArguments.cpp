#include "framework/script/ScriptArguments.h"

#include <unistd.h>

#include <algorithm>
#include <type_traits>

#include "framework/text/CharacterSet.h"

namespace fw {

namespace {

std::string TextArgument(const Text& text) {
  std::string out;
  out.reserve(text.Bytes().size());
  for (char32_t code : text.CodePoints()) AppendUTF8(out, code);
  return out;
}

// Linux takes at most 32 pages for one argument, whatever the total limit is.
constexpr std::size_t kLinuxArgumentPages = 32;

}  // namespace

std::string ScriptArgument(const ScriptParameter& parameter) {
  return std::visit(
      [](const auto& value) -> std::string {
        if constexpr (std::is_same_v<std::decay_t<decltype(value)>, Text>) {
          return TextArgument(value);
        } else {
          return std::to_string(value);
        }
      },
      parameter);
}

std::vector<std::string> ScriptArguments(const ScriptRun& run) {
  std::vector<std::string> arguments;
  arguments.reserve(run.parameters.size());
  for (const ScriptParameter& parameter : run.parameters)
    arguments.push_back(ScriptArgument(parameter));
  return arguments;
}

ArgumentLimits SystemArgumentLimits() {
  const long total = sysconf(_SC_ARG_MAX);
  const long page = sysconf(_SC_PAGESIZE);
  ArgumentLimits limits;
  limits.total = total > 0 ? static_cast<std::size_t>(total) : std::size_t{128} * 1024;
  limits.perArgument =
      page > 0 ? static_cast<std::size_t>(page) * kLinuxArgumentPages : std::size_t{128} * 1024;
  limits.perArgument = std::min(limits.perArgument, limits.total);
  return limits;
}

std::size_t ArgumentBytes(const std::vector<std::string>& strings) {
  std::size_t bytes = 0;
  for (const std::string& s : strings) bytes += s.size() + 1 + sizeof(char*);
  return bytes;
}

std::optional<std::string> ArgumentProblem(const std::vector<std::string>& arguments,
                                           std::size_t fixedBytes, const ArgumentLimits& limits) {
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string number = std::to_string(i + 1);
    if (arguments[i].find('\0') != std::string::npos)
      return "Parameter " + number + " enthält ein NUL-Zeichen";
    if (arguments[i].size() + 1 > limits.perArgument) {
      return "Parameter " + number + " ist zu lang (" + std::to_string(arguments[i].size()) +
             " Bytes, höchstens " + std::to_string(limits.perArgument - 1) + ")";
    }
  }
  const std::size_t total = fixedBytes + ArgumentBytes(arguments);
  if (total > limits.total) {
    return "Parameter sind zusammen zu lang (" + std::to_string(total) + " Bytes, höchstens " +
           std::to_string(limits.total) + ")";
  }
  return std::nullopt;
}

}  // namespace fw
