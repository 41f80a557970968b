#include "assessment/assessment.h"

#include "assessment/amount.h"
#include "assessment/narrow.h"

namespace varnolix {
namespace {

struct Section80Rule {
  std::string_view name;
  double Section80Amounts::*field;
  double cap;  // 0: none
};

// In Section80Index order. 80L has no cap; the others count at most their cap.
constexpr std::array<Section80Rule, 6> kSection80Rules{{
    {"80L", &Section80Amounts::interest80L, 0},
    {"80D", &Section80Amounts::mediclaim80D, 15000},
    {"80E", &Section80Amounts::section80E, 25000},
    {"80CCC", &Section80Amounts::section80CCC, 10000},
    {"80DD", &Section80Amounts::section80DD, 40000},
    {"80DDB", &Section80Amounts::section80DDB, 40000},
}};

// The Section 88 fields in Section88Index order.
constexpr std::array<double Section88Amounts::*, 6> kSection88Fields{
    &Section88Amounts::pfContribution,   &Section88Amounts::licPremium, &Section88Amounts::ppf,
    &Section88Amounts::otherInvestments, &Section88Amounts::mutualFund, &Section88Amounts::infrastructureBond,
};

void AssessSection80(const std::optional<Section80Amounts>& amounts, Assessment& a) {
  for (size_t i = 0; i < kSection80Rules.size(); ++i) {
    const Section80Rule& rule = kSection80Rules[i];
    Section80Amount& amount = a.section80[i];
    amount.name = rule.name;
    amount.cap = rule.cap;
    if (!amounts) continue;
    amount.read = (*amounts).*rule.field;
    amount.capBound = rule.cap > 0 && amount.read > rule.cap;
    amount.counted = amount.capBound ? Narrow(rule.cap) : Narrow(amount.read);
  }
  const auto& s = a.section80;
  a.section80Total = double{s[k80E].counted} + double{s[k80DDB].counted};
  a.section80Total = a.section80Total + double{s[k80DD].counted};
  a.section80Total = a.section80Total + double{s[k80CCC].counted};
  a.section80Total = a.section80Total + double{s[k80D].counted};
  a.section80Total = a.section80Total + double{s[k80L].counted};

  double net = double{a.incomeBase};
  for (Section80Index i : {k80L, k80D, k80CCC, k80DD, k80DDB, k80E}) net = net - double{s[i].counted};
  a.netIncome = Narrow(net);
}

void AssessSection88(const std::optional<Section88Amounts>& amounts, Assessment& a) {
  if (!amounts) return;
  for (size_t i = 0; i < kSection88Fields.size(); ++i) a.section88[i] = Narrow((*amounts).*kSection88Fields[i]);
  const auto& s = a.section88;
  a.section88Sum = double{s[kMutualFund]} + double{s[kPpf]};
  a.section88Sum = a.section88Sum + double{s[kOtherInvestments]};
  a.section88Sum = a.section88Sum + double{s[kLic]};
  a.section88Sum = a.section88Sum + double{s[kPf]};
  a.section88SumCapped = a.section88Sum > kSection88FirstFiveCap;
  const double firstFive = a.section88SumCapped ? kSection88FirstFiveCap : a.section88Sum;
  a.section88Total = firstFive + double{s[kInfrastructureBond]};
  a.section88TotalCapped = a.section88Total > kSection88TotalCap;
  a.section88Amount = a.section88TotalCapped ? Narrow(kSection88TotalCap) : Narrow(a.section88Total);
}

Section80Amounts ReadSection80(const Section80Texts& t) {
  return {ReadAmount(t.interest80L),  ReadAmount(t.mediclaim80D), ReadAmount(t.section80E),
          ReadAmount(t.section80CCC), ReadAmount(t.section80DD),  ReadAmount(t.section80DDB)};
}

Section88Amounts ReadSection88(const Section88Texts& t) {
  return {ReadAmount(t.pfContribution), ReadAmount(t.licPremium),       ReadAmount(t.ppf),
          ReadAmount(t.mutualFund),     ReadAmount(t.otherInvestments), ReadAmount(t.infrastructureBond)};
}

}  // namespace

AssessmentAmounts ReadAmounts(const AssessmentInput& input) {
  AssessmentAmounts amounts{.income = ReadIncome(input.income)};
  if (input.standardDeduction) {
    amounts.standardDeduction = StandardDeductionAmounts{ReadAmount(input.standardDeduction->professionTax)};
  }
  if (input.section80) amounts.section80 = ReadSection80(*input.section80);
  if (input.section88) amounts.section88 = ReadSection88(*input.section88);
  return amounts;
}

Assessment Assess(const AssessmentInput& input) { return Assess(ReadAmounts(input)); }

Assessment Assess(const AssessmentAmounts& amounts) {
  Assessment a;
  a.figures = ComputeSalaryFigures(amounts.income);
  const float gross = a.figures.grossSalary;

  a.factorApplies = gross > kFactorThreshold;
  a.incomeBase = a.factorApplies ? Narrow(double{gross} * kFactor) : gross;

  AssessSection80(amounts.section80, a);

  a.tier = StandardDeductionTierFor(gross);
  a.professionTaxCounts = amounts.standardDeduction.has_value();
  if (a.professionTaxCounts) a.professionTax = amounts.standardDeduction->professionTax;
  a.deduction = a.professionTaxCounts ? a.tier.amount + a.professionTax : a.tier.amount;
  a.taxableAmount = double{a.netIncome} - a.deduction;

  a.lowerLine = Narrow((a.taxableAmount - 60000) * 0.2 + 1000);
  a.upperLine = (a.taxableAmount - 150000) * 0.3 + 18000;
  a.upperLineTaken = !(a.upperLine < double{a.lowerLine});
  a.slabTax = a.upperLineTaken ? Narrow(a.upperLine) : a.lowerLine;

  AssessSection88(amounts.section88, a);

  a.taxBeforeFactor = Narrow(double{a.slabTax} - double{a.section88Amount});
  a.taxPayable = a.factorApplies ? Narrow(double{a.taxBeforeFactor} * kFactor) : a.taxBeforeFactor;
  return a;
}

ResultAmounts ResultAmountsOf(const Assessment& a) {
  // Shown as 0.00 below zero; a negative zero is not below zero and shows as -0.00.
  auto clampedAtZero = [](float value) { return value < 0 ? 0.0 : double{value}; };
  return {
      clampedAtZero(a.figures.taxableHra),
      a.figures.exactGrossSalary,
      a.section80Total,
      double{a.section88Amount},
      clampedAtZero(a.taxPayable),
  };
}

ResultTexts ResultTextsOf(const Assessment& a) {
  const ResultAmounts r = ResultAmountsOf(a);
  return {WriteAmount(r.taxableHra), WriteAmount(r.grossSalary), WriteAmount(r.section80Benefit),
          WriteAmount(r.section88Benefit), WriteAmount(r.taxPayable)};
}

}  // namespace varnolix
