#include "ParserLib/Cp1251.h"

namespace talvex {
namespace {

using detail::HighHalf;

struct UpperTable {
  unsigned char Map[256];
  constexpr UpperTable() : Map() {
    for (int I = 0; I < 256; ++I) Map[I] = static_cast<unsigned char>(I);
    for (int I = 'a'; I <= 'z'; ++I) Map[I] = static_cast<unsigned char>(I - 32);
    for (int I = 0xE0; I <= 0xFF; ++I) Map[I] = static_cast<unsigned char>(I - 32);
    // The Cyrillic letters outside the contiguous block: ђ ѓ љ њ ќ ћ џ ў і ґ ё є ј ѕ ї.
    constexpr unsigned char Pairs[][2] = {{0x83, 0x81}, {0x90, 0x80}, {0x9A, 0x8A}, {0x9C, 0x8C},
                                          {0x9D, 0x8D}, {0x9E, 0x8E}, {0x9F, 0x8F}, {0xA2, 0xA1},
                                          {0xB3, 0xB2}, {0xB4, 0xA5}, {0xB8, 0xA8}, {0xBA, 0xAA},
                                          {0xBC, 0xA3}, {0xBE, 0xBD}, {0xBF, 0xAF}};
    for (const auto& P : Pairs) Map[P[0]] = P[1];
  }
};
constexpr UpperTable Upper;

}  // namespace

char32_t Cp1251ToUnicode(unsigned char Byte) {
  if (Byte < 0x80) return Byte;
  if (Byte >= 0xC0) return 0x0410 + (Byte - 0xC0);
  return HighHalf[Byte - 0x80];
}

int UnicodeToCp1251(char32_t CodePoint) { return detail::Cp1251OfCodePoint(CodePoint); }

unsigned char UpperCp1251(unsigned char Byte) { return Upper.Map[Byte]; }

void UpperCaseInPlace(std::string& Text) {
  for (char& C : Text) C = static_cast<char>(Upper.Map[static_cast<unsigned char>(C)]);
}

std::string UpperCase(std::string_view Text) {
  std::string Out(Text);
  UpperCaseInPlace(Out);
  return Out;
}

bool SameTextCp1251(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (std::size_t I = 0; I < A.size(); ++I)
    if (Upper.Map[static_cast<unsigned char>(A[I])] != Upper.Map[static_cast<unsigned char>(B[I])])
      return false;
  return true;
}

std::string Cp1251ToUtf8(std::string_view Text) {
  std::string Out;
  Out.reserve(Text.size() * 2);
  for (char Ch : Text) {
    char32_t C = Cp1251ToUnicode(static_cast<unsigned char>(Ch));
    if (C == 0 && Ch != 0) C = 0xFFFD;  // the unassigned byte 0x98
    AppendUtf8(Out, C);
  }
  return Out;
}

void AppendUtf8(std::string& Out, char32_t C) {
  if (C < 0x80) {
    Out += static_cast<char>(C);
  } else if (C < 0x800) {
    Out += static_cast<char>(0xC0 | (C >> 6));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  } else {
    Out += static_cast<char>(0xE0 | (C >> 12));
    Out += static_cast<char>(0x80 | ((C >> 6) & 0x3F));
    Out += static_cast<char>(0x80 | (C & 0x3F));
  }
}

bool Utf8ToCp1251(std::string_view Text, std::string& Out, std::size_t& ErrorOffset) {
  Out.clear();
  Out.reserve(Text.size());
  std::size_t I = 0;
  while (I < Text.size()) {
    const std::size_t Start = I;
    auto B = static_cast<unsigned char>(Text[I++]);
    char32_t C;
    int Extra;
    char32_t Min;
    if (B < 0x80) { C = B; Extra = 0; Min = 0; }
    else if ((B & 0xE0) == 0xC0) { C = B & 0x1F; Extra = 1; Min = 0x80; }
    else if ((B & 0xF0) == 0xE0) { C = B & 0x0F; Extra = 2; Min = 0x800; }
    else if ((B & 0xF8) == 0xF0) { C = B & 0x07; Extra = 3; Min = 0x10000; }
    else { ErrorOffset = Start; return false; }
    for (int K = 0; K < Extra; ++K) {
      if (I >= Text.size() || (static_cast<unsigned char>(Text[I]) & 0xC0) != 0x80) {
        ErrorOffset = Start;
        return false;
      }
      C = (C << 6) | (static_cast<unsigned char>(Text[I++]) & 0x3F);
    }
    int Code = (C < Min || C > 0x10FFFF || (C >= 0xD800 && C <= 0xDFFF)) ? -1 : UnicodeToCp1251(C);
    if (Code < 0) {
      ErrorOffset = Start;
      return false;
    }
    Out += static_cast<char>(static_cast<unsigned char>(Code));
  }
  return true;
}

}  // namespace talvex
