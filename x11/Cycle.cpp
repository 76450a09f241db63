#include "x11/Cycle.h"

#include <cstdio>
#include <utility>

#include "ParserLib/Cp1251.h"
#include "x11/Messages.h"
#include "x11/Selection.h"

namespace talvex::x11 {

namespace {

// No character takes more than four bytes of UTF-8: a selection longer than
// this is too long whatever it holds.
constexpr std::size_t MaxSelectionBytes = 4 * MaxExpressionLength;

std::u32string Unicode(std::string_view Cp1251) {
  std::u32string Out;
  for (const char C : Cp1251) Out += Cp1251ToUnicode(static_cast<unsigned char>(C));
  return Out;
}

std::string CodePointName(char32_t C) {
  char Hex[16];
  std::snprintf(Hex, sizeof Hex, "%04X", static_cast<unsigned>(C));
  return Hex;
}

// Why a selection that was not read types nothing.
constexpr std::pair<TSelectionStatus, TMessageKey> Refusals[] = {
    {TSelectionStatus::ssNoOwner, TMessageKey::NothingSelected},
    {TSelectionStatus::ssEmpty, TMessageKey::NothingSelected},
    {TSelectionStatus::ssNotText, TMessageKey::SelectionNotText},
    {TSelectionStatus::ssTimeout, TMessageKey::SelectionTimeout},
    {TSelectionStatus::ssOwnerGone, TMessageKey::SelectionOwnerGone},
    {TSelectionStatus::ssTooLong, TMessageKey::TooLong},
};

}  // namespace

TXid FocusedWindow(IXSystem& Sys, bool FollowPointer) {
  if (const TXid Active = Sys.ActiveWindow(); Active != NoWindow) return Active;
  const TXid Focus = Sys.FocusWindow();
  if (Focus != NoWindow && Focus != PointerRootFocus) return Focus;
  return Focus == PointerRootFocus && FollowPointer ? Sys.WindowUnderPointer() : NoWindow;
}

bool SameClient(IXSystem& Sys, TXid A, TXid B) {
  const TXid ClientBits = ~Sys.ResourceMask();
  return (A & ClientBits) == (B & ClientBits);
}

std::optional<std::string> TCycle::ReadSelection(TTime Time, TXid Focused) {
  const TLanguage Lang = Reporter.Language();
  const TXid Owner = Sys.SelectionOwner(Sys.Atom("PRIMARY"));
  if (Owner != NoWindow && !SameClient(Sys, Owner, Focused)) {
    // Its text is not what this window would replace by typing.
    Report(Text(TMessageKey::SelectionElsewhere, Lang));
    return std::nullopt;
  }
  const TSelectionText Read = ReadPrimary(Sys, Time, MaxSelectionBytes);
  if (Read.Status == TSelectionStatus::ssText) return Read.Utf8;
  for (const auto& [Status, Message] : Refusals)
    if (Status == Read.Status) Report(Text(Message, Lang));
  return std::nullopt;
}

bool TCycle::Run(THotkey Hotkey, TTime Time) {
  const TXid Focused = FocusedWindow(Sys, FollowPointer);
  if (Focused == NoWindow) {
    Report(Text(TMessageKey::NoFocus, Reporter.Language()));
    return false;
  }
  const std::optional<std::string> Selected = ReadSelection(Time, Focused);
  if (!Selected) return false;
  const std::optional<TEvaluation> Answer = Evaluator.Evaluate(*Selected);
  if (!Answer) return false;
  const std::string Typed = TypedAnswer(*Answer, Hotkey);
  // A window that took the focus meanwhile would get an answer to another's text.
  if (FocusedWindow(Sys, FollowPointer) != Focused) {
    Report(Text(TMessageKey::WindowChanged, Reporter.Language()));
    return false;
  }
  if (const std::optional<char32_t> Bad = Typer.Type(Unicode(Typed))) {
    Report(Text(TMessageKey::Untypable, Reporter.Language(), {CodePointName(*Bad)}));
    return false;
  }
  Reporter.Result(Cp1251ToUtf8(Outcome(*Answer)));
  return true;
}

}  // namespace talvex::x11
