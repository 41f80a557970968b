// Every number of the tax rules, in one place, to be held against the rules by eye.
// The assessment, the field table and the working all take their numbers from here.
#pragma once

#include <array>
#include <limits>
#include <string_view>

namespace varnolix::rules {

// --- Salary figures -------------------------------------------------------------

inline constexpr double kMonthsPerYear = 12;
// A tenth of the basic salary is taken with the single-precision constant nearest to
// one tenth, widened to double; half the basic salary exactly.
inline constexpr double kOneTenth = double{0.1f};
inline constexpr double kHalf = 0.5;

// --- Standard deduction ---------------------------------------------------------

// The tier of a gross salary (single) is the first whose limit it does not exceed.
struct Tier {
  float upTo;
  double amount;
  std::string_view text;  // as the Standard Deduction page shows it
};
inline constexpr std::array<Tier, 3> kTiers{{
    {100000, 25000, "25000"},
    {500000, 20000, "20000"},
    {std::numeric_limits<float>::infinity(), 0, "0"},
}};

// --- The factor -----------------------------------------------------------------

// A gross salary (single) above the threshold brings the factor, twice: on the income
// base before any deduction, and on the tax after the Section 88 amount.
inline constexpr float kFactorThreshold = 60000;
inline constexpr double kFactor = 1.1;

// --- Section 80 -----------------------------------------------------------------

// The most each amount counts for; 80L has no cap. A value equal to its cap is kept.
inline constexpr double kCap80D = 15000;
inline constexpr double kCap80E = 25000;
inline constexpr double kCap80CCC = 10000;
inline constexpr double kCap80DD = 40000;
inline constexpr double kCap80DDB = 40000;

// --- Slab tax -------------------------------------------------------------------

// A line of the slab: (taxable amount - from) x rate + base. The slab tax is the
// greater of the two lines.
struct SlabLine {
  double from;
  double rate;
  double base;
};
inline constexpr SlabLine kLowerLine{60000, 0.2, 1000};
inline constexpr SlabLine kUpperLine{150000, 0.3, 18000};

constexpr double LineAt(const SlabLine& line, double taxableAmount) {
  return (taxableAmount - line.from) * line.rate + line.base;
}

// --- Section 88 -----------------------------------------------------------------

// The first five amounts count up to the first cap; with the infrastructure bond, the
// total counts up to the second. The amount is taken off the tax, at no rate.
inline constexpr double kSection88FirstFiveCap = 60000;
inline constexpr double kSection88TotalCap = 70000;

}  // namespace varnolix::rules
