#include "cli/exact_decimal.h"

#include <array>
#include <charconv>
#include <cmath>

namespace varnolix::cli {
namespace {

// How many binary places the value has after the point; that many decimal places show
// it exactly, since 2^-k has exactly k decimal places.
int FractionalBits(double value) {
  if (value == 0) return 0;
  int exponent = 0;
  const double mantissa = std::frexp(std::fabs(value), &exponent);  // value = m·2^e, 0.5 <= m < 1
  auto bits = static_cast<unsigned long long>(std::ldexp(mantissa, 53));
  exponent -= 53;
  while (bits != 0 && (bits & 1) == 0) {
    bits >>= 1;
    ++exponent;
  }
  return exponent < 0 ? -exponent : 0;
}

void AppendFixed(std::string& out, double value, int places) {
  std::array<char, 1200> text{};  // the widest exact double: 309 digits before, 1074 after
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, places);
  if (error == std::errc{}) out.append(text.data(), end);
}

}  // namespace

void AppendExact(std::string& out, float value) {
  const double widened = value;
  if (!std::isfinite(widened)) {
    AppendFixed(out, widened, 0);
    return;
  }
  AppendFixed(out, widened, FractionalBits(widened));
}

void AppendDouble(std::string& out, double value) {
  if (!std::isfinite(value)) {
    AppendFixed(out, value, 0);
    return;
  }
  std::array<char, 400> text{};
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed);
  if (error == std::errc{}) out.append(text.data(), end);
}

}  // namespace varnolix::cli
