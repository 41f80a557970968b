// The quick amount routes give, to the last bit, what the reference gives, on millions
// of values of every magnitude and sign, with many exact ties at the half cent.
#include "cli/quick_amount.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "assessment/amount.h"

namespace varnolix::cli {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kLargest = std::numeric_limits<double>::max();

// Amounts of every size a field may hold, often typed to the cent or a tie once times 12.
class RandomAmounts {
 public:
  explicit RandomAmounts(std::uint64_t seed) : m_random(seed) {}
  double Next() {
    const auto i = m_count++;
    double value = std::ldexp(m_mantissa(m_random), m_exponent(m_random));
    if (i % 3 == 0) value = std::nearbyint(value * 800) / 800;  // ties at the cent, also times 12
    if (i % 5 == 0) value = std::nearbyint(value * 100) / 100;  // typed to the cent
    return i % 2 == 0 ? -value : value;
  }

 private:
  std::mt19937_64 m_random;
  std::uniform_int_distribution<int> m_exponent{-20, 75};
  std::uniform_real_distribution<double> m_mantissa{1.0, 2.0};
  std::uint64_t m_count = 0;
};

const double kEdges[] = {0.0, -0.0, 0.005, 0.015, 0.125, 131072.125, 9007199254740991.0, 9007199254740992.0,
                         9.0e15 / 12, 7.5e14 + 0.125, kLargest / 12, kLargest, -kLargest, 1e-300, 4.9e-324,
                         kInf, -kInf, std::numeric_limits<double>::quiet_NaN()};

TEST(QuickAmountText, IsWhatWriteAmountWrites) {
  QuickAmountRoom room;
  for (double value : kEdges) {
    const std::string_view quick = QuickAmountText(value, room);
    if (!quick.empty()) {
      EXPECT_EQ(quick, WriteAmount(value)) << value;
    }
  }
  EXPECT_EQ(QuickAmountText(kInf, room), "");
  RandomAmounts amounts(20261206);
  for (int i = 0; i < 2'000'000; ++i) {
    const double value = amounts.Next();
    const std::string_view quick = QuickAmountText(value, room);
    ASSERT_EQ(quick.empty(), !(std::fabs(value) < 9007199254740992.0)) << value;
    if (!quick.empty()) {
      ASSERT_EQ(quick, WriteAmount(value)) << value;
    }
  }
}

TEST(QuickAnnualEchoValue, IsWhatTheEchoReadsAs) {
  auto bits = [](double value) { return std::bit_cast<std::uint64_t>(value); };
  for (double monthly : kEdges) {
    EXPECT_EQ(bits(QuickAnnualEchoValue(monthly)), bits(AnnualEchoValue(monthly))) << monthly;
  }
  RandomAmounts amounts(20261211);
  for (int i = 0; i < 2'000'000; ++i) {
    const double monthly = amounts.Next();
    ASSERT_EQ(bits(QuickAnnualEchoValue(monthly)), bits(AnnualEchoValue(monthly))) << monthly;
  }
}

}  // namespace
}  // namespace varnolix::cli
