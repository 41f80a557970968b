// The strict reading of an amount cell: a number as a person writes it, or nothing.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "cli/ascii.h"

namespace varnolix::cli {

struct StrictAmount {
  bool ok = false;
  double value = 0;  // what ReadAmount reads from the bare text
  // What a person would type into the field: the digits and the point, with the
  // currency prefix, blanks and thousands separators taken out. Empty for a blank cell.
  std::string_view bare;
};

// Accepts blanks only, or an optional prefix "Rs", "Rs.", "INR" or "₹" (ASCII letters in
// any case) and a number: digits with at most one point, the whole part optionally
// grouped with commas in the Indian (12,34,567) or the international (1,234,567) way.
// Blanks (space, tab) may stand around the prefix and the number. "Rs." followed by a
// number is always the prefix with its point, so "Rs.500" is 500.
//
// `bare` points into `cell`, unless separators had to be taken out: then it holds the
// text put into `storage`.
StrictAmount ReadStrictAmount(std::string_view cell, std::string& storage);

// The value of decimal text with `digits` digits in all, `decimals` of them after the
// point, that make the integer `mantissa`; false when this way is not exact. While the
// mantissa is at most 2^53 and there are at most 19 digits, both it and 10^decimals are
// doubles exactly, so the one correctly rounded division is the correctly rounded value
// of the text, as ReadAmount gives.
inline bool ExactDecimal(std::uint64_t mantissa, std::size_t digits, std::size_t decimals, double& value) {
  static constexpr std::array<double, 20> kPowersOfTen{1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,
                                                       1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
  if (digits >= kPowersOfTen.size() || mantissa > (std::uint64_t{1} << 53)) return false;
  value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return true;
}

// The quick route for the commonest cells: digits with at most one point and nothing
// else. Gives the value ReadStrictAmount gives, or false for ReadStrictAmount to read it.
inline bool ReadPlainAmount(std::string_view cell, double& value) {
  std::uint64_t mantissa = 0;  // wraps past 19 digits, which ExactDecimal refuses
  const char* p = cell.data();
  const char* const end = p + cell.size();
  for (; p != end && DigitValue(*p) < 10; ++p) mantissa = mantissa * 10 + DigitValue(*p);
  const char* const point = p;
  if (p != end) {
    if (*p != '.') return false;
    for (++p; p != end && DigitValue(*p) < 10; ++p) mantissa = mantissa * 10 + DigitValue(*p);
    if (p != end) return false;
  }
  const auto decimals = static_cast<std::size_t>(point == end ? 0 : end - point - 1);
  const std::size_t digits = static_cast<std::size_t>(point - cell.data()) + decimals;
  return digits > 0 && ExactDecimal(mantissa, digits, decimals, value);
}

}  // namespace varnolix::cli
