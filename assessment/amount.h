// Amount text: how the text of an amount field turns into a number and back.
//
// Every page and the batch tool read and write amounts through these functions, so
// that a number means the same wherever it is typed and whatever the process locale.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace varnolix {

// Reads the longest prefix of `text` that is a decimal number: white space, an optional
// sign, digits with at most one point, an optional exponent. Text that does not begin
// with a number reads as 0; a value too large for a double reads as an infinity of its
// sign. There are no "inf", "nan" or hexadecimal forms. The locale is never consulted.
double ReadAmount(std::string_view text);

// `value` as printf's "%.2f" prints it in the C locale: rounded to cents, ties to even
// on the exact binary value, "-" for negatives, "inf" and "nan" for the non-finite.
std::string WriteAmount(double value);

// The longest text WriteAmount gives: a sign, the 309 whole digits of the largest double,
// the point and two decimals.
inline constexpr std::size_t kMaxAmountChars = 313;

// The test that decides whether a field is worth a warning: anything not above 0,
// NaN included.
bool IsZeroOrNegative(double value);
bool IsZeroOrNegative(std::string_view amountText);

// "<labels> are zero or negative.". The labels carry their own separators.
std::string ZeroOrNegativeMessage(std::span<const std::string_view> labels);

// The annual echo of a monthly field: the amount times 12, written as above.
std::string AnnualEcho(std::string_view monthlyText);
// What the annual echo of `monthly` reads as: ReadAmount(WriteAmount(monthly * 12)).
double AnnualEchoValue(double monthly);

}  // namespace varnolix
