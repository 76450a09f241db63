// Talvex.exe: the resident calculator. One instance per session; everything
// runs on this thread, inside the message loop.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cxxabi.h>

#include <cstdlib>
#include <exception>
#include <string>
#include <typeinfo>

#include "app/AppTexts.h"
#include "app/CalculatorApp.h"
#include "lib/TextCodec.h"
#include "ui/ApplicationWindow.h"

namespace {

constexpr const char* InstanceId = "Talvex";

std::wstring ClassName(const std::exception& E) {
  int Status = 0;
  char* Name = abi::__cxa_demangle(typeid(E).name(), nullptr, nullptr, &Status);
  const std::wstring Wide = talvex::Cp1251ToWide(Status == 0 && Name ? Name : typeid(E).name());
  std::free(Name);
  return Wide;
}

// What nothing else caught ends the program, with its class and message.
void ShowApplicationError(const std::exception& E) {
  const std::wstring Text = ClassName(E) + L": " + talvex::Cp1251ToWide(E.what());
  MessageBoxW(nullptr, Text.c_str(), L"Application Error", MB_OK | MB_ICONERROR);
}

int Run() {
  talvex::ui::TApplicationWindow Application(talvex::texts::AppCaption);
  if (!Application.CheckSingleInstance(InstanceId)) return 0;
  talvex::TCalculatorApp App(Application);
  App.SetupApplication();
  Application.RunMessageLoop();
  // The about window is destroyed with it, which ends the monitor and the hotkeys.
  Application.Destroy();
  return 0;
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
  try {
    return Run();
  } catch (const std::exception& E) {
    ShowApplicationError(E);
    return 1;
  }
}
