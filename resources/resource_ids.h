// Identifiers of the dialog templates and of their controls. The same number names
// different fields on different pages, so every identifier belongs to its page. Which
// field of the assessment each amount control shows is the pages' table
// (pages/field_controls.h).
#pragma once

namespace varnolix::ids {

inline constexpr int IDD_INCOME = 102;
inline constexpr int IDD_STANDARD_DEDUCTION = 138;
inline constexpr int IDD_SECTION88 = 139;
inline constexpr int IDD_SECTION80 = 140;
inline constexpr int IDD_TAX_RESULTS = 141;
inline constexpr int IDD_ABOUT = 142;

namespace income {
inline constexpr int kNext = 1001;
inline constexpr int kBasicPerMonth = 1002;
inline constexpr int kAllowances1PerMonth = 1003;
inline constexpr int kAllowances2PerMonth = 1004;
inline constexpr int kAnnualBasic = 1005;
inline constexpr int kAnnualAllowances1 = 1006;
inline constexpr int kAnnualAllowances2 = 1007;
inline constexpr int kLtaTaxableAnnual = 1008;
inline constexpr int kReset = 1009;
inline constexpr int kRentPerMonth = 1010;
inline constexpr int kHraReceivedPerMonth = 1011;
}  // namespace income

namespace standard_deduction {
inline constexpr int kNext = 1001;
inline constexpr int kProfessionTax = 1017;
inline constexpr int kStandardDeduction = 2016;
inline constexpr int kStandardDeductionLabel = 1035;
inline constexpr int kProfessionTaxLabel = 1036;
}  // namespace standard_deduction

namespace section80 {
inline constexpr int kNext = 1001;
inline constexpr int kReset = 1006;
inline constexpr int k80DD = 1012;
inline constexpr int k80DDB = 1013;
inline constexpr int k80E = 1014;
inline constexpr int k80CCC = 1016;
inline constexpr int k80L = 1022;
inline constexpr int k80D = 1023;
}  // namespace section80

namespace section88 {
inline constexpr int kOtherInvestments = 1011;
inline constexpr int kReset = 1015;
inline constexpr int kPfContribution = 1024;
inline constexpr int kLicPremium = 1025;
inline constexpr int kPpf = 1026;
inline constexpr int kMutualFund = 1027;
inline constexpr int kInfrastructureBond = 1029;
}  // namespace section88

namespace tax_results {
inline constexpr int kSection88Benefit = 1012;
inline constexpr int kGrossSalary = 1014;
inline constexpr int kSection80Benefit = 1030;
inline constexpr int kTaxPayable = 1032;
inline constexpr int kTaxableHra = 2028;
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
inline constexpr int kOk = 1;  // the dialog's own OK, which closes it as any dialog's does
inline constexpr int kProductText = 1067;
inline constexpr int kNotice = 1084;
inline constexpr int kLink = 1093;
}  // namespace about

}  // namespace varnolix::ids
