// A recording fake of the X server's side of IXSystem: a small keyboard
// whose keys give a keysym at each of four levels, the focus and the
// selection owner as the test sets them, a scripted selection conversation,
// and every request that changes something written to Calls.
#pragma once

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "x11/XSystem.h"

namespace talvex::x11::testing {

inline constexpr unsigned FakeLevel3Mask = 1u << 7;  // Mod5, as most layouts have it

class TFakeXSystem : public IXSystem {
 public:
  std::vector<std::string> Calls;

  // The keyboard: keysyms at plain, Shift, third and Shift+third level.
  std::map<TKeycode, std::array<TKeysym, 4>> Keys;
  TKeycodeRange Range{8, 40};
  TModifierKeys Modifiers;
  unsigned Locked = 0;
  TKeyBits Pressed;  // what the server thinks; synthesised events change it
  TKeyBits Held;     // what the user's fingers are on
  std::set<std::pair<TKeycode, unsigned>> GrabbedElsewhere;

  TXid Active = NoWindow, Focus = NoWindow, Pointer = NoWindow, Owner = NoWindow;
  std::deque<TXid> LaterFocus;  // FocusWindow's answers after the first
  std::deque<TSelectionEvent> Events;
  std::deque<std::optional<TProperty>> Properties;

  TXid Atom(const char* Name) override {
    const auto [It, New] = Atoms.try_emplace(Name, static_cast<TXid>(100 + Atoms.size()));
    return It->second;
  }
  std::string AtomName(TXid Id) const {
    for (const auto& [Name, Value] : Atoms)
      if (Value == Id) return Name;
    return "?";
  }

  TXid ActiveWindow() override { return Active; }
  TXid FocusWindow() override {
    const TXid Now = Focus;
    if (!LaterFocus.empty()) {
      Focus = LaterFocus.front();
      LaterFocus.pop_front();
    }
    return Now;
  }
  TXid WindowUnderPointer() override { return Pointer; }
  TXid ResourceMask() override { return 0x1FFFFF; }

  TXid SelectionOwner(TXid) override { return Owner; }
  void ConvertSelection(TXid Selection, TXid Target, TTime Time) override {
    Calls.push_back("convert " + AtomName(Selection) + " " + AtomName(Target) + " " + std::to_string(Time));
  }
  TSelectionEvent WaitSelection(bool Chunks, int) override {
    if (Events.empty()) return TSelectionEvent::seTimeout;
    const TSelectionEvent Event = Events.front();
    Events.pop_front();
    // An INCR piece's notice while waiting for the answer would be dropped.
    return !Chunks && Event == TSelectionEvent::seNewChunk ? WaitSelection(Chunks, 0) : Event;
  }
  std::optional<TProperty> TakeProperty() override {
    if (Properties.empty()) return std::nullopt;
    auto Property = Properties.front();
    Properties.pop_front();
    return Property;
  }
  TTime ServerTime() override { return 4242; }

  void LoadKeyboard() override { Calls.push_back("load keyboard"); }
  TKeycodeRange Keycodes() override { return Range; }
  TKeysym KeysymAt(TKeycode Key, unsigned State) override {
    const auto It = Keys.find(Key);
    if (It == Keys.end()) return NoKeysym;
    const std::size_t Level = ((State & ModShift) ? 1 : 0) + ((State & FakeLevel3Mask) ? 2 : 0);
    return It->second[Level];
  }
  bool HasSymbols(TKeycode Key) override {
    const auto It = Keys.find(Key);
    if (It == Keys.end()) return false;
    for (const TKeysym K : It->second)
      if (K != NoKeysym) return true;
    return false;
  }
  unsigned LockedModifiers() override { return Locked; }
  TModifierKeys ModifierKeys() override { return Modifiers; }
  TKeyBits PressedKeys() override { return Pressed; }
  TKeyBits HeldKeys() override { return Held; }
  TKeycode KeycodeOf(TKeysym Keysym) override {
    for (const auto& [Key, Levels] : Keys)
      if (Levels[0] == Keysym) return Key;
    return 0;
  }

  void FakeKey(TKeycode Key, bool Press) override {
    Pressed.Set(Key, Press);
    Calls.push_back(std::string(Press ? "down " : "up ") + std::to_string(Key));
  }
  void MapKeycode(TKeycode Key, TKeysym Keysym) override {
    Keys[Key] = {Keysym, Keysym, NoKeysym, NoKeysym};
    if (Keysym == NoKeysym) Keys.erase(Key);
    Calls.push_back("map " + std::to_string(Key) + " " + std::to_string(Keysym));
  }
  void LockModifiers(unsigned Mask, unsigned Values) override {
    Locked = (Locked & ~Mask) | (Values & Mask);
    Calls.push_back("lock " + std::to_string(Mask) + " " + std::to_string(Values));
  }
  void Flush() override {}
  void Pause(int Milliseconds) override {
    Calls.push_back("pause " + std::to_string(Milliseconds));
    // The user's finger comes off meanwhile, where a test asks for it.
    if (OnPause) OnPause();
  }
  std::function<void()> OnPause;

