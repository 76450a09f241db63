// A menu's items as plain data, without Windows headers: what the menu shows
// is decided by portable code and tested natively, and the menu is built
// from it each time it opens.
#pragma once

#include <string>
#include <vector>

namespace talvex::ui {

struct TMenuItem {
  std::wstring Text;  // "-" makes a separator
  unsigned Command = 0;  // what the choice of this item reports
  bool Checked = false;
  bool Enabled = true;
  std::vector<TMenuItem> Submenu;  // the item opens these when there are any
};

}  // namespace talvex::ui
