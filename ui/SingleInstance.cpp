#include "ui/SingleInstance.h"

#include <string>

namespace talvex::ui {

namespace {

// Serialises two starts that check at the same moment.
constexpr const char* GuardMutexName = "Talvex.SingleInstance.Guard";
constexpr DWORD GuardTimeout = 5000;
// BSF_NOHANG: a hung application must not hang a second start with it.
constexpr DWORD BroadcastFlags = BSF_QUERY | BSF_IGNORECURRENTTASK | BSF_NOHANG;
constexpr int MaxCaption = 512;

// Another instance is running when the named mutex exists and is owned.
bool OwnInstanceMutex(const char* Id, HANDLE& Mutex) {
  HANDLE Guard = CreateMutexA(nullptr, FALSE, GuardMutexName);
  const bool Guarded = Guard && WaitForSingleObject(Guard, GuardTimeout) != WAIT_TIMEOUT;
  Mutex = CreateMutexA(nullptr, FALSE, Id);
  const bool First = Mutex && WaitForSingleObject(Mutex, 0) != WAIT_TIMEOUT;
  if (Guarded) ReleaseMutex(Guard);
  if (Guard) CloseHandle(Guard);
  if (!First && Mutex) {
    CloseHandle(Mutex);
    Mutex = nullptr;
  }
  return First;
}

}  // namespace

bool TSingleInstance::Check(HWND Window, const char* Id) {
  InstanceMessage = RegisterWindowMessageA((std::string("Message.") + Id).c_str());
  if (InstanceMessage == 0) return false;
  if (OwnInstanceMutex(Id, Mutex)) return true;

  wchar_t Saved[MaxCaption] = {};
  GetWindowTextW(Window, Saved, MaxCaption);
  SetWindowTextW(Window, GetCommandLineW());
  DWORD Recipients = BSM_APPLICATIONS;
  BroadcastSystemMessageW(BroadcastFlags, &Recipients, InstanceMessage, 0, reinterpret_cast<LPARAM>(Window));
  SetWindowTextW(Window, Saved);
  return false;
}

LRESULT TSingleInstance::OnMessage(LPARAM Sender) {
  wchar_t Caption[MaxCaption] = {};
  GetWindowTextW(reinterpret_cast<HWND>(Sender), Caption, MaxCaption);
  if (OnAnotherInstance) OnAnotherInstance(Caption);
  return 0;
}

void TSingleInstance::Release() {
  if (!Mutex) return;
  ReleaseMutex(Mutex);
  CloseHandle(Mutex);
  Mutex = nullptr;
}

}  // namespace talvex::ui
