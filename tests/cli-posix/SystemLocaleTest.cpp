#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "edge/LocaleTable.h"
#include "edge/SystemLocale.h"

// glibc's newlocale keeps the folder list of LOCPATH it splits, unreferenced;
// only this test sets LOCPATH.
extern "C" const char* __lsan_default_suppressions() { return "leak:__argz_add_sep\n"; }

namespace talvex::cli {
namespace {

// Every row of the built-in table is generated with Debian's locales package
// into the build's own folder, and the C library's facts must equal the row.
TEST(SystemLocales, BuiltInTableAgreesWithTheCLibrary) {
  std::string Command = std::string(TALVEX_GENERATE_LOCALES) + " " + TALVEX_LOCALE_DIR;
  for (const TBuiltInLocale& Row : BuiltInLocales()) Command += " " + Row.Name + ".UTF-8";
  Command += " ru_RU.KOI8-R";
  ASSERT_EQ(std::system(Command.c_str()), 0) << Command;
  ASSERT_EQ(setenv("LOCPATH", TALVEX_LOCALE_DIR, 1), 0);
  for (const TBuiltInLocale& Row : BuiltInLocales()) {
    TLocaleFacts Facts;
    ASSERT_TRUE(TSystemLocales().Read(Row.Name + ".UTF-8", Facts)) << Row.Name;
    EXPECT_EQ(Facts.Decimal, Row.Facts.Decimal) << Row.Name;
    EXPECT_EQ(Facts.Thousands, Row.Facts.Thousands) << Row.Name;
    EXPECT_EQ(Facts.DateFormat, Row.Facts.DateFormat) << Row.Name;
    EXPECT_EQ(Facts.TimeFormat, Row.Facts.TimeFormat) << Row.Name;
    EXPECT_EQ(Facts.TimeFormatAmPm, Row.Facts.TimeFormatAmPm) << Row.Name;
    EXPECT_EQ(Facts.Am, Row.Facts.Am) << Row.Name;
    EXPECT_EQ(Facts.Pm, Row.Facts.Pm) << Row.Name;
  }
  // A locale of another codeset is read as UTF-8: KOI8-R's byte 0x9A is the no-break space.
  TLocaleFacts Facts;
  ASSERT_TRUE(TSystemLocales().Read("ru_RU.KOI8-R", Facts));
  EXPECT_EQ(Facts.Thousands, "\u00A0");
  EXPECT_FALSE(TSystemLocales().Read("xx_YY.UTF-8", Facts));
}

}  // namespace
}  // namespace talvex::cli
