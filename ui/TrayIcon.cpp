#include "ui/TrayIcon.h"

#include <shlwapi.h>

#include <algorithm>
#include <iterator>
#include <utility>

namespace talvex::ui {

namespace {

constexpr UINT TrayIconId = 1;
constexpr UINT IconFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
constexpr std::size_t FirstLayoutTipChars = 63;  // the rest of its 64 is the terminating zero
constexpr UINT BalloonTimeout = 10000;  // what Windows XP shows it at least; later ones decide themselves

// Copies at most Limit characters, and never more than the buffer holds
// besides the terminating zero.
template <std::size_t N>
void CopyText(WCHAR (&Buffer)[N], const std::wstring& Source, std::size_t Limit = N - 1) {
  const std::size_t Length = std::min({Source.size(), Limit, N - 1});
  std::copy_n(Source.begin(), Length, Buffer);
  Buffer[Length] = L'\0';
}

}  // namespace

std::optional<std::pair<unsigned, unsigned>> ShellVersion() {
  const HMODULE Shell = GetModuleHandleW(L"shell32.dll");
  const auto GetVersion =
      Shell ? reinterpret_cast<DLLGETVERSIONPROC>(reinterpret_cast<void*>(GetProcAddress(Shell, "DllGetVersion")))
            : nullptr;
  if (!GetVersion) return std::nullopt;
  DLLVERSIONINFO Info{};
  Info.cbSize = sizeof Info;
  if (FAILED(GetVersion(&Info))) return std::nullopt;
  return std::make_pair(static_cast<unsigned>(Info.dwMajorVersion), static_cast<unsigned>(Info.dwMinorVersion));
}

TTrayIcon::TTrayIcon(HWND OwnerWindow, HICON TrayImage, std::wstring Tooltip, bool LargerLayout)
    : Owner(OwnerWindow), Icon(TrayImage), Text(std::move(Tooltip)), Larger(LargerLayout) {
  AddAgain();
}

TTrayIcon::~TTrayIcon() { Remove(); }

void TTrayIcon::SetTooltip(const std::wstring& NewText) {
  if (NewText == Text) return;
  Text = NewText;
  if (!Shown) return;
  NOTIFYICONDATAW Modified = Data(IconFlags);
  Notify(NIM_MODIFY, Modified);
}

void TTrayIcon::ShowBalloon(const std::wstring& Title, const std::wstring& Message, bool Silent) {
  if (!Shown || !Larger) return;
  NOTIFYICONDATAW Balloon = Data(NIF_INFO);
  CopyText(Balloon.szInfoTitle, Title);
  CopyText(Balloon.szInfo, Message);
  Balloon.uTimeout = BalloonTimeout;
  Balloon.dwInfoFlags = NIIF_ERROR | (Silent ? NIIF_NOSOUND : 0);
  Notify(NIM_MODIFY, Balloon);
}

void TTrayIcon::Remove() {
  Removed = true;
  if (!Shown) return;
  NOTIFYICONDATAW Deleted = Data(IconFlags);
  Notify(NIM_DELETE, Deleted);
  Shown = false;
}

void TTrayIcon::AddAgain() {
  if (Removed) return;
  NOTIFYICONDATAW Added = Data(IconFlags);
  Shown = Notify(NIM_ADD, Added);
}

void TTrayIcon::OnCallback(LPARAM MouseMessage) {
  if (OnMouse) OnMouse(static_cast<UINT>(MouseMessage));
}

NOTIFYICONDATAW TTrayIcon::Data(UINT Flags) const {
  NOTIFYICONDATAW D{};
  // A shell older than 5.0 refuses a structure larger than the first one.
  D.cbSize = Larger ? NOTIFYICONDATAW_V2_SIZE : NOTIFYICONDATAW_V1_SIZE;
  D.hWnd = Owner;
  D.uID = TrayIconId;
  D.uFlags = Flags;
  D.uCallbackMessage = TrayCallbackMessage;
  D.hIcon = Icon;
  CopyText(D.szTip, Text, Larger ? std::size(D.szTip) - 1 : FirstLayoutTipChars);
  return D;
}

bool TTrayIcon::Notify(DWORD Action, NOTIFYICONDATAW& D) { return Shell_NotifyIconW(Action, &D) != FALSE; }

}  // namespace talvex::ui
