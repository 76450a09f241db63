// The user's settings file, %APPDATA%\Talvex\settings.txt: found through
// SHGetFolderPathW, which Windows XP has, and replaced whole when written, so
// that an interrupted write never leaves half a file.
#pragma once

#include <optional>
#include <string>

namespace talvex {

// Empty when the system does not tell the application-data folder.
std::wstring SettingsFilePath();

// Nothing when the file is missing or unreadable; a file longer than Limit
// bytes is read as its first Limit + 1, which no reader takes for settings.
std::optional<std::string> ReadSettingsFile(const std::wstring& Path, std::size_t Limit);

// Makes the folder when needed.
bool WriteSettingsFile(const std::wstring& Path, const std::string& Text);

}  // namespace talvex
