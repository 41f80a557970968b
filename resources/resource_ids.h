// Identifiers of the dialog templates and of their controls. The same number names
// different fields on different pages, so every identifier belongs to its page. The
// amount fields and the results take theirs from the field table.
#pragma once

#include "assessment/fields.h"

namespace varnolix::ids {

inline constexpr int IDD_INCOME = 102;
inline constexpr int IDD_STANDARD_DEDUCTION = 138;
inline constexpr int IDD_SECTION88 = 139;
inline constexpr int IDD_SECTION80 = 140;
inline constexpr int IDD_TAX_RESULTS = 141;
inline constexpr int IDD_ABOUT = 142;

namespace income {
inline constexpr int kNext = 1001;
inline constexpr int kBasicPerMonth = Info(Field::kBasic).controlId;
inline constexpr int kAllowances1PerMonth = Info(Field::kAllowances1).controlId;
inline constexpr int kAllowances2PerMonth = Info(Field::kAllowances2).controlId;
inline constexpr int kAnnualBasic = Info(Field::kBasic).annualId;
inline constexpr int kAnnualAllowances1 = Info(Field::kAllowances1).annualId;
inline constexpr int kAnnualAllowances2 = Info(Field::kAllowances2).annualId;
inline constexpr int kLtaTaxableAnnual = Info(Field::kLta).controlId;
inline constexpr int kReset = 1009;
inline constexpr int kRentPerMonth = Info(Field::kRent).controlId;
inline constexpr int kHraReceivedPerMonth = Info(Field::kHraReceived).controlId;
}  // namespace income

namespace standard_deduction {
inline constexpr int kNext = 1001;
inline constexpr int kProfessionTax = Info(Field::kProfessionTax).controlId;
inline constexpr int kStandardDeduction = 2016;
inline constexpr int kStandardDeductionLabel = 1035;
inline constexpr int kProfessionTaxLabel = 1036;
}  // namespace standard_deduction

namespace section80 {
inline constexpr int kNext = 1001;
inline constexpr int kReset = 1006;
inline constexpr int k80DD = Info(Field::k80DD).controlId;
inline constexpr int k80DDB = Info(Field::k80DDB).controlId;
inline constexpr int k80E = Info(Field::k80E).controlId;
inline constexpr int k80CCC = Info(Field::k80CCC).controlId;
inline constexpr int k80L = Info(Field::k80L).controlId;
inline constexpr int k80D = Info(Field::k80D).controlId;
}  // namespace section80

namespace section88 {
inline constexpr int kOtherInvestments = Info(Field::kOtherInvestments).controlId;
inline constexpr int kReset = 1015;
inline constexpr int kPfContribution = Info(Field::kPfContribution).controlId;
inline constexpr int kLicPremium = Info(Field::kLicPremium).controlId;
inline constexpr int kPpf = Info(Field::kPpf).controlId;
inline constexpr int kMutualFund = Info(Field::kMutualFund).controlId;
inline constexpr int kInfrastructureBond = Info(Field::kInfrastructureBond).controlId;
}  // namespace section88

namespace tax_results {
inline constexpr int kSection88Benefit = Info(Result::kSection88Benefit).controlId;
inline constexpr int kGrossSalary = Info(Result::kGrossSalary).controlId;
inline constexpr int kSection80Benefit = Info(Result::kSection80Benefit).controlId;
inline constexpr int kTaxPayable = Info(Result::kTaxPayable).controlId;
inline constexpr int kTaxableHra = Info(Result::kTaxableHra).controlId;
// The command of the result fields' context menus that copies the working.
inline constexpr int kCopyWorking = 32771;
}  // namespace tax_results

// The sheet's own commands, from its buttons and their keys.
namespace sheet {
inline constexpr int kOpen = 0xE101;
inline constexpr int kSave = 0xE103;
inline constexpr int kPrint = 0xE107;
}  // namespace sheet

namespace about {
inline constexpr int kProductText = 1067;
inline constexpr int kNotice = 1084;
inline constexpr int kLink = 1093;
}  // namespace about

}  // namespace varnolix::ids
