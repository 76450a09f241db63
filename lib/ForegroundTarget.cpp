#include "ForegroundTarget.h"

namespace talvex {

namespace {

// Higher only when both levels are known: Windows XP has none, and a
// process that cannot be asked is not taken for an administrator's.
bool IsHigherIntegrity(ISystemApi& Sys, std::uint32_t ProcessId) {
  const auto Theirs = Sys.ProcessIntegrity(ProcessId);
  if (!Theirs) return false;
  const auto Ours = Sys.ProcessIntegrity(Sys.CurrentProcessId());
  return Ours && *Theirs > *Ours;
}

TWindowHandle FocusOf(ISystemApi& Sys, TMonitorBinding& Monitor, std::uint32_t Thread) {
  if (const auto Focus = Sys.FocusOfThread(Thread)) return *Focus;
  const TWindowHandle Recorded = Monitor.GetCurrentFocus();
  std::uint32_t RecordedProcess = 0;
  return Recorded != 0 && Sys.WindowThread(Recorded, RecordedProcess) == Thread ? Recorded : 0;
}

}  // namespace

TForegroundTarget FindForegroundTarget(ISystemApi& Sys, TMonitorBinding& Monitor) {
  TForegroundTarget Target;
  const TWindowHandle Foreground = Sys.ForegroundWindow();
  if (Foreground == 0) return Target;
  std::uint32_t Process = 0;
  const std::uint32_t Thread = Sys.WindowThread(Foreground, Process);
  if (Thread == 0) return Target;
  if (Process == Sys.CurrentProcessId()) {
    Target.Own = true;
    return Target;
  }
  Target.Window = Foreground;
  Target.Thread = Thread;
  Target.Process = Process;
  Target.Elevated = IsHigherIntegrity(Sys, Process);
  if (Target.Elevated) return Target;

  Target.Focus = FocusOf(Sys, Monitor, Thread);
  std::uint32_t FocusProcess = 0;
  if (Target.Focus != 0 && Sys.WindowThread(Target.Focus, FocusProcess) != 0 && FocusProcess != Process)
    Target.FocusProcess = FocusProcess;
  return Target;
}

}  // namespace talvex
