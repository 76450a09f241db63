// The modifier keys the user holds, out of the way of synthesised input and
// back afterwards, and the watch that tells which ones the user still holds.
#pragma once

#include <cstdint>
#include <vector>

#include "SystemApi.h"

namespace talvex {

// Watches the keys the user presses and lets go of, told from the program's
// own synthesised ones, for as long as it lives.
class TUserKeyWatch {
 public:
  explicit TUserKeyWatch(ISystemApi& System) : Sys(System), Installed(Sys.StartKeyWatch()) {}
  ~TUserKeyWatch() { Sys.StopKeyWatch(); }
  TUserKeyWatch(const TUserKeyWatch&) = delete;
  TUserKeyWatch& operator=(const TUserKeyWatch&) = delete;

  bool Works() const { return Installed; }
  // The watch saw the user hold Vk last; a watch that is not installed sees nothing.
  bool Holds(std::uint8_t Vk) const { return Installed && Sys.UserKey(Vk) == TUserKey::ukDown; }
  std::uint32_t Presses(std::uint8_t Vk) const { return Installed ? Sys.UserPresses(Vk) : 0; }

 private:
  ISystemApi& Sys;
  bool Installed;
};

// Keys as one array for SendKeys: first the release of every modifier that
// is down (the Shift or Ctrl of the hotkey among them), last the press of
// each released one the watch saw the user still hold. In one SendInput call
// nothing can come between them, neither the user's keys nor the auto-repeat
// of a held hotkey key, which would otherwise reach the application bare.
// The queue is drained first, so that the watch has seen every key the user
// let go of.
std::vector<TKeyInput> WithModifiersUp(ISystemApi& Sys, const TUserKeyWatch& Watch, const std::vector<TKeyInput>& Keys);

}  // namespace talvex
