// The X protocol's few values that the portable logic handles, named without
// the Xlib headers so that it builds and is tested without an X server.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace talvex::x11 {

using TKeycode = std::uint8_t;
using TKeysym = std::uint32_t;
using TXid = std::uint32_t;  // windows and atoms
using TTime = std::uint32_t;  // server time in milliseconds

inline constexpr TXid NoWindow = 0;
inline constexpr TXid PointerRootFocus = 1;  // XGetInputFocus: the focus follows the pointer
inline constexpr TKeysym NoKeysym = 0;

// The eight modifier bits of a key event's state, in the modifier map's order.
inline constexpr unsigned ModShift = 1u << 0;
inline constexpr unsigned ModLock = 1u << 1;
inline constexpr unsigned ModControl = 1u << 2;
inline constexpr unsigned ModAlt = 1u << 3;    // Mod1, Alt by convention
inline constexpr unsigned ModSuper = 1u << 6;  // Mod4, Super by convention
inline constexpr std::size_t ModifierCount = 8;

// The keycodes each modifier bit comes from (XGetModifierMapping).
using TModifierKeys = std::array<std::vector<TKeycode>, ModifierCount>;

// The modifier bit whose keys include Key, or 0.
inline unsigned ModifierOfKey(const TModifierKeys& Modifiers, TKeycode Key) {
  for (std::size_t Row = 0; Row < ModifierCount; ++Row)
    if (std::find(Modifiers[Row].begin(), Modifiers[Row].end(), Key) != Modifiers[Row].end()) return 1u << Row;
  return 0;
}

// The 256 keys' up or down state, as XQueryKeymap gives it.
class TKeyBits {
 public:
  bool Down(TKeycode Key) const { return (Bytes[Key / 8] >> (Key % 8)) & 1u; }
  void Set(TKeycode Key, bool IsDown) {
    const auto Bit = static_cast<std::uint8_t>(1u << (Key % 8));
    Bytes[Key / 8] = static_cast<std::uint8_t>(IsDown ? (Bytes[Key / 8] | Bit) : (Bytes[Key / 8] & ~Bit));
  }
  std::array<std::uint8_t, 32> Bytes{};
};

}  // namespace talvex::x11
