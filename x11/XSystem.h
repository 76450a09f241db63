// The seam between talvex-x11's logic and the X server: the few requests it
// makes, each one Xlib call or a short fixed sequence of them in
// XlibSystem.cpp. The cycle, the typing and the selection's conversation are
// tested natively against a recording fake of it (tests/x11/FakeXSystem.h).
#pragma once

#include <optional>
#include <string>

#include "x11/XTypes.h"

namespace talvex::x11 {

// What ends a wait during a selection's transfer.
enum class TSelectionEvent : std::uint8_t {
  seConverted,  // SelectionNotify with our property: the text, or INCR, is there
  seRefused,    // SelectionNotify without a property: the owner has no such form
  seNewChunk,   // PropertyNotify NewValue of our property: the next piece of INCR
  seOwnerGone,  // the owner's window or connection went away (XFixes)
  seTimeout,
};

// A window property as XGetWindowProperty reads it.
struct TProperty {
  TXid Type = 0;
  int Format = 8;
  std::string Bytes;
};

struct TKeycodeRange {
  TKeycode Min = 8;
  TKeycode Max = 255;
};

class IXSystem {
 public:
  virtual ~IXSystem() = default;

  virtual TXid Atom(const char* Name) = 0;  // XInternAtom

  // Who has the keyboard: _NET_ACTIVE_WINDOW of the root when the window
  // manager keeps it (else NoWindow), XGetInputFocus, and the root's child
  // under the pointer (XQueryPointer) for a focus that follows the pointer.
  virtual TXid ActiveWindow() = 0;
  virtual TXid FocusWindow() = 0;
  virtual TXid WindowUnderPointer() = 0;
  // The bits of an XID that a client chooses; the rest name the client.
  virtual TXid ResourceMask() = 0;

  // The selection's conversation, with our own window as the requestor.
  virtual TXid SelectionOwner(TXid Selection) = 0;                       // XGetSelectionOwner
  virtual void ConvertSelection(TXid Selection, TXid Target, TTime Time) = 0;  // XConvertSelection
  // Waits at most TimeoutMs; Chunks chooses whether PropertyNotify of our
  // property ends the wait (an INCR transfer) or is dropped as stale.
  virtual TSelectionEvent WaitSelection(bool Chunks, int TimeoutMs) = 0;
  // XGetWindowProperty of our property, deleting it; nothing when it is not there.
  virtual std::optional<TProperty> TakeProperty() = 0;
  // A server timestamp, for requests made without an event that carried one.
  virtual TTime ServerTime() = 0;

  // The keyboard as it is now: XkbGetMap and XkbGetState.
  virtual void LoadKeyboard() = 0;
  virtual TKeycodeRange Keycodes() = 0;                            // XDisplayKeycodes
  virtual TKeysym KeysymAt(TKeycode Key, unsigned Modifiers) = 0;  // XkbTranslateKeyCode, current group
  virtual bool HasSymbols(TKeycode Key) = 0;                       // XkbKeyNumSyms
  virtual unsigned LockedModifiers() = 0;                          // XkbGetState
  virtual TModifierKeys ModifierKeys() = 0;                        // XGetModifierMapping
  virtual TKeyBits PressedKeys() = 0;                              // XQueryKeymap
  // The keys that keyboards other than the synthetic XTEST one hold
  // (XQueryDeviceState): what the user's fingers are on, which a synthesised
  // release does not change.
  virtual TKeyBits HeldKeys() = 0;
  virtual TKeycode KeycodeOf(TKeysym Keysym) = 0;  // XKeysymToKeycode

  virtual void FakeKey(TKeycode Key, bool Press) = 0;            // XTestFakeKeyEvent
  virtual void MapKeycode(TKeycode Key, TKeysym Keysym) = 0;     // XChangeKeyboardMapping; NoKeysym clears
  virtual void LockModifiers(unsigned Mask, unsigned Values) = 0;  // XkbLockModifiers
  virtual void Flush() = 0;                                      // XFlush
  virtual void Pause(int Milliseconds) = 0;

  // False when another client holds the combination (BadAccess, after XSync).
  virtual bool GrabKey(TKeycode Key, unsigned Modifiers) = 0;  // XGrabKey on the root
  virtual void UngrabKey(TKeycode Key, unsigned Modifiers) = 0;
  virtual void UngrabKeyboard(TTime Time) = 0;  // ends the grab a hotkey press began
};

}  // namespace talvex::x11
