#include "cli/strict_amount.h"


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

// Groups between commas, the first one given apart: Indian 1-2 digits then pairs and
// a final three; international 1-3 digits then threes.
bool IsGroupedWhole(std::string_view whole) {
  size_t groups = 0;
  size_t firstSize = 0;
  size_t lastSize = 0;
  bool middlePairs = true;
  bool middleThrees = true;
  size_t start = 0;
  while (true) {
    const size_t comma = whole.find(',', start);
    const size_t size = (comma == std::string_view::npos ? whole.size() : comma) - start;
    if (size == 0) return false;
    if (groups == 0) {
      firstSize = size;
    } else if (comma != std::string_view::npos) {
      middlePairs = middlePairs && size == 2;
      middleThrees = middleThrees && size == 3;
    }
    lastSize = size;
    ++groups;
    if (comma == std::string_view::npos) break;
    start = comma + 1;
  }
  if (groups < 2 || lastSize != 3) return false;
  const bool indian = firstSize <= 2 && middlePairs;
  const bool international = firstSize <= 3 && middleThrees;
  return indian || international;
}

// Digits with at most one point and nothing else, as most cells are.
bool IsPlainNumber(std::string_view text, size_t& wholeDigits) {
  size_t points = 0;
  size_t pointAt = text.size();
  for (size_t i = 0; i < text.size(); ++i) {
    if (IsDigit(text[i])) continue;
    if (text[i] != '.' || points++ > 0) return false;
    pointAt = i;
  }
  wholeDigits = pointAt;
  return text.size() > points;
}

}  // namespace

StrictAmount ParseStrictAmount(std::string_view cell, std::string& storage) {
  if (size_t wholeDigits = 0; IsPlainNumber(cell, wholeDigits)) return {true, cell, wholeDigits};
  std::string_view text = cell;
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  if (text.empty()) return {true, {}, 0};

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
  if (!commas) return {true, text, digits};
  if (!IsGroupedWhole(whole)) return {};

  storage.clear();
  for (char c : whole) {
    if (c != ',') storage += c;
  }
  storage += text.substr(whole.size());
  return {true, storage, digits};
}

}  // namespace varnolix::cli
