#include "payroll/strict_amount.h"

#include <algorithm>

#include "assessment/amount.h"
#include "payroll/messages.h"

namespace varnolix::payroll {
namespace {

size_t PrefixLength(std::string_view text) {
  if (text.starts_with("\xE2\x82\xB9")) return 3;  // ₹ in UTF-8
  if (StartsWithIgnoringCase(text, "inr") || StartsWithIgnoringCase(text, "rs.")) return 3;
  if (StartsWithIgnoringCase(text, "rs")) return 2;
  return 0;
}

// The commas of a whole part, group by group: Indian grouping is 1-2 digits, then pairs
// and a final three; international grouping 1-3 digits, then threes.
class Grouping {
 public:
  // A comma after a group of `size` digits; false when the group is empty.
  bool Comma(size_t size) {
    if (size == 0) return false;
    if (m_commas++ == 0) {
      m_firstSize = size;
    } else {
      m_middlePairs = m_middlePairs && size == 2;
      m_middleThrees = m_middleThrees && size == 3;
    }
    return true;
  }
  // Whether a last group of `size` digits completes the grouping; true without commas.
  bool Complete(size_t size) const {
    if (m_commas == 0) return true;
    return size == 3 && ((m_firstSize <= 2 && m_middlePairs) || (m_firstSize <= 3 && m_middleThrees));
  }
  size_t commas() const { return m_commas; }

 private:
  size_t m_commas = 0;
  size_t m_firstSize = 0;
  bool m_middlePairs = true;
  bool m_middleThrees = true;
};

}  // namespace

StrictAmount ReadStrictAmount(std::string_view cell, std::string& storage) {
  const char* p = cell.data();
  const char* const last = p + cell.size();
  while (p != last && IsBlank(*p)) ++p;
  if (p != last && *p == '\'') {
    for (++p; p != last && IsBlank(*p);) ++p;
  }
  if (p == last) return {true, 0.0, {}};
  if (!IsDigit(*p) && *p != '.') {
    const size_t prefix = PrefixLength(std::string_view(p, static_cast<size_t>(last - p)));
    if (prefix == 0) return {};
    for (p += prefix; p != last && IsBlank(*p);) ++p;
  }

  const char* const start = p;
  std::uint64_t mantissa = 0;  // wraps past 19 digits, which ExactDecimal refuses
  Grouping grouping;
  size_t group = 0;
  for (; p != last; ++p) {
    if (const unsigned digit = DigitValue(*p); digit < 10) {
      mantissa = mantissa * 10 + digit;
      ++group;
    } else if (*p == ',' && grouping.Comma(group)) {
      group = 0;
    } else {
      break;
    }
  }
  if (!grouping.Complete(group)) return {};
  const char* const point = p;
  if (p != last && *p == '.') {
    for (++p; p != last && DigitValue(*p) < 10; ++p) mantissa = mantissa * 10 + DigitValue(*p);
  }
  const char* const end = p;
  while (p != last && IsBlank(*p)) ++p;
  // "45,000/-": a whole-rupee amount, so never after a point.
  if (end == point && last - p >= 2 && p[0] == '/' && p[1] == '-') {
    for (p += 2; p != last && IsBlank(*p);) ++p;
  }
  const auto decimals = static_cast<size_t>(end == point ? 0 : end - point - 1);
  const size_t digits = static_cast<size_t>(point - start) - grouping.commas() + decimals;
  if (p != last || digits == 0) return {};

  std::string_view bare(start, static_cast<size_t>(end - start));
  if (grouping.commas() > 0) {
    storage.clear();
    for (char c : bare) {
      if (c != ',') storage += c;
    }
    bare = storage;
  }
  double value = 0;
  if (!ExactDecimal(mantissa, digits, decimals, value)) value = ReadAmount(bare);
  return {true, value, bare};
}

std::optional<double> DecimalCommaValue(std::string_view cell) {
  if (cell.find_first_of(",.") == std::string_view::npos) return std::nullopt;
  // Swapped in the number only: the point of "Rs." stays the prefix's.
  std::string swapped(cell);
  const size_t blanks = std::min(swapped.find_first_not_of(" \t'"), swapped.size());
  size_t from = blanks + PrefixLength(std::string_view(swapped).substr(blanks));
  for (size_t i = from; i < swapped.size(); ++i) {
    if (swapped[i] == ',') {
      swapped[i] = '.';
    } else if (swapped[i] == '.') {
      swapped[i] = ',';
    }
  }
  std::string storage;
  const StrictAmount amount = ReadStrictAmount(swapped, storage);
  if (!amount.ok) return std::nullopt;
  return amount.value;
}

std::optional<std::string> DecimalDoubt(std::string_view cell, const StrictAmount& amount, long long line,
                                        std::string_view column) {
  const std::optional<double> comma = DecimalCommaValue(cell);
  if (!comma || (amount.ok && *comma == amount.value)) return std::nullopt;
  const std::string excerpt = QuotedCell(cell);
  if (!amount.ok) return MessageText(Message::kDecimalComma, {line, column, excerpt, ShortestDigits(*comma)});
  return MessageText(Message::kDecimalDoubt,
                     {line, column, excerpt, ShortestDigits(amount.value), ShortestDigits(*comma)});
}

std::optional<std::string> PlainAmount(std::string_view text) {
  std::string storage;
  const StrictAmount amount = ReadStrictAmount(text, storage);
  if (!amount.ok || amount.bare.empty()) return std::nullopt;
  return std::string(amount.bare);
}

}  // namespace varnolix::payroll
