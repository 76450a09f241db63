#include "MonitorBinding.h"

#include <utility>

namespace talvex {

TMonitorBinding::TMonitorBinding(ISystemApi& System, std::string LibraryName)
    : Sys(System), MonitorLibraryName(std::move(LibraryName)) {}

TMonitorBinding::~TMonitorBinding() {
  if (Handle != 0) Sys.CloseLibrary(Handle);
}

bool TMonitorBinding::BindMonitorLibrary() {
  if (IsBound()) return true;  // a second load would only raise the library's count
  Handle = Sys.OpenLibrary(MonitorLibraryName);
  if (Handle == 0) return false;
  GetKbdTimeProc = Sys.FindExport(Handle, "GetKbdTime");
  GetMouseTimeProc = Sys.FindExport(Handle, "GetMouseTime");
  InstallMonitorProc = Sys.FindExport(Handle, "InstallMonitor");
  UninstallMonitorProc = Sys.FindExport(Handle, "UninstallMonitor");
  GetCurrentFocusProc = Sys.FindExport(Handle, "GetCurrentFocus");
  if (GetKbdTimeProc && GetMouseTimeProc && InstallMonitorProc && UninstallMonitorProc &&
      GetCurrentFocusProc)
    return true;
  Sys.CloseLibrary(Handle);
  Handle = 0;
  GetKbdTimeProc = GetMouseTimeProc = InstallMonitorProc = UninstallMonitorProc =
      GetCurrentFocusProc = 0;
  return false;
}

bool TMonitorBinding::EnsureBound() { return IsBound() || BindMonitorLibrary(); }

TWindowHandle TMonitorBinding::GetCurrentFocus() {
  if (!EnsureBound()) return 0;
  // The block keeps the handle's 32 significant bits; Windows defines the
  // 64-bit handle as their sign extension.
  const auto Stored = static_cast<std::int32_t>(Sys.CallExport(GetCurrentFocusProc));
  return static_cast<TWindowHandle>(static_cast<std::intptr_t>(Stored));
}

bool TMonitorBinding::InstallMonitor() {
  if (!EnsureBound()) return false;
  return Sys.CallExport(InstallMonitorProc) != 0;
}

bool TMonitorBinding::UninstallMonitor() {
  if (!EnsureBound()) return false;
  return Sys.CallExport(UninstallMonitorProc) != 0;
}

}  // namespace talvex
