#include "x11/Keysyms.h"

namespace talvex::x11 {

namespace {

constexpr TKeysym UnicodeKeysymBase = 0x01000000;

// Cyrillic_yu .. Cyrillic_hardsign (0x6c0..0x6df), the order of KOI8; the
// capitals 0x6e0..0x6ff are the same letters 0x20 lower in Unicode.
constexpr char16_t CyrillicSmall[32] = {0x44E, 0x430, 0x431, 0x446, 0x434, 0x435, 0x444, 0x433,
                                        0x445, 0x438, 0x439, 0x43A, 0x43B, 0x43C, 0x43D, 0x43E,
                                        0x43F, 0x44F, 0x440, 0x441, 0x442, 0x443, 0x436, 0x432,
                                        0x44C, 0x44B, 0x437, 0x448, 0x44D, 0x449, 0x447, 0x44A};

// Serbian_dje .. Cyrillic_DZHE (0x6a1..0x6bf), numerosign at 0x6b0.
constexpr char16_t CyrillicOther[31] = {0x452, 0x453, 0x451, 0x454, 0x455, 0x456,  0x457, 0x458,
                                        0x459, 0x45A, 0x45B, 0x45C, 0x491, 0x45E,  0x45F, 0x2116,
                                        0x402, 0x403, 0x401, 0x404, 0x405, 0x406,  0x407, 0x408,
                                        0x409, 0x40A, 0x40B, 0x40C, 0x490, 0x40E,  0x40F};

struct TPunctuation {
  TKeysym Keysym;
  char32_t Character;
};
constexpr TPunctuation Punctuation[] = {
    {0x0aa9, 0x2014}, {0x0aaa, 0x2013}, {0x0aae, 0x2026}, {0x0ac9, 0x2122}, {0x0ad0, 0x2018},
    {0x0ad1, 0x2019}, {0x0ad2, 0x201C}, {0x0ad3, 0x201D}, {0x0ad5, 0x2030}, {0x0af1, 0x2020},
    {0x0af2, 0x2021}, {0x0afd, 0x201A}, {0x0afe, 0x201E}, {0x20ac, 0x20AC}, {KeysymTab, U'\t'},
    {KeysymReturn, U'\n'},
};

bool IsLatin1(char32_t C) { return (C >= 0x20 && C <= 0x7E) || (C >= 0xA0 && C <= 0xFF); }

}  // namespace

char32_t UnicodeOfKeysym(TKeysym Keysym) {
  if (IsLatin1(Keysym)) return Keysym;
  if ((Keysym & 0xFF000000) == UnicodeKeysymBase) {
    const char32_t C = Keysym & 0x00FFFFFF;
    return C >= 0x20 && C <= 0x10FFFF && !(C >= 0x7F && C < 0xA0) ? C : 0;
  }
  if (Keysym >= 0x6c0 && Keysym <= 0x6df) return CyrillicSmall[Keysym - 0x6c0];
  if (Keysym >= 0x6e0 && Keysym <= 0x6ff) return CyrillicSmall[Keysym - 0x6e0] - 0x20;
  if (Keysym >= 0x6a1 && Keysym <= 0x6bf) return CyrillicOther[Keysym - 0x6a1];
  for (const auto& Row : Punctuation)
    if (Row.Keysym == Keysym) return Row.Character;
  return 0;
}

TKeysym KeysymOfUnicode(char32_t Character) {
  if (IsLatin1(Character)) return Character;
  for (TKeysym K = 0x6c0; K <= 0x6df; ++K) {
    if (CyrillicSmall[K - 0x6c0] == Character) return K;
    if (static_cast<char32_t>(CyrillicSmall[K - 0x6c0] - 0x20) == Character) return K + 0x20;
  }
  for (TKeysym K = 0x6a1; K <= 0x6bf; ++K)
    if (CyrillicOther[K - 0x6a1] == Character) return K;
  for (const auto& Row : Punctuation)
    if (Row.Character == Character) return Row.Keysym;
  return UnicodeKeysymBase | Character;
}

}  // namespace talvex::x11
