#include "assessment/assessment.h"

#include "assessment/amount.h"
#include "assessment/narrow.h"
#include "assessment/rules.h"

namespace varnolix {

bool AssessmentInput::Shown(Page page) const {
  switch (page) {
    case Page::kIncome:
      return true;
    case Page::kStandardDeduction:
      return standardDeductionShown;
    case Page::kSection80:
      return section80Shown;
    case Page::kSection88:
      return section88Shown;
  }
  return false;
}

double AssessedAmount(Field field, std::string_view text) {
  const double amount = ReadAmount(text);
  return Info(field).echoed ? AnnualEchoValue(amount) : amount;
}

AssessmentInput InputOf(const PerField<std::string>& texts, PagesShown shown) {
  AssessmentInput input;
  input.standardDeductionShown = shown.standardDeduction;
  input.section80Shown = shown.section80;
  input.section88Shown = shown.section88;
  for (const FieldInfo& info : kFields) {
    if (input.Shown(info.page)) input.amounts[info.field] = AssessedAmount(info.field, texts[info.field]);
  }
  return input;
}

Assessment Assess(const AssessmentInput& input) {
  Assessment a;
  const std::array<bool, kPageCount> shown{true, input.standardDeductionShown, input.section80Shown,
                                           input.section88Shown};
  for (const FieldInfo& info : kFields) {
    if (shown[static_cast<size_t>(info.page)]) a.read[info.field] = input.amounts[info.field];
  }
  a.figures = ComputeSalaryFigures(a.read);
  const float gross = a.figures.grossSalary;

  using namespace rules;
  a.factorApplies = gross > kFactorThreshold;
  a.incomeBase = a.factorApplies ? Narrow(double{gross} * kFactor) : gross;

  // Each Section 80 amount counts up to its cap; one equal to its cap is kept as read.
  for (Field f : kSection80ReadingOrder) {
    const double cap = Info(f).cap;
    a.capped[f] = cap > 0 && a.read[f] > cap;
    a.counted[f] = a.capped[f] ? Narrow(cap) : Narrow(a.read[f]);
  }
  auto counted = [&a](Field f) { return double{a.counted[f]}; };
  using enum Field;
  // Summed from 80E up to 80L, but subtracted from 80L down to 80E: the rules' two
  // orders, which the cents can show.
  a.section80Total = ((((counted(k80E) + counted(k80DDB)) + counted(k80DD)) + counted(k80CCC)) + counted(k80D)) +
                     counted(k80L);
  a.netIncome = Narrow(double{a.incomeBase} - counted(k80L) - counted(k80D) - counted(k80CCC) - counted(k80DD) -
                       counted(k80DDB) - counted(k80E));

  a.tier = StandardDeductionTierFor(gross);
  a.professionTaxCounts = input.standardDeductionShown;
  a.deduction = a.professionTaxCounts ? a.tier.amount + a.read[kProfessionTax] : a.tier.amount;
  a.taxableAmount = double{a.netIncome} - a.deduction;

  a.lowerLine = Narrow(LineAt(kLowerLine, a.taxableAmount));
  a.upperLine = LineAt(kUpperLine, a.taxableAmount);  // kept in double
  a.upperLineTaken = !(a.upperLine < double{a.lowerLine});
  a.slabTax = a.upperLineTaken ? Narrow(a.upperLine) : a.lowerLine;

  for (Field f : kSection88ReadingOrder) a.counted[f] = Narrow(a.read[f]);
  // Summed from the mutual fund up to the PF contribution, the rules' order.
  a.section88Sum = (((counted(kMutualFund) + counted(kPpf)) + counted(kOtherInvestments)) + counted(kLicPremium)) +
                   counted(kPfContribution);
  a.section88SumCapped = a.section88Sum > kSection88FirstFiveCap;
  a.section88Total = (a.section88SumCapped ? kSection88FirstFiveCap : a.section88Sum) + counted(kInfrastructureBond);
  a.section88TotalCapped = a.section88Total > kSection88TotalCap;
  a.section88Amount = a.section88TotalCapped ? Narrow(kSection88TotalCap) : Narrow(a.section88Total);

  a.taxBeforeFactor = Narrow(double{a.slabTax} - double{a.section88Amount});
  a.taxPayable = a.factorApplies ? Narrow(double{a.taxBeforeFactor} * kFactor) : a.taxBeforeFactor;
  return a;
}

PerResult<double> ResultAmountsOf(const Assessment& a) {
  // Shown as 0.00 below zero; a negative zero is not below zero and shows as -0.00.
  auto clampedAtZero = [](float value) { return value < 0 ? 0.0 : double{value}; };
  return {{
      clampedAtZero(a.figures.taxableHra),
      a.figures.exactGrossSalary,
      a.section80Total,
      double{a.section88Amount},
      clampedAtZero(a.taxPayable),
  }};
}

PerResult<std::string> ResultTextsOf(const Assessment& a) {
  const PerResult<double> amounts = ResultAmountsOf(a);
  PerResult<std::string> texts;
  for (size_t i = 0; i < kResultCount; ++i) texts.values[i] = WriteAmount(amounts.values[i]);
  return texts;
}

}  // namespace varnolix
