// The end-to-end tests' text field: an Xlib window that takes the input
// focus, owns PRIMARY with its selected text (UTF8_STRING, STRING, or INCR in
// small pieces when asked), replaces the selection by what is typed, as GTK
// and Qt fields do, and reports on standard output:
//   ready WINDOW                 once it has the focus and the selection
//   key MONOTONIC_NS TEXT STATE  for each key press that typed TEXT, STATE its modifiers
//   text TEXT                    the field's whole text after each change
// Standard input takes "quit", and "reset TEXT": TEXT all selected, PRIMARY
// and the focus taken again, "ready" said again.
//
//   x11_text_field TEXT [--select=FROM,COUNT] [--no-primary] [--no-focus] [--incr=BYTES]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <poll.h>
#include <unistd.h>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string>

namespace {

struct TField {
  Display* Dpy = nullptr;
  Window Win = 0;
  XIC Ic = nullptr;
  std::string Text;            // UTF-8
  std::size_t From = 0, Count = 0;  // the selection, in bytes
  bool OwnPrimary = true;
  std::size_t IncrPiece = 0;   // 0: the whole text at once
  // An INCR transfer under way.
  Window IncrRequestor = 0;
  Atom IncrProperty = 0;
  std::size_t IncrSent = 0;
  bool IncrDone = false;
  Atom Utf8 = 0, Targets = 0, Incr = 0;
};

long long MonotonicNs() {
  timespec Now{};
  clock_gettime(CLOCK_MONOTONIC, &Now);
  return static_cast<long long>(Now.tv_sec) * 1000000000LL + Now.tv_nsec;
}

// Characters count in code points, as the test writes selections.
std::size_t ByteOffset(const std::string& Text, std::size_t Characters) {
  std::size_t I = 0;
  for (std::size_t Seen = 0; I < Text.size(); ++I) {
    if ((static_cast<unsigned char>(Text[I]) & 0xC0) == 0x80) continue;
    if (Seen++ == Characters) break;
  }
  return I;
}

void Say(const std::string& Line) {
  std::fputs((Line + "\n").c_str(), stdout);
  std::fflush(stdout);
}

Time ServerTime(TField& F) {
  XChangeProperty(F.Dpy, F.Win, XA_WM_NAME, XA_STRING, 8, PropModeAppend, nullptr, 0);
  XEvent Event;
  do XWindowEvent(F.Dpy, F.Win, PropertyChangeMask, &Event);
  while (Event.type != PropertyNotify);
  return Event.xproperty.time;
}

// Owns PRIMARY while something is selected, and says it is ready.
void TakeSelection(TField& F) {
  if (F.Count > 0) XSetSelectionOwner(F.Dpy, XA_PRIMARY, F.Win, ServerTime(F));
  XSync(F.Dpy, False);
  char Id[32];
  std::snprintf(Id, sizeof Id, "ready 0x%lx", F.Win);
  Say(Id);
}

std::string Selected(const TField& F) { return F.Text.substr(F.From, F.Count); }

void Reply(TField& F, const XSelectionRequestEvent& Request, Atom Property) {
  XEvent Notify{};
  Notify.xselection.type = SelectionNotify;
  Notify.xselection.requestor = Request.requestor;
  Notify.xselection.selection = Request.selection;
  Notify.xselection.target = Request.target;
  Notify.xselection.property = Property;
  Notify.xselection.time = Request.time;
  XSendEvent(F.Dpy, Request.requestor, False, NoEventMask, &Notify);
  XFlush(F.Dpy);
}

void OnSelectionRequest(TField& F, const XSelectionRequestEvent& Request) {
  const Atom Property = Request.property == None ? Request.target : Request.property;
  const std::string Text = Selected(F);
  if (Request.target == F.Targets) {
    const Atom Offered[] = {F.Targets, F.Utf8, XA_STRING};
    XChangeProperty(F.Dpy, Request.requestor, Property, XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(Offered), 3);
  } else if (Request.target == F.Utf8 && F.IncrPiece > 0) {
    const long Size = static_cast<long>(Text.size());
    XSelectInput(F.Dpy, Request.requestor, PropertyChangeMask);
    XChangeProperty(F.Dpy, Request.requestor, Property, F.Incr, 32, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(&Size), 1);
    F.IncrRequestor = Request.requestor;
    F.IncrProperty = Property;
    F.IncrSent = 0;
    F.IncrDone = false;
  } else if (Request.target == F.Utf8 || Request.target == XA_STRING) {
    XChangeProperty(F.Dpy, Request.requestor, Property, Request.target, 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(Text.data()), static_cast<int>(Text.size()));
  } else {
    Reply(F, Request, None);
    return;
  }
  Reply(F, Request, Property);
}

// The requestor deleted what it read: the next piece, and an empty one at the end.
void OnRequestorProperty(TField& F, const XPropertyEvent& Event) {
  if (Event.window != F.IncrRequestor || Event.atom != F.IncrProperty || Event.state != PropertyDelete || F.IncrDone)
    return;
  const std::string Text = Selected(F);
  const std::size_t Piece = std::min(F.IncrPiece, Text.size() - F.IncrSent);
  XChangeProperty(F.Dpy, F.IncrRequestor, F.IncrProperty, F.Utf8, 8, PropModeReplace,
                  reinterpret_cast<const unsigned char*>(Text.data() + F.IncrSent), static_cast<int>(Piece));
  F.IncrSent += Piece;
  F.IncrDone = Piece == 0;
  XFlush(F.Dpy);
}

void OnKeyPress(TField& F, XKeyEvent& Event) {
  char Buffer[64];
  KeySym Keysym = NoSymbol;
  Status Got = 0;
  const int Length = Xutf8LookupString(F.Ic, &Event, Buffer, sizeof Buffer - 1, &Keysym, &Got);
  if ((Got != XLookupChars && Got != XLookupBoth) || Length <= 0) return;
  const std::string Typed(Buffer, static_cast<std::size_t>(Length));
  Say("key " + std::to_string(MonotonicNs()) + " " + Typed + " " + std::to_string(Event.state));
  // Typing replaces the selection and ends it.
  F.Text.replace(F.From, F.Count, Typed);
  F.From += Typed.size();
  F.Count = 0;
  Say("text " + F.Text);
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc < 2) return 2;
  TField F;
  F.Text = Argv[1];
  bool TakeFocus = true;
  for (int I = 2; I < Argc; ++I) {
    const std::string Arg = Argv[I];
    unsigned long From = 0, Count = 0;
    if (std::sscanf(Arg.c_str(), "--select=%lu,%lu", &From, &Count) == 2) {
      F.From = ByteOffset(F.Text, From);
      F.Count = ByteOffset(F.Text, From + Count) - F.From;
    } else if (Arg == "--no-primary") {
      F.OwnPrimary = false;
    } else if (Arg == "--no-focus") {
      TakeFocus = false;
    } else if (Arg.rfind("--incr=", 0) == 0) {
      F.IncrPiece = std::strtoul(Arg.c_str() + 7, nullptr, 10);
    } else {
      return 2;
    }
  }
  std::setlocale(LC_ALL, "C.UTF-8");
  XSetLocaleModifiers("@im=none");
  F.Dpy = XOpenDisplay(nullptr);
  if (!F.Dpy) return 1;
  F.Utf8 = XInternAtom(F.Dpy, "UTF8_STRING", False);
  F.Targets = XInternAtom(F.Dpy, "TARGETS", False);
  F.Incr = XInternAtom(F.Dpy, "INCR", False);
  F.Win = XCreateSimpleWindow(F.Dpy, DefaultRootWindow(F.Dpy), 10, 10, 400, 60, 1, 0, 0xFFFFFF);
  XSelectInput(F.Dpy, F.Win, KeyPressMask | StructureNotifyMask | PropertyChangeMask | FocusChangeMask);
  XIM Im = XOpenIM(F.Dpy, nullptr, nullptr, nullptr);
  if (!Im) return 1;
  F.Ic = XCreateIC(Im, XNInputStyle, XIMPreeditNothing | XIMStatusNothing, XNClientWindow, F.Win, nullptr);
  XMapRaised(F.Dpy, F.Win);
  XEvent Event;
  do XWindowEvent(F.Dpy, F.Win, StructureNotifyMask, &Event);
  while (Event.type != MapNotify);
  if (TakeFocus) XSetInputFocus(F.Dpy, F.Win, RevertToParent, CurrentTime);
  if (!F.OwnPrimary) F.Count = 0;
  TakeSelection(F);
  for (;;) {
    while (XPending(F.Dpy)) {
      XNextEvent(F.Dpy, &Event);
      if (XFilterEvent(&Event, None)) continue;
      switch (Event.type) {
        case KeyPress: OnKeyPress(F, Event.xkey); break;
        case SelectionRequest: OnSelectionRequest(F, Event.xselectionrequest); break;
        case PropertyNotify: OnRequestorProperty(F, Event.xproperty); break;
        case SelectionClear: F.Count = 0; break;
        default: break;
      }
    }
    pollfd Waits[2] = {{ConnectionNumber(F.Dpy), POLLIN, 0}, {0, POLLIN, 0}};
    poll(Waits, 2, -1);
    if (Waits[1].revents & (POLLIN | POLLHUP)) {
      char Line[1024] = {};
      if (!std::fgets(Line, sizeof Line, stdin) || std::strncmp(Line, "quit", 4) == 0) break;
      if (std::strncmp(Line, "reset ", 6) == 0) {
        F.Text = std::string(Line + 6, std::strcspn(Line + 6, "\n"));
        F.From = 0;
        F.Count = F.Text.size();
        XSetInputFocus(F.Dpy, F.Win, RevertToParent, CurrentTime);
        TakeSelection(F);
      }
    }
  }
  XDestroyIC(F.Ic);
  XCloseIM(Im);
  XCloseDisplay(F.Dpy);
  return 0;
}
