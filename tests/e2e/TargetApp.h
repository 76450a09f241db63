// The driver's hold on the target application (CopyTarget.cpp): started as
// its own process, 32-bit or 64-bit, and steered through the shared channel.
#pragma once

#include <windows.h>

#include <string>

#include "TargetChannel.h"

namespace talvex::e2e {

class TTargetApp {
 public:
  TTargetApp();
  ~TTargetApp();
  TTargetApp(const TTargetApp&) = delete;
  TTargetApp& operator=(const TTargetApp&) = delete;

  // Starts the program and waits for its window; false when it did not come.
  bool Start(const std::wstring& Program);
  void Close();
  bool Running() const;

  // The text-less control with Text and the selection, copying as asked;
  // in the foreground with the keyboard focus.
  bool ShowTextless(const std::wstring& Text, int SelStart, int SelEnd, int CopyDelay, bool DelayedRendering);
  // The standard edit control, or the rich-edit control.
  bool ShowEdit(const std::wstring& Text, int SelStart, int SelEnd, bool Rich = false);

  HWND Main() const;
  HWND Edit() const;
  HWND Textless() const;
  HWND RichEdit() const;
  std::wstring Text() const;
  // Milliseconds on the driver's NowMs clock, or a negative number when none.
  double FirstChangeAt() const;
  double LastChangeAt() const;
  // When the text-less control last copied, or a negative number when it has not since shown.
  double CopiedAt() const;

 private:
  bool Command(TTargetCommand Which);

  HANDLE Mapping = nullptr;
  TTargetChannel* Channel = nullptr;
  HANDLE Process = nullptr;
};

// The clipboard's text as the driver sees it, and replacing it by a text.
std::wstring ClipboardText(HWND Owner);
bool PutClipboardText(HWND Owner, const std::wstring& Text);

}  // namespace talvex::e2e
