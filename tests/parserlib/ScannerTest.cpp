#include "ParserLib/Scanner.h"

#include <gtest/gtest.h>

#include <random>

#include "ParserLib/ParserException.h"

namespace talvex {
namespace {

TEST(Scanner, ScanTokenNeedsPrefixBodyAndSuffix) {
  struct Case { const char* Text; const char* Prefix; const char* Suffix; int Pos; const char* Body; int After; } const Cases[] = {
      {"101Z+1", "", "Z", 1, "101", 5},
      {"101+1", "", "Z", 1, "", 1},
      {"0X1F", "0X", "", 1, "1F", 5},
      {"0x1F", "0X", "", 1, "", 1},
      {"0X", "0X", "", 1, "", 1},
      {"&O17 ", "&O", " ", 1, "17", 6},
      {"&O17", "&O", " ", 1, "", 1},
      {"x$FF", "$", "", 2, "FF", 5},
      {"FF", "", "", 3, "", 3},
      {"FF", "", "", 9, "", 9},
  };
  TCharSet Digits;
  Digits.AddRange('0', '9');
  Digits.AddRange('A', 'F');
  for (const auto& C : Cases) {
    int Pos = C.Pos;
    EXPECT_EQ(ScanToken(C.Text, C.Prefix, C.Suffix, Digits, Pos), C.Body) << C.Text;
    EXPECT_EQ(Pos, C.After) << C.Text;
  }
}

TEST(Scanner, ReadIdentifierAndBlanks) {
  int Pos = 1;
  EXPECT_EQ(ReadIdentifier("  abc_1+", Pos), "abc_1");
  EXPECT_EQ(Pos, 8);
  Pos = 1;
  EXPECT_EQ(ReadIdentifier("_a", Pos), "");
  EXPECT_EQ(Pos, 1);
  Pos = 1;
  EXPECT_EQ(ReadIdentifier("\xC0\xE1\xE2" "9", Pos), "\xC0\xE1\xE2" "9");  // Cyrillic letters
  Pos = 1;
  EXPECT_EQ(ReadIdentifier("\xA8x", Pos), "");  // Ё is no identifier letter
  Pos = 1;
  EXPECT_THROW(ReadIdentifier(" \r\n", Pos), EParserException);
  Pos = 1;
  SkipBlanks(Pos, "\t1", false);
  EXPECT_EQ(Pos, 1);  // a tab is not a blank
}

TEST(Scanner, InStringAndAtEnd) {
  struct Case { const char* Text; int Pos; bool Inside; } const Cases[] = {
      {"\"a)\"", 3, true},
      {"\"a)\"", 4, true},
      {"\"a\")", 4, false},
      {"1+\")", 4, false},   // a quote that never closes opens nothing
      {"\")", 2, false},     // nor does a final quote
      {"\"a\"+\"b)\"", 7, true},
      {"x", 1, false},
  };
  for (const auto& C : Cases) EXPECT_EQ(InString(C.Text, C.Pos, '"'), C.Inside) << C.Text << " @" << C.Pos;
  EXPECT_FALSE(InString("'a)'", 3, '"'));
  EXPECT_TRUE(InString("'a)'", 3, '\''));
  EXPECT_TRUE(AtEnd("1  ", 2, '"', ';'));
  EXPECT_TRUE(AtEnd("1 ) ", 2, '"', ';'));
  EXPECT_TRUE(AtEnd("1 ;2", 2, '"', ';'));
  EXPECT_FALSE(AtEnd("1 ,2", 2, '"', ';'));
  EXPECT_TRUE(AtEnd("1 ,2", 2, '"', ','));
  EXPECT_FALSE(AtEnd("\";\"", 2, '"', ';'));
}

TEST(Scanner, QuoteMapAgreesWithInStringEverywhere) {
  std::mt19937 Random(42);
  const char Alphabet[] = "\"\"a;)(";
  for (int Round = 0; Round < 2000; ++Round) {
    std::string Text(Random() % 12, ' ');
    for (char& C : Text) C = Alphabet[Random() % 6];
    TQuoteMap Map;
    Map.Build(Text, '"');
    for (int Pos = 1; Pos <= static_cast<int>(Text.size()); ++Pos)
      ASSERT_EQ(Map.InString(Pos), InString(Text, Pos, '"')) << Text << " @" << Pos;
  }
}

}  // namespace
}  // namespace talvex
