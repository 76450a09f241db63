// Typing an answer into the window that has the focus, with XTest key
// events: the modifiers the user still holds from the hotkey are let go
// first and pressed again afterwards only where the user holds them still,
// CapsLock is off meanwhile, and characters no key gives go through spare
// keycodes borrowed for them and given back afterwards.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "x11/XSystem.h"

namespace talvex::x11 {

class TTyper {
 public:
  // A client looks a keystroke up in its keyboard mapping only when it reads
  // the event, and fetches a changed mapping only then; a borrowed key keeps
  // its character this long after the typing so that the lookup still finds
  // it. No event tells when the client is done.
  static constexpr int LookupGraceMs = 250;

  explicit TTyper(IXSystem& System) : Sys(System) {}
  ~TTyper() { GiveBackKeys(); }
  TTyper(const TTyper&) = delete;
  TTyper& operator=(const TTyper&) = delete;

  // Nothing is typed when a character cannot be (a control character, or no
  // spare keycode at all); that character is returned.
  std::optional<char32_t> Type(std::u32string_view Text);

  // The keys borrowed by the last typing lose their characters again.
  void GiveBackKeys();
  bool HoldsBorrowedKeys() const { return !Borrowed.empty(); }

 private:
  std::vector<TKeycode> ReleaseModifiers();
  IXSystem& Sys;
  std::vector<TKeycode> Borrowed;
};

}  // namespace talvex::x11
