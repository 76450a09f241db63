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

}  // namespace

TForegroundTarget FindForegroundTarget(ISystemApi& Sys, TMonitorBinding& Monitor) {
  TForegroundTarget Target;
  const TWindowHandle Foreground = Sys.ForegroundWindow();
  if (Foreground == 0) return Target;
  std::uint32_t Process = 0;
  const std::uint32_t Thread = Sys.WindowThread(Foreground, Process);
  if (Thread == 0 || Process == Sys.CurrentProcessId()) return Target;
  Target.Window = Foreground;
  Target.Thread = Thread;
  Target.Elevated = IsHigherIntegrity(Sys, Process);
  if (Target.Elevated) return Target;

  const TWindowHandle Recorded = Monitor.GetCurrentFocus();
  std::uint32_t RecordedProcess = 0;
  if (Recorded != 0 && Sys.WindowThread(Recorded, RecordedProcess) == Thread)
    Target.Focus = Recorded;
  else
    Target.Focus = Sys.FocusOfThread(Thread);
  return Target;
}

}  // namespace talvex
