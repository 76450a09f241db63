#include "ui/Graphics.h"

#include <cwchar>
#include <vector>

namespace talvex::ui {

namespace {

struct TMadeFont {
  TFontStyle Style;
  HFONT Font;
};

bool SameStyle(const TFontStyle& A, const TFontStyle& B) {
  return std::wcscmp(A.Face, B.Face) == 0 && A.Height == B.Height && A.Bold == B.Bold && A.Underline == B.Underline &&
         A.Charset == B.Charset;
}

// The height of the system's own dialog font: what "default height" means.
LONG DefaultHeight() {
  LOGFONTW Font{};
  if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof Font, &Font) && Font.lfHeight != 0) return Font.lfHeight;
  return -11;  // 8 points at 96 dots per inch
}

}  // namespace

HFONT FontOf(const TFontStyle& Style) {
  static std::vector<TMadeFont> Made;
  for (const TMadeFont& M : Made)
    if (SameStyle(M.Style, Style)) return M.Font;
  const HFONT Font =
      CreateFontW(Style.Height != 0 ? Style.Height : DefaultHeight(), 0, 0, 0, Style.Bold ? FW_BOLD : FW_NORMAL,
                  FALSE, Style.Underline, FALSE, Style.Charset, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                  DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, Style.Face);
  Made.push_back({Style, Font});
  return Font;
}

void FillSolid(HDC Dc, const RECT& Area, COLORREF Colour) {
  // ExtTextOut with an opaque rectangle fills without making a brush.
  const COLORREF Old = SetBkColor(Dc, Colour);
  ExtTextOutW(Dc, 0, 0, ETO_OPAQUE, &Area, nullptr, 0, nullptr);
  SetBkColor(Dc, Old);
}

}  // namespace talvex::ui
