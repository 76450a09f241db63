#include "x11/XlibSystem.h"

#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/extensions/XInput.h>
#include <X11/extensions/XInput2.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xfixes.h>
#include <poll.h>

#include <chrono>
#include <climits>
#include <cstring>
#include <thread>

// Last: its macros would reach the headers above.
#include <X11/Xlibint.h>

namespace talvex::x11 {

namespace {

// Xlib reports a request's error to one process-wide handler, after the
// request; the default one ends the program.
unsigned char LastError = Success;

int RecordError(Display*, XErrorEvent* Error) {
  LastError = Error->error_code;
  return 0;
}

using TClock = std::chrono::steady_clock;

// Named here, where Atom is still Xlib's type and not the member function.
constexpr ::Atom PrimaryAtom = XA_PRIMARY;
constexpr ::Atom WindowAtom = XA_WINDOW;
constexpr ::Atom StringAtom = XA_STRING;

int MillisecondsUntil(TClock::time_point Deadline) {
  const auto Left = std::chrono::duration_cast<std::chrono::milliseconds>(Deadline - TClock::now()).count();
  return Left > 0 ? static_cast<int>(Left) : 0;
}

}  // namespace

std::unique_ptr<TXlibSystem> TXlibSystem::Open(const char* DisplayName, std::string& Missing) {
  Display* Dpy = XOpenDisplay(DisplayName);
  if (!Dpy) return nullptr;
  XSetErrorHandler(RecordError);
  int Event = 0, Error = 0, Major = XkbMajorVersion, Minor = XkbMinorVersion, Opcode = 0;
  if (!XTestQueryExtension(Dpy, &Event, &Error, &Major, &Minor)) Missing = "XTEST";
  Major = XkbMajorVersion;
  Minor = XkbMinorVersion;
  if (Missing.empty() && !XkbQueryExtension(Dpy, &Opcode, &Event, &Error, &Major, &Minor)) Missing = "XKEYBOARD";
  int FixesEvent = 0;
  if (Missing.empty() && !XFixesQueryExtension(Dpy, &FixesEvent, &Error)) Missing = "XFIXES";
  if (!Missing.empty()) {
    XCloseDisplay(Dpy);
    return nullptr;
  }
  std::unique_ptr<TXlibSystem> System(new TXlibSystem(Dpy));
  System->FixesEventBase = FixesEvent;
  System->HasXInput = XQueryExtension(Dpy, "XInputExtension", &Opcode, &Event, &Error);
  Major = 2;
  Minor = 1;
  if (System->HasXInput && XIQueryVersion(Dpy, &Major, &Minor) == Success && (Major > 2 || Minor >= 1)) {
    // Raw events reach a client whatever grab or focus is in place. Those of
    // the keyboards themselves: the master keyboard takes on the key state of
    // whichever keyboard sent the last event, so after the synthetic one typed
    // it no longer knows that the user's key is down, nor reports it let go.
    unsigned char Bits[XIMaskLen(XI_LASTEVENT)] = {};
    XISetMask(Bits, XI_RawKeyRelease);
    XIEventMask Mask{XIAllDevices, sizeof Bits, Bits};
    if (XISelectEvents(Dpy, DefaultRootWindow(Dpy), &Mask, 1) == Success) System->XInputOpcode = Opcode;
  }
  return System;
}

TXlibSystem::TXlibSystem(Display* Opened) : Dpy(Opened), Root(DefaultRootWindow(Opened)) {
  Own = XCreateSimpleWindow(Dpy, Root, -10, -10, 1, 1, 0, 0, 0);
  XSelectInput(Dpy, Own, PropertyChangeMask);
  Property = XInternAtom(Dpy, "_TALVEX_SELECTION", False);
  XFixesSelectSelectionInput(Dpy, Own, PrimaryAtom,
                             XFixesSelectionWindowDestroyNotifyMask | XFixesSelectionClientCloseNotifyMask);
  // Repeats of a held hotkey come as presses alone, not as release and press.
  XkbSetDetectableAutoRepeat(Dpy, True, nullptr);
}

TXlibSystem::~TXlibSystem() {
  if (Keyboard) XkbFreeKeyboard(Keyboard, 0, True);
  XDestroyWindow(Dpy, Own);
  XCloseDisplay(Dpy);
}

bool TXlibSystem::ClaimInstance() {
  const ::Atom Instance =
      XInternAtom(Dpy, ("_TALVEX_X11_S" + std::to_string(DefaultScreen(Dpy))).c_str(), False);
  XGrabServer(Dpy);
  const bool Free = XGetSelectionOwner(Dpy, Instance) == None;
  if (Free) XSetSelectionOwner(Dpy, Instance, Own, CurrentTime);
  XUngrabServer(Dpy);
  XSync(Dpy, False);
  return Free && XGetSelectionOwner(Dpy, Instance) == Own;
}

void TXlibSystem::AnnounceHotkeys(const std::string& Names) {
  XChangeProperty(Dpy, Own, XInternAtom(Dpy, "_TALVEX_X11_HOTKEYS", False), XInternAtom(Dpy, "UTF8_STRING", False), 8,
                  PropModeReplace, reinterpret_cast<const unsigned char*>(Names.data()), static_cast<int>(Names.size()));
  XFlush(Dpy);
}

bool TXlibSystem::KeyboardGrabbedElsewhere() {
  if (XGrabKeyboard(Dpy, Root, False, GrabModeAsync, GrabModeAsync, CurrentTime) != GrabSuccess) return true;
  XUngrabKeyboard(Dpy, CurrentTime);
  XFlush(Dpy);
  return false;
}

std::optional<TKeycode> TXlibSystem::RawKeyRelease(XEvent& Event) {
  XGenericEventCookie& Cookie = Event.xcookie;
  if (Event.type != GenericEvent || Cookie.extension != XInputOpcode || XInputOpcode == 0) return std::nullopt;
  std::optional<TKeycode> Key;
  if (XGetEventData(Dpy, &Cookie)) {
    const auto* Raw = static_cast<const XIRawEvent*>(Cookie.data);
    // A master's copy of a keyboard's event comes too.
    if (Cookie.evtype == XI_RawKeyRelease && Raw->deviceid == Raw->sourceid) Key = static_cast<TKeycode>(Raw->detail);
    XFreeEventData(Dpy, &Cookie);
  }
  return Key;
}

TXid TXlibSystem::Atom(const char* Name) { return static_cast<TXid>(XInternAtom(Dpy, Name, False)); }

TXid TXlibSystem::ActiveWindow() {
  ::Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  TXid Active = NoWindow;
  if (XGetWindowProperty(Dpy, Root, XInternAtom(Dpy, "_NET_ACTIVE_WINDOW", False), 0, 1, False, WindowAtom, &Type,
                         &Format, &Count, &After, &Data) == Success &&
      Type == WindowAtom && Format == 32 && Count == 1)
    Active = static_cast<TXid>(*reinterpret_cast<unsigned long*>(Data));
  if (Data) XFree(Data);
  return Active;
}

TXid TXlibSystem::FocusWindow() {
  Window Focus = None;
  int Revert = 0;
  XGetInputFocus(Dpy, &Focus, &Revert);
  return static_cast<TXid>(Focus);
}

TXid TXlibSystem::WindowUnderPointer() {
  Window RootReturn = None, Child = None;
  int X = 0, Y = 0, WinX = 0, WinY = 0;
  unsigned Mask = 0;
  if (!XQueryPointer(Dpy, Root, &RootReturn, &Child, &X, &Y, &WinX, &WinY, &Mask)) return NoWindow;
  return static_cast<TXid>(Child);
}

TXid TXlibSystem::ResourceMask() { return static_cast<TXid>(Dpy->resource_mask); }

TXid TXlibSystem::SelectionOwner(TXid Selection) { return static_cast<TXid>(XGetSelectionOwner(Dpy, Selection)); }

void TXlibSystem::ConvertSelection(TXid Selection, TXid Target, TTime Time) {
  XDeleteProperty(Dpy, Own, Property);
  XConvertSelection(Dpy, Selection, Target, Property, Own, Time);
  XFlush(Dpy);
}

Bool TXlibSystem::IsSelectionEvent(Display*, XEvent* Event, XPointer Self) {
  const auto* System = reinterpret_cast<const TXlibSystem*>(Self);
  switch (Event->type) {
    case SelectionNotify:
      return Event->xselection.requestor == System->Own;
    case PropertyNotify:
      return Event->xproperty.window == System->Own && Event->xproperty.atom == System->Property;
    default:
      return Event->type == System->FixesEventBase + XFixesSelectionNotify;
  }
}

TSelectionEvent TXlibSystem::WaitSelection(bool Chunks, int TimeoutMs) {
  const auto Deadline = TClock::now() + std::chrono::milliseconds(TimeoutMs);
  for (;;) {
    XEvent Event;
    // Other events stay queued for the main loop.
    while (XCheckIfEvent(Dpy, &Event, IsSelectionEvent, reinterpret_cast<XPointer>(this))) {
      if (Event.type == SelectionNotify)
        return Event.xselection.property == None ? TSelectionEvent::seRefused : TSelectionEvent::seConverted;
      if (Event.type == PropertyNotify) {
        if (Chunks && Event.xproperty.state == PropertyNewValue) return TSelectionEvent::seNewChunk;
        continue;
      }
      const auto& Fixes = reinterpret_cast<const XFixesSelectionNotifyEvent&>(Event);
      if (Fixes.selection == PrimaryAtom) return TSelectionEvent::seOwnerGone;
    }
    const int Left = MillisecondsUntil(Deadline);
    if (Left == 0) return TSelectionEvent::seTimeout;
    pollfd Connection{ConnectionNumber(Dpy), POLLIN, 0};
    poll(&Connection, 1, Left);
  }
}

std::optional<TProperty> TXlibSystem::TakeProperty() {
  ::Atom Type = None;
  int Format = 0;
  unsigned long Count = 0, After = 0;
  unsigned char* Data = nullptr;
  // A megabyte in 32-bit units; a longer answer is no expression anyway.
  if (XGetWindowProperty(Dpy, Own, Property, 0, 1L << 18, True, AnyPropertyType, &Type, &Format, &Count, &After,
                         &Data) != Success)
    return std::nullopt;
  std::optional<TProperty> Read;
  if (Type != None) {
    Read = TProperty{static_cast<TXid>(Type), Format, {}};
    if (Format == 8 && Data) Read->Bytes.assign(reinterpret_cast<const char*>(Data), Count);
  }
  if (Data) XFree(Data);
  return Read;
}

TTime TXlibSystem::ServerTime() {
  // An empty append changes nothing but is answered with the server's time.
  const ::Atom Stamp = XInternAtom(Dpy, "_TALVEX_TIME", False);
  XChangeProperty(Dpy, Own, Stamp, StringAtom, 8, PropModeAppend, nullptr, 0);
  XEvent Event;
  XIfEvent(
      Dpy, &Event,
      [](Display*, XEvent* E, XPointer Arg) -> Bool {
        return E->type == PropertyNotify && E->xproperty.atom == *reinterpret_cast<::Atom*>(Arg);
      },
      reinterpret_cast<XPointer>(const_cast<::Atom*>(&Stamp)));
  return static_cast<TTime>(Event.xproperty.time);
}

void TXlibSystem::LoadKeyboard() {
  if (Keyboard) XkbFreeKeyboard(Keyboard, 0, True);
  Keyboard = XkbGetMap(Dpy, XkbAllClientInfoMask, XkbUseCoreKbd);
  XkbStateRec State{};
  XkbGetState(Dpy, XkbUseCoreKbd, &State);
  Group = State.group;
  Locked = State.locked_mods;
}

TKeycodeRange TXlibSystem::Keycodes() {
  int Min = 8, Max = 255;
  XDisplayKeycodes(Dpy, &Min, &Max);
  return {static_cast<TKeycode>(Min), static_cast<TKeycode>(Max)};
}

TKeysym TXlibSystem::KeysymAt(TKeycode Key, unsigned Modifiers) {
  unsigned Consumed = 0;
  KeySym Keysym = NoSymbol;
  if (!Keyboard || !XkbTranslateKeyCode(Keyboard, Key, XkbBuildCoreState(Modifiers, Group), &Consumed, &Keysym))
    return NoSymbol;
  return static_cast<TKeysym>(Keysym);
}

bool TXlibSystem::HasSymbols(TKeycode Key) { return Keyboard && XkbKeyNumSyms(Keyboard, Key) > 0; }

unsigned TXlibSystem::LockedModifiers() { return Locked; }

TModifierKeys TXlibSystem::ModifierKeys() {
  TModifierKeys Keys;
  XModifierKeymap* Map = XGetModifierMapping(Dpy);
  if (!Map) return Keys;
  for (std::size_t Row = 0; Row < ModifierCount; ++Row)
    for (int I = 0; I < Map->max_keypermod; ++I)
      if (const KeyCode Key = Map->modifiermap[Row * static_cast<std::size_t>(Map->max_keypermod) + I]; Key != 0)
        Keys[Row].push_back(Key);
  XFreeModifiermap(Map);
  return Keys;
}

TKeyBits TXlibSystem::PressedKeys() {
  char Keys[32] = {};
  XQueryKeymap(Dpy, Keys);
  TKeyBits Bits;
  std::memcpy(Bits.Bytes.data(), Keys, sizeof Keys);
  return Bits;
}

TKeyBits TXlibSystem::HeldKeys() {
  TKeyBits Bits;
  if (!HasXInput) return Bits;
  int Count = 0;
  XDeviceInfo* Devices = XListInputDevices(Dpy, &Count);
  for (int I = 0; I < Count; ++I) {
    const XDeviceInfo& Info = Devices[I];
    if (Info.use != IsXExtensionKeyboard || std::strstr(Info.name, "XTEST")) continue;
    XDevice* Device = XOpenDevice(Dpy, Info.id);
    if (!Device) continue;
    if (XDeviceState* State = XQueryDeviceState(Dpy, Device)) {
      auto* Class = State->data;
      for (int C = 0; C < State->num_classes; ++C) {
        if (Class->c_class == KeyClass) {
          const auto* Keys = reinterpret_cast<const XKeyState*>(Class);
          for (std::size_t B = 0; B < Bits.Bytes.size(); ++B)
            Bits.Bytes[B] = static_cast<std::uint8_t>(Bits.Bytes[B] | static_cast<unsigned char>(Keys->keys[B]));
        }
        Class = reinterpret_cast<XInputClass*>(reinterpret_cast<char*>(Class) + Class->length);
      }
      XFreeDeviceState(State);
    }
    XCloseDevice(Dpy, Device);
  }
  if (Devices) XFreeDeviceList(Devices);
  return Bits;
}

TKeycode TXlibSystem::KeycodeOf(TKeysym Keysym) { return XKeysymToKeycode(Dpy, Keysym); }

void TXlibSystem::FakeKey(TKeycode Key, bool Press) { XTestFakeKeyEvent(Dpy, Key, Press ? True : False, CurrentTime); }

void TXlibSystem::MapKeycode(TKeycode Key, TKeysym Keysym) {
  // Both levels, so that Shift or CapsLock cannot make it another character.
  KeySym Symbols[2] = {Keysym, Keysym};
  XChangeKeyboardMapping(Dpy, Key, 2, Symbols, 1);
}

void TXlibSystem::LockModifiers(unsigned Mask, unsigned Values) { XkbLockModifiers(Dpy, XkbUseCoreKbd, Mask, Values); }

void TXlibSystem::Flush() { XFlush(Dpy); }

void TXlibSystem::Pause(int Milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(Milliseconds)); }

bool TXlibSystem::GrabKey(TKeycode Key, unsigned Modifiers) {
  LastError = Success;
  XGrabKey(Dpy, Key, Modifiers, Root, False, GrabModeAsync, GrabModeAsync);
  XSync(Dpy, False);
  return LastError != BadAccess;
}

void TXlibSystem::UngrabKey(TKeycode Key, unsigned Modifiers) { XUngrabKey(Dpy, Key, Modifiers, Root); }

void TXlibSystem::UngrabKeyboard(TTime Time) {
  XUngrabKeyboard(Dpy, Time);
  XFlush(Dpy);
}

}  // namespace talvex::x11
