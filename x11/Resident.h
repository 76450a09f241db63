// Resident mode: the hotkeys grabbed and one event loop, with a handler per
// event type, until a signal (SIGTERM, SIGINT, SIGHUP) ends it.
#pragma once

#include "x11/Cycle.h"
#include "x11/Hotkeys.h"
#include "x11/XlibSystem.h"

namespace talvex::x11 {

struct TResident {
  TXlibSystem& X;
  THotkeys& Hotkeys;
  TCycle& Cycle;
  TTyper& Typer;
  TReporter& Reporter;
  std::string SettingsPath;  // named in a message about the keys
};

// Returns the exit status.
int RunResident(TResident& Program);

// The message for a hotkey that could not be grabbed.
std::string GrabFailureText(const TGrabFailure& Failure, TLanguage Language, const std::string& SettingsPath);

}  // namespace talvex::x11
