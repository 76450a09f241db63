// A hashed index of names for the lookups of descriptors and variables: names
// compare case-insensitively under the code-page-1251 upper-casing, and among
// equal names (and equal key bytes) the first one added wins, exactly as a
// walk from the start of the list would find it. The index holds positions
// only; its owner keeps the names and hands them in by position.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

namespace talvex {

namespace detail {

// The upper-casing of Cp1251.cpp as a table the hash and the comparison can
// inline; a test checks it against UpperCp1251 byte by byte.
constexpr std::array<unsigned char, 256> FoldTable = [] {
  std::array<unsigned char, 256> Map{};
  for (int I = 0; I < 256; ++I) Map[static_cast<std::size_t>(I)] = static_cast<unsigned char>(I);
  for (int I = 'a'; I <= 'z'; ++I) Map[static_cast<std::size_t>(I)] = static_cast<unsigned char>(I - 32);
  for (int I = 0xE0; I <= 0xFF; ++I) Map[static_cast<std::size_t>(I)] = static_cast<unsigned char>(I - 32);
  constexpr unsigned char Pairs[][2] = {{0x83, 0x81}, {0x90, 0x80}, {0x9A, 0x8A}, {0x9C, 0x8C}, {0x9D, 0x8D},
                                        {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1}, {0xB3, 0xB2}, {0xB4, 0xA5},
                                        {0xB8, 0xA8}, {0xBA, 0xAA}, {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF}};
  for (const auto& P : Pairs) Map[P[0]] = P[1];
  return Map;
}();

}  // namespace detail

inline unsigned char FoldCp1251(char C) { return detail::FoldTable[static_cast<unsigned char>(C)]; }

// SameTextCp1251, inline.
inline bool SameFolded(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (FoldCp1251(A[I]) != FoldCp1251(B[I])) return false;
  return true;
}

class TNameIndex {
 public:
  static uint32_t HashOf(std::string_view Name, uint8_t Key) {
    uint32_t H = 2166136261u ^ Key;  // FNV-1a over the upper-cased bytes
    for (char C : Name) H = (H ^ FoldCp1251(C)) * 16777619u;
    return H;
  }

  void Clear() {
    Slots.clear();
    Used = 0;
  }

  // Files Position under (Name, Key) unless an earlier position holds an equal
  // name with the same key. NameAt(P) is the name kept at position P.
  template <class TNameAt>
  void Add(std::string_view Name, uint8_t Key, int32_t Position, const TNameAt& NameAt) {
    if ((Used + 1) * 2 > Slots.size()) Grow();
    const uint32_t Hash = HashOf(Name, Key);
    for (std::size_t I = Hash & Mask();; I = (I + 1) & Mask()) {
      TSlot& S = Slots[I];
      if (S.Position < 0) {
        S = {Hash, Position, Key};
        ++Used;
        return;
      }
      if (S.Hash == Hash && S.Key == Key && SameFolded(NameAt(S.Position), Name)) return;
    }
  }

  // The first position added under (Name, Key), or -1.
  template <class TNameAt>
  int32_t Find(std::string_view Name, uint8_t Key, const TNameAt& NameAt) const {
    if (Slots.empty()) return -1;
    const uint32_t Hash = HashOf(Name, Key);
    for (std::size_t I = Hash & Mask();; I = (I + 1) & Mask()) {
      const TSlot& S = Slots[I];
      if (S.Position < 0) return -1;
      if (S.Hash == Hash && S.Key == Key && SameFolded(NameAt(S.Position), Name)) return S.Position;
    }
  }

 private:
  struct TSlot {
    uint32_t Hash = 0;
    int32_t Position = -1;  // -1: empty
    uint8_t Key = 0;
  };

  std::size_t Mask() const { return Slots.size() - 1; }

  // Doubles the table. Each key is present once, so where an entry lands
  // after the move does not change which position a key finds.
  void Grow() {
    std::vector<TSlot> Old(Slots.size() < 16 ? 32 : Slots.size() * 2);
    Old.swap(Slots);
    for (const TSlot& S : Old) {
      if (S.Position < 0) continue;
      std::size_t I = S.Hash & Mask();
      while (Slots[I].Position >= 0) I = (I + 1) & Mask();
      Slots[I] = S;
    }
  }

  std::vector<TSlot> Slots;  // a power of two in size, at most half full
  std::size_t Used = 0;
};

}  // namespace talvex
