#include "ui/Menu.h"

#include <stdexcept>

namespace talvex::ui {

namespace {

// Menu commands start here, clear of the dialog-style IDOK and IDCANCEL.
constexpr UINT FirstCommand = 100;

HMENU NewPopupMenu() {
  const HMENU Menu = CreatePopupMenu();
  if (!Menu) throw std::runtime_error("a menu cannot be created");
  return Menu;
}

}  // namespace

TPopupMenu::TPopupMenu(const std::vector<TMenuItem>& Items) : Menu(NewPopupMenu()) {
  for (const TMenuItem& Item : Items) Append(Menu, Item);
}

// A submenu belongs to its menu, which destroys it with itself.
void TPopupMenu::Append(HMENU Into, const TMenuItem& Item) {
  if (Item.Text == L"-") {
    AppendMenuW(Into, MF_SEPARATOR, 0, nullptr);
    return;
  }
  const UINT State = (Item.Checked ? MF_CHECKED : 0) | (Item.Enabled ? 0 : MF_GRAYED);
  if (!Item.Submenu.empty()) {
    const HMENU Submenu = NewPopupMenu();
    for (const TMenuItem& Inner : Item.Submenu) Append(Submenu, Inner);
    AppendMenuW(Into, MF_POPUP | State, reinterpret_cast<UINT_PTR>(Submenu), Item.Text.c_str());
    return;
  }
  AppendMenuW(Into, MF_STRING | State, FirstCommand + Item.Command, Item.Text.c_str());
  Commands.insert(Item.Command);
}

TPopupMenu::~TPopupMenu() { DestroyMenu(Menu); }

std::optional<unsigned> TPopupMenu::Track(HWND Owner, POINT At) const {
  const UINT Chosen = static_cast<UINT>(TrackPopupMenu(Menu, TPM_RETURNCMD | TPM_NONOTIFY, At.x, At.y, 0, Owner, nullptr));
  // Without a message after it, a menu opened from the tray does not close
  // when the user clicks elsewhere the next time.
  PostMessageW(Owner, WM_NULL, 0, 0);
  if (Chosen < FirstCommand || Commands.count(Chosen - FirstCommand) == 0) return std::nullopt;
  return Chosen - FirstCommand;
}

}  // namespace talvex::ui
