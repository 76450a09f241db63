#include "cli/Output.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace talvex::cli {
namespace {

TEST(Output, ControlCharactersBecomeVisible) {
  const struct {
    std::string Text;
    const char* Shown;
  } Cases[] = {
      {"\x1b]0;pwned\x07", "\\x1b]0;pwned\\x07"},
      {std::string("a\0b", 3), "a\\x00b"},
      {"\x1f \t~\x7f", "\\x1f \t~\\x7f"},
      {"\r\n", "\\x0d\\x0a"},
      // The C1 controls are two bytes in UTF-8; the letters around them stay.
      {"\xc2\x9b" "2J \xc2\x80\xc2\xa0\xd0\x96\xe2\x82\xac", "\\x9b2J \\x80\xc2\xa0\xd0\x96\xe2\x82\xac"},
      // Bytes that are no UTF-8 show as themselves: a lone C1 byte, a cut or
      // overlong sequence, a surrogate.
      {"\x9b" "A\xc2", "\\x9bA\\xc2"},
      {"\xc0\xaf\xe0\x80\x80", "\\xc0\\xaf\\xe0\\x80\\x80"},
      {"\xed\xa0\x80\xf0\x9f\x98\x80", "\\xed\\xa0\\x80\xf0\x9f\x98\x80"},
      {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80"},
  };
  for (const auto& C : Cases) EXPECT_EQ(VisibleControls(C.Text), C.Shown) << C.Shown;
}

// Escaped on a terminal only; a stream that refuses the text fails the
// write and its close.
TEST(Output, WritesAreCheckedAndEscapedOnATerminal) {
  for (const bool Terminal : {true, false}) {
    std::FILE* File = std::tmpfile();
    ASSERT_NE(File, nullptr);
    TOutput Out(File, Terminal);
    EXPECT_TRUE(Out.WriteLine("a\x1b"));
    EXPECT_TRUE(Out.WriteText("\x1b"));
    std::rewind(File);
    char Buffer[16] = {};
    const std::size_t Size = std::fread(Buffer, 1, sizeof Buffer, File);
    EXPECT_EQ(std::string(Buffer, Size), Terminal ? "a\\x1b\n\x1b" : "a\x1b\n\x1b");
    EXPECT_TRUE(Out.Close());
  }
  const std::string Path = ::testing::TempDir() + "talvex-output-test";
  std::FILE* Created = std::fopen(Path.c_str(), "w");
  ASSERT_NE(Created, nullptr);
  std::fclose(Created);
  TOutput ReadOnly(std::fopen(Path.c_str(), "r"), false);
  EXPECT_FALSE(ReadOnly.WriteLine("2"));
  EXPECT_TRUE(ReadOnly.Failed());
  EXPECT_FALSE(ReadOnly.Reason().empty());
  EXPECT_FALSE(ReadOnly.Close());
  std::remove(Path.c_str());
}

}  // namespace
}  // namespace talvex::cli
