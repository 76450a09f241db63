// Conversions at the program's edge: the engine speaks code page 1251, the
// user's applications the ANSI code page, and what the program shows is UTF-16.
#pragma once

#include <string>
#include <string_view>

namespace talvex {

std::wstring Cp1251ToWide(std::string_view Text);
// Characters code page 1251 lacks become '?'.
std::string WideToCp1251(std::wstring_view Text);
// False when the text holds a character code page 1251 lacks.
bool AnsiToCp1251(std::string_view Ansi, std::string& Out);
std::wstring AnsiToWide(std::string_view Ansi);

}  // namespace talvex
