#include "app/UserMessages.h"

#include "app/AppTexts.h"

namespace talvex {

namespace {

// ShellExecute's results (winerror.h and shellapi.h), named here because the
// texts are chosen without Windows headers.
constexpr long FileNotFound = 2;             // ERROR_FILE_NOT_FOUND
constexpr long PathNotFound = 3;             // ERROR_PATH_NOT_FOUND
constexpr long AssociationIncomplete = 27;   // SE_ERR_ASSOCINCOMPLETE
constexpr long NoAssociation = 31;           // SE_ERR_NOASSOC

}  // namespace

std::wstring MonitorFailureText(TMonitorFailure Failure, std::wstring_view ProgramFolder, int ProgramBits) {
  std::wstring Text = std::wstring(texts::InitError) + L"\n";
  const std::wstring Path = std::wstring(ProgramFolder) + MonitorLibraryFile;
  switch (Failure) {
    case TMonitorFailure::Missing:
      return Text + texts::MonitorMissing + L"\n" + Path;
    case TMonitorFailure::Unusable:
      return Text + texts::MonitorUnusable + L"\n" + Path;
    case TMonitorFailure::OtherBitness:
      return Text + (ProgramBits == 64 ? texts::Monitor32For64 : texts::Monitor64For32) + L"\n" + Path;
    case TMonitorFailure::NotInstalled:
      return Text + texts::MonitorNotInstalled;
  }
  return Text;
}

std::wstring HotkeyFailureText(std::wstring_view Keys) {
  return std::wstring(texts::HotkeyError) + L"\n" + texts::HotkeyTakenBefore + std::wstring(Keys) +
         texts::HotkeyTakenAfter;
}

std::wstring SettingsNotWrittenText(std::wstring_view Path) {
  std::wstring Text = texts::SettingsNotWritten;
  if (!Path.empty()) Text += L"\n" + std::wstring(Path);
  return Text;
}

std::wstring HelpFailureText(long ShellResult, std::wstring_view ProgramFolder) {
  const std::wstring Path = std::wstring(ProgramFolder) + HelpFile;
  switch (ShellResult) {
    case FileNotFound:
    case PathNotFound:
      return std::wstring(texts::HelpMissing) + L"\n" + Path;
    case NoAssociation:
    case AssociationIncomplete:
      return std::wstring(texts::HelpNoProgram) + L"\n" + texts::HelpLiesHere + L"\n" + Path;
    default:
      return std::wstring(texts::HelpFailed) + std::to_wstring(ShellResult) + L").\n" + texts::HelpLiesHere + L"\n" +
             Path;
  }
}

}  // namespace talvex
