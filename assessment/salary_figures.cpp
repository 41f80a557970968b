#include "assessment/salary_figures.h"

#include "assessment/amount.h"
#include "assessment/narrow.h"

namespace varnolix {

LeastCandidate LeastOfFour(float a, float b, float c, float d) {
  const float candidates[] = {a, b, c, d};
  LeastCandidate least{a, 0};
  for (int i = 1; i < 4; ++i) {
    if (least.value > candidates[i]) least = {candidates[i], i};
  }
  return least;
}

IncomeAmounts ReadIncome(const IncomeTexts& texts) {
  return {ReadAmount(texts.annualBasic),      ReadAmount(texts.annualAllowances1), ReadAmount(texts.annualAllowances2),
          ReadAmount(texts.ltaTaxableAnnual), ReadAmount(texts.rentPerMonth),      ReadAmount(texts.hraReceivedPerMonth)};
}

SalaryFigures ComputeSalaryFigures(const IncomeAmounts& amounts) {
  SalaryFigures f;
  f.annualBasic = Narrow(amounts.annualBasic);
  f.annualRent = Narrow(amounts.rentPerMonth * 12);
  f.annualAllowances1 = Narrow(amounts.annualAllowances1);
  f.rentOverTenthOfBasic = Narrow(double{f.annualRent} - double{f.annualBasic} * kOneTenth);
  f.halfBasic = Narrow(double{f.annualBasic} * 0.5);
  f.annualHraReceived = Narrow(amounts.hraReceivedPerMonth * 12);

  const LeastCandidate least =
      LeastOfFour(f.annualRent, f.rentOverTenthOfBasic, f.halfBasic, f.annualHraReceived);
  f.hraExemption = least.value;
  f.exemptionFrom = static_cast<HraCandidate>(least.index);
  f.taxableHra = 0;
  if (!(f.hraExemption < 0)) f.taxableHra = Narrow(double{f.annualHraReceived} - double{f.hraExemption});

  f.annualAllowances2 = Narrow(amounts.annualAllowances2);
  f.lta = amounts.ltaTaxableAnnual;
  const double salary = double{f.annualAllowances2} + double{f.annualAllowances1} + double{f.annualBasic};
  f.exactGrossSalary = (f.lta + salary) + double{f.taxableHra};
  f.grossSalary = Narrow(f.exactGrossSalary);
  return f;
}

SalaryFigures ComputeSalaryFigures(const IncomeTexts& texts) { return ComputeSalaryFigures(ReadIncome(texts)); }

StandardDeductionTier StandardDeductionTierFor(float grossSalary) {
  if (!(grossSalary > 100000.0f)) return {25000, "25000"};
  if (grossSalary > 500000.0f) return {0, "0"};
  return {20000, "20000"};
}

}  // namespace varnolix
