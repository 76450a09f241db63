// One calculation in place: the highlighted text of the focused window
// read, evaluated, and the answer typed over it, or nothing typed and the
// user told why. Resident mode runs it for a hotkey, one-shot mode once.
#pragma once

#include <optional>
#include <string>

#include "x11/Evaluation.h"
#include "x11/KeyCombination.h"
#include "x11/Reporter.h"
#include "x11/Typing.h"
#include "x11/XSystem.h"

namespace talvex::x11 {

// The window the user types in: the window manager's active window, else the
// input focus, else (a focus that follows the pointer, FollowPointer) the
// top-level window under the pointer; NoWindow when there is none.
TXid FocusedWindow(IXSystem& Sys, bool FollowPointer);

// Whether two windows belong to one client: a toolkit owns the selection
// with a window of its own, not the text field's.
bool SameClient(IXSystem& Sys, TXid A, TXid B);

class TCycle {
 public:
  TCycle(IXSystem& System, TTyper& Typing, TEvaluator& Evaluation, TReporter& Outcome)
      : Sys(System), Typer(Typing), Evaluator(Evaluation), Reporter(Outcome) {}

  // True when the answer was typed. Time is the timestamp of the key press
  // that asked for it.
  bool Run(THotkey Hotkey, TTime Time);

  // Under Wayland a focus that follows the pointer says nothing of the
  // Wayland windows.
  bool FollowPointer = true;

 private:
  void Report(const std::string& Message) { Reporter.Error(Message); }
  std::optional<std::string> ReadSelection(TTime Time, TXid Focused);

  IXSystem& Sys;
  TTyper& Typer;
  TEvaluator& Evaluator;
  TReporter& Reporter;
};

}  // namespace talvex::x11
