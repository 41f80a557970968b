// Quicker routes to what assessment/amount.h gives, for the amounts of a batch of
// millions: integer arithmetic on the bits of a double in place of decimal text. Each
// gives exactly what its reference gives; the tests hold them to it.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace varnolix::cli {

// Room for the text of an amount below 2^53 in size: a sign, 16 digits, point, 2 decimals.
using QuickAmountRoom = std::array<char, 24>;

// WriteAmount(value), written in `room`, for a magnitude below 2^53, as nearly every
// amount is; an empty view for the others.
std::string_view QuickAmountText(double value, QuickAmountRoom& room);

// AnnualEchoValue(monthly).
double QuickAnnualEchoValue(double monthly);

}  // namespace varnolix::cli
