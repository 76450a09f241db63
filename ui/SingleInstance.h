// One running instance per user session: a named mutex decides, and a second
// start tells the first through a broadcast of a registered message.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <functional>
#include <string>

namespace talvex::ui {

class TSingleInstance {
 public:
  TSingleInstance() = default;
  ~TSingleInstance() { Release(); }
  TSingleInstance(const TSingleInstance&) = delete;
  TSingleInstance& operator=(const TSingleInstance&) = delete;

  // True for the first instance, which then owns the mutex Id. Otherwise the
  // running instance has been notified (Window's caption carried this
  // process's command line meanwhile) and the check fails; it also fails
  // when it cannot be made.
  bool Check(HWND Window, const char* Id);
  // The registered message "Message.<Id>", 0 before the check.
  UINT Message() const { return InstanceMessage; }
  // Answers another instance's broadcast: reads the sender's caption.
  LRESULT OnMessage(LPARAM Sender);
  void Release();

  // Gets the other instance's command line; nothing is set by the program.
  std::function<void(const std::wstring& CommandLine)> OnAnotherInstance;

 private:
  UINT InstanceMessage = 0;
  HANDLE Mutex = nullptr;
};

}  // namespace talvex::ui
