#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "FakeSystemApi.h"
#include "lib/Waits.h"

namespace talvex::testing {
namespace {

using ::testing::ElementsAre;

TEST(WaitUntil, EndsWhenTheConditionHoldsOrAtTheDeadlineAcrossTheTickCountsWrap) {
  const struct {
    std::uint32_t Clock;     // the tick count at the start
    std::uint32_t HoldsAt;   // ms after the start; above Timeout: never
    std::uint32_t Timeout;
    bool Held;
    std::uint32_t Waited;
  } Cases[] = {
      {1000, 0, 100, true, 0},         // already true: not a moment's wait
      {1000, 25, 100, true, 30},       // polled every 10 ms
      {1000, 500, 100, false, 100},
      {0xFFFFFFF0u, 500, 100, false, 100},  // the count wraps after 49.7 days
      {0xFFFFFFFBu, 40, 100, true, 40},
      {1000, 500, 15, false, 15},      // the last wait is cut to the deadline
  };
  for (const auto& C : Cases) {
    TFakeSystemApi Sys;
    Sys.Clock = C.Clock;
    const bool Held = WaitUntil(Sys, [&] { return Sys.Clock - C.Clock >= C.HoldsAt; }, C.Timeout);
    EXPECT_EQ(Held, C.Held) << C.Clock << " " << C.HoldsAt;
    EXPECT_EQ(Sys.Clock - C.Clock, C.Waited) << C.Clock << " " << C.HoldsAt;
  }
}

TEST(WaitUntil, KeepsDispatchingMessagesWhileItWaits) {
  TFakeSystemApi Sys;
  Sys.Queue = {TPumpResult::pmDispatched};
  int Asked = 0;
  WaitUntil(Sys, [&] { return ++Asked == 2; }, 100);
  EXPECT_THAT(Sys.Calls, ElementsAre(Pump, Pump, WaitFor(10), Pump));
}

}  // namespace
}  // namespace talvex::testing
