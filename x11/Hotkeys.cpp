#include "x11/Hotkeys.h"

#include "x11/Keysyms.h"

namespace talvex::x11 {

unsigned THotkeys::LockModifiers() {
  const TModifierKeys Modifiers = Sys.ModifierKeys();
  return ModLock | ModifierOfKey(Modifiers, Sys.KeycodeOf(KeysymNumLock)) |
         ModifierOfKey(Modifiers, Sys.KeycodeOf(KeysymScrollLock));
}

// Every combination of the lock bits, none first.
std::vector<unsigned> THotkeys::LockStates(unsigned LockBits) const {
  std::vector<unsigned> States{0};
  for (unsigned Bit = 1; Bit < 0x100; Bit <<= 1) {
    if (!(LockBits & Bit)) continue;
    const std::size_t Count = States.size();
    for (std::size_t I = 0; I < Count; ++I) States.push_back(States[I] | Bit);
  }
  return States;
}

std::vector<TGrabFailure> THotkeys::Grab(const THotkeyPair& Keys) {
  Ungrab();
  Pair = Keys;
  Locks = LockModifiers();
  std::vector<TGrabFailure> Failures;
  for (std::size_t I = 0; I < HotkeyCount; ++I) {
    const TKeycode Key = Sys.KeycodeOf(Pair[I].Keysym);
    Wanted[I] = Key;
    if (Key == 0) {
      Failures.push_back({Pair[I].Name, true});
      continue;
    }
    std::vector<unsigned> Taken;
    bool Free = true;
    for (const unsigned State : LockStates(Locks)) {
      if (!Sys.GrabKey(Key, Pair[I].Modifiers | State)) {
        Free = false;
        break;
      }
      Taken.push_back(Pair[I].Modifiers | State);
    }
    if (Free) {
      Grabbed[I] = Key;
      continue;
    }
    // Half a hotkey, working under some locks only, would puzzle more than none.
    for (const unsigned Modifiers : Taken) Sys.UngrabKey(Key, Modifiers);
    Failures.push_back({Pair[I].Name, false});
  }
  return Failures;
}

void THotkeys::Ungrab() {
  for (std::size_t I = 0; I < HotkeyCount; ++I) {
    if (Grabbed[I] == 0) continue;
    for (const unsigned State : LockStates(Locks)) Sys.UngrabKey(Grabbed[I], Pair[I].Modifiers | State);
    Grabbed[I] = 0;
  }
}

std::optional<std::vector<TGrabFailure>> THotkeys::Refresh() {
  bool Moved = LockModifiers() != Locks;
  for (std::size_t I = 0; I < HotkeyCount; ++I) Moved = Moved || Sys.KeycodeOf(Pair[I].Keysym) != Wanted[I];
  if (!Moved) return std::nullopt;
  return Grab(THotkeyPair(Pair));
}

bool THotkeys::FirstPress(TKeycode Key) {
  const bool Repeat = Down.Down(Key);
  Down.Set(Key, true);
  return !Repeat;
}

std::string THotkeys::GrabbedNames() const {
  std::string Names;
  for (std::size_t I = 0; I < HotkeyCount; ++I)
    if (Grabbed[I] != 0) Names += (Names.empty() ? "" : " ") + Pair[I].Name;
  return Names;
}

std::optional<THotkey> THotkeys::Match(TKeycode Key, unsigned State) const {
  const unsigned Modifiers = State & 0xFF & ~Locks;
  for (std::size_t I = 0; I < HotkeyCount; ++I)
    if (Grabbed[I] != 0 && Grabbed[I] == Key && Pair[I].Modifiers == Modifiers) return static_cast<THotkey>(I);
  return std::nullopt;
}

void RestoreNumLock(IXSystem& Sys, unsigned StateBeforePress) {
  constexpr int PollMs = 10, MaxPolls = 100;
  const TKeycode Key = Sys.KeycodeOf(KeysymNumLock);
  const unsigned Mask = ModifierOfKey(Sys.ModifierKeys(), Key);
  if (Key == 0 || Mask == 0) return;
  for (int I = 0; I < MaxPolls && Sys.PressedKeys().Down(Key); ++I) Sys.Pause(PollMs);
  Sys.LockModifiers(Mask, StateBeforePress & Mask);
  Sys.Flush();
}

}  // namespace talvex::x11
