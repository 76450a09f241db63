// The programs' settings files: lines of name=value as a person writes them
// in any editor (blanks around both, # comments, CR LF or LF, a UTF-8 mark
// at the start). Talvex.exe and talvex-x11 read the same format and names.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace talvex {

// A settings file longer than this is no file of the programs'.
inline constexpr std::size_t MaxSettingsBytes = 4096;

// The value of the last line naming Name (any letter case), as when the file
// is edited by appending; nothing when no line names it or when Text is too
// long for a settings file.
std::optional<std::string_view> SettingValue(std::string_view Text, std::string_view Name);

}  // namespace talvex
