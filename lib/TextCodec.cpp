#include "lib/TextCodec.h"

#include "ParserLib/Cp1251.h"

namespace talvex {

std::wstring Cp1251ToWide(std::string_view Text) {
  std::wstring Out;
  Out.reserve(Text.size());
  for (char C : Text) {
    const char32_t U = Cp1251ToUnicode(static_cast<unsigned char>(C));
    Out += static_cast<wchar_t>(U == 0 && C != 0 ? 0xFFFD : U);
  }
  return Out;
}

std::string WideToCp1251(std::wstring_view Text) {
  std::string Out;
  Out.reserve(Text.size());
  for (wchar_t W : Text) {
    const int Code = UnicodeToCp1251(static_cast<char32_t>(W));
    Out += Code < 0 ? '?' : static_cast<char>(static_cast<unsigned char>(Code));
  }
  return Out;
}

bool WideToCp1251Exact(std::wstring_view Text, std::string& Out, std::size_t& BadIndex) {
  Out.clear();
  Out.reserve(Text.size());
  for (std::size_t I = 0; I < Text.size(); ++I) {
    const int Code = UnicodeToCp1251(static_cast<char32_t>(Text[I]));
    // A NUL inside the text would end the engine's view of it early.
    if (Code <= 0) {
      BadIndex = I;
      return false;
    }
    Out += static_cast<char>(static_cast<unsigned char>(Code));
  }
  return true;
}

}  // namespace talvex
