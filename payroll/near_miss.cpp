#include "payroll/near_miss.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "payroll/ascii.h"

namespace varnolix::payroll {
namespace {

// Words that say a column holds an amount, as clerks add them to a column's name:
// "Rent Paid", "Basic Salary", "PF Amount", "LTA p.a.".
constexpr std::string_view kAmountWords[] = {
    "pm",      "pa",     "permonth", "monthly", "perannum", "annual", "annually", "yearly",       "peryear",
    "amount",  "amt",    "salary",   "pay",     "paid",     "received", "recd",   "rcvd",         "premium",
    "contribution", "deduction", "total", "rs", "inr",
};

// First words too common to tell on their own which column was meant: an "Other" column
// is as likely other income as other investments.
constexpr std::string_view kVagueFirstWords[] = {"other"};

constexpr bool IsLetter(char c) { return c >= 'a' && c <= 'z'; }  // names are matched in lower case

// A misspelling of a name this long is caught: none in a short name, where one edit
// makes another name ("ppf", "pf"), more in a longer one.
constexpr std::size_t Tolerance(std::size_t length) { return length <= 4 ? 0 : length <= 8 ? 1 : 2; }

// Names longer than this are no one's column name misspelt.
constexpr std::size_t kLongestCandidate = 64;

// Whether `text` is one or more amount words run together.
bool IsAmountWords(std::string_view text) {
  if (text.empty()) return false;
  std::vector<bool> reached(text.size() + 1, false);
  reached[0] = true;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!reached[i]) continue;
    for (std::string_view word : kAmountWords) {
      if (text.substr(i).starts_with(word)) reached[i + word.size()] = true;
    }
  }
  return reached[text.size()];
}

// A column's name in words: split at underscores and where letters meet digits.
std::vector<std::string_view> Words(std::string_view column) {
  std::vector<std::string_view> words;
  std::size_t start = 0;
  for (std::size_t i = 0; i <= column.size(); ++i) {
    const bool underscore = i < column.size() && column[i] == '_';
    const bool boundary =
        i == column.size() || underscore || (i > start && IsDigit(column[i]) != IsDigit(column[i - 1]));
    if (!boundary) continue;
    if (i > start) words.push_back(column.substr(start, i - start));
    start = underscore ? i + 1 : i;
  }
  return words;
}

// The section of the law a name gives, "80ccd" for "Section 80CCD(1B)", with its letters
// in `letters`; empty when the name is no section.
std::string_view SectionOf(std::string_view name, std::string_view& letters) {
  for (std::string_view prefix : {"section", "sec", "u/s", "us"}) {
    if (name.starts_with(prefix) && name.size() > prefix.size() && IsDigit(name[prefix.size()])) {
      name.remove_prefix(prefix.size());
      break;
    }
  }
  std::size_t i = 0;
  while (i < name.size() && IsDigit(name[i])) ++i;
  if (i == 0) return {};
  const std::size_t digits = i;
  while (i < name.size() && IsLetter(name[i])) ++i;
  if (i < name.size() && name[i] != '(') return {};
  letters = name.substr(digits, i - digits);
  return name.substr(0, i);
}

bool IsSectionColumn(const FieldInfo& field) { return IsDigit(field.column.front()); }

// "Section 80D", "80D Amount" for 80d; never another section, however close its name.
bool NamesTheSection(std::string_view name, std::string_view column) {
  std::string_view letters;
  const std::string_view section = SectionOf(name, letters);
  if (section.empty()) return false;
  const std::string_view digits = section.substr(0, section.size() - letters.size());
  for (std::size_t kept = 0; kept <= letters.size(); ++kept) {
    const std::string_view rest = letters.substr(kept);
    if (!rest.empty() && !IsAmountWords(rest)) continue;
    if (column.size() == digits.size() + kept && column.starts_with(digits) &&
        column.substr(digits.size()) == letters.substr(0, kept)) {
      return true;
    }
  }
  return false;
}

// "Rent", "Basic Salary", "HRA Received", "PPF Amount": the column's first words, then
// nothing or amount words only.
bool StartsLikeTheColumn(std::string_view name, std::string_view column) {
  const std::vector<std::string_view> words = Words(column);
  const bool vague = std::ranges::find(kVagueFirstWords, words.front()) != std::end(kVagueFirstWords);
  std::string start;
  for (std::size_t count = 1; count <= words.size(); ++count) {
    start += words[count - 1];
    if (count == 1 && vague) continue;
    if (!name.starts_with(start)) return false;
    const std::string_view rest = name.substr(start.size());
    if (rest.empty() ? count < words.size() : IsAmountWords(rest)) return true;
  }
  return false;
}

std::string WithoutUnderscores(std::string_view column) {
  std::string name;
  for (char c : column) {
    if (c != '_') name += c;
  }
  return name;
}

}  // namespace

std::size_t EditDistance(std::string_view a, std::string_view b) {
  // Three rows of the table: two back, one back and this one.
  std::vector<std::size_t> before(b.size() + 1), last(b.size() + 1), row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) last[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t substitution = last[j - 1] + (a[i - 1] == b[j - 1] ? 0 : 1);
      row[j] = std::min({last[j] + 1, row[j - 1] + 1, substitution});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) row[j] = std::min(row[j], before[j - 2] + 1);
    }
    std::swap(before, last);
    std::swap(last, row);
  }
  return last[b.size()];
}

bool LooksMeantFor(std::string_view matchedName, const FieldInfo& field) {
  if (matchedName.empty() || matchedName.size() > kLongestCandidate) return false;
  const std::string column = WithoutUnderscores(field.column);
  if (matchedName == column) return false;  // its very name
  if (IsSectionColumn(field)) return NamesTheSection(matchedName, column);
  return StartsLikeTheColumn(matchedName, field.column) ||
         EditDistance(matchedName, column) <= Tolerance(column.size());
}

}  // namespace varnolix::payroll
