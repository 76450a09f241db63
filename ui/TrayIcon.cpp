#include "ui/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>
#include <utility>

namespace talvex::ui {

namespace {

constexpr UINT TrayIconId = 1;

}  // namespace

TTrayIcon::TTrayIcon(HWND OwnerWindow, HICON TrayImage, std::wstring Tooltip)
    : Owner(OwnerWindow), Icon(TrayImage), Text(std::move(Tooltip)) {
  Shown = Notify(NIM_ADD);
}

TTrayIcon::~TTrayIcon() { Remove(); }

void TTrayIcon::SetTooltip(const std::wstring& NewText) {
  if (NewText == Text) return;
  Text = NewText;
  if (Shown) Notify(NIM_MODIFY);
}

void TTrayIcon::Remove() {
  Removed = true;
  if (!Shown) return;
  Notify(NIM_DELETE);
  Shown = false;
}

void TTrayIcon::AddAgain() {
  if (!Removed) Shown = Notify(NIM_ADD);
}

void TTrayIcon::OnCallback(LPARAM MouseMessage) {
  if (OnMouse) OnMouse(static_cast<UINT>(MouseMessage));
}

bool TTrayIcon::Notify(DWORD Action) {
  // The first version of the structure, which every shell accepts; its
  // tooltip holds 63 characters and the terminating zero.
  NOTIFYICONDATAW Data{};
  Data.cbSize = NOTIFYICONDATAW_V1_SIZE;
  Data.hWnd = Owner;
  Data.uID = TrayIconId;
  Data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  Data.uCallbackMessage = TrayCallbackMessage;
  Data.hIcon = Icon;
  const std::size_t Length = std::min(Text.size(), TrayTooltipLength);
  std::copy_n(Text.begin(), Length, Data.szTip);
  Data.szTip[Length] = L'\0';
  return Shell_NotifyIconW(Action, &Data) != FALSE;
}

}  // namespace talvex::ui
