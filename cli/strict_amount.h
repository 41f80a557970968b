// The strict reading of an amount cell: a number as a person writes it, or nothing.
#pragma once

#include <string>
#include <string_view>

namespace varnolix::cli {

struct StrictAmount {
  bool ok = false;
  // What a person would type into the field: the digits and the point, with the
  // currency prefix, blanks and thousands separators taken out. Empty for a blank cell.
  std::string_view bare;
  // Digits before the point, counting leading zeros; a cheap bound on the magnitude.
  size_t integerDigits = 0;
};

// Accepts blanks only, or an optional prefix "Rs", "Rs.", "INR" or "₹" (ASCII letters in
// any case) and a number: digits with at most one point, the whole part optionally
// grouped with commas in the Indian (12,34,567) or the international (1,234,567) way.
// Blanks (space, tab) may stand around the prefix and the number. "Rs." followed by a
// number is always the prefix with its point, so "Rs.500" is 500.
//
// `bare` points into `cell`, unless separators had to be taken out: then it holds the
// text put into `storage`.
StrictAmount ParseStrictAmount(std::string_view cell, std::string& storage);

}  // namespace varnolix::cli
