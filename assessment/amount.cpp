#include "assessment/amount.h"

#include <algorithm>
#include <array>
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

namespace varnolix {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number at the front of a text, split where the conversion needs it.
struct NumberPrefix {
  bool negative = false;
  std::string_view unsignedPart;  // digits, point and exponent, without the sign
  // Where the first significant digit sits relative to the point, plus the exponent:
  // positive means the value is at least 1. Used only to tell overflow from underflow.
  long long magnitude = 0;
};

// Far beyond any double's exponent; counts stop growing here, so a text of a
// million digits or an exponent of a hundred digits cannot overflow them.
constexpr long long kMagnitudeLimit = 1'000'000'000'000LL;

long long AddSaturated(long long a, long long b) {
  const long long sum = a + b;
  return sum > kMagnitudeLimit ? kMagnitudeLimit : (sum < -kMagnitudeLimit ? -kMagnitudeLimit : sum);
}

bool MatchNumber(std::string_view text, NumberPrefix& out) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsBlank(text[i])) ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) {
    out.negative = text[i] == '-';
    ++i;
  }
  const size_t start = i;
  long long integerDigits = 0;
  long long leadingFractionZeros = 0;
  bool seenNonZero = false;
  bool anyDigit = false;
  while (i < n && IsDigit(text[i])) {
    if (text[i] != '0') seenNonZero = true;
    if (seenNonZero) integerDigits = AddSaturated(integerDigits, 1);
    anyDigit = true;
    ++i;
  }
  if (i < n && text[i] == '.') {
    ++i;
    while (i < n && IsDigit(text[i])) {
      if (!seenNonZero) {
        if (text[i] == '0') {
          leadingFractionZeros = AddSaturated(leadingFractionZeros, 1);
        } else {
          seenNonZero = true;
        }
      }
      anyDigit = true;
      ++i;
    }
  }
  if (!anyDigit) return false;
  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    bool negativeExponent = false;
    if (j < n && (text[j] == '+' || text[j] == '-')) {
      negativeExponent = text[j] == '-';
      ++j;
    }
    if (j < n && IsDigit(text[j])) {
      while (j < n && IsDigit(text[j])) {
        if (exponent < kMagnitudeLimit) exponent = exponent * 10 + (text[j] - '0');
        ++j;
      }
      if (negativeExponent) exponent = -exponent;
      i = j;
    }
  }
  out.unsignedPart = text.substr(start, i - start);
  out.magnitude = AddSaturated(integerDigits > 0 ? integerDigits : -leadingFractionZeros, exponent);
  return true;
}

// "00" to "99", for writing two digits at once.
constexpr std::array<char, 200> kTwoDigits = [] {
  std::array<char, 200> digits{};
  for (int i = 0; i < 100; ++i) {
    digits[static_cast<size_t>(2 * i)] = static_cast<char>('0' + i / 10);
    digits[static_cast<size_t>(2 * i + 1)] = static_cast<char>('0' + i % 10);
  }
  return digits;
}();

// Writes |value| rounded to cents as an integer count of cents, when that is exact.
// A double is m·2^e with m below 2^53, so m·100 fits 64 bits and the remainder decides
// the rounding exactly, ties to even, just as the C library does.
bool ExactCents(double magnitude, std::uint64_t& cents) {
  if (!(magnitude < 9.0e16)) return false;
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  // Most amounts, from 2^-8 up to 2^52: m·2^-shift with 1 <= shift <= 60. Adding just
  // under half a unit, and one more when the whole part is odd, rounds half to even.
  if (biasedExponent >= 1015 && biasedExponent <= 1074) {
    const int shift = 1075 - biasedExponent;
    const std::uint64_t scaled = (mantissa | (std::uint64_t{1} << 52)) * 100;  // below 2^60
    const std::uint64_t halfLess = (std::uint64_t{1} << (shift - 1)) - 1;
    cents = (scaled + halfLess + ((scaled >> shift) & 1)) >> shift;
    return true;
  }
  int exponent = 0;
  if (biasedExponent == 0) {
    exponent = -1074;
  } else {
    mantissa |= std::uint64_t{1} << 52;
    exponent = biasedExponent - 1075;
  }
  const std::uint64_t scaled = mantissa * 100;  // below 2^60
  if (exponent >= 0) {
    cents = scaled << exponent;  // magnitude < 9e16 keeps this below 2^63
    return true;
  }
  const int shift = -exponent;
  if (shift >= 61) {
    cents = 0;  // scaled < 2^60 is less than half a unit
    return true;
  }
  const std::uint64_t whole = scaled >> shift;
  const std::uint64_t remainder = scaled & ((std::uint64_t{1} << shift) - 1);
  const std::uint64_t half = std::uint64_t{1} << (shift - 1);
  cents = whole + ((remainder > half || (remainder == half && (whole & 1))) ? 1 : 0);
  return true;
}

