#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>

#include "framework/core/Exceptions.h"
#include "framework/script/ProcessScriptHost.h"
#include "framework/script/ScriptArguments.h"
#include "framework/script/ScriptOutput.h"
#include "support/TempFolder.h"

namespace fw {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

// A scripts folder of its own for each test, removed afterwards.
class ScriptsFolder {
 public:
  void Add(int number, const std::string& body, bool executable = true) const {
    const std::string file = folder_.Write(std::to_string(number), "#!/bin/sh\n" + body);
    fs::permissions(file, executable ? fs::perms::owner_all : fs::perms::owner_read);
  }
  fs::path Path() const { return folder_.Path(); }
  std::string Read(const std::string& name) const { return folder_.Read(name); }

 private:
  testsupport::TempFolder folder_;
};

ScriptRun RunOf(int number, std::vector<ScriptParameter> parameters) {
  ScriptRun run;
  run.number = number;
  run.withParameters = !parameters.empty();
  run.parameters = std::move(parameters);
  return run;
}

std::string FailureOf(ScriptHost& host, const ScriptRun& run) {
  try {
    host.Run(run);
  } catch (const RuntimeException& e) {
    return e.Message().ToUTF8();
  }
  return "(no exception)";
}

TEST(ProcessScriptHost, ArgumentsArriveByteForByteInUTF8) {
  ScriptsFolder folder;
  // Each argument into a file of its own, so nothing in them is reinterpreted.
  folder.Add(1,
             "i=0\nfor a in \"$@\"; do i=$((i+1)); printf '%s' \"$a\" > \"$(dirname "
             "\"$0\")/arg$i\"; done\n"
             "printf '%s' \"$#\"\n");
  ProcessScriptHost host(folder.Path().string());
  const std::string tricky = "a \"b\" 'c' $HOME `id` \\ ;|&\nzweite Zeile\t*";
  const Text result =
      host.Run(RunOf(1, {Text("Grüße"), Text::FromBytes("\xe4\xf6\xfc\xdf", Encodings::ISOLatin1()),
                         Text::FromBytes("\x8a", Encodings::MacRoman()), Text(tricky), Text("-n"),
                         Text(""), std::int32_t{-42}, std::int32_t{7}}));
  EXPECT_EQ(result.Bytes(), "8");
  EXPECT_EQ(folder.Read("arg1"), "Grüße");
  EXPECT_EQ(folder.Read("arg2"), "äöüß");
  EXPECT_EQ(folder.Read("arg3"), "ä");
  EXPECT_EQ(folder.Read("arg4"), tricky);
  EXPECT_EQ(folder.Read("arg5"), "-n");
  EXPECT_EQ(folder.Read("arg6"), "");
  EXPECT_EQ(folder.Read("arg7"), "-42");
  EXPECT_EQ(folder.Read("arg8"), "7");
}

TEST(ProcessScriptHost, ResultLosesOnlyTrailingLineEndsAndInvalidBytesAreReplaced) {
  ScriptsFolder folder;
  folder.Add(1, "printf '  Giro, Spar \\n\\r\\n'\n");
  folder.Add(2, "printf 'a\\n\\nb\\377\\n\\n'\n");
  folder.Add(3, "exit 0\n");
  // Far more output on both pipes than a pipe holds: must not block.
  const std::string line(88, 'x');
  folder.Add(4, "i=0; while [ $i -lt 2000 ]; do echo " + line + "; echo " + line +
                    " >&2; i=$((i+1)); done\n");
  ProcessScriptHost host(folder.Path().string());
  EXPECT_EQ(host.Run(RunOf(1, {})).Bytes(), "  Giro, Spar ");
  const Text second = host.Run(RunOf(2, {}));
  EXPECT_EQ(second.Bytes(), "a\n\nb\xef\xbf\xbd");
  EXPECT_EQ(second.Encoding(), Encodings::UTF8());
  EXPECT_EQ(host.Run(RunOf(3, {})).Bytes(), "");
  EXPECT_EQ(host.Run(RunOf(4, {})).Bytes().size(), 2000u * 89u - 1u);
}

TEST(ProcessScriptHost, FailuresNameScriptCauseAndErrorOutput) {
  ScriptsFolder folder;
  folder.Add(11, "echo nie\n", false);
  folder.Add(12, "echo 'Konto fehlt' >&2\nexit 1\n");
  folder.Add(13, "echo sterbe >&2\nkill -9 $$\n");
  folder.Add(14, "echo warte >&2\nsleep 30\n");
  folder.Add(15, "exit 3\n");
  ProcessScriptHost host(folder.Path().string(), std::chrono::milliseconds(300));
  const std::string base = folder.Path().string();

  EXPECT_EQ(FailureOf(host, RunOf(10, {})),
            "Script 10 fehlgeschlagen: nicht vorhanden (" + base + "/10). Meldung: (keine)");
  EXPECT_EQ(FailureOf(host, RunOf(11, {})),
            "Script 11 fehlgeschlagen: nicht ausführbar (" + base + "/11). Meldung: (keine)");
  EXPECT_EQ(FailureOf(host, RunOf(12, {Text("x")})),
            "Script 12 fehlgeschlagen: Exit-Status 1. Meldung: Konto fehlt");
  EXPECT_EQ(FailureOf(host, RunOf(13, {})),
            "Script 13 fehlgeschlagen: durch Signal 9 (SIGKILL) beendet. Meldung: sterbe");
  const auto started = std::chrono::steady_clock::now();
  EXPECT_EQ(FailureOf(host, RunOf(14, {})),
            "Script 14 fehlgeschlagen: nicht innerhalb von 300 Millisekunden beendet, abgebrochen. "
            "Meldung: warte");
  // The sleeping child was killed with its group, not waited for.
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(20));
  EXPECT_EQ(FailureOf(host, RunOf(15, {})),
            "Script 15 fehlgeschlagen: Exit-Status 3. Meldung: (keine)");
}

