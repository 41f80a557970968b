// Quicker routes to what assessment/amount.h gives, for the amounts of a batch of
// millions: integer arithmetic on the bits of a double in place of decimal text. Each
// gives exactly what its reference gives; the tests hold them to it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

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

}  // namespace varnolix::cli
