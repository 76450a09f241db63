#include "cli/Completion.h"

#include <algorithm>
#include <array>

#include "ParserLib/Cp1251.h"

namespace talvex::cli {
namespace {

// The small letter of each capital of the code page, by the calculator's own
// case folding; every other byte maps to itself.
const std::array<unsigned char, 256>& SmallLetters() {
  static const auto Table = [] {
    std::array<unsigned char, 256> Small{};
    for (unsigned B = 0; B < 256; ++B) Small[B] = static_cast<unsigned char>(B);
    for (unsigned B = 0; B < 256; ++B)
      if (const unsigned char Upper = UpperCp1251(static_cast<unsigned char>(B)); Upper != B) Small[Upper] = static_cast<unsigned char>(B);
    return Small;
  }();
  return Table;
}

bool HasCapitals(std::string_view Text) {
  return std::any_of(Text.begin(), Text.end(),
                     [](char C) { return SmallLetters()[static_cast<unsigned char>(C)] != static_cast<unsigned char>(C); });
}

}  // namespace

std::vector<std::string> Completions(TFunctionTable Functions, const TVariableList& Variables,
                                     std::string_view Utf8Beginning) {
  std::string Beginning;
  std::size_t Offset = 0;
  if (!Utf8ToCp1251(Utf8Beginning, Beginning, Offset)) return {};
  const bool Small = !HasCapitals(Beginning);
  std::vector<std::string> Found;  // code page 1251 until the end
  const auto Offer = [&](std::string_view Name, std::string_view After) {
    if (Name.size() < Beginning.size() || !SameTextCp1251(Name.substr(0, Beginning.size()), Beginning)) return;
    std::string Word(Name);
    if (!Name.starts_with(Beginning) && Small)
      for (char& C : Word) C = static_cast<char>(SmallLetters()[static_cast<unsigned char>(C)]);
    Word += After;
    Found.push_back(std::move(Word));
  };
  for (const TFunctionRow& Row : Functions) Offer(Row.Name, Row.ArgCount == 0 ? "" : "(");
  for (const TVariable& Variable : Variables) Offer(Variable.Name, "");
  for (std::string_view Word : {"ans", "quit", "exit"}) Offer(Word, "");
  std::sort(Found.begin(), Found.end(), [](const std::string& A, const std::string& B) {
    return std::lexicographical_compare(A.begin(), A.end(), B.begin(), B.end(), [](char X, char Y) {
      return UpperCp1251(static_cast<unsigned char>(X)) < UpperCp1251(static_cast<unsigned char>(Y));
    });
  });
  // ans is a variable as well once a result has a value.
  Found.erase(std::unique(Found.begin(), Found.end(), [](const std::string& A, const std::string& B) { return SameTextCp1251(A, B); }),
              Found.end());
  std::vector<std::string> Utf8;
  for (const std::string& Word : Found) Utf8.push_back(Cp1251ToUtf8(Word));
  return Utf8;
}

std::string SharedBeginning(const std::vector<std::string>& Completions) {
  if (Completions.empty()) return std::string();
  const auto Folded = [](char C) { return C >= 'A' && C <= 'Z' ? static_cast<char>(C + ('a' - 'A')) : C; };
  std::string Shared = Completions.front();
  for (const std::string& Word : Completions) {
    std::size_t N = 0;
    while (N < Shared.size() && N < Word.size() && Folded(Shared[N]) == Folded(Word[N])) ++N;
    Shared.resize(N);
  }
  // A UTF-8 sequence cut at the end goes.
  const auto Byte = [&Shared](std::size_t I) { return static_cast<unsigned char>(Shared[I]); };
  std::size_t Lead = Shared.size();
  while (Lead > 0 && (Byte(Lead - 1) & 0xC0) == 0x80) --Lead;
  if (Lead > 0) {
    const unsigned First = Byte(Lead - 1);
    const std::size_t Length = First >= 0xF0 ? 4 : First >= 0xE0 ? 3 : First >= 0xC0 ? 2 : 1;
    if (Shared.size() - (Lead - 1) < Length) Shared.resize(Lead - 1);
  }
  return Shared;
}

}  // namespace talvex::cli
