#include "lib/TextCodec.h"

#ifdef _WIN32
#include <windows.h>
#endif

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

#ifdef _WIN32

std::wstring AnsiToWide(std::string_view Ansi) {
  if (Ansi.empty()) return std::wstring();
  const int Size = MultiByteToWideChar(CP_ACP, 0, Ansi.data(), static_cast<int>(Ansi.size()), nullptr, 0);
  if (Size <= 0) return std::wstring();
  std::wstring Out(static_cast<std::size_t>(Size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, Ansi.data(), static_cast<int>(Ansi.size()), Out.data(), Size);
  return Out;
}

bool AnsiToCp1251(std::string_view Ansi, std::string& Out) {
  std::size_t BadIndex = 0;
  return WideToCp1251Exact(AnsiToWide(Ansi), Out, BadIndex);
}

#endif

}  // namespace talvex
