// The bench's calculator side: it loads the real Vantrel.dll and runs the
// real capture and typing code on the real Win32 calls, at the driver's
// command. It starts the driver, serves it until it ends, and then checks
// that the shared block went away with its last holder.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "BenchChannel.h"
#include "SharedBlock.h"
#include "lib/MonitorBinding.h"
#include "lib/SelectionCapture.h"
#include "lib/TextInjection.h"
#include "lib/Win32SystemApi.h"

namespace talvex::bench {
namespace {

// Far above what the driver needs; a hung driver is killed, never waited for.
constexpr DWORD DriverDeadline = 100000;

using TExport = DWORD(WINAPI*)();

struct TExports {
  TExport GetKbdTime, GetMouseTime, GetCurrentFocus, GetProcessId, MonitorInstalled;
};

bool BindExports(HMODULE Library, TExports& E) {
  auto Find = [Library](const char* Name) {
    return reinterpret_cast<TExport>(reinterpret_cast<void*>(GetProcAddress(Library, Name)));
  };
  E = {Find("GetKbdTime"), Find("GetMouseTime"), Find("GetCurrentFocus"), Find("GetProcessId"),
       Find("MonitorInstalled")};
  return E.GetKbdTime && E.GetMouseTime && E.GetCurrentFocus && E.GetProcessId && E.MonitorInstalled;
}

void Probe(const TExports& E, TChannel& C) {
  C.Values[pvKbdTime] = E.GetKbdTime();
  C.Values[pvMouseTime] = E.GetMouseTime();
  C.Values[pvCurrentFocus] = E.GetCurrentFocus();
  C.Values[pvProcessId] = E.GetProcessId();
  C.Values[pvMonitorInstalled] = E.MonitorInstalled();
}

// The channel's text is in the ANSI code page, as the driver's edit control has it.
std::wstring AnsiToWide(const char* Ansi) {
  const int Size = MultiByteToWideChar(CP_ACP, 0, Ansi, -1, nullptr, 0);
  if (Size <= 1) return {};
  std::wstring Out(static_cast<std::size_t>(Size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, Ansi, -1, Out.data(), Size);
  Out.resize(static_cast<std::size_t>(Size) - 1);
  return Out;
}

// The block as any process sees it through its name, not through the library.
void ReadBlock(TChannel& C) {
  std::memset(&C.Values[pvBlock], 0xEE, 5 * sizeof(std::uint32_t));
  HANDLE Mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, VANTREL_MAPPING_NAME);
  if (!Mapping) return;
  if (const void* View = MapViewOfFile(Mapping, FILE_MAP_READ, 0, 0, VANTREL_BLOCK_SIZE)) {
    std::memcpy(&C.Values[pvBlock], View, VANTREL_BLOCK_SIZE);
    UnmapViewOfFile(View);
  }
  CloseHandle(Mapping);
}

void Serve(TChannel& C, const TExports& E, TWin32SystemApi& Sys, TMonitorBinding& Monitor) {
  switch (C.Command) {
    case cmProbe:
      break;
    case cmInstall:
      C.Values[pvTickBefore] = GetTickCount();
      C.Values[pvResult] = Monitor.InstallMonitor();
      C.Values[pvTickAfter] = GetTickCount();
      ReadBlock(C);
      break;
    case cmCapture: {
      const TUserKeyWatch Watch(Sys);
      std::optional<TClipboardLoan> Loan;
      const TCapture Capture = CaptureSelection(Sys, FindForegroundTarget(Sys, Monitor), Watch, Loan);
      const std::wstring Wide = Capture.Text;
      C.Text[0] = 0;
      if (!Wide.empty())
        WideCharToMultiByte(CP_ACP, 0, Wide.c_str(), -1, C.Text, sizeof C.Text, nullptr, nullptr);
      C.Values[pvResult] = static_cast<std::uint32_t>(Wide.size());
      break;
    }
    case cmType: {
      const TUserKeyWatch Watch(Sys);
      TypeInto(Sys, Watch, Sys.ForegroundWindow(), AnsiToWide(C.Text));
      break;
    }
    case cmUninstall:
      C.Values[pvResult] = Monitor.UninstallMonitor();
      break;
    default:
      C.Values[pvResult] = 0xBADC0DE;
  }
  Probe(E, C);
}

HANDLE StartDriver() {
  char Path[MAX_PATH];
  const DWORD Length = GetModuleFileNameA(nullptr, Path, MAX_PATH);
  std::string Command(Path, Length);
  Command.replace(Command.find_last_of('\\') + 1, std::string::npos, "e2e_driver.exe");
  STARTUPINFOA Startup{};
  Startup.cb = sizeof Startup;
  Startup.dwFlags = STARTF_USESTDHANDLES;
  Startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
  Startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
  Startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
  PROCESS_INFORMATION Process{};
  if (!CreateProcessA(nullptr, Command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &Startup, &Process))
    return nullptr;
  CloseHandle(Process.hThread);
  return Process.hProcess;
}

int Run() {
  // Loaded before any block exists: this process starts without a view.
  HMODULE Library = LoadLibraryA("Vantrel.dll");
  TExports E{};
  if (!Library || !BindExports(Library, E)) {
    std::printf("FAIL client: Vantrel.dll or one of its exports is missing\n");
    return 1;
  }
  HANDLE Mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(TChannel), ChannelName);
  auto* Channel = Mapping ? static_cast<TChannel*>(MapViewOfFile(Mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0)) : nullptr;
  HANDLE CommandEvent = CreateEventA(nullptr, FALSE, FALSE, CommandEventName);
  HANDLE ReplyEvent = CreateEventA(nullptr, FALSE, FALSE, ReplyEventName);
  if (!Channel || !CommandEvent || !ReplyEvent) {
    std::printf("FAIL client: no channel to the driver\n");
    return 1;
  }

