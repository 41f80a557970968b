#include "assessment/salary_figures.h"

#include "assessment/narrow.h"
#include "assessment/rules.h"

namespace varnolix {

LeastCandidate LeastOfFour(float a, float b, float c, float d) {
  const float candidates[] = {a, b, c, d};
  LeastCandidate least{a, 0};
  for (int i = 1; i < 4; ++i) {
    if (least.value > candidates[i]) least = {candidates[i], i};
  }
  return least;
}

SalaryFigures ComputeSalaryFigures(const PerField<double>& amounts) {
  SalaryFigures f;
  f.annualBasic = Narrow(amounts[Field::kBasic]);
  f.annualRent = Narrow(amounts[Field::kRent] * rules::kMonthsPerYear);
  f.annualAllowances1 = Narrow(amounts[Field::kAllowances1]);
  f.rentOverTenthOfBasic = Narrow(double{f.annualRent} - double{f.annualBasic} * rules::kOneTenth);
  f.halfBasic = Narrow(double{f.annualBasic} * rules::kHalf);
  f.annualHraReceived = Narrow(amounts[Field::kHraReceived] * rules::kMonthsPerYear);

  const LeastCandidate least = LeastOfFour(f.annualRent, f.rentOverTenthOfBasic, f.halfBasic, f.annualHraReceived);
  f.hraExemption = least.value;
  f.exemptionFrom = static_cast<HraCandidate>(least.index);
  f.taxableHra = 0;
  if (!(f.hraExemption < 0)) f.taxableHra = Narrow(double{f.annualHraReceived} - double{f.hraExemption});

  f.annualAllowances2 = Narrow(amounts[Field::kAllowances2]);
  f.lta = amounts[Field::kLta];
  // In this order: the allowances, the second first, then the basic, the LTA, the HRA.
  f.exactGrossSalary =
      (f.lta + ((double{f.annualAllowances2} + double{f.annualAllowances1}) + double{f.annualBasic})) +
      double{f.taxableHra};
  f.grossSalary = Narrow(f.exactGrossSalary);
  return f;
}

StandardDeductionTier StandardDeductionTierFor(float grossSalary) {
  for (const rules::Tier& tier : rules::kTiers) {
    if (!(grossSalary > tier.upTo)) return {tier.amount, tier.text};
  }
  return {rules::kTiers.back().amount, rules::kTiers.back().text};  // not reached: nothing exceeds the last limit
}

}  // namespace varnolix
