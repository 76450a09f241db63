// The seam's real side: one connection to the X server, with a window of the
// program's own that asks for selections, and the extensions the program
// needs (XTEST for typing, XKEYBOARD for the layout, XFIXES to see a
// selection's owner go away; XInputExtension, where there, for the keys the
// keyboards themselves hold).
#pragma once

#include <X11/Xlib.h>

#include <memory>
#include <optional>
#include <string>

#include "x11/XSystem.h"

struct _XkbDesc;

namespace talvex::x11 {

class TXlibSystem final : public IXSystem {
 public:
  // Nothing when the display does not open, or when it lacks an extension
  // the program cannot do without; Missing names that extension then.
  static std::unique_ptr<TXlibSystem> Open(const char* DisplayName, std::string& Missing);
  ~TXlibSystem() override;
  TXlibSystem(const TXlibSystem&) = delete;
  TXlibSystem& operator=(const TXlibSystem&) = delete;

  Display* Connection() const { return Dpy; }
  Window OwnWindow() const { return Own; }
  // The keycode a key event of XInputExtension reports released, whatever
  // window has the focus or the keyboard; nothing for any other event.
  std::optional<TKeycode> RawKeyRelease(XEvent& Event);
  // Whether those events come: XInput 2.1 or later.
  bool WatchesKeyReleases() const { return XInputOpcode != 0; }

  // Takes this display's instance selection unless another program of ours
  // holds it; atomic against a second start, and given up with the connection.
  bool ClaimInstance();
  // Names the keys it has grabbed on its own window, for scripts and tests
  // that wait until they work.
  void AnnounceHotkeys(const std::string& Names);
  // Whether another client holds the whole keyboard (a desktop's shortcut
  // while its key is down), which typing would reach instead of the window.
  bool KeyboardGrabbedElsewhere();

  TXid Atom(const char* Name) override;
  TXid ActiveWindow() override;
  TXid FocusWindow() override;
  TXid WindowUnderPointer() override;
  TXid ResourceMask() override;
  TXid SelectionOwner(TXid Selection) override;
  void ConvertSelection(TXid Selection, TXid Target, TTime Time) override;
  TSelectionEvent WaitSelection(bool Chunks, int TimeoutMs) override;
  std::optional<TProperty> TakeProperty() override;
  TTime ServerTime() override;
  void LoadKeyboard() override;
  TKeycodeRange Keycodes() override;
  TKeysym KeysymAt(TKeycode Key, unsigned Modifiers) override;
  bool HasSymbols(TKeycode Key) override;
  unsigned LockedModifiers() override;
  TModifierKeys ModifierKeys() override;
  TKeyBits PressedKeys() override;
  TKeyBits HeldKeys() override;
  TKeycode KeycodeOf(TKeysym Keysym) override;
  void FakeKey(TKeycode Key, bool Press) override;
  void MapKeycode(TKeycode Key, TKeysym Keysym) override;
  void LockModifiers(unsigned Mask, unsigned Values) override;
  void Flush() override;
  void Pause(int Milliseconds) override;
  bool GrabKey(TKeycode Key, unsigned Modifiers) override;
  void UngrabKey(TKeycode Key, unsigned Modifiers) override;
  void UngrabKeyboard(TTime Time) override;

 private:
  explicit TXlibSystem(Display* Opened);
  static Bool IsSelectionEvent(Display* Dpy, XEvent* Event, XPointer Self);

  Display* Dpy;
  Window Root;
  Window Own = 0;
  ::Atom Property = 0;  // where the owner puts the text
  int FixesEventBase = 0;
  bool HasXInput = false;
  int XInputOpcode = 0;  // 0: no raw key events
  _XkbDesc* Keyboard = nullptr;
  unsigned Group = 0;
  unsigned Locked = 0;
};

}  // namespace talvex::x11
