// Every field of the program, described once: the nineteen amounts a person enters and
// the five results. The pages, the batch tool and the working are all driven from here.
// Plain data on the standard library, so the dialog resources can name their fields too.
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
  std::string_view name;    // in the working and the batch tool's help
  std::string_view column;  // the batch tool's column, lower case
  Page page;
  int controlId;            // the edit control it is typed into, on its page
  int annualId;             // the read-only field that echoes it times 12, or 0
  double cap;               // the most that counts, or 0 for no cap of its own
  bool monthly;
  std::string_view warning;  // in the leaving warning, separators and all; empty: never named
};

inline constexpr std::array<FieldInfo, kFieldCount> kFields{{
    {Field::kBasic, "basic", "basic_pm", Page::kIncome, 1002, 1005, 0, true, ""},
    {Field::kAllowances1, "allowances 1", "allowances1_pm", Page::kIncome, 1003, 1006, 0, true, "Allowences 1 PM, "},
    {Field::kAllowances2, "allowances 2", "allowances2_pm", Page::kIncome, 1004, 1007, 0, true, "Allowences 2 PM,"},
    {Field::kLta, "LTA", "lta_annual", Page::kIncome, 1008, 0, 0, false, "LTA Taxable annual, "},
    {Field::kRent, "rent", "rent_pm", Page::kIncome, 1010, 0, 0, true, "Rent PM, "},
    {Field::kHraReceived, "HRA received", "hra_received_pm", Page::kIncome, 1011, 0, 0, true, "HRA received PM, "},
    {Field::kProfessionTax, "profession tax", "profession_tax", Page::kStandardDeduction, 1017, 0, 0, false, ""},
    {Field::k80L, "80L", "80l", Page::kSection80, 1022, 0, 0, false, "Interest etc. 80L, "},
    {Field::k80D, "80D", "80d", Page::kSection80, 1023, 0, rules::kCap80D, false, "Mediclaim 80D, "},
    {Field::k80E, "80E", "80e", Page::kSection80, 1014, 0, rules::kCap80E, false, "80A, "},
    {Field::k80CCC, "80CCC", "80ccc", Page::kSection80, 1016, 0, rules::kCap80CCC, false, "80 CCC, "},
    {Field::k80DD, "80DD", "80dd", Page::kSection80, 1012, 0, rules::kCap80DD, false, "80 DD, "},
    {Field::k80DDB, "80DDB", "80ddb", Page::kSection80, 1013, 0, rules::kCap80DDB, false, "80 DDB, "},
    {Field::kPfContribution, "PF contribution", "pf_contribution", Page::kSection88, 1024, 0, 0, false,
     "PF Contribution, "},
    {Field::kLicPremium, "LIC premium", "lic_premium", Page::kSection88, 1025, 0, 0, false, "LIC Primea, "},
    {Field::kPpf, "PPF", "ppf", Page::kSection88, 1026, 0, 0, false, ""},
    {Field::kMutualFund, "mutual fund", "mutual_fund", Page::kSection88, 1027, 0, 0, false, "Mutual Fund,"},
    {Field::kOtherInvestments, "other investments", "other_investments", Page::kSection88, 1011, 0, 0, false,
     "Other Investments., "},
    {Field::kInfrastructureBond, "infrastructure bond", "infrastructure_bond", Page::kSection88, 1029, 0, 0, false,
     "Infrastructure Bonds, "},
}};

constexpr const FieldInfo& Info(Field field) { return kFields[static_cast<std::size_t>(field)]; }

// The control whose text the assessment reads: for a monthly salary, its annual echo.
constexpr int AssessedControlId(const FieldInfo& info) { return info.annualId != 0 ? info.annualId : info.controlId; }

// Why the Income page keeps a person on it: the basic salary is not above 0.
inline constexpr std::string_view kBasicNeedsValue = "Basic PM must have some value.";

struct ResultInfo {
  Result result;
  std::string_view column;  // the batch tool's column
  int controlId;            // on the Tax Results page
};

inline constexpr std::array<ResultInfo, kResultCount> kResults{{
    {Result::kTaxableHra, "taxable_hra", 2028},
    {Result::kGrossSalary, "gross_salary", 1014},
    {Result::kSection80Benefit, "section80_benefit", 1030},
    {Result::kSection88Benefit, "section88_benefit", 1012},
    {Result::kTaxPayable, "tax_payable", 1032},
}};

constexpr const ResultInfo& Info(Result result) { return kResults[static_cast<std::size_t>(result)]; }

// No two fields share a column, nor a control on their page.
static_assert([] {
  for (std::size_t i = 0; i < kFields.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const FieldInfo& a = kFields[i];
      const FieldInfo& b = kFields[j];
      if (a.column == b.column) return false;
      if (a.page == b.page && (a.controlId == b.controlId || a.controlId == b.annualId || a.annualId == b.controlId))
        return false;
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
