#include "app/HotkeyCycle.h"

#include <new>

#include "ParserLib/CharClasses.h"
#include "app/AppTexts.h"
#include "app/EngineSettings.h"
#include "lib/KeyEvents.h"
#include "lib/SelectionCapture.h"
#include "lib/TextCodec.h"
#include "lib/TextInjection.h"
#include "lib/WinConstants.h"

namespace talvex {

namespace {

// Marks a cycle as running for as long as it runs, also when it is left by an
// exception.
class TCycleScope {
 public:
  explicit TCycleScope(bool& Running) : Flag(Running) { Flag = true; }
  ~TCycleScope() { Flag = false; }
  TCycleScope(const TCycleScope&) = delete;
  TCycleScope& operator=(const TCycleScope&) = delete;

 private:
  bool& Flag;
};

std::wstring Positioned(std::size_t Position, const wchar_t* Message) {
  return texts::PositionPrefix + std::to_wstring(Position) + L":  " + Message;
}

}  // namespace

THotkeyCycle::THotkeyCycle(ISystemApi& System, TMonitorBinding& MonitorBinding, IAppHost& AppHost,
                           TCalcParser& CalcParser)
    : Sys(System), Monitor(MonitorBinding), Host(AppHost), Parser(CalcParser) {}

void THotkeyCycle::RegisterHotkeys() {
  Hotkey1Id = Host.AddGlobalAtom(Hotkey1AtomName);
  if (!Host.RegisterHotkey(Hotkey1Id, ModControl, VkPause)) Host.ShowMessage(texts::HotkeyError);
  Hotkey2Id = Host.AddGlobalAtom(Hotkey2AtomName);
  if (!Host.RegisterHotkey(Hotkey2Id, ModShift, VkNumLock)) Host.ShowMessage(texts::HotkeyError);
}

void THotkeyCycle::UnregisterHotkeys() {
  Host.UnregisterHotkey(Hotkey1Id);
  Host.DeleteGlobalAtom(Hotkey1Id);
  Host.UnregisterHotkey(Hotkey2Id);
  Host.DeleteGlobalAtom(Hotkey2Id);
}

bool THotkeyCycle::HandleHotkey(std::uint32_t Message, std::uintptr_t WParam) {
  if (Message != WmHotkey || InCycle) return false;
  const bool Ours1 = WParam == Hotkey1Id;
  const bool Ours2 = WParam == Hotkey2Id;
  if (!Ours1 && !Ours2) return false;  // no modifier of ours to release, nothing to capture
  const TCycleScope Scope(InCycle);
  IsHotkey1 = Ours1;
  IsHotkey2 = Ours2;

  const std::string Text = CaptureSelection(Sys, Monitor, {IsHotkey1, IsHotkey2});
  std::wstring Expression;
  std::wstring Result;
  if (!Text.empty()) {
    Expression = Host.AnsiToWide(Text);
    Result = EvaluateText(Expression);
    if (!Result.empty()) Host.SetTooltip(Expression + L"=" + Result);
  }
  if (!Result.empty() && IsHotkey1) TypeAnswer(Expression + L"=" + Result);
  if (IsHotkey2) TypeResult(Result);
  return false;
}

std::wstring THotkeyCycle::EvaluateText(std::wstring_view Expression) {
  if (Expression.size() > MaxExpressionLength) {
    ReportError(texts::TooLong);
    return {};
  }
  std::string EngineText;
  std::size_t BadIndex = 0;
  if (!WideToCp1251Exact(Expression, EngineText, BadIndex)) {
    // Calculating a text with a character replaced would give a wrong answer.
    ReportError(Positioned(BadIndex + 1, texts::NotInCodePage));
    return {};
  }
  try {
    return Cp1251ToWide(Calculate(Parser, EngineText));
  } catch (const EWindowsOptionsException& E) {
    ReportError(Cp1251ToWide(E.Message()));
    UseDefaultSeparators();
  } catch (const Exception& E) {
    ReportError(Cp1251ToWide(E.Message()));
  } catch (const std::bad_alloc&) {
    ReportError(texts::OutOfMemory);
  }
  return {};
}

void THotkeyCycle::ReportError(const std::wstring& Message) {
  Host.SetTooltip(Message);
  Host.ErrorBeep();
}

void THotkeyCycle::TypeAnswer(const std::wstring& Answer) {
  Host.UnregisterHotkey(Hotkey1Id);
  if (IsNtPlatform(Sys)) {
    KeyUp(Sys, VkLControl);
    KeyUpExt(Sys, VkRControl);
  } else {
    KeyUp(Sys, VkControl);
  }
  Sys.Sleep(TypingDelay);
  TypeWideText(Sys, Answer);
  Host.RegisterHotkey(Hotkey1Id, ModControl, VkPause);
}

void THotkeyCycle::TypeResult(const std::wstring& Result) {
  Host.UnregisterHotkey(Hotkey2Id);
  // The hotkey press toggled NumLock; on NT it is flipped back whatever it
  // was, on Windows 95 it is forced on.
  if (IsNtPlatform(Sys)) {
    KeyUp(Sys, VkLShift);
    KeyUpExt(Sys, VkRShift);
    ToggleKeyOnce(Sys, VkNumLock);
  } else {
    KeyUp(Sys, VkShift);
    SetKeyToggle(Sys, VkNumLock, true);
  }
  Sys.Sleep(TypingDelay);
  TypeWideText(Sys, Result);
  Host.RegisterHotkey(Hotkey2Id, ModShift, VkNumLock);
}

}  // namespace talvex
