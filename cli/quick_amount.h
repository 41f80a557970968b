// Quicker routes to what assessment/amount.h gives, for the amounts of a batch of
// millions: integer arithmetic on the bits of a double in place of decimal text. Each
// gives exactly what its reference gives; the tests hold them to it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "payroll/strict_amount.h"

namespace varnolix::cli {

// The most an amount below 2^53 in size takes: a sign, 16 digits, the point, 2 decimals.
inline constexpr std::size_t kQuickAmountChars = 20;
// Room for such a text and as many bytes again after it, so that a copy of a fixed
// kQuickAmountChars bytes may start at the text: a few moves instead of a call.
using QuickAmountRoom = std::array<char, 2 * kQuickAmountChars>;

// WriteAmount(value), written in `room`, for a magnitude below 2^53, as nearly every
// amount is; an empty view for the others.
std::string_view QuickAmountText(double value, QuickAmountRoom& room);

// AnnualEchoValue(monthly).
double QuickAnnualEchoValue(double monthly);

// payroll::ReadStrictAmount's value for the commonest cells: digits with at most one
// point and nothing else. False for any other cell, for the grammar to read.
inline bool ReadPlainAmount(std::string_view cell, double& value) {
  std::uint64_t mantissa = 0;  // wraps past 19 digits, which ExactDecimal refuses
  const char* p = cell.data();
  const char* const end = p + cell.size();
  for (; p != end && payroll::DigitValue(*p) < 10; ++p) mantissa = mantissa * 10 + payroll::DigitValue(*p);
  const char* const point = p;
  if (p != end) {
    if (*p != '.') return false;
    for (++p; p != end && payroll::DigitValue(*p) < 10; ++p) mantissa = mantissa * 10 + payroll::DigitValue(*p);
    if (p != end) return false;
  }
  const auto decimals = static_cast<std::size_t>(point == end ? 0 : end - point - 1);
  const std::size_t digits = static_cast<std::size_t>(point - cell.data()) + decimals;
  return digits > 0 && payroll::ExactDecimal(mantissa, digits, decimals, value);
}

}  // namespace varnolix::cli
