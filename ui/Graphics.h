// Colours and fonts of the layer's controls.
#pragma once

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace talvex::ui {

// An RGB value, or one of the system's colours, looked up whenever it is painted.
class TColor {
 public:
  static constexpr TColor Rgb(BYTE R, BYTE G, BYTE B) { return TColor(RGB(R, G, B), -1); }
  static constexpr TColor System(int Index) { return TColor(0, Index); }
  COLORREF Value() const { return SystemIndex < 0 ? Colour : GetSysColor(SystemIndex); }

 private:
  constexpr TColor(COLORREF C, int Index) : Colour(C), SystemIndex(Index) {}
  COLORREF Colour;
  int SystemIndex;
};

inline constexpr TColor White = TColor::Rgb(255, 255, 255);
inline constexpr TColor Black = TColor::Rgb(0, 0, 0);
inline constexpr TColor ButtonFace = TColor::System(COLOR_BTNFACE);

struct TFontStyle {
  const wchar_t* Face = L"MS Sans Serif";
  int Height = 0;  // pixels at 96 dpi; 0: the system's default height
  bool Bold = false;
  bool Underline = false;
  // The texts are Russian: with the Cyrillic character set the system picks a
  // face that has the letters, whatever the ANSI code page is.
  BYTE Charset = RUSSIAN_CHARSET;
};

// The font at the scale Dpi. Fonts are made once per description and scale
// and kept for the life of the process.
HFONT FontOf(const TFontStyle& Style, UINT Dpi);

void FillSolid(HDC Dc, const RECT& Area, COLORREF Colour);

}  // namespace talvex::ui
