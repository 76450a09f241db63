// The run-time binding of the monitor library Vantrel.dll.
#pragma once

#include <cstdint>
#include <string>

#include "SystemApi.h"

namespace talvex {

class TMonitorBinding {
public:
  explicit TMonitorBinding(ISystemApi& Sys, std::string MonitorLibraryName = "Vantrel.dll");
  ~TMonitorBinding();
  TMonitorBinding(const TMonitorBinding&) = delete;
  TMonitorBinding& operator=(const TMonitorBinding&) = delete;

  // Loads the library and binds all five entry points, or none.
  bool BindMonitorLibrary();
  bool IsBound() const { return Handle != 0; }

  // Each binds first when not bound yet; 0 or false when that fails.
  TWindowHandle GetCurrentFocus();
  bool InstallMonitor();
  bool UninstallMonitor();

private:
  bool EnsureBound();

  ISystemApi& Sys;
  std::string MonitorLibraryName;
  TModuleHandle Handle = 0;
  // Bound because a library without them is not the right one; never called.
  TProcAddress GetKbdTimeProc = 0;
  TProcAddress GetMouseTimeProc = 0;
  TProcAddress InstallMonitorProc = 0;
  TProcAddress UninstallMonitorProc = 0;
  TProcAddress GetCurrentFocusProc = 0;
};

}  // namespace talvex
