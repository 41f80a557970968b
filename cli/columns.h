// The input columns the tool recognises, the field of the program each one fills,
// and the result columns it adds.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace varnolix::cli {

enum class Field : std::uint8_t {
  kBasicPm,
  kAllowances1Pm,
  kAllowances2Pm,
  kLtaAnnual,
  kRentPm,
  kHraReceivedPm,
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
inline constexpr size_t kFieldCount = 19;

struct ColumnSpec {
  std::string_view name;  // lower case; headers match it ASCII case-insensitively
  Field field;
  bool monthlySalary;     // echoed times 12 into an annual text, as the Income page does
  std::string_view help;  // one line of --help
};

inline constexpr std::array<ColumnSpec, kFieldCount> kColumns{{
    {"basic_pm", Field::kBasicPm, true, "basic salary per month (required, above 0)"},
    {"allowances1_pm", Field::kAllowances1Pm, true, "allowances 1 per month"},
    {"allowances2_pm", Field::kAllowances2Pm, true, "allowances 2 per month"},
    {"lta_annual", Field::kLtaAnnual, false, "taxable leave travel allowance for the year"},
    {"rent_pm", Field::kRentPm, false, "rent paid per month"},
    {"hra_received_pm", Field::kHraReceivedPm, false, "house-rent allowance received per month"},
    {"profession_tax", Field::kProfessionTax, false, "profession tax for the year"},
    {"80l", Field::k80L, false, "interest etc. under 80L (no cap)"},
    {"80d", Field::k80D, false, "mediclaim under 80D (counts up to 15000)"},
    {"80e", Field::k80E, false, "80E (counts up to 25000)"},
    {"80ccc", Field::k80CCC, false, "80CCC (counts up to 10000)"},
    {"80dd", Field::k80DD, false, "80DD (counts up to 40000)"},
    {"80ddb", Field::k80DDB, false, "80DDB (counts up to 40000)"},
    {"pf_contribution", Field::kPfContribution, false, "provident fund contribution for the year"},
    {"lic_premium", Field::kLicPremium, false, "life insurance premium for the year"},
    {"ppf", Field::kPpf, false, "public provident fund for the year"},
    {"mutual_fund", Field::kMutualFund, false, "mutual fund investment for the year"},
    {"other_investments", Field::kOtherInvestments, false, "other Section 88 investments"},
    {"infrastructure_bond", Field::kInfrastructureBond, false, "infrastructure bond"},
}};

// The columns every output record gains, after the input's own.
inline constexpr std::array<std::string_view, 6> kResultColumns{
    "taxable_hra", "gross_salary", "section80_benefit", "section88_benefit", "tax_payable", "error"};

// The recognised column a header cell names, matched after trimming blanks, ignoring ASCII case.
std::optional<Field> RecognisedField(std::string_view headerCell);

// Where each recognised column sits in a particular header.
class ColumnMap {
 public:
  struct Column {
    size_t index;      // position in the record
    Field field;
    std::string name;  // the header cell as written
  };
  struct Duplicate {
    std::string_view name;  // the recognised name
    size_t first;
    size_t second;  // 1-based field numbers
  };

  // Fails with the first recognised name that appears twice.
  static ColumnMap FromHeader(std::span<const std::string_view> header, std::optional<Duplicate>& duplicate);

  size_t fieldCount() const { return fieldCount_; }
  bool Has(Field field) const { return indexOf_[static_cast<size_t>(field)] >= 0; }
  // The field's position in a record, if the header has it.
  std::optional<size_t> IndexOf(Field field) const {
    const int index = indexOf_[static_cast<size_t>(field)];
    return index >= 0 ? std::optional<size_t>(static_cast<size_t>(index)) : std::nullopt;
  }
  // The recognised columns in header order.
  std::span<const Column> columns() const { return columns_; }
  // The other columns, which pass through untouched.
  std::span<const size_t> passthrough() const { return passthrough_; }
  std::string_view header(size_t index) const { return headerNames_[index]; }

 private:
  size_t fieldCount_ = 0;
  std::array<int, kFieldCount> indexOf_{};
  std::vector<Column> columns_;
  std::vector<size_t> passthrough_;
  std::vector<std::string> headerNames_;
};

}  // namespace varnolix::cli
