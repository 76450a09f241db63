// The GetTickCount64 import of the shipped programs, answered by
// compat/TickCount64.c: linked into this test too, so the C++ runtime's timed
// waits go through it as they do in the programs.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <mutex>

#include "compat/TickCount64.h"

namespace {

using TTickCount64 = ULONGLONG(WINAPI*)();

// The slot the thread library's calls jump through.
extern "C" TTickCount64 TickCount64Import __asm__(TALVEX_TICKCOUNT64_IMPORT);

TTickCount64 SystemTickCount64() {
  return reinterpret_cast<TTickCount64>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64")));
}

TEST(TickCount64, TheImportAnswersWithTheSystemsCountWhereItExists) {
  const TTickCount64 System = SystemTickCount64();
  ASSERT_NE(System, nullptr) << "Wine's kernel32 has GetTickCount64";
  EXPECT_NE(TickCount64Import, System) << "the import is ours, not kernel32's";
  const ULONGLONG Before = System();
  const ULONGLONG Answer = TickCount64Import();
  const ULONGLONG After = System();
  EXPECT_LE(Before, Answer);
  EXPECT_LE(Answer, After);
}

// What XP gets: a count that never goes back and keeps up with the time slept.
TEST(TickCount64, TheCounterFallbackCountsMilliseconds) {
  ULONGLONG Last = TalvexCounterMilliseconds();
  for (const DWORD Sleep : {0u, 1u, 20u}) {
    const ULONGLONG Start = TalvexCounterMilliseconds();
    ::Sleep(Sleep);
    const ULONGLONG End = TalvexCounterMilliseconds();
    EXPECT_GE(Start, Last);
    EXPECT_GE(End - Start + 1, Sleep) << "slept " << Sleep << " ms";  // a tick of rounding
    Last = End;
  }
}

TEST(TickCount64, ATimedWaitOfTheThreadLibraryEndsAfterItsTime) {
  std::mutex Mutex;
  std::condition_variable Never;
  std::unique_lock<std::mutex> Lock(Mutex);
  const auto Start = std::chrono::steady_clock::now();
  EXPECT_FALSE(Never.wait_for(Lock, std::chrono::milliseconds(30), [] { return false; }));
  EXPECT_GE(std::chrono::steady_clock::now() - Start, std::chrono::milliseconds(29));
}

}  // namespace
