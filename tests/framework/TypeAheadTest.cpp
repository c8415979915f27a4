#include <gtest/gtest.h>

#include <chrono>

#include "framework/display/terminal/TypeAhead.h"

namespace fw::terminal {
namespace {

using std::chrono::milliseconds;

struct Case {
  const char* name;
  bool fromTerminal;
  milliseconds busy;  // from taking a key to waiting for the next
  bool discards;
};

TEST(TypeAhead, KeysAreThrownAwayOnlyAfterATerminalWasBusyLongerThanAMoment) {
  const Case cases[] = {
      {"at once", true, milliseconds(0), false},
      {"a person's pace", true, milliseconds(120), false},
      {"just a moment", true, TypeAhead::kMoment, false},
      {"longer than a moment", true, TypeAhead::kMoment + milliseconds(1), true},
      {"a long send", true, milliseconds(5000), true},
      {"a pipe, however long", false, milliseconds(5000), false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::chrono::steady_clock::time_point now{};
    TypeAhead typeAhead(c.fromTerminal, [&now] { return now; });
    now += milliseconds(60000);  // a person took a minute before the key
    typeAhead.BusyFromNow();
    now += c.busy;
    EXPECT_EQ(typeAhead.DiscardsKeysTypedMeanwhile(), c.discards);
  }
}

TEST(TypeAhead, TheProgramIsBusyFromItsStart) {
  std::chrono::steady_clock::time_point now{};
  TypeAhead typeAhead(true, [&now] { return now; });
  now += milliseconds(2000);
  EXPECT_TRUE(typeAhead.DiscardsKeysTypedMeanwhile());
}

}  // namespace
}  // namespace fw::terminal
