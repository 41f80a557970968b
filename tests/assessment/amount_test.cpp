#include "assessment/amount.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <ostream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace varnolix {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

struct ReadCase {
  std::string_view text;
  double expected;
};

void PrintTo(const ReadCase& c, std::ostream* os) { *os << "'" << c.text.substr(0, 40) << "'"; }

class ReadAmountTest : public ::testing::TestWithParam<ReadCase> {};

TEST_P(ReadAmountTest, ReadsTheNumberAtTheFront) {
  const ReadCase& c = GetParam();
  EXPECT_EQ(ReadAmount(c.text), c.expected) << "text: '" << c.text << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, ReadAmountTest,
    ::testing::Values(
        ReadCase{"", 0}, ReadCase{"1500", 1500}, ReadCase{"12.5", 12.5}, ReadCase{"1.2.3", 1.2},
        ReadCase{".5", 0.5}, ReadCase{"5.", 5}, ReadCase{".", 0}, ReadCase{"  \t\n42", 42},
        ReadCase{"+7", 7}, ReadCase{"-7.25", -7.25}, ReadCase{"- 7", 0}, ReadCase{"--7", 0},
        ReadCase{"1e3", 1000}, ReadCase{"1E-2", 0.01}, ReadCase{"2e", 2}, ReadCase{"2e+", 2},
        ReadCase{"2ex", 2}, ReadCase{"1,5", 1}, ReadCase{"12abc", 12}, ReadCase{"abc", 0},
        // No words and no hexadecimal, unlike strtod.
        ReadCase{"inf", 0}, ReadCase{"-infinity", 0}, ReadCase{"nan", 0}, ReadCase{"NaN(1)", 0},
        ReadCase{"0x1A", 0}, ReadCase{"0x", 0},
        // Beyond the range of a double.
        ReadCase{"1e999", kInf}, ReadCase{"-1e400", -kInf}, ReadCase{"1e-999", 0},
        ReadCase{"0.000001e-320", 0}, ReadCase{"0.5e309", kInf}, ReadCase{"0e999999999999999999999", 0},
        ReadCase{"1e99999999999999999999999999", kInf}, ReadCase{"4.9e-324", 4.9e-324},
        // Non-ASCII bytes end the number like any other character.
        ReadCase{"12\xE2\x82\xB9", 12}, ReadCase{"\xE2\x82\xB9 12", 0}));

TEST(ReadAmount, CopesWithAHundredThousandCharacters) {
  EXPECT_EQ(ReadAmount(std::string(100000, '9')), kInf);
  EXPECT_EQ(ReadAmount("0." + std::string(100000, '0') + "1"), 0);
  EXPECT_EQ(ReadAmount(std::string(100000, 'x')), 0);
  EXPECT_EQ(ReadAmount(std::string(100000, ' ') + "3"), 3);
}

// Short plain numbers take an exact integer-and-power-of-ten route; every text must
// still read as from_chars reads the number at its front, to the last bit.
TEST(ReadAmount, AgreesWithFromCharsOnRandomDecimalTexts) {
  std::mt19937_64 random(20261207);
  auto digits = [&random](size_t count, bool allowLeadingZero) {
    std::string text;
    for (size_t i = 0; i < count; ++i) {
      const auto digit = static_cast<char>('0' + random() % 10);
      text += (i == 0 && !allowLeadingZero && digit == '0') ? '1' : digit;
    }
    return text;
  };
  // Whatever follows the number: nothing, text that ends it, or an exponent that is part of it.
  const std::string_view endings[] = {"", "", "", "x", ".7", " 5", "e", "E+", "e5", "E-3", "e22"};
  for (int i = 0; i < 300000; ++i) {
    const size_t wholeDigits = random() % 22;
    const bool point = wholeDigits == 0 || random() % 3 != 0;
    const size_t decimals = point ? random() % 26 + (wholeDigits == 0 ? 1 : 0) : 0;
    std::string number = digits(wholeDigits, random() % 8 == 0);
    if (point) number += "." + digits(decimals, true);
    const std::string_view ending = endings[random() % std::size(endings)];
    const bool exponent = ending.size() > 1 && (ending[0] == 'e' || ending[0] == 'E') && ending.back() != '+';
    const std::string_view sign = random() % 10 == 0 ? "-" : "";

    const bool continuesTheNumber = exponent || (ending == ".7" && !point);
    const std::string numeric = number + (continuesTheNumber ? std::string(ending) : std::string());
    double expected = 0;
    const auto [end, error] = std::from_chars(numeric.data(), numeric.data() + numeric.size(), expected);
    ASSERT_TRUE(error == std::errc{} && end == numeric.data() + numeric.size()) << numeric;
    if (!sign.empty()) expected = -expected;

    const std::string text = std::string(sign) + number + std::string(ending);
    const double read = ReadAmount(text);
    ASSERT_EQ(std::bit_cast<std::uint64_t>(read), std::bit_cast<std::uint64_t>(expected))
        << "text '" << text << "' read " << read << ", from_chars " << expected;
  }
}

