#include <gtest/gtest.h>

#include "booking/ScriptBridge.h"
#include "framework/script/RecordingScriptHost.h"

namespace valtaro {
namespace {

using fw::Text;
using fw::Variant;

ParameterList ListOf(std::vector<Variant> values) {
  auto list = fw::CreateArray<Variant>(-1);
  for (auto& value : values) list->Append(std::move(value));
  return list;
}

TEST(ScriptBridge, EmptyListRunsWithoutParameters) {
  fw::RecordingScriptHost host;
  buchungViaRB3(ListOf({}));
  host.QueueResult(" Giro, Spar ");
  EXPECT_EQ(Kontennamenermitteln(ListOf({})).Bytes(), " Giro, Spar ");  // untouched
  ASSERT_EQ(host.Runs().size(), 2u);
  EXPECT_EQ(host.Runs()[0].number, 168);
  EXPECT_FALSE(host.Runs()[0].withParameters);
  EXPECT_EQ(host.Runs()[1].number, 169);
  EXPECT_FALSE(host.Runs()[1].withParameters);
}

TEST(ScriptBridge, ElementsBecomeParametersInOrderByTheirType) {
  fw::RecordingScriptHost host;
  buchungViaRB3(ListOf({Variant(Text("01.02.2008")), Variant(std::int32_t{5}), Variant(Text("5")),
                        Variant(2.5), Variant(true)}));
  ASSERT_EQ(host.Runs().size(), 1u);
  const fw::ScriptRun& run = host.Runs()[0];
  EXPECT_TRUE(run.withParameters);
  EXPECT_EQ(run.number, 168);
  ASSERT_EQ(run.parameters.size(), 5u);
  EXPECT_EQ(std::get<Text>(run.parameters[0]).Bytes(), "01.02.2008");
  EXPECT_EQ(std::get<std::int32_t>(run.parameters[1]), 5);
  EXPECT_EQ(std::get<Text>(run.parameters[2]).Bytes(), "5");
  EXPECT_EQ(std::get<Text>(run.parameters[3]).Bytes(), "2.5");
  EXPECT_EQ(std::get<Text>(run.parameters[4]).Bytes(), "True");
}

TEST(ScriptBridge, ListThatIsNoneRaisesBeforeAnyRun) {
  fw::RecordingScriptHost host;
  EXPECT_THROW(buchungViaRB3(nullptr), fw::NilObjectException);
  EXPECT_THROW(Kontennamenermitteln(nullptr), fw::NilObjectException);
  EXPECT_TRUE(host.Runs().empty());
}

TEST(ScriptBridge, FailingRunReachesTheCaller) {
  fw::RecordingScriptHost host;
  host.FailRun(0);
  EXPECT_THROW(buchungViaRB3(ListOf({Variant(Text("x"))})), fw::RuntimeException);
}

}  // namespace
}  // namespace valtaro
