// Amount text must mean the same under a locale whose decimal mark is a comma, as the
// desktop program runs with the user's locale set.
#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>

#include "assessment/amount.h"
#include "assessment/assessment.h"
#include "assessment/working.h"

namespace varnolix {
namespace {

TEST(CommaDecimalLocale, ChangesNoAmountAndNoCent) {
  struct BackToC {
    ~BackToC() { std::setlocale(LC_ALL, "C"); }
  } backToC;
  for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "fr_FR.UTF-8", "fr_FR.utf8", "de_DE"}) {
    if (std::setlocale(LC_ALL, name) != nullptr) break;
  }
  char probe[16];
  std::snprintf(probe, sizeof probe, "%.1f", 1.5);
  ASSERT_STREQ(probe, "1,5") << "no comma-decimal locale; the build compiles one with localedef "
                                "(Debian package 'locales') and the tests read it through LOCPATH";

  EXPECT_EQ(ReadAmount("1.5"), 1.5);
  EXPECT_EQ(ReadAmount("1.5e0"), 1.5);
  EXPECT_EQ(ReadAmount("1,5"), 1.0);
  EXPECT_EQ(WriteAmount(1234.5), "1234.50");
  EXPECT_EQ(WriteAmount(1e20), "100000000000000000000.00");
  EXPECT_EQ(AnnualEcho("12345.67"), "148148.04");
  AssessmentInput input;
  input.amounts[Field::kBasic] = AnnualEchoValue(ReadAmount("12345.67"));
  const PerResult<std::string> texts = ResultTextsOf(Assess(input));
  EXPECT_EQ(texts[Result::kGrossSalary], "148148.05");
  EXPECT_EQ(texts[Result::kTaxPayable], "19351.82");
  EXPECT_EQ(ExactDigits(148148.046875f), "148148.046875");
}

}  // namespace
}  // namespace varnolix
