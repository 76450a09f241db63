#include "app/TrayMenuModel.h"

#include "app/AppTexts.h"
#include "app/HotkeyChoice.h"

namespace talvex {

namespace {

// The specified items keep their indexes 0 to 2 as commands; the submenus'
// items count from their own bases.
constexpr unsigned AboutCommand = 0;
constexpr unsigned HelpCommand = 1;
constexpr unsigned ExitCommand = 2;
constexpr unsigned InertCommand = 9;  // of an item that cannot be chosen
constexpr unsigned FirstResultCommand = 10;
constexpr unsigned FirstPairCommand = 30;
static_assert(FirstResultCommand + TRecentResults::Capacity <= FirstPairCommand);

ui::TMenuItem Item(std::wstring Text, unsigned Command) { return {std::move(Text), Command, false, true, {}}; }
const ui::TMenuItem Separator = {L"-", 0, false, true, {}};

}  // namespace

std::vector<ui::TMenuItem> TTrayMenuModel::Build(const TRecentResults& Recent, std::size_t CurrentPair) {
  ShownResults.clear();
  ui::TMenuItem Results = Item(texts::RecentMenu, 0);
  for (const TRecentResult& Entry : Recent.Entries()) {
    Results.Submenu.push_back(Item(MenuTextOf(Entry), FirstResultCommand + static_cast<unsigned>(ShownResults.size())));
    ShownResults.push_back(Entry.Result);
  }
  // An empty submenu would not open at all; this one says why it is empty.
  if (Results.Submenu.empty()) Results.Submenu.push_back({texts::NoRecentResults, InertCommand, false, false, {}});

  ui::TMenuItem Hotkeys = Item(texts::HotkeysMenu, 0);
  for (std::size_t I = 0; I < HotkeyPairs.size(); ++I) {
    ui::TMenuItem Pair = Item(MenuTextOf(HotkeyPairs[I]), FirstPairCommand + static_cast<unsigned>(I));
    Pair.Checked = I == CurrentPair;
    Hotkeys.Submenu.push_back(std::move(Pair));
  }
  return {Item(L"Автора!", AboutCommand), Item(L"Справка", HelpCommand), Separator, std::move(Results),
          std::move(Hotkeys), Separator, Item(L"В&ыход", ExitCommand)};
}

std::optional<TMenuCommand> TTrayMenuModel::CommandOf(unsigned Command) const {
  switch (Command) {
    case AboutCommand:
      return TMenuCommand{TMenuAction::maAbout, 0, {}};
    case HelpCommand:
      return TMenuCommand{TMenuAction::maHelp, 0, {}};
    case ExitCommand:
      return TMenuCommand{TMenuAction::maExit, 0, {}};
  }
  if (Command >= FirstResultCommand && Command - FirstResultCommand < ShownResults.size())
    return TMenuCommand{TMenuAction::maCopyResult, 0, ShownResults[Command - FirstResultCommand]};
  if (Command >= FirstPairCommand && Command - FirstPairCommand < HotkeyPairs.size())
    return TMenuCommand{TMenuAction::maChoosePair, Command - FirstPairCommand, {}};
  return std::nullopt;
}

}  // namespace talvex
