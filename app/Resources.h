// Names of the program's resources (Talvex.rc).
#pragma once

namespace talvex::resources {

inline constexpr const wchar_t* TrayIcon = L"ICON_1";
inline constexpr const wchar_t* HandCursor = L"HAND";

}  // namespace talvex::resources
