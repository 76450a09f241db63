// The messages that tell the user what to do when something the program
// needs is missing or taken: the monitor library at start-up, a hotkey, the
// settings file, or a way to open the help file.
#pragma once

#include <string>
#include <string_view>

namespace talvex {

inline constexpr const wchar_t* MonitorLibraryFile = L"Vantrel.dll";
inline constexpr const wchar_t* HelpFile = L"talvex.html";

enum class TMonitorFailure {
  Missing,       // not next to the program, and not found elsewhere
  Unusable,      // next to the program, but it does not load or lacks an export
  OtherBitness,  // next to the program, but built for the other bitness
  NotInstalled,  // bound, but its InstallMonitor failed
};

// "Ошибка инициализации" first, then what is wrong and what to do.
// ProgramFolder ends with its path delimiter; ProgramBits is 32 or 64.
std::wstring MonitorFailureText(TMonitorFailure Failure, std::wstring_view ProgramFolder,
                                int ProgramBits = sizeof(void*) * 8);

// "Ошибка инициализации горячих клавиш", then which keys another program
// holds and where to pick others.
std::wstring HotkeyFailureText(std::wstring_view Keys);

// The settings file could not be written; Path is empty when unknown.
std::wstring SettingsNotWrittenText(std::wstring_view Path);

// ShellResult is what ShellExecute returned: 32 or less when it failed.
std::wstring HelpFailureText(long ShellResult, std::wstring_view ProgramFolder);

}  // namespace talvex
