// The annual salary figures derived from the Income page, and the standard-deduction
// tier that follows from the gross salary.
//
// The widths are part of the rule: fields declared float are rounded to single
// precision at exactly that step, and the cents shown depend on it.
#pragma once

#include <string_view>

#include "assessment/fields.h"

namespace varnolix {

// The four HRA exemption candidates, in the order they are compared.
enum class HraCandidate { AnnualRent, RentOverTenthOfBasic, HalfBasic, AnnualHraReceived };

struct SalaryFigures {
  float annualBasic = 0;
  float annualRent = 0;
  float annualAllowances1 = 0;
  float rentOverTenthOfBasic = 0;
  float halfBasic = 0;
  float annualHraReceived = 0;
  float hraExemption = 0;
  HraCandidate exemptionFrom = HraCandidate::AnnualRent;
  float taxableHra = 0;
  float annualAllowances2 = 0;
  double lta = 0;
  double exactGrossSalary = 0;  // what the Tax Results page shows
  float grossSalary = 0;        // what every test and later step uses
};

// From the Income page's amounts as the assessment reads them: the monthly salaries
// as their annual echoes read (see AnnualEchoValue), rent and HRA received per month.
SalaryFigures ComputeSalaryFigures(const PerField<double>& amounts);

struct LeastCandidate {
  float value;
  int index;  // 0 to 3, the position of the value taken
};

// The running least of four values: a later value replaces it only when strictly
// smaller, so ties keep the earlier candidate.
LeastCandidate LeastOfFour(float a, float b, float c, float d);

struct StandardDeductionTier {
  double amount;
  std::string_view text;  // as the Standard Deduction page shows it
};

// The tier of rules::kTiers that the gross salary falls in.
StandardDeductionTier StandardDeductionTierFor(float grossSalary);

}  // namespace varnolix
