// Amount text: the lenient reading of the fields, the cents written, and the annual echo,
// the same under a locale whose decimal mark is a comma, as the desktop program runs
// with the user's locale set.
#include "assessment/amount.h"

#include <gtest/gtest.h>

#include <bit>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <string>

#include "assessment/assessment.h"

namespace varnolix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

TEST(ReadAmount, ReadsTheNumberAtTheFrontToTheLastBit) {
  const struct {
    std::string text;
    double expected;
  } cases[] = {
      {"", 0}, {"1500", 1500}, {"1.2.3", 1.2}, {".5", 0.5}, {".", 0}, {"  \t\n42", 42}, {"+7", 7},
      {"-7.25", -7.25}, {"- 7", 0}, {"-0.00", -0.0}, {"1E-2", 0.01}, {"2e+", 2}, {"1,5", 1}, {"12abc", 12},
      // No words and no hexadecimal, unlike strtod.
      {"inf", 0}, {"-infinity", 0}, {"nan", 0}, {"NaN(1)", 0}, {"0x1A", 0}, {"0x", 0},
      // Beyond the range of a double.
      {"1e999", kInf}, {"-1e400", -kInf}, {"1e-999", 0}, {"0.5e309", kInf}, {"0e999999999999999999999", 0},
      {"1e99999999999999999999999999", kInf}, {"12\xE2\x82\xB9", 12}, {"\xE2\x82\xB9 12", 0},
      {std::string(100000, '9'), kInf}, {"0." + std::string(100000, '0') + "1", 0},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(Bits(ReadAmount(text)), Bits(expected)) << "'" << text.substr(0, 40) << "'";
  }
}

// Cents as C's "%.2f": exact binary ties go to even, near-ties follow the true value;
// amount_fuzz holds every other double to the C library.
TEST(WriteAmount, RoundsToCentsAsTheCLibraryDoes) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0.00"}, {-0.0, "-0.00"}, {-0.001, "-0.00"}, {0.125, "0.12"}, {0.375, "0.38"}, {131072.125, "131072.12"},
      {2.675, "2.67"}, {0.005, "0.01"}, {9.0e16, "90000000000000000.00"}, {kInf, "inf"}, {-kInf, "-inf"},
      {kNaN, "nan"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(WriteAmount(value), text);
  EXPECT_EQ(WriteAmount(-kLargest).size(), kMaxAmountChars);
}

// What a leaving check names: not above 0, or too large to hold as read or, for a
// monthly salary, as its annual echo.
TEST(ZeroNegativeOrTooLarge, OnlyAFiniteValueAboveZeroPasses) {
  constexpr double kLargeMonthly = kLargest / 16;  // twelve times it still holds
  const struct {
    double amount;
    bool monthly;
    bool named;
  } cases[] = {
      {-0.0, false, true},     {-kInf, false, true},           {kNaN, true, true},   {kInf, false, true},
      {kLargest, true, true}, {kLargest, false, false},       {kLargeMonthly, true, false}, {0.001, true, false},
  };
  for (const auto& [amount, monthly, named] : cases) {
    EXPECT_EQ(IsZeroNegativeOrTooLarge(amount, monthly), named) << amount << (monthly ? " monthly" : "");
  }
  EXPECT_TRUE(IsZeroNegativeOrTooLarge("1e999", false));
  EXPECT_TRUE(IsZeroNegativeOrTooLarge("1e308", true));
  EXPECT_FALSE(IsZeroNegativeOrTooLarge("1e308", false));
  EXPECT_TRUE(IsZeroNegativeOrTooLarge("nan", false)) << "no number: 0";
}

// The echo is twelve times the monthly amount, in cents; text that does not begin with
// a number reads back as 0, and an echo too large to hold as the infinity it shows.
TEST(AnnualEcho, IsTwelveTimesTheMonthlyAmountInCents) {
  const struct {
    const char* monthly;
    const char* annual;
    double value;
  } cases[] = {{"", "0.00", 0},           {"12345.67", "148148.04", 148148.04}, {"-250", "-3000.00", -3000},
               {"abc", "0.00", 0},        {"0.004", "0.05", 0.05},             {"-1e999", "-inf", -kInf},
               {"1e308", "inf", kInf}};
  for (const auto& [monthly, annual, value] : cases) {
    EXPECT_EQ(AnnualEcho(monthly), annual) << monthly;
    EXPECT_EQ(AnnualEchoValue(ReadAmount(monthly)), value) << monthly;
    EXPECT_EQ(ReadAnnualEcho(annual), value) << annual;
  }
  // Only the echo's own words: typed "inf" is no number.
  EXPECT_EQ(ReadAmount("inf"), 0.0);
}

// Amounts as a taxpayer reads them on the computation sheet: only the grouping changes.
TEST(GroupIndian, GroupsTheWholePartTheIndianWay) {
  const std::pair<const char*, const char*> cases[] = {
      {"0.00", "0.00"},           {"999.50", "999.50"},         {"1000", "1,000"},
      {"120000.00", "1,20,000.00"}, {"-12345678.5", "-1,23,45,678.5"}, {"inf", "inf"}, {"-nan", "-nan"}};
  for (const auto& [number, grouped] : cases) EXPECT_EQ(GroupIndian(number), grouped) << number;
}

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

  EXPECT_EQ(ReadAmount("1.5e0"), 1.5);
  EXPECT_EQ(ReadAmount("1,5"), 1.0);
  EXPECT_EQ(AnnualEcho("12345.67"), "148148.04");
  AssessmentInput input;
  input.amounts[Field::kBasic] = AnnualEchoValue(ReadAmount("12345.67"));
  const PerResult<std::string> texts = ResultTextsOf(Assess(input));
  EXPECT_EQ(texts[Result::kGrossSalary], "148148.05");
  EXPECT_EQ(texts[Result::kTaxPayable], "19351.82");
}

}  // namespace
}  // namespace varnolix
