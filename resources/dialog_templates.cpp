#include "resources/dialog_templates.h"

#include <array>

#include "resources/resource_ids.h"
#include "varnolix/version.h"

namespace varnolix::resources {
namespace {

using K = ControlKind;
namespace s = style;
using namespace ids;

constexpr ControlTemplate Edit(int id, int x, int y, int width, int height, unsigned editStyle,
                               std::string_view spokenName = {}) {
  return {K::Edit, id, {}, x, y, width, height, editStyle, 0, 0, 0, spokenName};
}
constexpr ControlTemplate Label(std::string_view text, int x, int y, int width, int height, int buddy,
                                unsigned labelStyle = s::kRightLabel, int id = kNoControlId) {
  return {K::Label, id, text, x, y, width, height, labelStyle, buddy};
}
// `words`: what the picture says, for screen readers; empty for a picture that only decorates.
constexpr ControlTemplate Picture(std::string_view image, int x, int y, int width, int height, int imageWidth,
                                  int imageHeight, std::string_view words) {
  return {K::Picture, kNoControlId, image, x, y, width, height, s::kPicture, 0, imageWidth, imageHeight, words};
}
constexpr ControlTemplate Button(int id, std::string_view text, int x, int y, int width, int height,
                                 unsigned buttonStyle = s::kPushButton) {
  return {K::PushButton, id, text, x, y, width, height, buttonStyle};
}

constexpr std::string_view kPerAnnum = "All values are per Annum.";

constexpr std::array kIncomeControls{
    Edit(income::kBasicPerMonth, 72, 9, 60, 12, s::kEntryEdit),
    Edit(income::kAllowances1PerMonth, 72, 25, 60, 12, s::kEntryEdit),
    Edit(income::kAllowances2PerMonth, 72, 41, 60, 12, s::kEntryEdit),
    Edit(income::kAnnualBasic, 141, 9, 60, 12, s::kReadOnlyEdit, "Basic Per Year"),
    Edit(income::kAnnualAllowances1, 141, 25, 60, 12, s::kReadOnlyEdit, "Allowances 1 Per Year"),
    Edit(income::kAnnualAllowances2, 141, 41, 60, 12, s::kReadOnlyEdit, "Allowances 2 Per Year"),
    Edit(income::kLtaTaxableAnnual, 72, 57, 60, 12, s::kEntryEdit),
    Edit(income::kRentPerMonth, 72, 82, 60, 12, s::kEntryEdit),
    Edit(income::kHraReceivedPerMonth, 72, 100, 60, 12, s::kEntryEdit),
    Label("Basic Per Month:", 0, 9, 68, 10, income::kBasicPerMonth),
    Label("Allowances1 pm:", 0, 25, 68, 12, income::kAllowances1PerMonth),
    Label("Allowances 2 pm:", 0, 39, 68, 12, income::kAllowances2PerMonth),
    Label("LTA Taxable Annual:", 0, 58, 68, 10, income::kLtaTaxableAnnual),
    Label("Rent Per Month:", 0, 84, 68, 10, income::kRentPerMonth),
    Label("HRA Received pm :", 0, 100, 68, 10, income::kHraReceivedPerMonth),
    Picture(":/varnolix/pictures/bitmap135.png", 187, 55, 45, 30, 68, 18, "YEARLY"),
    Picture(":/varnolix/pictures/bitmap134.png", 204, 8, 35, 44, 53, 72, {}),
    Button(income::kNext, "&Next", 16, 118, 27, 14, s::kHiddenPushButton),
    Button(income::kReset, "&Reset", 188, 110, 50, 14),
};

constexpr std::array kStandardDeductionControls{
    Label("Standard Deduction:", 8, 36, 68, 10, standard_deduction::kStandardDeduction,
          s::kVisible | s::kAlignRight, standard_deduction::kStandardDeductionLabel),
    Edit(standard_deduction::kStandardDeduction, 78, 36, 60, 12, s::kReadOnlyEdit),
    Label("Professional Tax:", 18, 70, 55, 9, standard_deduction::kProfessionTax, s::kVisible | s::kAlignRight,
          standard_deduction::kProfessionTaxLabel),
    Edit(standard_deduction::kProfessionTax, 78, 68, 60, 12, s::kEntryEdit),
    Picture(":/varnolix/pictures/bitmap132.png", 86, 4, 57, 12, 85, 20, "DEDUCTION"),
    Picture(":/varnolix/pictures/bitmap130.png", 164, 36, 83, 44, 124, 71,
            "Standard Deduction for a Gross Salary up to 1,00,000: 25,000; up to 5,00,000: 20,000; above 5,00,000: 0"),
    Button(standard_deduction::kNext, "&Next", 108, 166, 26, 14, s::kHiddenPushButton),
};

constexpr std::array kSection80Controls{
    Edit(section80::k80L, 65, 26, 60, 12, s::kEntryEdit),
    Edit(section80::k80CCC, 180, 26, 60, 12, s::kEntryEdit),
    Edit(section80::k80D, 65, 44, 60, 12, s::kEntryEdit),
    Edit(section80::k80DD, 180, 44, 60, 12, s::kEntryEdit),
    Edit(section80::k80E, 65, 62, 60, 12, s::kEntryEdit),
    Edit(section80::k80DDB, 180, 64, 60, 12, s::kEntryEdit),
    Button(section80::kReset, "&Reset", 100, 101, 50, 14),
    Label("Interest etc., 80L:", 6, 27, 56, 9, section80::k80L, s::kRightLabel, 1040),
    Label("Mediclaim 80D:", 6, 45, 56, 9, section80::k80D, s::kRightLabel, 1041),
    Button(section80::kNext, "&Next", 32, 106, 27, 14, s::kHiddenPushButton),
    Label("80 CCC:", 134, 28, 42, 10, section80::k80CCC),
    Label("80 DD:", 140, 44, 36, 8, section80::k80DD),
    Label("80 DDB:", 140, 64, 36, 10, section80::k80DDB),
    Label("80 E:", 30, 62, 32, 12, section80::k80E),
    Picture(":/varnolix/pictures/bitmap140.png", 97, 4, 55, 9, 82, 14, "SECTION 80"),
    Picture(":/varnolix/pictures/bitmap137.png", 0, 129, 106, 10, 159, 16, kPerAnnum),
};

constexpr std::array kSection88Controls{
    Edit(section88::kPfContribution, 66, 26, 60, 12, s::kEntryEdit),
    Edit(section88::kLicPremium, 182, 26, 60, 12, s::kEntryEdit),
    Edit(section88::kPpf, 65, 42, 60, 12, s::kEntryEdit),
    Edit(section88::kMutualFund, 182, 40, 60, 12, s::kEntryEdit),
    Edit(section88::kOtherInvestments, 126, 64, 60, 12, s::kEntryEdit),
    Edit(section88::kInfrastructureBond, 126, 82, 60, 12, s::kEntryEdit),
    Button(section88::kReset, "&Reset", 106, 110, 38, 14),
    Label("Lic. Primea:", 137, 28, 41, 9, section88::kLicPremium, s::kRightLabel, 1044),
    Label("PPF PA:", 20, 44, 41, 9, section88::kPpf, s::kRightLabel, 1045),
    Label("PF Contribution PA:", 2, 28, 61, 9, section88::kPfContribution, s::kRightLabel, 1043),
    Label("Mutual Fund:", 137, 43, 41, 9, section88::kMutualFund, s::kRightLabel, 1046),
    Label("Infrastructure Bond:", 57, 84, 63, 9, section88::kInfrastructureBond, s::kRightLabel, 1048),
    Label("Other Investments:", 60, 66, 60, 10, section88::kOtherInvestments),
    Picture(":/varnolix/pictures/bitmap133.png", 99, 6, 50, 10, 75, 16, "SECTION 88"),
    Picture(":/varnolix/pictures/bitmap137.png", 0, 124, 106, 10, 159, 16, kPerAnnum),
};

constexpr unsigned kLabel = s::kVisible | s::kAlignRight;

constexpr std::array kTaxResultsControls{
    Label("Gross Salary:", 72, 9, 50, 9, tax_results::kGrossSalary, kLabel),
    Edit(tax_results::kGrossSalary, 127, 8, 51, 12, s::kReadOnlyEdit),
    Label("Taxable HRA:", 76, 26, 50, 9, tax_results::kTaxableHra, kLabel, 1047),
    Edit(tax_results::kTaxableHra, 127, 24, 51, 12, s::kReadOnlyEdit),
    Label("Exemption benefit under 80:", 26, 44, 90, 9, tax_results::kSection80Benefit, kLabel, 1049),
    Edit(tax_results::kSection80Benefit, 128, 42, 51, 12, s::kReadOnlyEdit),
    Label("Exemption benefit under 88:", 28, 60, 88, 9, tax_results::kSection88Benefit, kLabel),
    Edit(tax_results::kSection88Benefit, 128, 60, 51, 12, s::kReadOnlyEdit),
    Label("Tax Payable:", 72, 96, 50, 9, tax_results::kTaxPayable, kLabel, 1051),
    Edit(tax_results::kTaxPayable, 127, 96, 51, 12, s::kReadOnlyEdit),
};

constexpr std::array kAboutControls{
    Button(ids::about::kOk, "OK", 152, 128, 50, 14, s::kPushButton | s::kDefaultButton),
    Label("Varnolix " VARNOLIX_SHORT_VERSION "\n"
          "Copyright \u00A9 2026 The Varnolix developers\n"
          "Learn more about the Varnolix developers\n"
          "and their programs at their web site:",
          12, 4, 195, 34, 0, s::kVisible | s::kAlignCenter | s::kStaticEdge, about::kProductText),
    Label("This software is copyright its maker and may not be\n"
          "copied in whole or in part without prior written consent.\n"
          "It works out the tax of salaried people aged 21 to 65.\n"
          "Its maker gives no warranty as to the accuracy",
          13, 59, 195, 63, 0, s::kVisible | s::kStaticEdge, about::kNotice),
    Picture(":/varnolix/pictures/bitmap163.png", 18, 124, 58, 22, 87, 35, "Varnolix"),
    Label("of calculations performed using this software and accepts no liability whatsoever for any loss "
          "caused as a result of reliance placed on any calculation so performed.",
          14, 93, 192, 25, 0, s::kVisible),
    // A tab stop, so that the keyboard reaches the link.
    Label(kHomepage, 65, 42, 90, 12, 0,
          s::kVisible | s::kTabStop | s::kAlignCenter | s::kCenterVertically, about::kLink),
};

constexpr std::array<std::string_view, 4> kIconImages{
    ":/varnolix/pictures/icon128-32.png", ":/varnolix/pictures/icon128-64.png",
    ":/varnolix/pictures/icon128-128.png", ":/varnolix/pictures/icon128-256.png"};

}  // namespace

constinit const DialogTemplate kIncomeDialog{IDD_INCOME, "Income", 250, 141, kIncomeControls};
constinit const DialogTemplate kStandardDeductionDialog{IDD_STANDARD_DEDUCTION, "Standard Deduction", 250, 141,
                                                        kStandardDeductionControls};
constinit const DialogTemplate kSection88Dialog{IDD_SECTION88, "Section 88", 250, 137, kSection88Controls};
constinit const DialogTemplate kSection80Dialog{IDD_SECTION80, "Section 80", 250, 141, kSection80Controls};
constinit const DialogTemplate kTaxResultsDialog{IDD_TAX_RESULTS, "Tax Results", 250, 141, kTaxResultsControls};
constinit const DialogTemplate kAboutDialog{IDD_ABOUT, "About Varnolix", 220, 148, kAboutControls};

std::string_view LabelOf(const DialogTemplate& dialog, int id) {
  for (const ControlTemplate& control : dialog.controls) {
    if (control.kind != ControlKind::Label || control.buddy != id) continue;
    std::string_view text = control.text;
    while (!text.empty() && (text.back() == ':' || text.back() == ' ')) text.remove_suffix(1);
    return text;
  }
  return {};
}

std::span<const std::string_view> ApplicationIconImages() { return kIconImages; }

}  // namespace varnolix::resources
