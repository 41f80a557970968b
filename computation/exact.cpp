#include "computation/exact.h"

#include <algorithm>

#include "assessment/amount.h"

namespace varnolix {
namespace {

constexpr ExactUnits PowerOfTen(int n) {
  ExactUnits power = 1;
  for (int i = 0; i < n; ++i) power *= 10;
  return power;
}

// Room for one more operation on any value in range: a sum, or a product with a rule's
// small constant, never overflows before the check.
constexpr int kDigits = sizeof(ExactUnits) > 8 ? 36 : 17;
constexpr ExactUnits kLimit = PowerOfTen(kDigits);
// Entries with more decimals than this are rare and not worth the range they would take.
constexpr int kMostDecimals = 18;

ExactUnits Magnitude(ExactUnits units) { return units < 0 ? -units : units; }

bool InRange(ExactUnits units) { return Magnitude(units) <= kLimit; }

}  // namespace

Exact Exact::Written(double held) { return OfText(WriteAmount(held)); }

Exact Exact::OfText(std::string_view text) {
  const bool negative = text.starts_with('-');
  if (negative) text.remove_prefix(1);
  ExactUnits units = 0;
  int scale = 0;
  bool digits = false;
  bool point = false;
  for (char c : text) {
    if (c == '.' && !point) {
      point = true;
      continue;
    }
    if (c < '0' || c > '9') return {};
    digits = true;
    units = units * 10 + (c - '0');
    if (point) ++scale;
    if (!InRange(units) || scale > kMostDecimals) return {};
  }
  if (!digits) return {};
  return {negative ? -units : units, scale};
}

Exact Exact::Scaled(int scale) const {
  if (!m_known || scale - m_scale > kDigits) return {};
  const ExactUnits factor = PowerOfTen(scale - m_scale);
  if (Magnitude(m_units) > kLimit / factor) return {};
  return {m_units * factor, scale};
}

Exact operator+(const Exact& a, const Exact& b) {
  const int scale = std::max(a.m_scale, b.m_scale);
  const Exact x = a.Scaled(scale);
  const Exact y = b.Scaled(scale);
  if (!x.m_known || !y.m_known || !InRange(x.m_units + y.m_units)) return Exact();
  return {x.m_units + y.m_units, scale};
}

Exact operator-(const Exact& a, const Exact& b) {
  if (!b.m_known) return Exact();
  return a + Exact(-b.m_units, b.m_scale);
}

Exact operator*(const Exact& a, const Exact& b) {
  if (!a.m_known || !b.m_known || a.m_scale + b.m_scale > 2 * kMostDecimals) return Exact();
  if (b.m_units != 0 && Magnitude(a.m_units) > kLimit / Magnitude(b.m_units)) return Exact();
  return {a.m_units * b.m_units, a.m_scale + b.m_scale};
}

bool Below(const Exact& a, const Exact& b) {
  const int scale = std::max(a.m_scale, b.m_scale);
  const Exact x = a.Scaled(scale);
  const Exact y = b.Scaled(scale);
  return x.m_known && y.m_known && x.m_units < y.m_units;
}

Exact Min(const Exact& a, const Exact& b) {
  if (!a.m_known || !b.m_known) return Exact();
  return Below(b, a) ? b : a;
}

Exact Max(const Exact& a, const Exact& b) {
  if (!a.m_known || !b.m_known) return Exact();
  return Below(a, b) ? b : a;
}

bool Exact::DiffersFrom(double held) const {
  const int scale = std::max(m_scale, 3);  // fine enough to hold half a paisa
  const Exact written = Written(held).Scaled(scale);
  const Exact exact = Scaled(scale);
  if (!written.m_known || !exact.m_known) return false;
  const ExactUnits halfPaisa = 5 * PowerOfTen(scale - 3);
  return Magnitude(written.m_units - exact.m_units) > halfPaisa;
}

std::string Exact::Text() const {
  const Exact exact = Scaled(std::max(m_scale, 2));
  if (!exact.m_known) return {};
  const ExactUnits unit = PowerOfTen(exact.m_scale - 2);
  ExactUnits paise = exact.m_units / unit;
  const ExactUnits rest = exact.m_units % unit;
  if (2 * Magnitude(rest) >= unit) paise += exact.m_units < 0 ? -1 : 1;  // halves away from zero
  std::string digits;
  for (ExactUnits left = Magnitude(paise); left != 0 || digits.size() < 3; left /= 10) {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(left % 10)));
  }
  digits.insert(digits.end() - 2, '.');
  if (paise < 0) digits.insert(digits.begin(), '-');
  return GroupIndian(digits);
}

}  // namespace varnolix
