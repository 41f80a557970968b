// The few character tests that amount cells and CSV headers need, all in ASCII whatever
// the locale.
#pragma once

#include <cstddef>
#include <string_view>

namespace varnolix::payroll {

// A blank in a cell or a header: space or tab. Line breaks end records or belong to
// quoted text, never to a blank.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }
// A digit's value; 10 or more for any other byte, so one comparison tells a digit.
constexpr unsigned DigitValue(char c) { return static_cast<unsigned>(static_cast<unsigned char>(c)) - unsigned{'0'}; }
constexpr bool IsDigit(char c) { return DigitValue(c) < 10; }
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr std::string_view TrimBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// Whether `text` begins with `lower`, which is in lower case, ignoring ASCII case.
constexpr bool StartsWithIgnoringCase(std::string_view text, std::string_view lower) {
  if (text.size() < lower.size()) return false;
  for (std::size_t i = 0; i < lower.size(); ++i) {
    if (AsciiLower(text[i]) != lower[i]) return false;
  }
  return true;
}

constexpr bool EqualsIgnoringCase(std::string_view text, std::string_view lower) {
  return text.size() == lower.size() && StartsWithIgnoringCase(text, lower);
}

}  // namespace varnolix::payroll
