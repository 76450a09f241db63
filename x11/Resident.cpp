#include "x11/Resident.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <optional>

#include "x11/Keysyms.h"
#include "x11/Messages.h"

namespace talvex::x11 {

namespace {

using TClock = std::chrono::steady_clock;

int SignalPipe[2] = {-1, -1};

void OnSignal(int) {
  const char Byte = 0;
  [[maybe_unused]] const ssize_t Written = write(SignalPipe[1], &Byte, 1);
}

bool CatchSignals() {
  if (pipe2(SignalPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  struct sigaction Action {};
  Action.sa_handler = OnSignal;
  sigemptyset(&Action.sa_mask);
  for (const int Signal : {SIGTERM, SIGINT, SIGHUP}) sigaction(Signal, &Action, nullptr);
  return true;
}

void ReportFailures(TResident& P, const std::vector<TGrabFailure>& Failures) {
  for (const TGrabFailure& Failure : Failures)
    P.Reporter.Warn(GrabFailureText(Failure, P.Reporter.Language(), P.SettingsPath));
}

struct TLoop {
  TResident& P;
  bool Running = true;
  std::optional<TClock::time_point> GiveBackAt;  // of the keys the typing borrowed
};

void OnKeyPress(TLoop& L, XEvent& Event) {
  const XKeyEvent& Key = Event.xkey;
  const auto Time = static_cast<TTime>(Key.time);
  // The press began a grab of the whole keyboard, which would take the typing.
  L.P.X.UngrabKeyboard(Time);
  const auto Keycode = static_cast<TKeycode>(Key.keycode);
  const std::optional<THotkey> Hotkey = L.P.Hotkeys.Match(Keycode, Key.state);
  // A hotkey held on would start a cycle at each repeat, on a selection the
  // first one has replaced.
  if (!Hotkey || (L.P.X.WatchesKeyReleases() && !L.P.Hotkeys.FirstPress(Keycode))) return;
  L.P.Cycle.Run(*Hotkey, Time);
  if (L.P.Hotkeys.Keys(*Hotkey).Keysym == KeysymNumLock) RestoreNumLock(L.P.X, Key.state);
  if (L.P.Typer.HoldsBorrowedKeys()) L.GiveBackAt = TClock::now() + std::chrono::milliseconds(TTyper::LookupGraceMs);
}

void OnGenericEvent(TLoop& L, XEvent& Event) {
  if (const std::optional<TKeycode> Key = L.P.X.RawKeyRelease(Event)) L.P.Hotkeys.Released(*Key);
}

void OnMappingNotify(TLoop& L, XEvent& Event) {
  XRefreshKeyboardMapping(&Event.xmapping);
  if (Event.xmapping.request == MappingPointer) return;
  const auto Failures = L.P.Hotkeys.Refresh();
  if (!Failures) return;
  ReportFailures(L.P, *Failures);
  L.P.X.AnnounceHotkeys(L.P.Hotkeys.GrabbedNames());
}

// The instance selection holds no data.
void OnSelectionRequest(TLoop& L, XEvent& Event) {
  const XSelectionRequestEvent& Request = Event.xselectionrequest;
  XEvent Reply{};
  Reply.xselection.type = SelectionNotify;
  Reply.xselection.requestor = Request.requestor;
  Reply.xselection.selection = Request.selection;
  Reply.xselection.target = Request.target;
  Reply.xselection.property = None;
  Reply.xselection.time = Request.time;
  XSendEvent(L.P.X.Connection(), Request.requestor, False, NoEventMask, &Reply);
}

using THandler = void (*)(TLoop&, XEvent&);

constexpr std::array<THandler, LASTEvent> MakeHandlers() {
  std::array<THandler, LASTEvent> Handlers{};
  Handlers[KeyPress] = OnKeyPress;
  Handlers[MappingNotify] = OnMappingNotify;
  Handlers[SelectionRequest] = OnSelectionRequest;
  Handlers[GenericEvent] = OnGenericEvent;
  return Handlers;
}
constexpr std::array<THandler, LASTEvent> Handlers = MakeHandlers();

int MillisecondsUntil(TClock::time_point Deadline) {
  const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
  return Left > 0 ? static_cast<int>(Left) + 1 : 0;
}

}  // namespace

std::string GrabFailureText(const TGrabFailure& Failure, TLanguage Language, const std::string& SettingsPath) {
  return Text(Failure.NoKey ? TMessageKey::HotkeyNoKey : TMessageKey::HotkeyTaken, Language,
              {Failure.Name, SettingsPath.empty() ? "~/.config/talvex/settings" : SettingsPath});
}

int RunResident(TResident& Program) {
  if (!CatchSignals()) return 1;
  TLoop L{Program, true, std::nullopt};
  Display* Dpy = Program.X.Connection();
  while (L.Running) {
    while (XPending(Dpy)) {
      XEvent Event;
      XNextEvent(Dpy, &Event);
      if (Event.type >= 0 && Event.type < LASTEvent && Handlers[static_cast<std::size_t>(Event.type)])
        Handlers[static_cast<std::size_t>(Event.type)](L, Event);
    }
    pollfd Waits[2] = {{ConnectionNumber(Dpy), POLLIN, 0}, {SignalPipe[0], POLLIN, 0}};
    poll(Waits, 2, L.GiveBackAt ? MillisecondsUntil(*L.GiveBackAt) : -1);
    if (Waits[1].revents & POLLIN) L.Running = false;
    if (L.GiveBackAt && TClock::now() >= *L.GiveBackAt) {
      Program.Typer.GiveBackKeys();
      L.GiveBackAt.reset();
    }
  }
  Program.Hotkeys.Ungrab();
  Program.Typer.GiveBackKeys();
  XSync(Dpy, False);
  return 0;
}

}  // namespace talvex::x11
