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
// The same, and how many bytes of `text` it read: the white space, the sign and the
// number; 0 when the text does not begin with a number.
double ReadAmount(std::string_view text, std::size_t& used);

// `value` as printf's "%.2f" prints it in the C locale: rounded to cents, ties to even
// on the exact binary value, "-" for negatives, "inf" and "nan" for the non-finite.
std::string WriteAmount(double value);

// The shortest text that reads back as the same double, without an exponent:
// 0.30000000000000004; "inf" and "nan" for the non-finite.
std::string ShortestDigits(double value);

// `number`, decimal text as WriteAmount or ShortestDigits writes it, with its whole part
// grouped the Indian way: 12,34,567.50 (the last three digits, then pairs). Text that is
// no such number comes back as it is.
std::string GroupIndian(std::string_view number);

// The longest text WriteAmount gives: a sign, the 309 whole digits of the largest double,
// the point and two decimals.
inline constexpr std::size_t kMaxAmountChars = 313;

// Anything not above 0, NaN included.
bool IsZeroOrNegative(double value);

// An amount too large to hold: infinite as read or, for a monthly salary, once times 12.
bool IsTooLargeToHold(double amount, bool monthly);

// The test that decides whether a field is worth a warning, and whether the basic salary
// keeps a person on the Income page: zero or negative, or too large to hold. An amount
// too large is named rather than assessed without a word.
bool IsZeroNegativeOrTooLarge(double amount, bool monthly);
bool IsZeroNegativeOrTooLarge(std::string_view amountText, bool monthly);

// "<labels> are zero or negative.". The labels carry their own separators.
std::string ZeroOrNegativeMessage(std::span<const std::string_view> labels);

// The annual echo of a monthly field: the amount times 12, written as above.
std::string AnnualEcho(std::string_view monthlyText);
// What an annual echo's text is worth: as ReadAmount, except that the "inf" and "-inf" of
// an echo too large to hold read as themselves, so such a salary is never taken as 0.
double ReadAnnualEcho(std::string_view echoText);
// What the annual echo of `monthly` reads as: ReadAnnualEcho(WriteAmount(monthly * 12)).
double AnnualEchoValue(double monthly);

}  // namespace varnolix
