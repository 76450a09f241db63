// The two hotkeys as passive grabs on the root window, one for every state
// of the lock keys (CapsLock, NumLock, ScrollLock), so that they work
// whatever lock is on. A combination another client holds is reported by
// name; the other hotkey works all the same.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "x11/KeyCombination.h"
#include "x11/XSystem.h"

namespace talvex::x11 {

struct TGrabFailure {
  std::string Name;  // "Ctrl+Shift+F7"
  bool NoKey = false;  // no key of the keyboard gives it; else another client holds it
};

class THotkeys {
 public:
  explicit THotkeys(IXSystem& System) : Sys(System) {}

  std::vector<TGrabFailure> Grab(const THotkeyPair& Keys);
  void Ungrab();
  // After a change of the keyboard mapping: grabbed again when the keys or
  // the lock keys' modifiers moved, with the failures as Grab reports them;
  // nothing when nothing moved.
  std::optional<std::vector<TGrabFailure>> Refresh();

  // Which hotkey a key press is, whatever the locks.
  std::optional<THotkey> Match(TKeycode Key, unsigned State) const;
  // The keyboard repeats a held key's press; only the first starts a cycle.
  // Released comes from the keyboards (raw key events), whatever has the
  // focus; without it every press counts.
  bool FirstPress(TKeycode Key);
  void Released(TKeycode Key) { Down.Set(Key, false); }
  bool AnyGrabbed() const { return Grabbed[0] != 0 || Grabbed[1] != 0; }
  // The grabbed ones' names, with a blank between them.
  std::string GrabbedNames() const;
  const THotkeyKeys& Keys(THotkey Hotkey) const { return Pair[IndexOf(Hotkey)]; }

 private:
  unsigned LockModifiers();
  std::vector<unsigned> LockStates(unsigned Locks) const;

  IXSystem& Sys;
  THotkeyPair Pair{};
  std::array<TKeycode, HotkeyCount> Grabbed{};  // 0: not grabbed
  std::array<TKeycode, HotkeyCount> Wanted{};   // the keycodes the keys had
  unsigned Locks = 0;
  TKeyBits Down;  // the hotkeys' keys pressed and not let go of since
};

// A hotkey on NumLock toggles the lock as it is pressed. Once the key is up
// (its release would undo a change made while it is down) the lock is put
// back as StateBeforePress, the press event's state, had it.
void RestoreNumLock(IXSystem& Sys, unsigned StateBeforePress);

}  // namespace talvex::x11
