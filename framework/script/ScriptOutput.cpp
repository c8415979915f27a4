#include "framework/script/ScriptOutput.h"

#include <csignal>
#include <cstring>

#include "framework/text/CharacterSet.h"

namespace fw {

namespace {

// Longer error output is cut: the message must stay readable in a message box.
constexpr std::size_t kMaxMessageCharacters = 2000;

std::string ValidUTF8(std::string_view bytes, std::size_t maxCharacters, bool& cut) {
  const std::string in(bytes);
  std::string out;
  out.reserve(in.size());
  std::size_t characters = 0;
  cut = false;
  for (std::size_t pos = 0; pos < in.size(); ++characters) {
    if (characters == maxCharacters) {
      cut = true;
      break;
    }
    AppendUTF8(out, DecodeUTF8(in, pos));
  }
  return out;
}

std::string WithoutTrailingLineEnds(std::string text) {
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
  return text;
}

}  // namespace

Text ScriptResultText(std::string_view standardOutput) {
  bool cut = false;
  return Text(WithoutTrailingLineEnds(ValidUTF8(standardOutput, std::string::npos, cut)));
}

Text ScriptFailureMessage(std::int32_t scriptNumber, std::string_view cause,
                          std::string_view standardError) {
  bool cut = false;
  std::string error = WithoutTrailingLineEnds(ValidUTF8(standardError, kMaxMessageCharacters, cut));
  if (cut) error += "…";
  if (error.empty()) error = "(keine)";
  return Text("Script " + std::to_string(scriptNumber) + " fehlgeschlagen: " + std::string(cause) +
              ". Meldung: " + error);
}

std::string ExitStatusCause(int exitStatus) { return "Exit-Status " + std::to_string(exitStatus); }

std::string SignalCause(int signalNumber) {
  std::string cause = "durch Signal " + std::to_string(signalNumber);
  const char* abbreviation = sigabbrev_np(signalNumber);
  if (abbreviation != nullptr) cause += std::string(" (SIG") + abbreviation + ")";
  return cause + " beendet";
}

std::string TimeLimitCause(std::chrono::milliseconds limit) {
  const auto ms = limit.count();
  const std::string amount = ms % 1000 == 0 ? std::to_string(ms / 1000) + " Sekunden"
                                            : std::to_string(ms) + " Millisekunden";
  return "nicht innerhalb von " + amount + " beendet, abgebrochen";
}

}  // namespace fw
