#include "x11/TypingPlan.h"

#include <map>

#include "x11/Keysyms.h"

namespace talvex::x11 {

namespace {

constexpr std::size_t LockRow = 1;

bool Typable(char32_t C) { return C == U'\t' || C == U'\n' || (C >= 0x20 && C != 0x7F && !(C >= 0x80 && C < 0xA0)); }

}  // namespace

TLayout ReadLayout(IXSystem& Sys) {
  Sys.LoadKeyboard();
  TLayout Layout;
  const TKeycodeRange Range = Sys.Keycodes();
  const TModifierKeys Modifiers = Sys.ModifierKeys();
  if (!Modifiers[0].empty()) Layout.ShiftKey = Modifiers[0].front();
  for (unsigned K = Range.Min; K <= Range.Max; ++K) {
    const auto Key = static_cast<TKeycode>(K);
    if (Sys.KeysymAt(Key, 0) == KeysymLevel3Shift && ModifierOfKey(Modifiers, Key) != 0) {
      Layout.Level3Key = Key;
      Layout.Level3Mask = ModifierOfKey(Modifiers, Key);
      break;
    }
  }
  // NumLock decides what the keypad gives; CapsLock is off while typing.
  const unsigned Locks = Sys.LockedModifiers() & ~(1u << LockRow);
  const struct {
    bool Shift, Level3;
  } Levels[] = {{false, false}, {true, false}, {false, true}, {true, true}};
  for (const auto& Level : Levels) {
    if ((Level.Shift && !Layout.ShiftKey) || (Level.Level3 && !Layout.Level3Key)) continue;
    const unsigned State = Locks | (Level.Shift ? ModShift : 0) | (Level.Level3 ? Layout.Level3Mask : 0);
    for (unsigned K = Range.Min; K <= Range.Max; ++K) {
      const auto Key = static_cast<TKeycode>(K);
      const char32_t C = UnicodeOfKeysym(Sys.KeysymAt(Key, State));
      if (C != 0) Layout.Strokes.try_emplace(C, TStroke{Key, Level.Shift, Level.Level3});
    }
  }
  for (unsigned K = Range.Min; K <= Range.Max; ++K)
    if (!Sys.HasSymbols(static_cast<TKeycode>(K))) Layout.Spare.push_back(static_cast<TKeycode>(K));
  return Layout;
}

TPlan PlanTyping(const TLayout& Layout, std::u32string_view Text) {
  TPlan Plan;
  TBatch Batch;
  std::map<char32_t, TKeycode> Borrowed;
  for (std::size_t I = 0; I < Text.size(); ++I) {
    char32_t C = Text[I];
    if (C == U'\r') {
      if (I + 1 < Text.size() && Text[I + 1] == U'\n') continue;
      C = U'\n';
    }
    if (const auto Stroke = Layout.Strokes.find(C); Stroke != Layout.Strokes.end()) {
      Batch.Strokes.push_back(Stroke->second);
      continue;
    }
    if (!Typable(C) || Layout.Spare.empty()) return TPlan{{}, C};
    auto Key = Borrowed.find(C);
    if (Key == Borrowed.end()) {
      if (Borrowed.size() == Layout.Spare.size()) {
        Plan.Batches.push_back(std::move(Batch));
        Batch = {};
        Borrowed.clear();
      }
      const TKeycode Spare = Layout.Spare[Borrowed.size()];
      Key = Borrowed.emplace(C, Spare).first;
      Batch.Borrowed.emplace_back(Spare, KeysymOfUnicode(C));
    }
    Batch.Strokes.push_back(TStroke{Key->second, false, false});
  }
  if (!Batch.Strokes.empty()) Plan.Batches.push_back(std::move(Batch));
  return Plan;
}

}  // namespace talvex::x11
