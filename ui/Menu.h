// A popup menu built from a template of item texts.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <initializer_list>
#include <optional>

namespace talvex::ui {

class TPopupMenu {
 public:
  // "-" makes a separator; every other text is an item, numbered from 0 in
  // template order with the separators skipped.
  explicit TPopupMenu(std::initializer_list<const wchar_t*> Template);
  ~TPopupMenu();
  TPopupMenu(const TPopupMenu&) = delete;
  TPopupMenu& operator=(const TPopupMenu&) = delete;

  // Shows the menu at At; the chosen item's command goes to Owner as a WM_COMMAND.
  void Track(HWND Owner, POINT At) const;
  // The item number of a command, or nothing when the command is not this menu's.
  std::optional<int> ItemOfCommand(UINT Command) const;

 private:
  HMENU Menu;
  int Items = 0;
};

}  // namespace talvex::ui
