#include "ui/Menu.h"

#include <cwchar>
#include <stdexcept>

namespace talvex::ui {

namespace {

// Menu commands start here, clear of the dialog-style IDOK and IDCANCEL.
constexpr UINT FirstCommand = 100;

}  // namespace

TPopupMenu::TPopupMenu(std::initializer_list<const wchar_t*> Template) : Menu(CreatePopupMenu()) {
  if (!Menu) throw std::runtime_error("a menu cannot be created");
  for (const wchar_t* Text : Template) {
    if (std::wcscmp(Text, L"-") == 0) {
      AppendMenuW(Menu, MF_SEPARATOR, 0, nullptr);
    } else {
      AppendMenuW(Menu, MF_STRING, FirstCommand + static_cast<UINT>(Items), Text);
      ++Items;
    }
  }
}

TPopupMenu::~TPopupMenu() { DestroyMenu(Menu); }

void TPopupMenu::Track(HWND Owner, POINT At) const {
  TrackPopupMenu(Menu, 0, At.x, At.y, 0, Owner, nullptr);
  // Without a message after it, a menu opened from the tray does not close
  // when the user clicks elsewhere the next time.
  PostMessageW(Owner, WM_NULL, 0, 0);
}

std::optional<int> TPopupMenu::ItemOfCommand(UINT Command) const {
  if (Command < FirstCommand || Command >= FirstCommand + static_cast<UINT>(Items)) return std::nullopt;
  return static_cast<int>(Command - FirstCommand);
}

}  // namespace talvex::ui
