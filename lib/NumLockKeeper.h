// NumLock as the user left it. A press of Shift+NumLock toggles NumLock
// before the program hears of it, the press that starts a cycle as much as
// one the program drops while a cycle runs; the keeper counts the toggles it
// owes and undoes them.
#pragma once

#include <cstdint>

#include "ForegroundTarget.h"
#include "ModifierKeys.h"
#include "SystemApi.h"

namespace talvex {

class TNumLockKeeper {
 public:
  // A cycle starts; Toggled: its own hotkey's press toggled NumLock.
  void Start(bool Toggled) {
    Owed = Toggled ? 1 : 0;
    Counted = 0;
  }
  // A press of a NumLock hotkey dropped during the cycle. The auto-repeat of
  // a key held down toggles nothing: with a working watch a press counts only
  // when the watch saw the key go down anew.
  void NoteDropped(const TUserKeyWatch& Watch);
  bool Owes() const { return Owed != 0; }

  // Undoes what is owed. On NT NumLock is pressed once more, after the user
  // let go of it and with every modifier up meanwhile, so that the press is
  // nobody's hotkey; an administrator's window gets none of it (Windows would
  // drop it), the program's own window OwnWindow is brought in front for that
  // moment instead. On the Windows 95 family NumLock is forced on. False when
  // NumLock could not be put back.
  bool Settle(ISystemApi& Sys, const TUserKeyWatch& Watch, const TForegroundTarget& Target, TWindowHandle OwnWindow);

 private:
  int Owed = 0;
  std::uint32_t Counted = 0;  // the watch's NumLock presses already owed for
};

}  // namespace talvex
