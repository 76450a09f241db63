#include "app/HotkeyCycle.h"

#include <new>

#include "ParserLib/CharClasses.h"
#include "app/AppTexts.h"
#include "app/CycleOutcome.h"
#include "app/EngineSettings.h"
#include "app/UserMessages.h"
#include "edge/AnswerFrame.h"
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

// Commands a user could pile up during one cycle; more are not kept.
constexpr std::size_t MaxWaitingCommands = 8;

std::wstring Positioned(std::size_t Position, const wchar_t* Message) {
  return texts::PositionPrefix + std::to_wstring(Position) + L":  " + Message;
}

bool HasNoRepeat(ISystemApi& Sys) {
  if (Sys.PlatformId() != PlatformWin32Nt) return false;
  const auto [Major, Minor] = Sys.WindowsVersion();
  return Major > 6 || (Major == 6 && Minor >= 1);
}

}  // namespace

THotkeyCycle::THotkeyCycle(ISystemApi& System, TMonitorBinding& MonitorBinding, IAppHost& AppHost,
                           TCalcParser& CalcParser)
    : Sys(System), Monitor(MonitorBinding), Host(AppHost), Parser(CalcParser) {}

bool THotkeyCycle::Register(THotkey Hotkey) {
  const THotkeyKeys& Assigned = Keys[IndexOf(Hotkey)];
  return Host.RegisterHotkey(Ids[IndexOf(Hotkey)], Assigned.Modifiers | (NoRepeat ? ModNoRepeat : 0), Assigned.Vk);
}

void THotkeyCycle::RegisterOrReport(THotkey Hotkey) {
  if (!Register(Hotkey)) Host.ShowMessage(HotkeyFailureText(Keys[IndexOf(Hotkey)].Name));
}