// Every integer up to 2^53 is a double exactly.
constexpr std::uint64_t kLargestExactInteger = std::uint64_t{1} << 53;

// The number of decimal digits of `value`, at least 1.
int DecimalDigits(std::uint64_t value) {
  static constexpr std::array<std::uint64_t, 20> kPowers = [] {
    std::array<std::uint64_t, 20> powers{};
    std::uint64_t power = 1;
    for (std::uint64_t& p : powers) {
      p = power;
      power *= 10;
    }
    return powers;
  }();
  // 1233/4096 is just above log10(2): a first guess from the bit length, one short at most.
  const std::uint64_t nonZero = value | 1;  // 0 has one digit; no other count changes
  const int guess = (static_cast<int>(std::bit_width(nonZero)) * 1233) >> 12;
  return guess + (nonZero >= kPowers[static_cast<size_t>(guess)] ? 1 : 0);
}

// The eight decimal digits of `value`, below 10^8, as text in a word whose first byte in
// memory is the most significant digit: halves of four digits, then pairs, then single
// digits, each step dividing every lane at once by a multiplication that is exact there.
std::uint64_t EightDigits(std::uint32_t value) {
  const std::uint64_t fours = (value / 10000) | (std::uint64_t{value % 10000} << 32);
  const std::uint64_t hundreds = ((fours * 10486) >> 20) & 0x0000007F0000007FULL;  // x / 100 for x < 10^4
  const std::uint64_t pairs = hundreds | ((fours - hundreds * 100) << 16);
  const std::uint64_t tens = ((pairs * 103) >> 10) & 0x000F000F000F000FULL;  // x / 10 for x < 100
  const std::uint64_t digits = tens | ((pairs - tens * 10) << 8);
  return digits | 0x3030303030303030ULL;
}

// Writes `digits`, text from EightDigits, without its leading zeros but keeping `kept`
// digits at least; returns the end. Stores a whole word, which may run past the end.
char* WriteWithoutLeadingZeros(char* out, std::uint64_t digits, int kept) {
  const std::uint64_t values = digits & 0x0F0F0F0F0F0F0F0FULL;
  const int zeros = std::min(values == 0 ? 8 : std::countr_zero(values) / 8, 8 - kept);
  const std::uint64_t shifted = digits >> (8 * zeros);
  std::memcpy(out, &shifted, 8);
  return out + (8 - zeros);
}

// Writes the last eight digits of a count of cents, `digits` from EightDigits, as whole
// rupees, the point and two decimals, keeping at least `kept` whole digits; returns the
// end. Stores whole words, which may run past the end.
char* WriteLastEightDigits(char* out, std::uint64_t digits, int kept) {
  char* const point = WriteWithoutLeadingZeros(out, digits, kept + 2) - 2;
  *point = '.';
  const auto decimals = static_cast<std::uint16_t>(digits >> 48);
  std::memcpy(point + 1, &decimals, 2);
  return point + 3;
}

// Writes a count of cents below 10^16 as rupees, the point and two decimals.
char* WriteCentsByWords(char* out, std::uint64_t cents) {
  constexpr std::uint64_t kEightDigits = 100'000'000;
  if (cents < kEightDigits) return WriteLastEightDigits(out, EightDigits(static_cast<std::uint32_t>(cents)), 1);
  out = WriteWithoutLeadingZeros(out, EightDigits(static_cast<std::uint32_t>(cents / kEightDigits)), 1);
  return WriteLastEightDigits(out, EightDigits(static_cast<std::uint32_t>(cents % kEightDigits)), 6);
}

