#include "SelectionCapture.h"

#include <algorithm>

#include "ClipboardText.h"
#include "KeyEvents.h"
#include "WinConstants.h"

namespace talvex {

namespace {

// The foreground application gets the copy keystroke asynchronously; these
// fixed delays are all the synchronisation there is with it.
constexpr std::uint32_t BeforeCopyDelay = 400;
constexpr std::uint32_t AfterCopyDelay = 800;

void ReleaseCtrl(ISystemApi& Sys, bool Nt) {
  if (Nt) {
    KeyUp(Sys, VkLControl);
    KeyUpExt(Sys, VkRControl);
  } else {
    KeyUp(Sys, VkControl);
  }
}

void ReleaseShift(ISystemApi& Sys, bool Nt) {
  if (Nt) {
    KeyUp(Sys, VkLShift);
    KeyUpExt(Sys, VkRShift);
  } else {
    KeyUp(Sys, VkShift);
  }
}

}  // namespace

std::string CaptureSelection(ISystemApi& Sys, TMonitorBinding& Monitor, THotkeyFlags Hotkeys) {
  const TWindowHandle Focus = Monitor.GetCurrentFocus();
  const std::intptr_t Length = Focus != 0 ? Sys.SendGetTextLength(Focus) : 0;
  if (Length <= 0) return CaptureViaClipboard(Sys, Hotkeys);

  const std::string Text = Sys.SendGetText(Focus, static_cast<std::size_t>(Length) + 1);
  std::uint32_t Start = 0;
  std::uint32_t End = 0;
  Sys.SendGetSelection(Focus, Start, End);
  // A foreign control's answers are trusted only as far as the text reaches.
  const std::size_t To = std::min<std::size_t>(End, Text.size());
  const std::size_t From = std::min<std::size_t>(Start, To);
  return Text.substr(From, To - From);
}

std::string CaptureViaClipboard(ISystemApi& Sys, THotkeyFlags Hotkeys) {
  // Every format, not just the text: the user's image or file list must
  // survive the copy keystroke too.
  const auto Saved = SaveClipboard(Sys);
  const bool Nt = IsNtPlatform(Sys);
  if (Hotkeys.IsHotkey1) ReleaseCtrl(Sys, Nt);
  if (Hotkeys.IsHotkey2) ReleaseShift(Sys, Nt);
  Sys.Sleep(BeforeCopyDelay);

  KeyDown(Sys, VkControl);
  KeyDown(Sys, VkInsert);
  KeyUp(Sys, VkInsert);
  KeyUp(Sys, VkControl);
  // The user still holds the hotkey's modifier; generic codes on every platform.
  if (Hotkeys.IsHotkey1) KeyDown(Sys, VkControl);
  if (Hotkeys.IsHotkey2) KeyDown(Sys, VkShift);
  Sys.Sleep(AfterCopyDelay);

  std::string Text = GetClipboardText(Sys);
  if (Saved) RestoreClipboard(Sys, *Saved);
  return Text;
}

}  // namespace talvex
