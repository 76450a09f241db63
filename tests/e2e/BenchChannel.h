// The bench's two processes talk through one named mapping and two events:
// the driver (the foreign application with the edit control) writes a
// command, the client (where Vantrel.dll and the capture code run) answers.
#pragma once

#include <windows.h>

#include <cstdint>

namespace talvex::bench {

inline constexpr const char* ChannelName = "Talvex Bench Channel";
inline constexpr const char* CommandEventName = "Talvex Bench Command";
inline constexpr const char* ReplyEventName = "Talvex Bench Reply";

enum TCommand : std::uint32_t {
  cmNone,
  cmProbe,      // the exports' values as they stand
  cmInstall,    // InstallMonitor, then the block read back through its name
  cmCapture,    // CaptureSelection of the foreground application
  cmType,       // TypeWideText (Text)
  cmUninstall,  // UninstallMonitor
};

enum TProbeValue : std::uint32_t {
  pvKbdTime,
  pvMouseTime,
  pvCurrentFocus,
  pvProcessId,
  pvMonitorInstalled,
  pvResult,  // of the command itself
  pvTickBefore,
  pvTickAfter,
  pvBlock,  // five words of the block from here
  pvCount = pvBlock + 5,
};

struct TChannel {
  std::uint32_t Command;
  std::uint32_t Values[pvCount];
  char Text[512];  // the command's text in, the captured text out
};

}  // namespace talvex::bench
