// The working shows every digit of a single, and each text reads back as its value.
#include "cli/exact_decimal.h"

#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

namespace varnolix::cli {
namespace {

std::string Exact(float value) {
  std::string text;
  AppendExact(text, value);
  return text;
}

TEST(ExactFloat, ShowsEveryDigit) {
  EXPECT_EQ(Exact(0.0f), "0");
  EXPECT_EQ(Exact(-0.0f), "-0");
  EXPECT_EQ(Exact(-14814.8046875f), "-14814.8046875");
  EXPECT_EQ(Exact(0.1f), "0.100000001490116119384765625");
  EXPECT_EQ(Exact(3.0e38f), "300000000549775575777803994281145270272");
  EXPECT_EQ(Exact(std::numeric_limits<float>::denorm_min()),
            "0.00000000000000000000000000000000000000000000140129846432481707092372958328991613"
            "128026194187651577175706828388979108268586060148663818836212158203125");
  EXPECT_EQ(Exact(-std::numeric_limits<float>::infinity()), "-inf");

  std::mt19937 random(7);
  for (int i = 0; i < 20000; ++i) {
    const auto value = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    if (!std::isfinite(value)) continue;
    const std::string text = Exact(value);
    double back = 0;
    std::from_chars(text.data(), text.data() + text.size(), back);
    ASSERT_EQ(back, double{value}) << text;
  }
}

}  // namespace
}  // namespace varnolix::cli
