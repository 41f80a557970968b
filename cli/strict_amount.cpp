#include "cli/strict_amount.h"

#include <array>
#include <cstdint>

#include "assessment/amount.h"

namespace varnolix::cli {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view lower) {
  if (text.size() < lower.size()) return false;
  for (size_t i = 0; i < lower.size(); ++i) {
    if (AsciiLower(text[i]) != lower[i]) return false;
  }
  return true;
}

size_t PrefixLength(std::string_view text) {
  if (text.starts_with("\xE2\x82\xB9")) return 3;  // ₹ in UTF-8
  if (StartsWithIgnoringAsciiCase(text, "inr")) return 3;
  if (StartsWithIgnoringAsciiCase(text, "rs.")) return 3;
  if (StartsWithIgnoringAsciiCase(text, "rs")) return 2;
  return 0;
}

// The commas of a whole part, group by group: Indian grouping is 1-2 digits, then pairs
// and a final three; international grouping 1-3 digits, then threes.
class Grouping {
 public:
  // A comma after a group of `size` digits; false when the group is empty.
  bool Comma(size_t size) {
    if (size == 0) return false;
    if (groups_++ == 0) {
      firstSize_ = size;
    } else {
      middlePairs_ = middlePairs_ && size == 2;
      middleThrees_ = middleThrees_ && size == 3;
    }
    return true;
  }
  // Whether a last group of `size` digits, after at least one comma, completes either grouping.
  bool Complete(size_t size) const {
    if (groups_ == 0 || size != 3) return false;
    return (firstSize_ <= 2 && middlePairs_) || (firstSize_ <= 3 && middleThrees_);
  }

 private:
  size_t groups_ = 0;  // commas so far
  size_t firstSize_ = 0;
  bool middlePairs_ = true;
  bool middleThrees_ = true;
};

bool IsGroupedWhole(std::string_view whole) {
  Grouping grouping;
  size_t size = 0;
  for (char c : whole) {
    if (c != ',') {
      ++size;
    } else if (!grouping.Comma(size)) {
      return false;
    } else {
      size = 0;
    }
  }
  return grouping.Complete(size);
}

// Digits with at most one point and nothing else, as most cells are.
bool IsPlainNumber(std::string_view text) {
  size_t points = 0;
  for (char c : text) {
    if (IsDigit(c)) continue;
    if (c != '.' || points++ > 0) return false;
  }
  return text.size() > points;
}

// Decimal digits gathered as ReadAmount's exact route reads the bare text they make: at
// most 19 digits make an integer M below 10^19, with k of them after the point; when
// M <= 2^53 both M and 10^k are doubles exactly, so their one correctly rounded quotient
// is the correctly rounded value.
class DecimalDigits {
 public:
  void Add(unsigned digit) {
    mantissa_ = mantissa_ * 10 + digit;  // wraps past 19 digits, which are then not exact
    ++digits_;
  }
  void AddDecimal(unsigned digit) {
    Add(digit);
    ++decimals_;
  }
  bool empty() const { return digits_ == 0; }
  bool Exact() const { return digits_ <= kMostDigits && mantissa_ <= kLargestExactInteger; }
  double Value() const {
    static constexpr std::array<double, kMostDigits + 1> kPowersOfTen{
        1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19};
    const auto whole = static_cast<double>(mantissa_);
    return decimals_ == 0 ? whole : whole / kPowersOfTen[decimals_];
  }

 private:
  static constexpr size_t kMostDigits = 19;
  static constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;
  std::uint64_t mantissa_ = 0;
  size_t digits_ = 0;
  size_t decimals_ = 0;
};

unsigned DigitValue(char c) { return static_cast<unsigned char>(c) - unsigned{'0'}; }

}  // namespace

// The grammar of ParseStrictAmount in one pass, gathering the digits as it goes.
StrictValue ReadStrictAmount(std::string_view cell, std::string& storage) {
  const size_t n = cell.size();
  size_t i = 0;
  while (i < n && IsBlank(cell[i])) ++i;
  if (i == n) return {true, 0.0};
  if (!IsDigit(cell[i]) && cell[i] != '.') {
    const size_t prefix = PrefixLength(cell.substr(i));
    if (prefix == 0) return {};
    i += prefix;
    while (i < n && IsBlank(cell[i])) ++i;
  }

  DecimalDigits number;
  Grouping grouping;
  size_t groupSize = 0;
  bool commas = false;
  for (; i < n; ++i) {
    if (const unsigned digit = DigitValue(cell[i]); digit < 10) {
      number.Add(digit);
      ++groupSize;
    } else if (cell[i] == ',' && grouping.Comma(groupSize)) {
      groupSize = 0;
      commas = true;
    } else {
      break;
    }
  }
  if (commas && !grouping.Complete(groupSize)) return {};
  if (i < n && cell[i] == '.') {
    for (++i; i < n && DigitValue(cell[i]) < 10; ++i) number.AddDecimal(DigitValue(cell[i]));
  }
  while (i < n && IsBlank(cell[i])) ++i;
  if (i != n || number.empty()) return {};
  if (number.Exact()) return {true, number.Value()};
  return {true, ReadAmount(ParseStrictAmount(cell, storage).bare)};  // too many digits for the exact route
}

StrictAmount ParseStrictAmount(std::string_view cell, std::string& storage) {
  if (IsPlainNumber(cell)) return {true, cell};
  std::string_view text = cell;
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return {true, {}};

  if (const size_t prefix = PrefixLength(text); prefix > 0) {
    text.remove_prefix(prefix);
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  }

  size_t i = 0;
  size_t digits = 0;
  bool commas = false;
  while (i < text.size() && (IsDigit(text[i]) || text[i] == ',')) {
    if (text[i] == ',') {
      commas = true;
    } else {
      ++digits;
    }
    ++i;
  }
  const std::string_view whole = text.substr(0, i);
  size_t fractionDigits = 0;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) {
      ++fractionDigits;
      ++i;
    }
  }
  if (i != text.size() || digits + fractionDigits == 0) return {};
  if (!commas) return {true, text};
  if (!IsGroupedWhole(whole)) return {};

  storage.clear();
  for (char c : whole) {
    if (c != ',') storage += c;
  }
  storage += text.substr(whole.size());
  return {true, storage};
}

}  // namespace varnolix::cli
