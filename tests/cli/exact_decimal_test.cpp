#include "cli/exact_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace varnolix::cli {
namespace {

struct FloatCase {
  float value;
  std::string_view text;
};

void PrintTo(const FloatCase& c, std::ostream* os) { *os << c.text; }

class ExactFloatTest : public ::testing::TestWithParam<FloatCase> {};

TEST_P(ExactFloatTest, ShowsEveryDigit) {
  std::string text;
  AppendExact(text, GetParam().value);
  EXPECT_EQ(text, GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Values, ExactFloatTest,
    ::testing::Values(FloatCase{0.0f, "0"}, FloatCase{-0.0f, "-0"}, FloatCase{144000.0f, "144000"},
                      FloatCase{148148.046875f, "148148.046875"}, FloatCase{-14814.8046875f, "-14814.8046875"},
                      FloatCase{19351.82421875f, "19351.82421875"}, FloatCase{0.1f, "0.100000001490116119384765625"},
                      FloatCase{3.0e38f, "300000000549775575777803994281145270272"},
                      FloatCase{std::numeric_limits<float>::denorm_min(),
                                "0.00000000000000000000000000000000000000000000140129846432481707092372958328991613"
                                "128026194187651577175706828388979108268586060148663818836212158203125"},
                      FloatCase{std::numeric_limits<float>::infinity(), "inf"},
                      FloatCase{-std::numeric_limits<float>::infinity(), "-inf"}));

// Each text reads back as the float it came from, whatever its size.
TEST(ExactFloat, ReadsBackAsTheSameValue) {
  std::mt19937 random(7);
  std::uniform_int_distribution<std::uint32_t> bits;
  for (int i = 0; i < 20000; ++i) {
    const auto value = std::bit_cast<float>(bits(random));
    if (!std::isfinite(value)) continue;
    std::string text;
    AppendExact(text, value);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(back, double{value}) << text;
  }
}

TEST(RoundTripDouble, ShortWhenExactAndEnoughDigitsOtherwise) {
  const auto text = [](double value) {
    std::string t;
    AppendDouble(t, value);
    return t;
  };
  EXPECT_EQ(text(352100), "352100");
  EXPECT_EQ(text(148148.046875), "148148.046875");
  EXPECT_EQ(text(0.1 + 0.2), "0.30000000000000004");
  EXPECT_EQ(text((142962.84375 - 150000) * 0.3 + 18000), "15888.853125");
  EXPECT_EQ(text(-std::numeric_limits<double>::infinity()), "-inf");
}

}  // namespace
}  // namespace varnolix::cli