// Writes a count of cents as rupees, the point and two decimals; returns the end. Needs
// room for sixteen bytes, however short the text.
char* WriteCents(char* out, std::uint64_t cents) {
  if constexpr (std::endian::native == std::endian::little) {
    if (cents < 10'000'000'000'000'000ULL) return WriteCentsByWords(out, cents);
  }
  std::uint64_t whole = cents / 100;
  char* const point = out + DecimalDigits(whole);
  std::memcpy(point + 1, &kTwoDigits[2 * (cents % 100)], 2);
  *point = '.';
  char* p = point;
  while (whole >= 100) {
    p -= 2;
    std::memcpy(p, &kTwoDigits[2 * (whole % 100)], 2);
    whole /= 100;
  }
  if (whole >= 10) {
    std::memcpy(p - 2, &kTwoDigits[2 * whole], 2);
  } else {
    p[-1] = static_cast<char>('0' + whole);
  }
  return point + 3;
}

// Plain decimal text of at most 19 digits, nothing before it: the digits as an integer M
// and the number of decimals k. When M <= 2^53 and k <= 22 both M and 10^k are doubles
// exactly, so the one correctly rounded division gives the correctly rounded value, just
// as from_chars does. Anything else is left to the general route.
bool ReadPlainDecimal(std::string_view text, double& value) {
  static constexpr std::array<double, 23> kPowersOfTen{
      1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
      1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  constexpr size_t kMostDigits = 19;  // 10^19 - 1 fits 64 bits
  auto digitAt = [text](size_t i) { return static_cast<unsigned>(static_cast<unsigned char>(text[i]) - '0'); };
  const size_t n = text.size();
  std::uint64_t mantissa = 0;
  size_t i = 0;
  for (const size_t last = std::min(n, kMostDigits); i < last && digitAt(i) < 10; ++i) mantissa = mantissa * 10 + digitAt(i);
  const size_t wholeDigits = i;
  size_t decimals = 0;
  if (i < n && text[i] == '.') {
    const size_t first = ++i;
    for (const size_t last = std::min(n, first + kMostDigits - wholeDigits); i < last && digitAt(i) < 10; ++i) {
      mantissa = mantissa * 10 + digitAt(i);
    }
    decimals = i - first;
  }
  // More digits than fit, or an exponent: the general route.
  if (i < n && (digitAt(i) < 10 || text[i] == 'e' || text[i] == 'E')) return false;
  if (wholeDigits + decimals == 0 || mantissa > kLargestExactInteger || decimals >= kPowersOfTen.size()) return false;
  value = static_cast<double>(mantissa) / kPowersOfTen[decimals];
  return true;
}

}  // namespace

double ReadAmount(std::string_view text) {
  if (text.empty()) return 0.0;  // most optional fields
  if (double plain = 0; ReadPlainDecimal(text, plain)) return plain;
  NumberPrefix number;
  if (!MatchNumber(text, number)) return 0.0;
  double value = 0.0;
  const char* first = number.unsignedPart.data();
  const char* last = first + number.unsignedPart.size();
  const auto [end, error] = std::from_chars(first, last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    value = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc{} || end != last) {
    return 0.0;  // cannot happen for a matched number; be safe rather than wrong
  }
  return number.negative ? -value : value;
}

char* WriteAmountTo(char* out, double value) {
  if (std::uint64_t cents = 0; ExactCents(std::fabs(value), cents)) {
    if (std::signbit(value)) *out++ = '-';
    return WriteCents(out, cents);
  }
  // Large and non-finite values; to_chars would report rather than overflow in any case.
  const auto [end, error] = std::to_chars(out, out + kMaxAmountChars, value, std::chars_format::fixed, 2);
  if (error != std::errc{}) {
    std::memcpy(out, "nan", 3);
    return out + 3;
  }
  return end;
}

void AppendAmount(std::string& out, double value) {
  std::array<char, kMaxAmountChars> text;
  out.append(text.data(), WriteAmountTo(text.data(), value));
}

std::string WriteAmount(double value) {
  std::string text;
  AppendAmount(text, value);
  return text;
}

bool IsZeroOrNegative(double value) { return !(value > 0.0); }

bool IsZeroOrNegative(std::string_view amountText) { return IsZeroOrNegative(ReadAmount(amountText)); }

std::string ZeroOrNegativeMessage(std::span<const std::string_view> labels) {
  std::string message;
  for (std::string_view label : labels) message += label;
  message += " are zero or negative.";
  return message;
}

std::string AnnualEcho(std::string_view monthlyText) { return WriteAmount(ReadAmount(monthlyText) * 12); }

double AnnualEchoValue(double monthly) {
  const double annual = monthly * 12;
  // Up to 2^53 cents the echo "W.CC" reads back as cents / 100: both exact, one correctly
  // rounded division, as the exact route of ReadAmount (and from_chars for a negative) gives.
  if (std::uint64_t cents = 0; ExactCents(std::fabs(annual), cents) && cents <= kLargestExactInteger) {
    const double magnitude = static_cast<double>(cents) / 100;
    return std::signbit(annual) ? -magnitude : magnitude;
  }
  if (!std::isfinite(annual)) return 0.0;  // "inf", "-inf" and "nan" begin with no number
  std::array<char, kMaxAmountChars> text;
  return ReadAmount(std::string_view(text.data(), static_cast<size_t>(WriteAmountTo(text.data(), annual) - text.data())));
}

}  // namespace varnolix
