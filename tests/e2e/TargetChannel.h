// The end-to-end driver and the target application (built 32-bit and 64-bit)
// share this block by name: fixed-size fields only, the same layout in both.
#pragma once

#include <cstdint>

namespace talvex::e2e {

inline constexpr const wchar_t* TargetChannelName = L"Talvex E2E Target";
inline constexpr const wchar_t* TargetWindowClass = L"TalvexE2ETarget";

// Sent by the driver to the target's main window (WM_APP + n).
enum TTargetCommand : std::uint32_t {
  tcShowTextless = 1,  // Text, selection and copy mode into the text-less control, focused, foreground
  tcShowEdit,          // Text and selection into the standard edit control, focused, foreground
  tcShowRichEdit,      // the same into the rich-edit control (selection in its own counting)
  tcClose,
};

// How the text-less control answers Ctrl+Insert.
inline constexpr std::int32_t CopyNever = -1;

struct TTargetChannel {
  std::uint32_t TargetWindow;  // the main window, written by the target when it is ready
  std::uint32_t EditWindow;
  std::uint32_t TextlessWindow;
  std::uint32_t RichEditWindow;
  std::int32_t CopyDelay;       // ms after the keystroke, 0 at once, CopyNever
  std::uint32_t DelayedRendering;
  std::uint32_t SelStart, SelEnd;
  std::int64_t FirstChangeAt, LastChangeAt;  // QueryPerformanceCounter, 0 when none yet
  wchar_t Text[512];  // the driver's text in; the control's text as it stands out
  std::int64_t CopiedAt;  // when the text-less control last copied, 0 when not since shown
};

}  // namespace talvex::e2e
