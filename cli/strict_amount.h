// The strict reading of an amount cell: a number as a person writes it, or nothing.
#pragma once

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace varnolix::cli {

struct StrictAmount {
  bool ok = false;
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
StrictAmount ParseStrictAmount(std::string_view cell, std::string& storage);

struct StrictValue {
  bool ok = false;
  double value = 0;  // what ReadAmount reads from the bare text
};

// The same reading straight to the value: one pass over a cell of plain digits with at
// most one point, as most cells are; the others through their bare text in `storage`.
StrictValue ReadStrictAmount(std::string_view cell, std::string& storage);

namespace swar {

inline constexpr std::uint64_t kOnes = 0x0101010101010101ULL;
inline constexpr std::uint64_t kZeros = '0' * kOnes;

// Whether all eight bytes are ASCII digits: the lowest byte that is not sets a top bit
// in one of the two sums, which cannot carry into it from a digit below.
inline bool AllDigits(std::uint64_t text) {
  return (((text + 0x46 * kOnes) | (text - kZeros)) & (0x80 * kOnes)) == 0;
}

// The value of eight digits, the first in the lowest byte: pairs, then fours, then eights.
inline std::uint32_t EightDigitsValue(std::uint64_t text) {
  std::uint64_t lanes = text - kZeros;
  lanes = lanes * 10 + (lanes >> 8);
  lanes = (((lanes & 0x000000FF000000FFULL) * (100 + (1000000ULL << 32))) +
           (((lanes >> 16) & 0x000000FF000000FFULL) * (1 + (10000ULL << 32)))) >>
          32;
  return static_cast<std::uint32_t>(lanes);
}

}  // namespace swar

// The quick route for the commonest cells: empty, or up to eight characters of digits
// with at most one point. Gives what ReadStrictAmount gives, 0 for an empty cell, or false
// for any other cell. Reads the eight bytes at cell.data(), whatever the cell's size, so
// they must all be readable, as they are for a field of CsvReader.
inline bool ReadShortPlainAmount(std::string_view cell, double& value) {
  using swar::kOnes;
  using swar::kZeros;
  static constexpr std::array<double, 8> kPowersOfTen{1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7};
  if constexpr (std::endian::native != std::endian::little) return false;
  const size_t size = cell.size();
  if (size > 8) return false;
  std::uint64_t word = 0;
  std::memcpy(&word, cell.data(), 8);
  // The cell behind leading '0's, as eight characters with the same value.
  const size_t padding = 8 * (8 - size);
  const std::uint64_t shifted = word << (padding & 63);
  const std::uint64_t text = size == 0 ? kZeros : shifted | (kZeros & ((std::uint64_t{1} << (padding & 63)) - 1));

  if (swar::AllDigits(text)) {
    value = swar::EightDigitsValue(text);
    return true;
  }
  // The point, if any: its bytes, and its position counted from the first (8 for none).
  constexpr std::uint64_t kLow7 = 0x7F * kOnes;
  const std::uint64_t pointBytes = text ^ ('.' * kOnes);
  const std::uint64_t points = ~(((pointBytes & kLow7) + kLow7) | pointBytes | kLow7);
  const auto pointAt = static_cast<unsigned>(std::countr_zero(points)) / 8;
  // The digits before the point move up over it, behind one more '0'.
  const std::uint64_t upToPoint = (std::uint64_t{2} << ((8 * pointAt + 7) & 63)) - 1;
  const std::uint64_t digits = pointAt == 8 ? text : (text & ~upToPoint) | ((text << 8) & upToPoint) | '0';
  const bool onePoint = (points & (points - 1)) == 0;
  const bool someDigit = size > (pointAt == 8 ? 0u : 1u) || size == 0;
  if (!(swar::AllDigits(digits) && onePoint && someDigit)) return false;
  // At most 99999999, a double exactly, as is 10^decimals: one division rounds correctly.
  const double whole = swar::EightDigitsValue(digits);
  value = pointAt >= 7 ? whole : whole / kPowersOfTen[7 - pointAt];
  return true;
}

}  // namespace varnolix::cli
