#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ParserFunctions/FunctionTable.h"
#include "ParserLib/FormatSettings.h"
#include "parser/CalcParser.h"

namespace talvex {
namespace {

// Every function of the table has an entry of its own in the manual page: a
// line ".B Name" or one starting ".BI Name(" (bold name, italic arguments).
TEST(Manual, HasAnEntryForEveryFunctionOfTheTable) {
  std::ifstream File(TALVEX_MANUAL);
  ASSERT_TRUE(File) << TALVEX_MANUAL;
  std::stringstream Manual;
  Manual << File.rdbuf();
  const std::string Text = Manual.str();

  FormatSettings() = EnglishFormatSettings();
  TCalcParser Parser{BuiltinFunctions()};
  Parser.InitOperators();
  int Functions = 0;
  for (const auto& Op : Parser.Operators) {
    if (!dynamic_cast<const TFunction*>(Op.get())) continue;
    ++Functions;
    const bool Found = Text.find("\n.B " + Op->Name + "\n") != std::string::npos ||
                       Text.find("\n.BI " + Op->Name + "(") != std::string::npos;
    EXPECT_TRUE(Found) << Op->Name;
  }
  EXPECT_EQ(Functions, 96);
}

}  // namespace
}  // namespace talvex
