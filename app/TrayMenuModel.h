// The tray icon's menu: the items "Автора!", "Справка" and "В&ыход" as they
// always were, with two submenus added before the exit, the recent results
// and the choice of hotkeys; and what the command of each item does.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "app/RecentResults.h"
#include "ui/MenuItems.h"

namespace talvex {

enum class TMenuAction { maAbout, maHelp, maExit, maCopyResult, maChoosePair };

struct TMenuCommand {
  TMenuAction Action;
  std::size_t Index = 0;  // of the hotkey pair
  std::wstring Result;    // to copy
};

class TTrayMenuModel {
 public:
  // The items as they are to show now; the results are kept as shown, so
  // that a click copies what the user saw even if a cycle ran meanwhile.
  std::vector<ui::TMenuItem> Build(const TRecentResults& Recent, std::size_t CurrentPair);
  std::optional<TMenuCommand> CommandOf(unsigned Command) const;

 private:
  std::vector<std::wstring> ShownResults;
};

}  // namespace talvex
