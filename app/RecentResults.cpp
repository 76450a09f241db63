#include "app/RecentResults.h"

#include <algorithm>

#include "app/AppTexts.h"
#include "lib/ClipboardText.h"

namespace talvex {

namespace {

// A menu this wide still fits beside the tray of a 1024-pixel screen.
constexpr std::size_t MenuTextChars = 64;
constexpr std::size_t ExpressionHead = 20;  // kept before the ellipsis of a long expression
constexpr wchar_t Ellipsis = L'\u2026';

std::wstring OneLine(std::wstring_view Text) {
  std::wstring Out;
  for (const wchar_t W : Text) {
    if (W == L'&') Out += L'&';
    // A tab would start the menu's column of shortcut keys.
    Out += (W < L' ') ? L' ' : W;
  }
  return Out;
}

std::wstring Shortened(std::wstring_view Text, std::size_t Chars) {
  if (Text.size() <= Chars) return std::wstring(Text);
  if (Chars <= ExpressionHead + 1) return std::wstring(Text.substr(0, Chars - 1)) + Ellipsis;
  const std::size_t Tail = Chars - ExpressionHead - 1;
  return std::wstring(Text.substr(0, ExpressionHead)) + Ellipsis + std::wstring(Text.substr(Text.size() - Tail));
}

}  // namespace

void TRecentResults::Add(std::wstring Expression, std::wstring Result) {
  const auto Same = std::find_if(Items.begin(), Items.end(), [&](const TRecentResult& Entry) {
    return Entry.Expression == Expression && Entry.Result == Result;
  });
  if (Same != Items.end()) Items.erase(Same);
  Items.push_front({std::move(Expression), std::move(Result)});
  if (Items.size() > Capacity) Items.pop_back();
}

std::wstring MenuTextOf(const TRecentResult& Entry) {
  const std::wstring Result = Shortened(Entry.Result, MenuTextChars - ExpressionHead - 2);
  const std::wstring Expression = Shortened(Entry.Expression, MenuTextChars - 1 - Result.size());
  return OneLine(Expression + L"=" + Result);
}

void CopyRecentResult(ISystemApi& Sys, IAppHost& Host, std::wstring_view Result) {
  if (!WriteClipboardText(Sys, Result)) Host.ShowMessage(texts::ClipboardBusy);
}

}  // namespace talvex
