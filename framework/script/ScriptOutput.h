#pragma once

#include <chrono>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/text/Text.h"

namespace fw {

// What a script process wrote, as the runner hands it on.

// The text result of a run: its standard output read as UTF-8 (invalid bytes become U+FFFD),
// without trailing CR and LF.
Text ScriptResultText(std::string_view standardOutput);

// "Script 168 fehlgeschlagen: <cause>. Meldung: <standard error>", the standard error cleaned
// and cut to a length that a message box can show.
Text ScriptFailureMessage(std::int32_t scriptNumber, std::string_view cause,
                          std::string_view standardError);

// The causes in words.
std::string ExitStatusCause(int exitStatus);
std::string SignalCause(int signalNumber);
std::string TimeLimitCause(std::chrono::milliseconds limit);

}  // namespace fw
