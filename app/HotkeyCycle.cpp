#include "app/HotkeyCycle.h"

#include <new>

#include "ParserLib/CharClasses.h"
#include "app/AppTexts.h"
#include "app/EngineSettings.h"
#include "app/UserMessages.h"
#include "lib/KeyEvents.h"
#include "lib/ModifierKeys.h"
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

bool THotkeyCycle::Register(THotkey Hotkey) {
  const THotkeyKeys& Assigned = Keys[IndexOf(Hotkey)];
  return Host.RegisterHotkey(Ids[IndexOf(Hotkey)], Assigned.Modifiers, Assigned.Vk);
}

void THotkeyCycle::RegisterOrReport(THotkey Hotkey) {
  if (!Register(Hotkey)) Host.ShowMessage(HotkeyFailureText(Keys[IndexOf(Hotkey)].Name));
}

void THotkeyCycle::RegisterHotkeys() {
  for (const THotkey Hotkey : AllHotkeys) {
    Ids[IndexOf(Hotkey)] = Host.AddGlobalAtom(HotkeyAtomNames[IndexOf(Hotkey)]);
    RegisterOrReport(Hotkey);
  }
}

void THotkeyCycle::ChangeKeys(const THotkeyPairKeys& NewKeys) {
  // Both go first, so that a pair may give one hotkey's keys to the other.
  for (const THotkeyId Id : Ids) Host.UnregisterHotkey(Id);
  Keys = NewKeys;
  for (const THotkey Hotkey : AllHotkeys) RegisterOrReport(Hotkey);
}

void THotkeyCycle::UnregisterHotkeys() {
  for (const THotkeyId Id : Ids) {
    Host.UnregisterHotkey(Id);
    Host.DeleteGlobalAtom(Id);
  }
}

void THotkeyCycle::OnHotkey(std::uintptr_t Id) {
  if (InCycle || Id == 0) return;
  std::optional<THotkey> Hotkey;
  for (const THotkey Candidate : AllHotkeys)
    if (Id == Ids[IndexOf(Candidate)]) Hotkey = Candidate;
  if (!Hotkey) return;  // no modifier of ours to release, nothing to capture
  const TCycleScope Scope(InCycle);
  LastHotkey = Hotkey;
  // The menu may give the hotkeys other keys while the cycle waits.
  const THotkeyKeys Pressed = Keys[IndexOf(*Hotkey)];
  // Tells, when the cycle presses the user's modifiers again, which ones the user still holds.
  const TUserKeyWatch Watch(Sys);

  const TForegroundTarget Target = FindForegroundTarget(Sys, Monitor);
  std::wstring Expression;
  std::wstring Result;
  if (Target.Elevated) {
    ReportError(texts::ElevatedWindow);
  } else if (auto Text = CaptureSelection(Sys, Target)) {
    Expression = std::move(*Text);
    Result = EvaluateText(Expression);
    if (!Result.empty()) {
      Host.SetTooltip(Expression + L"=" + Result);
      Recent.Add(Expression, Result);
    }
  } else {
    // Evaluating whatever the clipboard held would answer a question nobody asked.
    ReportError(texts::NothingRead);
  }
  if (*Hotkey == THotkey::hkExpression) {
    if (!Result.empty()) TypeAnswer(Target, Expression + L"=" + Result);
  } else {
    TypeResult(Target, Result, Pressed);
  }
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
  // The tooltip shows only its first characters, and only to one who points at the icon.
  Host.ShowBalloon(Message);
  Host.ErrorBeep();
}

void THotkeyCycle::TypeInto(const TForegroundTarget& Target, const std::wstring& Text) {
  if (Sys.ForegroundWindow() != Target.Window) {
    ReportError(texts::WindowChanged);
    return;
  }
  TypeWideText(Sys, Text);
}

void THotkeyCycle::TypeAnswer(const TForegroundTarget& Target, const std::wstring& Answer) {
  Host.UnregisterHotkey(Ids[IndexOf(THotkey::hkExpression)]);
  TypeInto(Target, Answer);
  Register(THotkey::hkExpression);
}

void THotkeyCycle::TypeResult(const TForegroundTarget& Target, const std::wstring& Result,
                              const THotkeyKeys& Pressed) {
  Host.UnregisterHotkey(Ids[IndexOf(THotkey::hkResult)]);
  {
    // Shift is let go before NumLock is touched, and pressed again after the typing.
    const TModifiersReleased Modifiers(Sys);
    // The hotkey press toggled NumLock; on NT it is flipped back whatever it
    // was, on Windows 95 it is forced on.
    if (Pressed.Vk == VkNumLock) {
      if (IsNtPlatform(Sys))
        ToggleKeyOnce(Sys, VkNumLock);
      else
        SetKeyToggle(Sys, VkNumLock, true);
    }
    if (!Result.empty()) TypeInto(Target, Result);
  }
  Register(THotkey::hkResult);
}

}  // namespace talvex
