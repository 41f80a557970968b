// The fields as the pages show them: the control each amount is typed into, the read-only
// field that echoes a monthly salary times 12, how the leaving warning names it, and the
// control of each result. The rules know none of this (assessment/fields.h).
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "assessment/fields.h"
#include "resources/dialog_template.h"
#include "resources/dialog_templates.h"
#include "resources/resource_ids.h"

namespace varnolix {

struct FieldControls {
  Field field;
  int controlId;             // the edit control it is typed into, on its page
  int echoId;                // the read-only field that echoes it times 12, or 0
  std::string_view warning;  // in the leaving warning, separators and all; empty: never named
};

inline constexpr std::array<FieldControls, kFieldCount> kFieldControls{{
    {Field::kBasic, ids::income::kBasicPerMonth, ids::income::kAnnualBasic, ""},
    {Field::kAllowances1, ids::income::kAllowances1PerMonth, ids::income::kAnnualAllowances1, "Allowences 1 PM, "},
    {Field::kAllowances2, ids::income::kAllowances2PerMonth, ids::income::kAnnualAllowances2, "Allowences 2 PM,"},
    {Field::kLta, ids::income::kLtaTaxableAnnual, 0, "LTA Taxable annual, "},
    {Field::kRent, ids::income::kRentPerMonth, 0, "Rent PM, "},
    {Field::kHraReceived, ids::income::kHraReceivedPerMonth, 0, "HRA received PM, "},
    {Field::kProfessionTax, ids::standard_deduction::kProfessionTax, 0, ""},
    {Field::k80L, ids::section80::k80L, 0, "Interest etc. 80L, "},
    {Field::k80D, ids::section80::k80D, 0, "Mediclaim 80D, "},
    {Field::k80E, ids::section80::k80E, 0, "80A, "},
    {Field::k80CCC, ids::section80::k80CCC, 0, "80 CCC, "},
    {Field::k80DD, ids::section80::k80DD, 0, "80 DD, "},
    {Field::k80DDB, ids::section80::k80DDB, 0, "80 DDB, "},
    {Field::kPfContribution, ids::section88::kPfContribution, 0, "PF Contribution, "},
    {Field::kLicPremium, ids::section88::kLicPremium, 0, "LIC Primea, "},
    {Field::kPpf, ids::section88::kPpf, 0, ""},
    {Field::kMutualFund, ids::section88::kMutualFund, 0, "Mutual Fund,"},
    {Field::kOtherInvestments, ids::section88::kOtherInvestments, 0, "Other Investments., "},
    {Field::kInfrastructureBond, ids::section88::kInfrastructureBond, 0, "Infrastructure Bonds, "},
}};

constexpr const FieldControls& ControlsOf(Field field) { return kFieldControls[static_cast<std::size_t>(field)]; }

// The result fields of the Tax Results page, in the order the results are produced.
inline constexpr std::array<int, kResultCount> kResultControls{
    ids::tax_results::kTaxableHra, ids::tax_results::kGrossSalary, ids::tax_results::kSection80Benefit,
    ids::tax_results::kSection88Benefit, ids::tax_results::kTaxPayable};

constexpr int ControlOf(Result result) { return kResultControls[static_cast<std::size_t>(result)]; }

// The dialog of an input page.
inline const DialogTemplate& InputPageDialog(Page page) {
  switch (page) {
    case Page::kIncome:
      return resources::kIncomeDialog;
    case Page::kStandardDeduction:
      return resources::kStandardDeductionDialog;
    case Page::kSection80:
      return resources::kSection80Dialog;
    case Page::kSection88:
      return resources::kSection88Dialog;
  }
  return resources::kIncomeDialog;
}

// The table is indexed by its enumeration, and a field has an echo exactly when the
// rules read one.
static_assert([] {
  for (std::size_t i = 0; i < kFieldControls.size(); ++i) {
    const FieldControls& controls = kFieldControls[i];
    if (static_cast<std::size_t>(controls.field) != i) return false;
    if ((controls.echoId != 0) != Info(controls.field).echoed) return false;
  }
  return true;
}());

// No two fields share a control on their page, echoes included; no two results share one.
static_assert([] {
  for (std::size_t i = 0; i < kFieldControls.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      const FieldControls& a = kFieldControls[i];
      const FieldControls& b = kFieldControls[j];
      if (Info(a.field).page != Info(b.field).page) continue;
      if (a.controlId == b.controlId || a.controlId == b.echoId || (a.echoId != 0 && a.echoId == b.controlId) ||
          (a.echoId != 0 && a.echoId == b.echoId))
        return false;
    }
  }
  for (std::size_t i = 0; i < kResultControls.size(); ++i) {
    for (std::size_t j = 0; j < i; ++j) {
      if (kResultControls[i] == kResultControls[j]) return false;
    }
  }
  return true;
}());

}  // namespace varnolix
