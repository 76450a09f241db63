// talvex-x11: highlight an expression in any X11 application, press a
// hotkey, and the answer is typed in its place. Resident by default; once
// with --oneshot, for a desktop's own shortcut settings.
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/CharClasses.h"
#include "edge/Language.h"
#include "edge/Locale.h"
#include "edge/SystemLocale.h"
#include "parser/CalcParser.h"
#include "x11/Cycle.h"
#include "x11/DbusNotifications.h"
#include "x11/Hotkeys.h"
#include "x11/Messages.h"
#include "x11/Options.h"
#include "x11/Resident.h"
#include "x11/Settings.h"
#include "x11/WaylandClipboard.h"
#include "x11/XlibSystem.h"

namespace {

using namespace talvex;
using namespace talvex::x11;

const char* Environment(const char* Name) { return std::getenv(Name); }

void WriteError(std::string_view Line) {
  std::fwrite(Line.data(), 1, Line.size(), stderr);
  std::fputc('\n', stderr);
  std::fflush(stderr);
}

// Help and version text on standard output; a full disk or a closed pipe is
// a failure, not a silent success.
int WriteOut(const char* Text) {
  if (std::fputs(Text, stdout) < 0 || std::fflush(stdout) != 0) {
    WriteError(std::string("talvex-x11: ") + std::strerror(errno));
    return 1;
  }
  return 0;
}

int BadOptions(const TOptionError& Error, TLanguage Language) {
  const auto Message = [&]() -> std::string {
    switch (Error.Args.size()) {
      case 0: return Text(Error.Key, Language);
      case 1: return Text(Error.Key, Language, {Error.Args[0]});
      default: return Text(Error.Key, Language, {Error.Args[0], Error.Args[1]});
    }
  };
  WriteError("talvex-x11: " + Message());
  WriteError(Text(TMessageKey::TryHelp, Language));
  return 2;
}

bool IsWayland() {
  const char* Wayland = Environment("WAYLAND_DISPLAY");
  return Wayland && *Wayland;
}

// The keys: --keys, else the settings file, else the default pair.
THotkeyPair ChosenKeys(const TOptions& Options, const std::string& SettingsFile, TReporter& Reporter) {
  if (Options.Keys) return *Options.Keys;
  std::string Unknown;
  const THotkeyPair Keys = KeysOfSettings(ReadSettingsFile(SettingsFile), Unknown);
  if (!Unknown.empty()) Reporter.Warn(Text(TMessageKey::BadSettings, Reporter.Language(), {SettingsFile, Unknown}));
  return Keys;
}

int Resident(TXlibSystem& X, TCycle& Cycle, TTyper& Typer, TReporter& Reporter, const TOptions& Options) {
  const TLanguage Language = Reporter.Language();
  if (!X.ClaimInstance()) {
    WriteError("talvex-x11: " + Text(TMessageKey::AlreadyRunning, Language));
    return 1;
  }
  const std::string SettingsFile = SettingsPath(Environment);
  THotkeys Hotkeys(X);
  for (const TGrabFailure& Failure : Hotkeys.Grab(ChosenKeys(Options, SettingsFile, Reporter)))
    Reporter.Warn(GrabFailureText(Failure, Language, SettingsFile));
  if (!Hotkeys.AnyGrabbed()) {
    Reporter.Warn(Text(TMessageKey::NoHotkeys, Language));
    return 1;
  }
  if (IsWayland()) Reporter.Warn(Text(TMessageKey::WaylandResident, Language));
  X.AnnounceHotkeys(Hotkeys.GrabbedNames());
  TResident Program{X, Hotkeys, Cycle, Typer, Reporter, SettingsFile};
  return RunResident(Program);
}

// The keys of a desktop's shortcut are still down when it starts the
// command, and the desktop holds the keyboard until they are up.
bool WaitForKeyboard(TXlibSystem& X) {
  constexpr int PollMs = 10, MaxPolls = 200;
  for (int I = 0; I < MaxPolls; ++I) {
    if (!X.KeyboardGrabbedElsewhere()) return true;
    X.Pause(PollMs);
  }
  return false;
}

int OneShot(TXlibSystem& X, TCycle& Cycle, TTyper& Typer, TReporter& Reporter, THotkey Hotkey) {
  if (!WaitForKeyboard(X)) {
    Reporter.Error(Text(TMessageKey::KeyboardBusy, Reporter.Language()));
    return 1;
  }
  const bool Typed = Cycle.Run(Hotkey, X.ServerTime());
  if (Typer.HoldsBorrowedKeys()) {
    X.Pause(TTyper::LookupGraceMs);
    Typer.GiveBackKeys();
  }
  return Typed ? 0 : 1;
}

}  // namespace

int main(int Argc, char** Argv) {
  TOptions Options;
  TOptionError Error;
  const bool OptionsRead = ParseOptions(Argc, Argv, Options, Error);
  const TLanguage Language = MessageLanguage(Options.Messages, Options.Locale, EnvironmentLanguage(Environment));
  if (!OptionsRead) return BadOptions(Error, Language);
  if (Options.Help) return WriteOut(UsageText);
  if (Options.Version) return WriteOut(VersionText);
  TFormatSettings Settings;
  if (Options.Locale.empty())
    Settings = EnvironmentLocaleSettings(Environment, TSystemLocales());
  else if (!NamedLocaleSettings(Options.Locale, TSystemLocales(), Settings))
    return BadOptions({TMessageKey::UnknownLocale, {Options.Locale}}, Language);

  FormatSettings() = Settings;
  TCalcParser Parser{BuiltinFunctions()};
  Parser.AngleUnit = auRadians;  // as in the Windows program
  TDbusNotifications Notifications;
  TReporter Reporter(&Notifications, Language, WriteError, Options.OneShot.has_value());
  Reporter.NotifyResults = Options.NotifyResults;
  TEvaluator Evaluator(Parser, Reporter);

  const char* DisplayName = Environment("DISPLAY");
  std::string Missing;
  std::unique_ptr<TXlibSystem> X;
  if (DisplayName && *DisplayName) X = TXlibSystem::Open(DisplayName, Missing);
  const bool Wayland = IsWayland();
  if (Options.OneShot && Wayland && (!X || FocusedWindow(*X, false) == NoWindow)) {
    // A Wayland application has the focus: X can neither read its text nor type into it.
    TWlClipboard Clipboard;
    return CalculateToClipboard(Clipboard, Evaluator, *Options.OneShot, Reporter);
  }
  if (!X) {
    if (!Missing.empty())
      Reporter.Warn(Text(TMessageKey::MissingExtension, Language, {Missing}));
    else if (DisplayName && *DisplayName)
      Reporter.Warn(Text(TMessageKey::DisplayUnavailable, Language, {DisplayName}));
    else
      Reporter.Warn(Text(TMessageKey::NoDisplay, Language));
    return 1;
  }
  TTyper Typer(*X);
  TCycle Cycle(*X, Typer, Evaluator, Reporter);
  Cycle.FollowPointer = !Wayland;
  if (Options.OneShot) return OneShot(*X, Cycle, Typer, Reporter, *Options.OneShot);
  return Resident(*X, Cycle, Typer, Reporter, Options);
}
