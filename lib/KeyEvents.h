// Synthesised key events, toggle keys and the draining of the message queue.
#pragma once

#include <cstdint>

#include "SystemApi.h"

namespace talvex {

void KeyDown(ISystemApi& Sys, std::uint8_t Vk);
void KeyDownExt(ISystemApi& Sys, std::uint8_t Vk);  // right-hand modifier
void KeyUp(ISystemApi& Sys, std::uint8_t Vk);
void KeyUpExt(ISystemApi& Sys, std::uint8_t Vk);  // right-hand modifier
void TapKey(ISystemApi& Sys, std::uint8_t Vk, std::uint8_t Scan);
// Press and release with the key's own scan code, the queue drained around it.
void TapKeyScanned(ISystemApi& Sys, std::uint8_t Vk, bool Extended);

// Dispatches every queued message; a WM_QUIT found here is dropped.
void ProcessPendingMessages(ISystemApi& Sys);

// Toggled on and not held down.
bool IsKeyToggled(ISystemApi& Sys, std::uint8_t Vk);
void ToggleKeyOnce(ISystemApi& Sys, std::uint8_t Vk);
void SetKeyToggle(ISystemApi& Sys, std::uint8_t Vk, bool On);

std::uint32_t GetPlatformId(ISystemApi& Sys);
bool IsNtPlatform(ISystemApi& Sys);

}  // namespace talvex
