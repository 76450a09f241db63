// A popup menu built from its items as data, with submenus and check marks.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <optional>
#include <set>
#include <vector>

#include "ui/MenuItems.h"

namespace talvex::ui {

class TPopupMenu {
 public:
  explicit TPopupMenu(const std::vector<TMenuItem>& Items);
  ~TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  // Shows the menu at At; the chosen item's command goes to Owner as a WM_COMMAND.
  void Track(HWND Owner, POINT At) const;
  // The item's Command of a WM_COMMAND, or nothing when the command is not this menu's.
  std::optional<unsigned> ItemOfCommand(UINT Command) const;

 private:
  void Append(HMENU Into, const TMenuItem& Item);

  HMENU Menu;
  std::set<unsigned> Commands;
};

}  // namespace talvex::ui
