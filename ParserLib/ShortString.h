// A short string: a length byte and up to 255 characters, stored inline so a
// value holding it is copied whole and owns nothing.
#pragma once

#include <cstdint>
#include <cstring>
#include <string_view>

namespace talvex {

struct TShortString {
  static constexpr std::size_t Capacity = 255;

  uint8_t Length = 0;
  char Chars[Capacity];

  std::string_view View() const { return {Chars, Length}; }
  // Text longer than 255 characters is cut to its first 255.
  void Assign(std::string_view Text) {
    Length = static_cast<uint8_t>(Text.size() > Capacity ? Capacity : Text.size());
    if (Length) std::memcpy(Chars, Text.data(), Length);
  }
};

}  // namespace talvex
