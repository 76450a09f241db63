// The last results of this run, newest first, for the tray menu: a result
// typed and then overwritten can be copied back. Kept in memory only.
#pragma once

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>

#include "app/AppHost.h"
#include "lib/SystemApi.h"

namespace talvex {

struct TRecentResult {
  std::wstring Expression;
  std::wstring Result;
};

class TRecentResults {
 public:
  static constexpr std::size_t Capacity = 10;

  // A repeated outcome moves to the front instead of showing twice.
  void Add(std::wstring Expression, std::wstring Result);
  const std::deque<TRecentResult>& Entries() const { return Items; }

 private:
  std::deque<TRecentResult> Items;
};

// An entry as a menu item shows it: "expression=result" on one line, the
// ampersands doubled so that none becomes an access key, a long expression
// shortened in the middle so that the result stays whole.
std::wstring MenuTextOf(const TRecentResult& Entry);

// Puts Result on the clipboard as text; tells the user when the clipboard
// stays taken by another program.
void CopyRecentResult(ISystemApi& Sys, IAppHost& Host, std::wstring_view Result);

}  // namespace talvex
