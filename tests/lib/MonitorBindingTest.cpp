#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "FakeSystemApi.h"
#include "lib/MonitorBinding.h"

namespace talvex::testing {
namespace {

using ::testing::Contains;
using ::testing::ElementsAre;
using ::testing::Not;

TEST(MonitorBinding, BindsTheFiveNamesInOrder) {
  TFakeSystemApi Sys;
  Sys.ProvideMonitorExports();
  {
    TMonitorBinding Monitor(Sys);
    EXPECT_TRUE(Monitor.BindMonitorLibrary());
    EXPECT_TRUE(Monitor.IsBound());
    EXPECT_THAT(Sys.Calls, ElementsAre("load Vantrel.dll", "find GetKbdTime", "find GetMouseTime",
                                       "find InstallMonitor", "find UninstallMonitor", "find GetCurrentFocus"));
    Sys.ClearCalls();
    EXPECT_TRUE(Monitor.BindMonitorLibrary());  // already bound: nothing loaded twice
    EXPECT_THAT(Sys.Calls, ElementsAre());
  }
  EXPECT_THAT(Sys.Calls, ElementsAre("free 16384"));  // released with the binding
}

TEST(MonitorBinding, AnyMissingNameUnbindsEverything) {
  for (const char* Missing : {"GetKbdTime", "GetMouseTime", "InstallMonitor", "UninstallMonitor", "GetCurrentFocus"}) {
    TFakeSystemApi Sys;
    Sys.ProvideMonitorExports();
    Sys.Exports.erase(Missing);
    TMonitorBinding Monitor(Sys);
    EXPECT_FALSE(Monitor.BindMonitorLibrary()) << Missing;
    EXPECT_FALSE(Monitor.IsBound()) << Missing;
    EXPECT_EQ(Sys.Calls.back(), "free 16384") << Missing;
    Sys.ClearCalls();
    EXPECT_EQ(Monitor.GetCurrentFocus(), 0u);
    EXPECT_THAT(Sys.Calls, Not(Contains(::testing::StartsWith("call")))) << Missing;
  }
}

TEST(MonitorBinding, MissingLibraryMakesWrappersNeutralAndRetriesEachTime) {
  TFakeSystemApi Sys;
  Sys.LibraryHandle = 0;
  TMonitorBinding Monitor(Sys);
  EXPECT_EQ(Monitor.GetCurrentFocus(), 0u);
  EXPECT_FALSE(Monitor.InstallMonitor());
  EXPECT_FALSE(Monitor.UninstallMonitor());
  EXPECT_THAT(Sys.Calls, ElementsAre("load Vantrel.dll", "load Vantrel.dll", "load Vantrel.dll"));
}

TEST(MonitorBinding, WrappersBindLazilyAndCallTheirOwnExport) {
  TFakeSystemApi Sys;
  Sys.ProvideMonitorExports();
  Sys.SetExportResult("GetCurrentFocus", 0x1234);
  Sys.SetExportResult("InstallMonitor", 1);
  Sys.SetExportResult("UninstallMonitor", 0);
  TMonitorBinding Monitor(Sys, "Other.dll");
  EXPECT_TRUE(Monitor.InstallMonitor());
  EXPECT_EQ(Sys.Calls.front(), "load Other.dll");
  EXPECT_EQ(Sys.Calls.back(), "call InstallMonitor");
  Sys.ClearCalls();
  EXPECT_EQ(Monitor.GetCurrentFocus(), 0x1234u);
  EXPECT_FALSE(Monitor.UninstallMonitor());
  EXPECT_THAT(Sys.Calls, ElementsAre("call GetCurrentFocus", "call UninstallMonitor"));
}

// The block's 32 bits widen as Windows widens a handle: sign-extended.
TEST(MonitorBinding, TheRecordedFocusIsSignExtendedToTheHandlesWidth) {
  TFakeSystemApi Sys;
  Sys.ProvideMonitorExports();
  TMonitorBinding Monitor(Sys);
  for (const std::uint32_t Stored : {0x00012345u, 0x7FFFFFFFu, 0x80000000u, 0xFFFFFFFEu}) {
    Sys.SetExportResult("GetCurrentFocus", Stored);
    const auto Expected = static_cast<TWindowHandle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(Stored)));
    EXPECT_EQ(Monitor.GetCurrentFocus(), Expected) << std::hex << Stored;
  }
}

}  // namespace
}  // namespace talvex::testing