TEST(ReadAmount, ExactRouteLimits) {
  EXPECT_EQ(ReadAmount("9007199254740993"), 9007199254740992.0);  // 2^53 + 1, a tie to even
  EXPECT_EQ(ReadAmount("9007199254740992.5"), 9007199254740992.0);
  EXPECT_EQ(ReadAmount("0.1"), 0.1);
  EXPECT_EQ(ReadAmount("1234567890123456789"), 1234567890123456789.0);
  EXPECT_EQ(ReadAmount("12345678901234567890"), 12345678901234567890.0);
  EXPECT_EQ(ReadAmount("0.0000000000000000000001"), 1e-22);
  EXPECT_EQ(ReadAmount("0.00000000000000000000001"), 1e-23);
  EXPECT_TRUE(std::signbit(ReadAmount("-0.00")));
}

struct WriteCase {
  double value;
  std::string_view expected;
};

void PrintTo(const WriteCase& c, std::ostream* os) { *os << c.expected; }

class WriteAmountTest : public ::testing::TestWithParam<WriteCase> {};

TEST_P(WriteAmountTest, PrintsTwoDecimals) {
  EXPECT_EQ(WriteAmount(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Format, WriteAmountTest,
    ::testing::Values(WriteCase{0, "0.00"}, WriteCase{1500, "1500.00"}, WriteCase{0.001, "0.00"},
                      WriteCase{-0.0, "-0.00"}, WriteCase{-0.001, "-0.00"}, WriteCase{-8800, "-8800.00"},
                      // Exact binary ties go to even; near-ties follow the true value.
                      WriteCase{0.125, "0.12"}, WriteCase{0.375, "0.38"}, WriteCase{131072.125, "131072.12"},
                      WriteCase{131072.375, "131072.38"}, WriteCase{2.675, "2.67"}, WriteCase{0.005, "0.01"},
                      WriteCase{19351.82421875, "19351.82"}, WriteCase{148148.046875, "148148.05"},
                      WriteCase{9.0e16, "90000000000000000.00"}, WriteCase{kInf, "inf"},
                      WriteCase{-kInf, "-inf"}, WriteCase{std::numeric_limits<double>::quiet_NaN(), "nan"}));

std::string PrintfInC(double value) {
  char text[400];
  std::snprintf(text, sizeof text, "%.2f", value);
  return text;
}

// The fast path computes cents with integer arithmetic; the C library is the reference.
TEST(WriteAmount, AgreesWithTheCLibraryAcrossMagnitudes) {
  std::mt19937_64 random(20261206);
  std::uniform_int_distribution<int> exponent(-12, 70);
  std::uniform_real_distribution<double> mantissa(1.0, 2.0);
  for (int i = 0; i < 200000; ++i) {
    double value = std::ldexp(mantissa(random), exponent(random));
    if (i % 3 == 0) value = std::nearbyint(value * 8) / 8;  // many exact ties
    if (i % 2 == 0) value = -value;
    ASSERT_EQ(WriteAmount(value), PrintfInC(value)) << "value " << value;
  }
  for (double value : {1e300, -1e300, std::numeric_limits<double>::max(),
                       std::numeric_limits<double>::denorm_min(), 1.7976931348623157e308}) {
    EXPECT_EQ(WriteAmount(value), PrintfInC(value));
  }
}

TEST(WriteAmount, WritesInPlaceWithinTheLongestText) {
  constexpr double kLargest = std::numeric_limits<double>::max();
  for (double value : {-kLargest, kLargest, 0.0, -0.0, 123456.785, 99999999.99, -kInf, kInf,
                       std::numeric_limits<double>::quiet_NaN()}) {
    std::vector<char> buffer(kMaxAmountChars);
    char* end = WriteAmountTo(buffer.data(), value);
    EXPECT_LE(end - buffer.data(), static_cast<std::ptrdiff_t>(kMaxAmountChars));
    EXPECT_EQ(std::string(buffer.data(), end), PrintfInC(value));
  }
  EXPECT_EQ(WriteAmount(-kLargest).size(), kMaxAmountChars);
}

TEST(WriteAmount, AppendsAfterExistingText) {
  std::string text = "x=";
  AppendAmount(text, 2.5);
  EXPECT_EQ(text, "x=2.50");
}

TEST(ZeroOrNegative, OnlyAValueAboveZeroPasses) {
  for (double value : {0.0, -0.0, -1.0, -kInf, std::numeric_limits<double>::quiet_NaN()}) {
    EXPECT_TRUE(IsZeroOrNegative(value)) << value;
  }
  for (double value : {0.001, 4.9e-324, 1.0, kInf}) EXPECT_FALSE(IsZeroOrNegative(value)) << value;
  for (std::string_view text : {"", "0", "0.00", "-5", "abc", "nan", ".", "-0.001"}) {
    EXPECT_TRUE(IsZeroOrNegative(text)) << text;
  }
  EXPECT_FALSE(IsZeroOrNegative("0.001"));
}

TEST(ZeroOrNegative, MessageRunsTheLabelsTogether) {
  const std::vector<std::string_view> labels{"Rent PM, ", "HRA received PM, "};
  EXPECT_EQ(ZeroOrNegativeMessage(labels), "Rent PM, HRA received PM,  are zero or negative.");
  const std::vector<std::string_view> noBlank{"Allowences 2 PM,", "LTA Taxable annual, "};
  EXPECT_EQ(ZeroOrNegativeMessage(noBlank), "Allowences 2 PM,LTA Taxable annual,  are zero or negative.");
}

TEST(AnnualEcho, IsTwelveTimesTheMonthlyAmountInCents) {
  EXPECT_EQ(AnnualEcho(""), "0.00");
  EXPECT_EQ(AnnualEcho("1"), "12.00");
  EXPECT_EQ(AnnualEcho("1500"), "18000.00");
  EXPECT_EQ(AnnualEcho("12345.67"), "148148.04");
  EXPECT_EQ(AnnualEcho("-250"), "-3000.00");
  EXPECT_EQ(AnnualEcho("abc"), "0.00");
  EXPECT_EQ(AnnualEcho("1e999"), "inf");
}

// The echo read back without its text must be the text's reading to the last bit,
// for every magnitude, sign, tie and the non-finite, whose text reads as 0.
TEST(AnnualEcho, ValueIsWhatTheEchoTextReads) {
  auto viaText = [](double monthly) { return ReadAmount(WriteAmount(monthly * 12)); };
  auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  std::mt19937_64 random(20261211);
  std::uniform_int_distribution<int> exponent(-20, 75);
  std::uniform_real_distribution<double> mantissa(1.0, 2.0);
  for (int i = 0; i < 300000; ++i) {
    double monthly = std::ldexp(mantissa(random), exponent(random));
    if (i % 3 == 0) monthly = std::nearbyint(monthly * 800) / 800;  // many ties at the cent once times 12
    if (i % 5 == 0) monthly = std::nearbyint(monthly * 100) / 100;  // typed amounts
    if (i % 2 == 0) monthly = -monthly;
    ASSERT_EQ(bits(AnnualEchoValue(monthly)), bits(viaText(monthly))) << "monthly " << monthly;
  }
  constexpr double kLargest = std::numeric_limits<double>::max();
  for (double monthly : {0.0, -0.0, kInf, -kInf, std::numeric_limits<double>::quiet_NaN(), kLargest, -kLargest,
                         kLargest / 12, 9.0e16 / 12, 7.5e14, 7.5e14 + 0.125, 1e-300, 4.9e-324}) {
    EXPECT_EQ(bits(AnnualEchoValue(monthly)), bits(viaText(monthly))) << "monthly " << monthly;
  }
  for (std::string_view text : {"", "1500", "12345.67", "-250", "1e999", "-1e999", "abc"}) {
    EXPECT_EQ(bits(AnnualEchoValue(ReadAmount(text))), bits(ReadAmount(AnnualEcho(text)))) << text;
  }
}

}  // namespace
}  // namespace varnolix
