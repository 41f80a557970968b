// Amount text: the lenient reading of the fields, the cents written, and the annual echo.
#include "assessment/amount.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <random>
#include <string>

namespace varnolix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLargest = std::numeric_limits<double>::max();

std::uint64_t Bits(double value) { return std::bit_cast<std::uint64_t>(value); }

std::string PrintfInC(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

TEST(ReadAmount, ReadsTheNumberAtTheFrontToTheLastBit) {
  const struct {
    std::string text;
    double expected;
  } cases[] = {
      {"", 0}, {"1500", 1500}, {"12.5", 12.5}, {"1.2.3", 1.2}, {".5", 0.5}, {"5.", 5}, {".", 0}, {"  \t\n42", 42},
      {"+7", 7}, {"-7.25", -7.25}, {"- 7", 0}, {"--7", 0}, {"-0.00", -0.0}, {"1e3", 1000}, {"1E-2", 0.01},
      {"2e", 2}, {"2e+", 2}, {"2ex", 2}, {"1,5", 1}, {"12abc", 12}, {"abc", 0},
      // No words and no hexadecimal, unlike strtod.
      {"inf", 0}, {"-infinity", 0}, {"nan", 0}, {"NaN(1)", 0}, {"0x1A", 0}, {"0x", 0},
      // Beyond the range of a double.
      {"1e999", kInf}, {"-1e400", -kInf}, {"1e-999", 0}, {"0.000001e-320", 0}, {"0.5e309", kInf},
      {"0e999999999999999999999", 0}, {"1e99999999999999999999999999", kInf}, {"4.9e-324", 4.9e-324},
      // Where the exact integer-and-power-of-ten route ends.
      {"9007199254740993", 9007199254740992.0}, {"9007199254740992.5", 9007199254740992.0}, {"0.1", 0.1},
      {"12345678901234567890", 12345678901234567890.0}, {"0.0000000000000000000001", 1e-22},
      {"0.00000000000000000000001", 1e-23},
      // Non-ASCII bytes end the number like any other character.
      {"12\xE2\x82\xB9", 12}, {"\xE2\x82\xB9 12", 0},
      {std::string(100000, '9'), kInf}, {"0." + std::string(100000, '0') + "1", 0},
      {std::string(100000, 'x'), 0}, {std::string(100000, ' ') + "3", 3},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(Bits(ReadAmount(text)), Bits(expected)) << "'" << text.substr(0, 40) << "'";
  }
}

// Every text reads as from_chars reads the number at its front: the grammar decides
// only where the number ends.
TEST(ReadAmount, AgreesWithFromCharsOnRandomTexts) {
  std::mt19937_64 random(20261207);
  auto digits = [&random](size_t count) {
    std::string text;
    while (count-- > 0) text += static_cast<char>('0' + random() % 10);
    return text;
  };
  // What follows the number: nothing, text that ends it, or an exponent that is part of it.
  const std::string endings[] = {"", "", "", "x", ".7", " 5", "e", "E+", "e5", "E-3", "e22"};
  for (int i = 0; i < 300000; ++i) {
    const size_t whole = random() % 22;
    const bool point = whole == 0 || random() % 3 != 0;
    std::string number = digits(whole);
    if (point) number += "." + digits(random() % 26 + (whole == 0 ? 1 : 0));
    const std::string& ending = endings[random() % std::size(endings)];
    const bool exponent = ending.size() > 1 && (ending[0] == 'e' || ending[0] == 'E') && ending.back() != '+';
    const std::string numeric = number + (exponent || (ending == ".7" && !point) ? ending : "");
    double expected = 0;
    std::from_chars(numeric.data(), numeric.data() + numeric.size(), expected);
    const bool negative = random() % 10 == 0;
    const std::string text = (negative ? "-" : "") + number + ending;
    ASSERT_EQ(Bits(ReadAmount(text)), Bits(negative ? -expected : expected)) << text;
  }
}

// Cents as C's "%.2f": exact binary ties go to even, near-ties follow the true value.
TEST(WriteAmount, RoundsToCentsAsTheCLibraryDoes) {
  const struct {
    double value;
    const char* text;
  } cases[] = {
      {0, "0.00"}, {1500, "1500.00"}, {0.001, "0.00"}, {-0.0, "-0.00"}, {-0.001, "-0.00"}, {-8800, "-8800.00"},
      {0.125, "0.12"}, {0.375, "0.38"}, {131072.125, "131072.12"}, {131072.375, "131072.38"}, {2.675, "2.67"},
      {0.005, "0.01"}, {19351.82421875, "19351.82"}, {148148.046875, "148148.05"},
      {9.0e16, "90000000000000000.00"}, {kInf, "inf"}, {-kInf, "-inf"}, {kNaN, "nan"},
  };
  for (const auto& [value, text] : cases) EXPECT_EQ(WriteAmount(value), text);

  // The C library is the reference, on every magnitude and many exact ties.
  std::mt19937_64 random(20261206);
  std::uniform_int_distribution<int> exponent(-12, 70);
  std::uniform_real_distribution<double> mantissa(1.0, 2.0);
  for (int i = 0; i < 200000; ++i) {
    double value = std::ldexp(mantissa(random), exponent(random));
    if (i % 3 == 0) value = std::nearbyint(value * 8) / 8;  // many exact ties
    if (i % 2 == 0) value = -value;
    ASSERT_EQ(WriteAmount(value), PrintfInC(value)) << "value " << value;
  }
  for (double value : {1e300, kLargest, -kLargest, std::numeric_limits<double>::denorm_min()}) {
    EXPECT_EQ(WriteAmount(value), PrintfInC(value));
  }
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
      {0.0, false, true},           {-0.0, false, true},         {-1.0, true, true},
      {-kInf, false, true},         {kNaN, true, true},          {kInf, false, true},
      {kInf, true, true},           {kLargest, true, true},      {kLargest, false, false},
      {kLargeMonthly, true, false}, {0.001, true, false},      {4.9e-324, false, false},
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
  } cases[] = {{"", "0.00", 0},       {"1", "12.00", 12},          {"1500", "18000.00", 18000},
               {"12345.67", "148148.04", 148148.04}, {"-250", "-3000.00", -3000}, {"abc", "0.00", 0},
               {"0.004", "0.05", 0.05}, {"1e999", "inf", kInf},  {"-1e999", "-inf", -kInf},
               {"1e308", "inf", kInf}};
  for (const auto& [monthly, annual, value] : cases) {
    EXPECT_EQ(AnnualEcho(monthly), annual) << monthly;
    EXPECT_EQ(AnnualEchoValue(ReadAmount(monthly)), value) << monthly;
    EXPECT_EQ(ReadAnnualEcho(annual), value) << annual;
  }
  // Only the echo's own words: typed "inf" is no number.
  EXPECT_EQ(ReadAmount("inf"), 0.0);
}

}  // namespace
}  // namespace varnolix
