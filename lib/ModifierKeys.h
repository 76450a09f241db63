// The modifier keys the user holds, out of the way of synthesised input and
// back afterwards: one helper for the copy keystroke and for the typing.
#pragma once

#include "SystemApi.h"

namespace talvex {

struct THeldModifiers {
  bool LShift = false, RShift = false, LCtrl = false, RCtrl = false, LAlt = false, RAlt = false;
};

// While it lives, no modifier is down: it releases every one that is (the
// Shift or Ctrl of the hotkey among them) and waits until the system has
// taken the release. When it ends it presses again each one that the user
// still holds; one the user let go meanwhile stays up.
class TModifiersReleased {
 public:
  explicit TModifiersReleased(ISystemApi& Sys);
  ~TModifiersReleased();
  TModifiersReleased(const TModifiersReleased&) = delete;
  TModifiersReleased& operator=(const TModifiersReleased&) = delete;

 private:
  ISystemApi& Sys;
  THeldModifiers Released;
};

// Watches the keys the user presses and lets go of, told from the program's
// own synthesised ones, for as long as it lives (a cycle).
class TUserKeyWatch {
 public:
  explicit TUserKeyWatch(ISystemApi& System) : Sys(System) { Sys.StartKeyWatch(); }
  ~TUserKeyWatch() { Sys.StopKeyWatch(); }
  TUserKeyWatch(const TUserKeyWatch&) = delete;
  TUserKeyWatch& operator=(const TUserKeyWatch&) = delete;

 private:
  ISystemApi& Sys;
};

}  // namespace talvex
