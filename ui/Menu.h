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

  // Shows the menu at At and returns the chosen item's Command once the
  // menu has closed; nothing when none was chosen. The command is returned,
  // not posted: a posted one could be dispatched by whatever waits next.
  std::optional<unsigned> Track(HWND Owner, POINT At) const;

 private:
  void Append(HMENU Into, const TMenuItem& Item);

  HMENU Menu;
  std::set<unsigned> Commands;
};

}  // namespace talvex::ui
