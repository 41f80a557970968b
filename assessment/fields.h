// Every field of the program, described once for the rules: the nineteen amounts a person
// enters and the five results. Which control shows a field, and what the pages say of it,
// is the pages' own table (pages/field_controls.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "assessment/rules.h"

namespace varnolix {

// The input pages, in tab order.
enum class Page : std::uint8_t { kIncome, kStandardDeduction, kSection80, kSection88 };
inline constexpr std::size_t kPageCount = 4;

// The input fields, in the table's order: page by page, and on each page in the order
// its fields are checked when it is left.
enum class Field : std::uint8_t {
  kBasic,
  kAllowances1,
  kAllowances2,
  kLta,
  kRent,
  kHraReceived,
  kProfessionTax,
  k80L,
  k80D,
  k80E,
  k80CCC,
  k80DD,
  k80DDB,
  kPfContribution,
  kLicPremium,
  kPpf,
  kMutualFund,
  kOtherInvestments,
  kInfrastructureBond,
};
inline constexpr std::size_t kFieldCount = 19;

// The results of the Tax Results page, in the order they are produced.
enum class Result : std::uint8_t { kTaxableHra, kGrossSalary, kSection80Benefit, kSection88Benefit, kTaxPayable };
inline constexpr std::size_t kResultCount = 5;

// An array indexed by one of the enumerations above.
template <typename Key, typename T, std::size_t N>
struct Indexed {
  std::array<T, N> values{};

  constexpr T& operator[](Key key) { return values[static_cast<std::size_t>(key)]; }
  constexpr const T& operator[](Key key) const { return values[static_cast<std::size_t>(key)]; }
  constexpr bool operator==(const Indexed&) const = default;
};
template <typename T>
using PerField = Indexed<Field, T, kFieldCount>;
template <typename T>
using PerResult = Indexed<Result, T, kResultCount>;

struct FieldInfo {
  Field field;
  std::string_view name;    // in the batch tool's help
  std::string_view column;  // the batch tool's column, lower case
  Page page;
  double cap;    // the most that counts, or 0 for no cap of its own
  bool monthly;  // an amount per month
  // Echoed: the Income page writes it times 12, to the paisa, into a field beside it,
  // and the assessment reads that echo (see AssessedAmount).
  bool echoed;
};

inline constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {Field::kBasic, "basic", "basic_pm", Page::kIncome, 0, true, true},
    {Field::kAllowances1, "allowances 1", "allowances1_pm", Page::kIncome, 0, true, true},
    {Field::kAllowances2, "allowances 2", "allowances2_pm", Page::kIncome, 0, true, true},
    {Field::kLta, "LTA", "lta_annual", Page::kIncome, 0, false, false},
    {Field::kRent, "rent", "rent_pm", Page::kIncome, 0, true, false},
    {Field::kHraReceived, "HRA received", "hra_received_pm", Page::kIncome, 0, true, false},
    {Field::kProfessionTax, "profession tax", "profession_tax", Page::kStandardDeduction, 0, false, false},
    {Field::k80L, "80L", "80l", Page::kSection80, 0, false, false},
    {Field::k80D, "80D", "80d", Page::kSection80, rules::kCap80D, false, false},
    {Field::k80E, "80E", "80e", Page::kSection80, rules::kCap80E, false, false},
    {Field::k80CCC, "80CCC", "80ccc", Page::kSection80, rules::kCap80CCC, false, false},
    {Field::k80DD, "80DD", "80dd", Page::kSection80, rules::kCap80DD, false, false},
    {Field::k80DDB, "80DDB", "80ddb", Page::kSection80, rules::kCap80DDB, false, false},
    {Field::kPfContribution, "PF contribution", "pf_contribution", Page::kSection88, 0, false, false},
    {Field::kLicPremium, "LIC premium", "lic_premium", Page::kSection88, 0, false, false},
    {Field::kPpf, "PPF", "ppf", Page::kSection88, 0, false, false},
    {Field::kMutualFund, "mutual fund", "mutual_fund", Page::kSection88, 0, false, false},
    {Field::kOtherInvestments, "other investments", "other_investments", Page::kSection88, 0, false, false},
    {Field::kInfrastructureBond, "infrastructure bond", "infrastructure_bond", Page::kSection88, 0, false, false},
}};

constexpr const FieldInfo& Info(Field field) { return kFields[static_cast<std::size_t>(field)]; }

struct ResultInfo {
  Result result;
  std::string_view column;  // the batch tool's column
};

inline constexpr std::array<ResultInfo, kResultCount> kResults{{
    {Result::kTaxableHra, "taxable_hra"},
    {Result::kGrossSalary, "gross_salary"},
    {Result::kSection80Benefit, "section80_benefit"},
    {Result::kSection88Benefit, "section88_benefit"},
    {Result::kTaxPayable, "tax_payable"},
}};

constexpr const ResultInfo& Info(Result result) { return kResults[static_cast<std::size_t>(result)]; }

// No two fields share a column; only a monthly amount is echoed.
static_assert([] {
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (kFields[i].echoed && !kFields[i].monthly) return false;
    for (std::size_t j = 0; j < i; ++j) {
      if (kFields[i].column == kFields[j].column) return false;
    }
  }
  return true;
}());

// Each table is indexed by its enumeration.
static_assert([] {
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    if (static_cast<std::size_t>(kFields[i].field) != i) return false;
  }
  for (std::size_t i = 0; i < kResults.size(); ++i) {
    if (static_cast<std::size_t>(kResults[i].result) != i) return false;
  }
  return true;
}());

}  // namespace varnolix
