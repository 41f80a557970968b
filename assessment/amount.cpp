#include "assessment/amount.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace varnolix {
namespace {

// As C's isspace in the C locale.
bool IsWhiteSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Counts stop here, far beyond any double's exponent, so that a million digits or an
// exponent of a hundred digits cannot overflow them.
constexpr long long kCountLimit = 1'000'000'000'000LL;

long long Clamped(long long count) { return std::clamp(count, -kCountLimit, kCountLimit); }

// The number at the front of a text.
struct Number {
  bool negative = false;
  std::string_view text;  // digits, point and exponent, without the sign
  // The power of ten of the first significant digit, roughly: above 0 when the value is
  // at least 1. It tells an overflow from an underflow.
  long long magnitude = 0;
};

bool MatchNumber(std::string_view text, Number& number) {
  size_t i = 0;
  const size_t n = text.size();
  while (i < n && IsWhiteSpace(text[i])) ++i;
  if (i < n && (text[i] == '+' || text[i] == '-')) number.negative = text[i++] == '-';
  const size_t start = i;

  long long wholeDigits = 0;  // from the first that is not 0
  long long leadingZeros = 0;  // after the point, before any other digit
  bool significant = false;
  size_t digits = 0;
  for (; i < n && IsDigit(text[i]); ++i, ++digits) {
    significant = significant || text[i] != '0';
    if (significant) wholeDigits = Clamped(wholeDigits + 1);
  }
  if (i < n && text[i] == '.') {
    for (++i; i < n && IsDigit(text[i]); ++i, ++digits) {
      significant = significant || text[i] != '0';
      if (!significant) leadingZeros = Clamped(leadingZeros + 1);
    }
  }
  if (digits == 0) return false;

  long long exponent = 0;
  if (i < n && (text[i] == 'e' || text[i] == 'E')) {
    size_t j = i + 1;
    const bool negative = j < n && text[j] == '-';
    if (j < n && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < n && IsDigit(text[j])) {
      for (; j < n && IsDigit(text[j]); ++j) exponent = Clamped(exponent * 10 + (text[j] - '0'));
      if (negative) exponent = -exponent;
      i = j;
    }
  }
  number.text = text.substr(start, i - start);
  number.magnitude = Clamped((wholeDigits > 0 ? wholeDigits : -leadingZeros) + exponent);
  return true;
}

}  // namespace

double ReadAmount(std::string_view text) {
  size_t used = 0;
  return ReadAmount(text, used);
}

double ReadAmount(std::string_view text, size_t& used) {
  Number number;
  used = 0;
  if (!MatchNumber(text, number)) return 0.0;
  used = static_cast<size_t>(number.text.data() + number.text.size() - text.data());
  double value = 0.0;
  const char* const last = number.text.data() + number.text.size();
  const auto [end, error] = std::from_chars(number.text.data(), last, value, std::chars_format::general);
  if (error == std::errc::result_out_of_range) {
    value = number.magnitude > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (error != std::errc{} || end != last) {
    return 0.0;  // cannot happen for a matched number; be safe rather than wrong
  }
  return number.negative ? -value : value;
}

std::string WriteAmount(double value) {
  std::array<char, kMaxAmountChars> text;
  const auto [end, error] = std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 2);
  return error == std::errc{} ? std::string(text.data(), end) : std::string();
}

std::string ShortestDigits(double value) {
  std::array<char, 400> text{};  // the widest: 309 digits before the point, or 326 after it with the sign
  const auto [end, error] = std::isfinite(value)
                                ? std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed)
                                : std::to_chars(text.data(), text.data() + text.size(), value, std::chars_format::fixed, 0);
  return error == std::errc{} ? std::string(text.data(), end) : std::string();
}

bool IsZeroOrNegative(double value) { return !(value > 0.0); }

bool IsTooLargeToHold(double amount, bool monthly) {
  return std::isinf(amount) || (monthly && std::isinf(amount * 12));
}

bool IsZeroNegativeOrTooLarge(double amount, bool monthly) {
  return IsZeroOrNegative(amount) || IsTooLargeToHold(amount, monthly);
}

bool IsZeroNegativeOrTooLarge(std::string_view amountText, bool monthly) {
  return IsZeroNegativeOrTooLarge(ReadAmount(amountText), monthly);
}

std::string ZeroOrNegativeMessage(std::span<const std::string_view> labels) {
  std::string message;
  for (std::string_view label : labels) message += label;
  message += " are zero or negative.";
  return message;
}

std::string GroupIndian(std::string_view number) {
  const size_t sign = number.starts_with('-') ? 1 : 0;
  const size_t whole = std::min(number.find('.'), number.size());
  if (whole <= sign || !std::all_of(number.begin() + static_cast<std::ptrdiff_t>(sign),
                                    number.begin() + static_cast<std::ptrdiff_t>(whole), IsDigit)) {
    return std::string(number);
  }
  std::string grouped(number.substr(0, sign));
  for (size_t i = sign; i < whole; ++i) {
    const size_t left = whole - i;  // digits from here to the point
    if (i > sign && (left == 3 || (left > 3 && (left - 3) % 2 == 0))) grouped += ',';
    grouped += number[i];
  }
  grouped += number.substr(whole);
  return grouped;
}

std::string AnnualEcho(std::string_view monthlyText) { return WriteAmount(ReadAmount(monthlyText) * 12); }

double ReadAnnualEcho(std::string_view echoText) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  if (echoText == "inf") return kInfinity;
  if (echoText == "-inf") return -kInfinity;
  return ReadAmount(echoText);
}

double AnnualEchoValue(double monthly) { return ReadAnnualEcho(WriteAmount(monthly * 12)); }

}  // namespace varnolix
