#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "ParserFunctions/FunctionTable.h"

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

  int Functions = 0;
  for (const TFunctionRow& Row : BuiltinFunctions()) {
    ++Functions;
    const std::string Name = Row.Name;
    const bool Found = Text.find("\n.B " + Name + "\n") != std::string::npos ||
                       Text.find("\n.BI " + Name + "(") != std::string::npos;
    EXPECT_TRUE(Found) << Name;
  }
  EXPECT_EQ(Functions, 96);
}

}  // namespace
}  // namespace talvex
