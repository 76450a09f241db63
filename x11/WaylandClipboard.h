// One-shot mode for a Wayland application, which X can neither read nor type
// into: its highlighted text through wl-paste, the answer onto the clipboard
// through wl-copy (Debian's wl-clipboard), where the user pastes it.
#pragma once

#include <optional>
#include <string>

#include "x11/Evaluation.h"
#include "x11/KeyCombination.h"

namespace talvex::x11 {

class IWaylandClipboard {
 public:
  virtual ~IWaylandClipboard() = default;
  // The primary selection's text; nothing when it cannot be read.
  virtual std::optional<std::string> ReadPrimary() = 0;
  // False when the text could not be put on the clipboard.
  virtual bool Copy(const std::string& Text) = 0;
};

// wl-paste and wl-copy, found through PATH, each given a few seconds.
class TWlClipboard final : public IWaylandClipboard {
 public:
  std::optional<std::string> ReadPrimary() override;
  bool Copy(const std::string& Text) override;
};

// The exit status: 3 when the answer is on the clipboard, 1 when not.
int CalculateToClipboard(IWaylandClipboard& Clipboard, TEvaluator& Evaluator, THotkey Hotkey, TReporter& Reporter);

}  // namespace talvex::x11