  TWin32SystemApi Sys;
  int Failures = 0;
  {
    TMonitorBinding Monitor(Sys);
    HANDLE Driver = StartDriver();
    if (!Driver) {
      std::printf("FAIL client: the driver did not start\n");
      return 1;
    }
    const DWORD Start = GetTickCount();
    bool DriverEnded = false;
    while (!DriverEnded) {
      const DWORD Elapsed = GetTickCount() - Start;
      if (Elapsed >= DriverDeadline) break;
      HANDLE Waits[] = {CommandEvent, Driver};
      const DWORD Woken = WaitForMultipleObjects(2, Waits, FALSE, DriverDeadline - Elapsed);
      if (Woken == WAIT_OBJECT_0) {
        Serve(*Channel, E, Sys, Monitor);
        SetEvent(ReplyEvent);
      } else if (Woken == WAIT_OBJECT_0 + 1) {
        DriverEnded = true;
      } else {
        break;
      }
    }
    DWORD DriverStatus = 1;
    if (!DriverEnded) {
      std::printf("FAIL client: the driver did not finish in %lu ms and was killed\n", DriverDeadline);
      TerminateProcess(Driver, 1);
      WaitForSingleObject(Driver, 5000);
      ++Failures;
    } else if (GetExitCodeProcess(Driver, &DriverStatus) && DriverStatus != 0) {
      std::printf("FAIL client: the driver reported %lu failed checks\n", DriverStatus);
      ++Failures;
    }
    CloseHandle(Driver);

    // The driver, where the hooks had loaded the library, is gone, and this
    // process released its view when uninstalling: nobody holds the block.
    if (E.MonitorInstalled() != 0) {
      std::printf("FAIL client: MonitorInstalled is still true after the last holder closed the block\n");
      ++Failures;
      Monitor.UninstallMonitor();
    } else {
      std::printf("ok   MonitorInstalled false after the last holder closed the block\n");
    }
  }
  UnmapViewOfFile(Channel);
  CloseHandle(Mapping);
  FreeLibrary(Library);
  std::fflush(stdout);
  return Failures == 0 ? 0 : 1;
}

}  // namespace
}  // namespace talvex::bench

int main() { return talvex::bench::Run(); }