TEST(ProcessScriptHost, UnpassableParametersRaiseBeforeAnythingRuns) {
  ScriptsFolder folder;
  folder.Add(1, "touch \"$(dirname \"$0\")/ran\"\n");
  ProcessScriptHost host(folder.Path().string());
  const ArgumentLimits limits = SystemArgumentLimits();

  EXPECT_EQ(FailureOf(host, RunOf(1, {Text("ok"), Text(std::string("a\0b", 3))})),
            "Script 1 fehlgeschlagen: Parameter 2 enthält ein NUL-Zeichen. Meldung: (keine)");
  EXPECT_THAT(FailureOf(host, RunOf(1, {Text(std::string(limits.perArgument, 'x'))})),
              StartsWith("Script 1 fehlgeschlagen: Parameter 1 ist zu lang ("));
  std::vector<ScriptParameter> many(limits.total / (limits.perArgument / 2) + 1,
                                    Text(std::string(limits.perArgument / 2, 'x')));
  EXPECT_THAT(FailureOf(host, RunOf(1, many)),
              StartsWith("Script 1 fehlgeschlagen: Parameter sind zusammen zu lang ("));
  EXPECT_FALSE(fs::exists(folder.Path() / "ran"));

  // Just below the limit for one argument still runs.
  host.Run(RunOf(1, {Text(std::string(limits.perArgument - 1, 'x'))}));
  EXPECT_TRUE(fs::exists(folder.Path() / "ran"));
}

TEST(ScriptOutput, FailureMessageCutsLongErrorOutput) {
  const std::string message =
      ScriptFailureMessage(168, "Exit-Status 1", std::string(5000, 'e') + "\n").ToUTF8();
  EXPECT_THAT(message, StartsWith("Script 168 fehlgeschlagen: Exit-Status 1. Meldung: eee"));
  EXPECT_THAT(message, HasSubstr("e…"));
  EXPECT_LT(message.size(), 2100u);
}

TEST(ProcessScriptHost, DefaultHostLooksBesideTheExecutable) {
  const std::string folder = ScriptsFolderBesideExecutable();
  EXPECT_EQ(fs::path(folder).filename(), "scripts");
  EXPECT_TRUE(fs::equivalent(fs::path(folder).parent_path(),
                             fs::canonical("/proc/self/exe").parent_path()));
}

}  // namespace
}  // namespace fw
