// Conversions at the program's edge: the engine speaks code page 1251, and
// what the program reads from other applications and shows is UTF-16.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace talvex {

std::wstring Cp1251ToWide(std::string_view Text);
// Characters code page 1251 lacks become '?'.
std::string WideToCp1251(std::wstring_view Text);
// False when the text holds a character code page 1251 lacks; BadIndex is then
// the 0-based index of the first such character.
bool WideToCp1251Exact(std::wstring_view Text, std::string& Out, std::size_t& BadIndex);

}  // namespace talvex