void THotkeyCycle::RegisterHotkeys() {
  NoRepeat = HasNoRepeat(Sys);
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

std::optional<THotkey> THotkeyCycle::HotkeyOf(std::uintptr_t Id) const {
  if (Id == 0) return std::nullopt;
  for (const THotkey Candidate : AllHotkeys)
    if (Id == Ids[IndexOf(Candidate)]) return Candidate;
  return std::nullopt;  // no modifier of ours to release, nothing to capture
}

bool THotkeyCycle::IsRepeat(THotkey Hotkey) {
  if (HeldHotkey != Hotkey) return false;
  if (Watch && Watch->Holds(Keys[IndexOf(Hotkey)].Vk)) return true;
  HeldHotkey.reset();
  return false;
}

void THotkeyCycle::OnHotkey(std::uintptr_t Id) {
  const std::optional<THotkey> Hotkey = HotkeyOf(Id);
  if (!Hotkey) return;
  if (InCycle) {
    // Dropped, but the press toggled NumLock all the same.
    if (Keys[IndexOf(*Hotkey)].Vk == VkNumLock && Watch) NumLock.NoteDropped(*Watch);
    return;
  }
  if (IsRepeat(*Hotkey)) return;
  {
    const TCycleScope Scope(InCycle);
    RunCycle(*Hotkey);
  }
  // A command may start the next cycle itself (a menu's loop dispatches hotkeys).
  std::vector<std::function<void()>> Commands;
  Commands.swap(Waiting);
  for (const auto& Command : Commands) Command();
}

void THotkeyCycle::RunCycle(THotkey Hotkey) {
  // A copy the last cycle still waits for is looked for once more: this
  // cycle takes the clipboard as it finds it.
  if (Loan) LookForLateCopy(false);
  HeldHotkey.reset();
  Ending = false;
  LastHotkey = Hotkey;
  // The menu may give the hotkeys other keys while the cycle waits.
  const THotkeyKeys Pressed = Keys[IndexOf(Hotkey)];
  // Tells, when the cycle presses the user's modifiers again, which ones the user still holds.
  Watch.reset();
  Watch.emplace(Sys);
  NumLock.Start(Pressed.Vk == VkNumLock);
  Target = FindForegroundTarget(Sys, Monitor);

  std::wstring Typed;  // the answer, as the hotkey types it
  const wchar_t* Warning = nullptr;
  try {
    const TCapture Capture = CaptureSelection(Sys, Target, *Watch, Loan);
    // The copy that did not come in time may still come: the timer watches for it.
    if (Loan) {
      LoanSince = Sys.TickCount();
      CopyKeysAtLoan = CopyKeyPresses();
      Host.StartTimer(CycleTimerInterval);
    }
    Warning = GiveBackText(Capture.GiveBack);
    if (Capture.Failure != TCaptureFailure::cfNone) {
      // Evaluating whatever the clipboard held would answer a question nobody asked.
      if (const wchar_t* Why = CaptureFailureText(Capture.Failure)) ReportError(Why);
    } else if (const auto Result = EvaluateText(Capture.Text)) {
      if (Result->empty()) {
        Host.SetTooltip(ValuelessText(Parser, Capture.Text));
      } else {
        const std::wstring Expression(FrameOf<wchar_t>(Capture.Text).Core);
        Host.SetTooltip(Expression + L"=" + *Result);
        Recent.Add(Expression, *Result);
        Typed = FramedAnswer<wchar_t>(Capture.Text, *Result, Hotkey == THotkey::hkExpression);
      }
    }
  } catch (const std::bad_alloc&) {
    ReportError(texts::OutOfMemory);
    Typed.clear();
  }
  if (Hotkey == THotkey::hkExpression) {
    if (!Typed.empty()) TypeAnswer(Typed);
  } else {
    TypeResult(Typed);
  }
  SettleNumLock();
  // Told last: the tooltip shows it even after a result.
  if (Warning) ReportError(Warning);
  KeepWatchWhileHeld(Hotkey);
}

std::optional<std::wstring> THotkeyCycle::EvaluateText(std::wstring_view Expression) {
  if (Expression.size() > MaxExpressionLength) {
    ReportError(texts::TooLong);
    return std::nullopt;
  }
  std::string EngineText;
  std::size_t BadIndex = 0;
  if (!WideToCp1251Exact(Expression, EngineText, BadIndex)) {
    // Calculating a text with a character replaced would give a wrong answer.
    ReportError(Positioned(BadIndex + 1, texts::NotInCodePage));
    return std::nullopt;
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
  return std::nullopt;
}

void THotkeyCycle::ReportError(const std::wstring& Message) {
  Host.SetTooltip(Message);
  // The tooltip shows only its first characters, and only to one who points at the icon.
  Host.ShowBalloon(Message);
  Host.ErrorBeep();
}

void THotkeyCycle::TypeText(const std::wstring& Text) {
  if (Ending) return;
  switch (TypeInto(Sys, *Watch, Target.Window, Text)) {
    case TTyping::tgTyped:
      break;
    case TTyping::tgWindowChanged:
      ReportError(texts::WindowChanged);
      break;
    case TTyping::tgIncomplete:
      ReportError(texts::TypedPartly);
      break;
  }
}

void THotkeyCycle::TypeAnswer(const std::wstring& Answer) {
  Host.UnregisterHotkey(Ids[IndexOf(THotkey::hkExpression)]);
  TypeText(Answer);
  Register(THotkey::hkExpression);
}

void THotkeyCycle::TypeResult(const std::wstring& Result) {
  Host.UnregisterHotkey(Ids[IndexOf(THotkey::hkResult)]);
  // The hotkey press toggled NumLock; it is put back before the typing.
  SettleNumLock();
  if (!Result.empty()) TypeText(Result);
  Register(THotkey::hkResult);
}

void THotkeyCycle::SettleNumLock() {
  if (!NumLock.Owes()) return;
  if (!NumLock.Settle(Sys, *Watch, Target, Host.HotkeyWindow())) ReportError(texts::NumLockNotRestored);
}

void THotkeyCycle::KeepWatchWhileHeld(THotkey Hotkey) {
  // Without MOD_NOREPEAT a held key repeats the hotkey once it is registered
  // again; the watch tells such a repeat from a new press.
  if (!NoRepeat && Watch && Watch->Holds(Keys[IndexOf(Hotkey)].Vk)) {
    HeldHotkey = Hotkey;
    HeldSince = Sys.TickCount();
    Host.StartTimer(CycleTimerInterval);
    return;
  }
  if (!WatchesAfterCycle()) Watch.reset();
}

std::uint32_t THotkeyCycle::CopyKeyPresses() const {
  std::uint32_t Count = 0;
  if (Watch)
    for (const std::uint8_t Vk : {VkC, VkX, VkInsert, VkDelete}) Count += Watch->Presses(Vk);
  return Count;
}

void THotkeyCycle::LookForLateCopy(bool KeepWaiting) {
  // Taken off the member first: the give-back's wait dispatches messages, and
  // a cycle they start must not find this loan.
  TClipboardLoan Late = std::move(*Loan);
  Loan.reset();
  // The user may have copied in the same application since: that copy is
  // the user's clipboard, and no give-back may undo it.
  if (CopyKeyPresses() != CopyKeysAtLoan) return;
  std::wstring Text;
  TLook Seen = TLook::lkLost;
  try {
    Seen = Late.Look(Sys, Text);
  } catch (const std::bad_alloc&) {
    if (Late.CopyLanded()) Seen = TLook::lkCopied;
  }
  if (Seen == TLook::lkCopied) {
    if (const wchar_t* Warning = GiveBackText(Late.GiveBack(Sys))) ReportError(Warning);
    return;
  }
  if (KeepWaiting && Seen == TLook::lkWaiting && Sys.TickCount() - LoanSince < LateCopyTime && !Loan)
    Loan.emplace(std::move(Late));
}

void THotkeyCycle::OnTimer() {
  // A running cycle looks at the clipboard itself.
  if (InCycle) return;
  if (Loan) LookForLateCopy(true);
  if (HeldHotkey) {
    const bool Held = Watch && Watch->Holds(Keys[IndexOf(*HeldHotkey)].Vk);
    if (!Held || Sys.TickCount() - HeldSince >= HeldKeyWatchTime) HeldHotkey.reset();
  }
  if (!WatchesAfterCycle()) {
    Host.StopTimer();
    Watch.reset();
  }
}

void THotkeyCycle::RunOutsideCycle(std::function<void()> Command) {
  if (!InCycle) {
    Command();
    return;
  }
  if (Waiting.size() < MaxWaitingCommands) Waiting.push_back(std::move(Command));
}

void THotkeyCycle::EndSession() {
  Ending = true;
  if (Loan) {
    Loan->EndNow(Sys);
    // A running cycle is inside the loan's waits: it lets the loan go itself.
    if (!InCycle) Loan.reset();
  }
  if (InCycle) SettleNumLock();
}

}  // namespace talvex
