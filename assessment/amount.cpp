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
  if (wholeDigits + decimals == 0 || mantissa > (std::uint64_t{1} << 53) || decimals >= kPowersOfTen.size()) return false;
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

void AppendAmount(std::string& out, double value) {
  std::uint64_t cents = 0;
  if (ExactCents(std::fabs(value), cents)) {
    // Written backwards, two digits at a time: the cents, the point, the whole rupees.
    std::array<char, 24> text{};  // a sign, 19 digits and the point
    char* const end = text.data() + text.size();
    char* p = end - 2;
    std::memcpy(p, &kTwoDigits[2 * (cents % 100)], 2);
    *--p = '.';
    std::uint64_t whole = cents / 100;
    while (whole >= 100) {
      p -= 2;
      std::memcpy(p, &kTwoDigits[2 * (whole % 100)], 2);
      whole /= 100;
    }
    if (whole >= 10) {
      p -= 2;
      std::memcpy(p, &kTwoDigits[2 * whole], 2);
    } else {
      *--p = static_cast<char>('0' + whole);
    }
    if (std::signbit(value)) *--p = '-';
    out.append(p, end);
    return;
  }
  // Large and non-finite values. 330 places hold the widest double printed with two
  // decimals; to_chars would report rather than overflow in any case.
  std::array<char, 330> buffer{};
  const auto [end, error] =
      std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed, 2);
  if (error != std::errc{}) {
    out += "nan";
    return;
  }
  out.append(buffer.data(), end);
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

}  // namespace varnolix
