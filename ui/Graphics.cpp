#include "ui/Graphics.h"

#include <cwchar>
#include <vector>

#include "ui/Dpi.h"

namespace talvex::ui {

namespace {

struct TMadeFont {
  TFontStyle Style;
  UINT Dpi;
  HFONT Font;
};

bool SameStyle(const TFontStyle& A, const TFontStyle& B) {
  return std::wcscmp(A.Face, B.Face) == 0 && A.Height == B.Height && A.Bold == B.Bold && A.Underline == B.Underline &&
         A.Charset == B.Charset;
}

// The height of the system's own dialog font at the system's scale: what
// "default height" means.
LONG DefaultHeight() {
  LOGFONTW Font{};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof Font, &Font) && Font.lfHeight != 0) return Font.lfHeight;
  return -11;  // 8 points at 96 dots per inch
}

}  // namespace

HFONT FontOf(const TFontStyle& Style, UINT Dpi) {
  static std::vector<TMadeFont> Made;
  for (const TMadeFont& M : Made)
    if (M.Dpi == Dpi && SameStyle(M.Style, Style)) return M.Font;
  const int Height = Style.Height != 0 ? MulDiv(Style.Height, static_cast<int>(Dpi), DefaultDpi)
                                       : MulDiv(DefaultHeight(), static_cast<int>(Dpi), static_cast<int>(SystemDpi()));
  const HFONT Font = CreateFontW(Height, 0, 0, 0, Style.Bold ? FW_BOLD : FW_NORMAL, FALSE, Style.Underline, FALSE,
                                 Style.Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                 DEFAULT_PITCH | FF_DONTCARE, Style.Face);
  Made.push_back({Style, Dpi, Font});
  return Font;
}

void FillSolid(HDC Dc, const RECT& Area, COLORREF Colour) {
  // ExtTextOut with an opaque rectangle fills without making a brush.
  const COLORREF Old = SetBkColor(Dc, Colour);
  ExtTextOutW(Dc, 0, 0, ETO_OPAQUE, &Area, nullptr, 0, nullptr);
  SetBkColor(Dc, Old);
}

}  // namespace talvex::ui
