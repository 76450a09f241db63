// A recording stand-in for the program's windows and settings file: hotkeys,
// atoms, tooltip, balloon, beep, message boxes and the file's reads and writes
// are written into the same call list as the fake system's, so one sequence
// shows the whole cycle in its order.
#pragma once

#include "ParserLib/Cp1251.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app/AppHost.h"
#include "lib/FakeSystemApi.h"

namespace talvex::testing {

inline std::string Utf8(std::wstring_view Text) {
  std::string Out;
  for (const wchar_t W : Text) AppendUtf8(Out, static_cast<char32_t>(W));
  return Out;
}

inline std::string Register(THotkeyId Id, std::uint32_t Modifiers, std::uint8_t Vk) {
  return "register " + Hex(Id) + " " + std::to_string(Modifiers) + " " + Hex(Vk);
}
inline std::string Unregister(THotkeyId Id) { return "unregister " + Hex(Id); }
inline std::string Tooltip(const std::string& Utf8Text) { return "tooltip " + Utf8Text; }
inline std::string Message(const std::string& Utf8Text) { return "message " + Utf8Text; }
inline std::string Balloon(const std::string& Utf8Text) { return "balloon " + Utf8Text; }
inline std::string WriteSettings(const std::string& Text) { return "write settings " + Text; }
inline const std::string Beep = "beep";
inline std::string TimerEvery(std::uint32_t Ms) { return "timer " + std::to_string(Ms); }
inline const std::string TimerStop = "timer stop";
// The message of a hotkey another program holds, naming its keys.
inline std::string TakenMessage(const std::string& Keys) {
  return Message("Ошибка инициализации горячих клавиш\nСочетание " + Keys +
                 " занято другой программой. Другие сочетания можно выбрать в меню значка Talvex: «Горячие клавиши».");
}
inline const std::string ReadSettings = "read settings";
inline const std::wstring SettingsFile = L"C:\\Users\\u\\AppData\\Roaming\\Talvex\\settings.txt";

class TFakeAppHost final : public IAppHost {
 public:
  explicit TFakeAppHost(std::vector<std::string>& CallList) : Calls(CallList) {}

  std::map<std::string, THotkeyId> Atoms = {{"Talvex1", 0xC001}, {"Talvex2", 0xC002}};
  std::set<THotkeyId> Taken;  // hotkeys another program holds
  std::wstring CurrentTooltip = L"Talvex";

  THotkeyId AddGlobalAtom(const char* Name) override {
    Calls.push_back(std::string("atom ") + Name);
    return Atoms[Name];
  }
  void DeleteGlobalAtom(THotkeyId Atom) override { Calls.push_back("delete atom " + Hex(Atom)); }
  bool RegisterHotkey(THotkeyId Id, std::uint32_t Modifiers, std::uint8_t Vk) override {
    Calls.push_back(Register(Id, Modifiers, Vk));
    return Taken.count(Id) == 0;
  }
  void UnregisterHotkey(THotkeyId Id) override { Calls.push_back(Unregister(Id)); }
  void SetTooltip(const std::wstring& Text) override {
    Calls.push_back(Tooltip(Utf8(Text)));
    CurrentTooltip = Text;
  }
  void ErrorBeep() override { Calls.push_back(Beep); }
  void ShowMessage(const std::wstring& Text) override { Calls.push_back(Message(Utf8(Text))); }
  void ShowBalloon(const std::wstring& Text) override { Calls.push_back(Balloon(Utf8(Text))); }
  bool TimerRuns = false;
  void StartTimer(std::uint32_t Milliseconds) override {
    Calls.push_back(TimerEvery(Milliseconds));
    TimerRuns = true;
  }
  void StopTimer() override {
    Calls.push_back(TimerStop);
    TimerRuns = false;
  }
  std::uintptr_t HotkeyWindow() override { return TFakeSystemApi::OwnWindow; }

  std::optional<std::string> Settings;  // the file's content; nothing when there is none
  bool SettingsWritable = true;
  std::optional<std::string> ReadSettings() override {
    Calls.push_back(testing::ReadSettings);
    return Settings;
  }
  bool WriteSettings(const std::string& Text) override {
    Calls.push_back(testing::WriteSettings(Text));
    if (SettingsWritable) Settings = Text;
    return SettingsWritable;
  }
  std::wstring SettingsPath() override { return SettingsFile; }

 private:
  std::vector<std::string>& Calls;
};

}  // namespace talvex::testing
