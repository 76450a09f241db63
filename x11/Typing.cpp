#include "x11/Typing.h"

#include <algorithm>

#include "x11/Keysyms.h"
#include "x11/TypingPlan.h"

namespace talvex::x11 {

namespace {

constexpr std::size_t LockRow = 1;

// Holds Shift and the third-level key as the strokes need them, and lets go
// of what it holds at the end.
class TLevelKeys {
 public:
  TLevelKeys(IXSystem& System, const TLayout& Keys) : Sys(System), Layout(Keys) {}
  ~TLevelKeys() { Set(false, false); }
  TLevelKeys(const TLevelKeys&) = delete;
  TLevelKeys& operator=(const TLevelKeys&) = delete;

  void Set(bool Shift, bool Level3) {
    Switch(Layout.ShiftKey, ShiftDown, Shift);
    Switch(Layout.Level3Key, Level3Down, Level3);
  }

 private:
  void Switch(TKeycode Key, bool& Down, bool Wanted) {
    if (Down == Wanted) return;
    Sys.FakeKey(Key, Wanted);
    Down = Wanted;
  }
  IXSystem& Sys;
  const TLayout& Layout;
  bool ShiftDown = false;
  bool Level3Down = false;
};

}  // namespace

std::vector<TKeycode> TTyper::ReleaseModifiers() {
  const TKeyBits Pressed = Sys.PressedKeys();
  const TModifierKeys Modifiers = Sys.ModifierKeys();
  std::vector<TKeycode> Released;
  for (std::size_t Row = 0; Row < ModifierCount; ++Row) {
    if (Row == LockRow) continue;
    for (const TKeycode Key : Modifiers[Row]) {
      // A held NumLock key is no modifier of a keystroke.
      if (!Pressed.Down(Key) || Sys.KeysymAt(Key, 0) == KeysymNumLock) continue;
      if (std::find(Released.begin(), Released.end(), Key) != Released.end()) continue;
      Sys.FakeKey(Key, false);
      Released.push_back(Key);
    }
  }
  return Released;
}

std::optional<char32_t> TTyper::Type(std::u32string_view Text) {
  // Keys a previous answer borrowed go back before the layout is read.
  GiveBackKeys();
  const TLayout Layout = ReadLayout(Sys);
  const TPlan Plan = PlanTyping(Layout, Text);
  if (Plan.Untypable != 0) return Plan.Untypable;
  if (Plan.Batches.empty()) return std::nullopt;

  const std::vector<TKeycode> Released = ReleaseModifiers();
  const bool CapsLock = (Sys.LockedModifiers() & ModLock) != 0;
  if (CapsLock) Sys.LockModifiers(ModLock, 0);
  for (std::size_t I = 0; I < Plan.Batches.size(); ++I) {
    const TBatch& Batch = Plan.Batches[I];
    if (I > 0) {
      // The keys are borrowed again for other characters.
      Sys.Flush();
      Sys.Pause(LookupGraceMs);
    }
    for (const auto& [Key, Keysym] : Batch.Borrowed) {
      Sys.MapKeycode(Key, Keysym);
      if (std::find(Borrowed.begin(), Borrowed.end(), Key) == Borrowed.end()) Borrowed.push_back(Key);
    }
    TLevelKeys Levels(Sys, Layout);
    for (const TStroke& Stroke : Batch.Strokes) {
      Levels.Set(Stroke.Shift, Stroke.Level3);
      Sys.FakeKey(Stroke.Key, true);
      Sys.FakeKey(Stroke.Key, false);
    }
  }
  if (CapsLock) Sys.LockModifiers(ModLock, ModLock);
  // A synthesised release took the key from the server's state; the keyboard
  // itself tells whether the user's finger is still on it.
  const TKeyBits Held = Sys.HeldKeys();
  for (const TKeycode Key : Released)
    if (Held.Down(Key)) Sys.FakeKey(Key, true);
  Sys.Flush();
  return std::nullopt;
}

void TTyper::GiveBackKeys() {
  if (Borrowed.empty()) return;
  for (const TKeycode Key : Borrowed) Sys.MapKeycode(Key, NoKeysym);
  Borrowed.clear();
  Sys.Flush();
}

}  // namespace talvex::x11
