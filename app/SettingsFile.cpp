#include "app/SettingsFile.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#include <shlobj.h>

namespace talvex {

namespace {

constexpr const wchar_t* SettingsFolder = L"\\Talvex";
constexpr const wchar_t* SettingsName = L"\\settings.txt";
constexpr const wchar_t* PartialSuffix = L".new";

class THandle {
 public:
  explicit THandle(HANDLE Opened) : Handle(Opened) {}
  ~THandle() {
    if (Valid()) CloseHandle(Handle);
  }
  THandle(const THandle&) = delete;
  THandle& operator=(const THandle&) = delete;
  bool Valid() const { return Handle != INVALID_HANDLE_VALUE; }
  HANDLE Get() const { return Handle; }

 private:
  HANDLE Handle;
};

std::wstring FolderOf(const std::wstring& Path) { return Path.substr(0, Path.find_last_of(L'\\')); }

bool WriteWhole(const std::wstring& Path, const std::string& Text) {
  const THandle File(CreateFileW(Path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File.Valid()) return false;
  DWORD Written = 0;
  return WriteFile(File.Get(), Text.data(), static_cast<DWORD>(Text.size()), &Written, nullptr) &&
         Written == Text.size() && FlushFileBuffers(File.Get());
}

}  // namespace

std::wstring SettingsFilePath() {
  wchar_t Folder[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, Folder)) || !Folder[0]) return {};
  return std::wstring(Folder) + SettingsFolder + SettingsName;
}

std::optional<std::string> ReadSettingsFile(const std::wstring& Path, std::size_t Limit) {
  if (Path.empty()) return std::nullopt;
  const THandle File(CreateFileW(Path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!File.Valid()) return std::nullopt;
  std::string Text(Limit + 1, '\0');
  DWORD Read = 0;
  if (!ReadFile(File.Get(), Text.data(), static_cast<DWORD>(Text.size()), &Read, nullptr)) return std::nullopt;
  Text.resize(Read);
  return Text;
}

bool WriteSettingsFile(const std::wstring& Path, const std::string& Text) {
  if (Path.empty()) return false;
  CreateDirectoryW(FolderOf(Path).c_str(), nullptr);  // or it is there already
  const std::wstring Partial = Path + PartialSuffix;
  if (WriteWhole(Partial, Text) &&
      MoveFileExW(Partial.c_str(), Path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return true;
  DeleteFileW(Partial.c_str());
  return false;
}

}  // namespace talvex
