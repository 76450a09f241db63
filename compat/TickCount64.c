/* The shipped programs start on Windows XP SP3 (32-bit) and XP x64, whose
 * kernel32 has no GetTickCount64. The static thread library (winpthreads, pulled in by the
 * C++ runtime) imports it for its timed waits; this object answers that
 * import in place of kernel32's: the system's function where it exists (Vista
 * on), otherwise milliseconds of the performance counter, which XP always
 * has and which, unlike GetTickCount, does not wrap after 49.7 days. */
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include "compat/TickCount64.h"

typedef ULONGLONG(WINAPI* TTickCount64)(void);

ULONGLONG WINAPI TalvexCounterMilliseconds(void) {
  LARGE_INTEGER Frequency, Count;
  QueryPerformanceFrequency(&Frequency);
  QueryPerformanceCounter(&Count);
  const ULONGLONG PerSecond = (ULONGLONG)Frequency.QuadPart;
  const ULONGLONG Ticks = (ULONGLONG)Count.QuadPart;
  if (PerSecond == 0) return GetTickCount();
  /* Whole seconds and the rest apart: Ticks * 1000 could overflow. */
  return Ticks / PerSecond * 1000 + Ticks % PerSecond * 1000 / PerSecond;
}

/* Resolved on the first call; threads that race there find the same answer. */
static TTickCount64 Resolved;

static ULONGLONG WINAPI TickCount64(void) {
  TTickCount64 Entry = __atomic_load_n(&Resolved, __ATOMIC_ACQUIRE);
  if (!Entry) {
    Entry = (TTickCount64)(void (*)(void))GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "GetTickCount64");
    if (!Entry) Entry = TalvexCounterMilliseconds;
    __atomic_store_n(&Resolved, Entry, __ATOMIC_RELEASE);
  }
  return Entry();
}

/* The import slot the callers jump through, under the name the import
 * library would give it; defined here, kernel32's is never pulled in. */
TTickCount64 TickCount64Import __asm__(TALVEX_TICKCOUNT64_IMPORT) = TickCount64;
