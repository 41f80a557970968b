// The strict reading of an amount: a number as a clerk writes it on a payslip or in a
// spreadsheet, or nothing. The batch tool reads its cells this way, and the program reads
// a pasted amount this way.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "payroll/ascii.h"

namespace varnolix::payroll {

struct StrictAmount {
  bool ok = false;
  double value = 0;  // what ReadAmount reads from the bare text
  // What a person would type into the field: the digits and the point, with the
  // currency prefix, blanks and thousands separators taken out. Empty for a blank cell.
  std::string_view bare;
};

// Accepts blanks only, or an optional apostrophe (a spreadsheet's mark for text), an optional prefix "Rs", "Rs.", "INR" or "₹" (ASCII letters in
// any case) and a number: digits with at most one point, the whole part optionally
// grouped with commas in the Indian (12,34,567) or the international (1,234,567) way,
// and, on a number without a point, the ending "/-" of a whole-rupee amount ("45,000/-").
// Blanks (space, tab) may stand around the prefix, the number and the ending. "Rs."
// followed by a number is always the prefix with its point, so "Rs.500" is 500.
//
// `bare` points into `cell`, unless separators had to be taken out: then it holds the
// text put into `storage`.
StrictAmount ReadStrictAmount(std::string_view cell, std::string& storage);

// In a file from a decimal-comma locale (a semicolon-separated one), what a cell would be
// worth read with its points and commas swapped: "45.000" is 45000, "45,5" is 45.5. Nothing
// when the cell reads no way with them swapped.
std::optional<double> DecimalCommaValue(std::string_view cell);

// Why a cell of such a file cannot be taken: it reads differently in the two conventions
// ("45.000", "1,234"), or only with a decimal comma ("45,5", "1.234,56"). Nothing when it
// reads one way only, or the same both ways. `amount` is the cell's strict reading.
std::optional<std::string> DecimalDoubt(std::string_view cell, const StrictAmount& amount, long long line,
                                        std::string_view column);

// The plain number a person would type for `text` when the whole of it is a strict
// amount: "1,00,000" gives "100000", "₹ 12,000.50" gives "12000.50"; nothing for any
// other text, and for blanks alone.
std::optional<std::string> PlainAmount(std::string_view text);

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

}  // namespace varnolix::payroll
