// The engine's text is code page 1251; these are the only places that know
// how it maps to Unicode. Hosts convert at their edges (UTF-8 for the
// command line, the ANSI code page for Win32).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace talvex {

// Unicode code point of a code-page-1251 byte; 0 for the one unassigned byte (0x98).
char32_t Cp1251ToUnicode(unsigned char Byte);

// Code-page-1251 byte of a code point, or -1 when the code page lacks it.
int UnicodeToCp1251(char32_t CodePoint);

// Upper case of Latin and Cyrillic letters of the code page; other bytes unchanged.
unsigned char UpperCp1251(unsigned char Byte);
std::string UpperCase(std::string_view Text);
void UpperCaseInPlace(std::string& Text);
bool SameTextCp1251(std::string_view A, std::string_view B);

std::string Cp1251ToUtf8(std::string_view Text);
// Appends the UTF-8 bytes of one code point of the Basic Multilingual Plane.
void AppendUtf8(std::string& Out, char32_t CodePoint);

// Converts UTF-8 to code page 1251. Returns false at the first byte sequence that
// is not valid UTF-8 or names a character the code page lacks; ErrorOffset is then
// the byte offset of that sequence in Text.
bool Utf8ToCp1251(std::string_view Text, std::string& Out, std::size_t& ErrorOffset);

namespace detail {

// Unicode of the bytes 0x80..0xBF (0 for the unassigned 0x98); 0xC0..0xFF are
// U+0410..U+044F.
inline constexpr char32_t HighHalf[64] = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409,
    0x2039, 0x040A, 0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x0000, 0x2122, 0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0,
    0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6, 0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB,
    0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456, 0x0491, 0x00B5, 0x00B6,
    0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457};

constexpr int Cp1251OfCodePoint(char32_t C) {
  if (C < 0x80) return static_cast<int>(C);
  if (C >= 0x0410 && C <= 0x044F) return static_cast<int>(C - 0x0410 + 0xC0);
  for (int I = 0; I < 64; ++I)
    if (HighHalf[I] == C && C != 0) return 0x80 + I;
  return -1;
}

template <std::size_t N>
struct Utf8Literal {
  char Bytes[N]{};
  consteval Utf8Literal(const char (&S)[N]) {
    for (std::size_t I = 0; I < N; ++I) Bytes[I] = S[I];
  }
};

template <std::size_t N>
struct Cp1251Text {
  std::array<char, N> Bytes{};
  std::size_t Length = 0;
  constexpr std::string_view View() const { return {Bytes.data(), Length}; }
  constexpr operator std::string_view() const { return View(); }
  std::string Str() const { return std::string(View()); }
};

}  // namespace detail

// "Деление на ноль"_cp is the message in code page 1251, converted at compile
// time, so sources stay readable UTF-8 while the engine sees its own code page.
template <detail::Utf8Literal S>
consteval auto operator""_cp() {
  constexpr std::size_t N = sizeof(S.Bytes);
  detail::Cp1251Text<N> Out;
  std::size_t I = 0;
  while (I + 1 < N) {
    auto B = static_cast<unsigned char>(S.Bytes[I]);
    char32_t C;
    int Extra;
    if (B < 0x80) { C = B; Extra = 0; }
    else if ((B & 0xE0) == 0xC0) { C = B & 0x1F; Extra = 1; }
    else if ((B & 0xF0) == 0xE0) { C = B & 0x0F; Extra = 2; }
    else { C = B & 0x07; Extra = 3; }
    ++I;
    for (int K = 0; K < Extra; ++K, ++I) C = (C << 6) | (static_cast<unsigned char>(S.Bytes[I]) & 0x3F);
    int Code = detail::Cp1251OfCodePoint(C);
    if (Code < 0) throw "character not in code page 1251";
    Out.Bytes[Out.Length++] = static_cast<char>(static_cast<unsigned char>(Code));
  }
  return Out;
}

}  // namespace talvex
