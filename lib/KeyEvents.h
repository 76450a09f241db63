// Key events as the program synthesises them, toggle keys and the draining of
// the message queue.
#pragma once

#include <cstdint>

#include "SystemApi.h"

namespace talvex {

// A press or release of Vk with the key's own scan code, and the extended
// flag where the key is one (the right Ctrl and Alt, Insert, NumLock):
// terminals and remote-desktop clients go by the scan code, and without the
// flag they read Insert as the keypad's 0.
TKeyInput KeyPress(ISystemApi& Sys, std::uint8_t Vk);
TKeyInput KeyRelease(ISystemApi& Sys, std::uint8_t Vk);
bool IsExtendedKey(std::uint8_t Vk);

// Dispatches every queued message; a WM_QUIT found here is dropped.
void ProcessPendingMessages(ISystemApi& Sys);

// Toggled on and not held down.
bool IsKeyToggled(ISystemApi& Sys, std::uint8_t Vk);
// On NT a press and release when the state differs; on Windows 95 the
// thread's keyboard state is written.
void SetKeyToggle(ISystemApi& Sys, std::uint8_t Vk, bool On);

std::uint32_t GetPlatformId(ISystemApi& Sys);
bool IsNtPlatform(ISystemApi& Sys);

}  // namespace talvex
