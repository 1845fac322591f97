#include "core/text.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cfloat>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <limits>
#include <string>

namespace morvath {
namespace {

TEST(Val, ReadsTheNumberAtTheStartOfTheText) {
  EXPECT_EQ(Val("100"), 100);
  EXPECT_EQ(Val("  42abc"), 42);
  EXPECT_EQ(Val("-7"), -7);
  EXPECT_EQ(Val("+3"), 3);
  EXPECT_EQ(Val("2.5 points"), 2.5);
  EXPECT_EQ(Val(".5"), 0.5);
  EXPECT_EQ(Val("1e3"), 1000);
  EXPECT_EQ(Val("1e"), 1);  // an exponent needs digits
  EXPECT_EQ(Val("3-4"), 3);
  EXPECT_EQ(Val("1.2.3"), 1.2);
}

TEST(Val, TextWithoutANumberIsZero) {
  EXPECT_EQ(Val(""), 0);
  EXPECT_EQ(Val("   "), 0);
  EXPECT_EQ(Val("abc"), 0);
  EXPECT_EQ(Val("NaN"), 0);
  EXPECT_EQ(Val("-"), 0);
  EXPECT_EQ(Val("."), 0);
  EXPECT_EQ(Val("0x10"), 0);
  EXPECT_EQ(Val("\xE2\x82\xAC"
                "5"),
            0);  // a euro sign before the digit
}

TEST(Val, HugeNumbersStayFinite) {
  EXPECT_EQ(Val("1e308"), 1e308);
  EXPECT_EQ(Val("1e999"), DBL_MAX);
  EXPECT_EQ(Val("-1e999"), -DBL_MAX);
  EXPECT_EQ(Val(std::string(10000, '9')), DBL_MAX);
}

TEST(Str, WritesTheShortestText) {
  EXPECT_EQ(Str(100), "100");
  EXPECT_EQ(Str(2.5), "2.5");
  EXPECT_EQ(Str(-5), "-5");
  EXPECT_EQ(Str(0), "0");
  EXPECT_EQ(Str(-0.0), "0");
  EXPECT_EQ(Str(25.25), "25.25");
  EXPECT_EQ(Str(100000000), "100000000");
  EXPECT_EQ(Str(200000000 + 10000), "200010000");
  EXPECT_EQ(Str(0.1 + 0.2), "0.3");  // at most 15 significant digits
  EXPECT_EQ(Str(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(Str(123456789012345.0), "123456789012345");
}

TEST(Str, LargeAndOddNumbersReadBackEqual) {
  for (double n : {1e15, 1e16, 1.5e300, -2.5e-7, 1e308}) EXPECT_EQ(Val(Str(n)), n) << Str(n);
  EXPECT_EQ(Str(std::numeric_limits<double>::quiet_NaN()), "0");
  EXPECT_EQ(Val(Str(std::numeric_limits<double>::infinity())), DBL_MAX);
}

// Switches the numbers of the process to a decimal comma, as a German or French desktop does,
// and back to the "C" locale at the end. A machine without such a locale gets one made with
// localedef in a folder of its own; ok() is false when that cannot be done either.
class CommaLocale {
 public:
  CommaLocale() {
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8"})
      if (Use(name)) return;
    folder_ =
        std::filesystem::temp_directory_path() / ("morvath-comma-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
    std::ofstream(folder_ / "comma.src") << "LC_NUMERIC\ndecimal_point \",\"\nthousands_sep \".\"\n"
                                            "grouping 3;3\nEND LC_NUMERIC\n";
    const std::string make = "localedef -c -i '" + (folder_ / "comma.src").string() +
                             "' -f UTF-8 '" + (folder_ / "comma").string() + "' >/dev/null 2>&1";
    if (std::system(make.c_str()) != -1) {
      ::setenv("LOCPATH", folder_.c_str(), 1);
      Use("comma");
    }
  }
  ~CommaLocale() {
    std::setlocale(LC_NUMERIC, "C");
    if (!folder_.empty()) {
      ::unsetenv("LOCPATH");
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
    }
  }
  bool ok() const { return ok_; }

 private:
  bool Use(const char* name) {
    ok_ = std::setlocale(LC_NUMERIC, name) && std::string(std::localeconv()->decimal_point) == ",";
    if (!ok_) std::setlocale(LC_NUMERIC, "C");
    return ok_;
  }
  std::filesystem::path folder_;
  bool ok_ = false;
};

TEST(Val, AndStrKeepTheDecimalPointUnderALocaleWithADecimalComma) {
  CommaLocale comma;
  if (!comma.ok()) GTEST_SKIP() << "no locale with a decimal comma can be had on this machine";
  EXPECT_EQ(Val("2.5"), 2.5);
  EXPECT_EQ(Val("12345.5 gold"), 12345.5);
  EXPECT_EQ(Val("1.5E+300"), 1.5e300);
  EXPECT_EQ(Val("2,5"), 2);  // a comma ends the number, as it always did
  EXPECT_EQ(Str(25.25), "25.25");
  EXPECT_EQ(Str(0.1 + 0.2), "0.3");
  EXPECT_EQ(Str(1.5e300), "1.5E+300");
  EXPECT_EQ(Val(Str(1.0 / 3.0)), Val("0.333333333333333"));
}

TEST(IsNumber, AcceptsOnlyAWholeNumber) {
  EXPECT_TRUE(IsNumber("12"));
  EXPECT_TRUE(IsNumber(" 12 "));
  EXPECT_TRUE(IsNumber("-1.5"));
  EXPECT_FALSE(IsNumber(""));
  EXPECT_FALSE(IsNumber("12a"));
  EXPECT_FALSE(IsNumber("abc"));
}

}  // namespace
}  // namespace morvath