  bool GrabKey(TKeycode Key, unsigned Mods) override {
    if (GrabbedElsewhere.count({Key, Mods})) {
      Calls.push_back("grab refused " + std::to_string(Key) + " " + std::to_string(Mods));
      return false;
    }
    Calls.push_back("grab " + std::to_string(Key) + " " + std::to_string(Mods));
    return true;
  }
  void UngrabKey(TKeycode Key, unsigned Mods) override {
    Calls.push_back("ungrab " + std::to_string(Key) + " " + std::to_string(Mods));
  }
  void UngrabKeyboard(TTime) override { Calls.push_back("ungrab keyboard"); }

 private:
  std::map<std::string, TXid> Atoms;
};

// Keysyms of the keys below.
inline constexpr TKeysym KeysymShiftL = 0xffe1, KeysymControlL = 0xffe3, KeysymF7 = 0xffc4, KeysymF8 = 0xffc5;
inline constexpr TKeycode KeyShift = 50, KeyControl = 37, KeyLevel3 = 51, KeyNumLock = 52, KeyCapsLock = 53,
                          KeyF7 = 54, KeyF8 = 55;

// A US keyboard's few keys the tests type with, its modifiers as X has them
// (Shift, Lock, Control, Mod2 for NumLock, Mod5 for the third level), and
// the keys 56 to 60 spare.
inline void UseSmallKeyboard(TFakeXSystem& X) {
  X.Range = {10, 60};
  X.Keys = {
      {10, {'1', '!', NoKeysym, NoKeysym}}, {11, {'2', '@', NoKeysym, NoKeysym}}, {12, {'3', '#', NoKeysym, NoKeysym}},
      {13, {'4', '$', NoKeysym, NoKeysym}}, {14, {'5', '%', NoKeysym, NoKeysym}}, {17, {'8', '*', NoKeysym, NoKeysym}},
      {18, {'9', '(', NoKeysym, NoKeysym}}, {19, {'0', ')', NoKeysym, NoKeysym}}, {20, {'-', '_', NoKeysym, NoKeysym}},
      {21, {'=', '+', NoKeysym, NoKeysym}}, {24, {'q', 'Q', '@', NoKeysym}},      {26, {'e', 'E', 0x20ac, NoKeysym}},
      {38, {'a', 'A', NoKeysym, NoKeysym}}, {39, {'s', 'S', NoKeysym, NoKeysym}}, {45, {'7', '&', NoKeysym, NoKeysym}},
      {46, {'.', '>', NoKeysym, NoKeysym}}, {47, {'/', '?', NoKeysym, NoKeysym}}, {48, {' ', ' ', NoKeysym, NoKeysym}},
      {49, {0xff0d, 0xff0d, NoKeysym, NoKeysym}},
      {KeyShift, {KeysymShiftL, KeysymShiftL, NoKeysym, NoKeysym}},
      {KeyControl, {KeysymControlL, KeysymControlL, NoKeysym, NoKeysym}},
      {KeyLevel3, {0xfe03, 0xfe03, NoKeysym, NoKeysym}},
      {KeyNumLock, {0xff7f, 0xff7f, NoKeysym, NoKeysym}},
      {KeyCapsLock, {0xffe5, 0xffe5, NoKeysym, NoKeysym}},
      {KeyF7, {KeysymF7, KeysymF7, NoKeysym, NoKeysym}},
      {KeyF8, {KeysymF8, KeysymF8, NoKeysym, NoKeysym}},
  };
  // The others give keys that type nothing (dead keys), so that 56 to 60 are the spare ones.
  for (unsigned K = 10; K <= 55; ++K)
    X.Keys.try_emplace(static_cast<TKeycode>(K), std::array<TKeysym, 4>{0xfe50 + K, NoKeysym, NoKeysym, NoKeysym});
  X.Modifiers = {};
  X.Modifiers[0] = {KeyShift};
  X.Modifiers[1] = {KeyCapsLock};
  X.Modifiers[2] = {KeyControl};
  X.Modifiers[4] = {KeyNumLock};
  X.Modifiers[7] = {KeyLevel3};
}

}  // namespace talvex::x11::testing
