#include "cli/quick_amount.h"

#include <bit>
#include <cstring>
#include <cmath>
#include <cstdint>

#include "assessment/amount.h"

namespace varnolix::cli {
namespace {

constexpr double kTwoTo53 = 9007199254740992.0;

// `magnitude` in whole cents, rounded as printf rounds it: to nearest on the exact binary
// value, ties to even. A double is m·2^-s with m below 2^53, so m·100 fits 64 bits and
// the bits shifted out decide the rounding exactly. False from 2^53 up, and for NaN.
bool WholeCents(double magnitude, std::uint64_t& cents) {
  if (!(magnitude < kTwoTo53)) return false;
  const auto bits = std::bit_cast<std::uint64_t>(magnitude);
  const auto biasedExponent = static_cast<int>(bits >> 52);
  std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
  int shift = 1074;  // magnitude = mantissa / 2^shift
  if (biasedExponent != 0) {
    mantissa |= std::uint64_t{1} << 52;
    shift = 1075 - biasedExponent;  // at least 0 below 2^53
  }
  const std::uint64_t scaled = mantissa * 100;  // below 2^60
  if (shift == 0) {
    cents = scaled;
  } else if (shift > 60) {
    cents = 0;  // below half a cent
  } else {
    const std::uint64_t whole = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    cents = whole + ((rest > half || (rest == half && (whole & 1) != 0)) ? 1 : 0);
  }
  return true;
}

// "00" to "99".
constexpr std::array<char, 200> kDigitPairs = [] {
  std::array<char, 200> pairs{};
  for (size_t i = 0; i < 100; ++i) {
    pairs[2 * i] = static_cast<char>('0' + i / 10);
    pairs[2 * i + 1] = static_cast<char>('0' + i % 10);
  }
  return pairs;
}();

// Writes the two digits of `pair`, below 100, just before `p`.
char* PutPair(char* p, std::uint64_t pair) {
  p -= 2;
  std::memcpy(p, &kDigitPairs[2 * pair], 2);
  return p;
}

}  // namespace

std::string_view QuickAmountText(double value, QuickAmountRoom& room) {
  std::uint64_t cents = 0;
  if (!WholeCents(std::fabs(value), cents)) return {};
  char* const end = room.data() + kQuickAmountChars;
  char* p = PutPair(end, cents % 100);
  *--p = '.';
  std::uint64_t whole = cents / 100;
  for (; whole >= 100; whole /= 100) p = PutPair(p, whole % 100);
  if (whole >= 10) {
    p = PutPair(p, whole);
  } else {
    *--p = static_cast<char>('0' + whole);
  }
  if (std::signbit(value)) *--p = '-';
  return {p, static_cast<size_t>(end - p)};
}

double QuickAnnualEchoValue(double monthly) {
  const double annual = monthly * 12;
  // Up to 2^53 cents the echo "W.CC" reads back as cents / 100: both exact, and one
  // correctly rounded division, just as reading the text rounds.
  std::uint64_t cents = 0;
  if (WholeCents(std::fabs(annual), cents) && cents <= static_cast<std::uint64_t>(kTwoTo53)) {
    const double magnitude = static_cast<double>(cents) / 100;
    return std::signbit(annual) ? -magnitude : magnitude;
  }
  return AnnualEchoValue(monthly);
}

}  // namespace varnolix::cli
