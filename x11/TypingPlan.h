// Which keys type an answer under the keyboard's current layout: each
// character through a key of the current group at its plain, Shift, third
// (AltGr) or Shift and third level, and a character no key gives through a
// spare keycode borrowed for it.
#pragma once

#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "x11/XSystem.h"

namespace talvex::x11 {

struct TStroke {
  TKeycode Key = 0;
  bool Shift = false;
  bool Level3 = false;

  bool operator==(const TStroke&) const = default;
};

struct TLayout {
  std::unordered_map<char32_t, TStroke> Strokes;  // the fewest modifiers, then the lowest keycode
  std::vector<TKeycode> Spare;                     // keycodes no layout gives anything
  TKeycode ShiftKey = 0;                           // 0: none
  TKeycode Level3Key = 0;
  unsigned Level3Mask = 0;
};

// The layout of the keyboard as it is now, with the locks that are on,
// CapsLock aside: the typing switches it off meanwhile.
TLayout ReadLayout(IXSystem& Sys);

// A run of keystrokes and the spare keys it borrows, which are mapped before it.
struct TBatch {
  std::vector<std::pair<TKeycode, TKeysym>> Borrowed;
  std::vector<TStroke> Strokes;
};

struct TPlan {
  std::vector<TBatch> Batches;
  char32_t Untypable = 0;  // a character nothing can type; then there are no batches
};

// A new batch starts when the spare keys are all borrowed, so that every
// keystroke is looked up while its key still means what it was borrowed for.
// CR LF and a lone CR are typed as one Return.
TPlan PlanTyping(const TLayout& Layout, std::u32string_view Text);

}  // namespace talvex::x11
