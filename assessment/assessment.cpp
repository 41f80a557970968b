#include "assessment/assessment.h"

#include "assessment/amount.h"
#include "assessment/narrow.h"

namespace varnolix {
namespace {

struct Section80Rule {
  std::string_view name;
  std::string_view Section80Texts::*field;
  double cap;  // 0: none
};

// Read order. 80L has no cap; the others count at most their cap.
constexpr std::array<Section80Rule, 6> kSection80Rules{{
    {"80L", &Section80Texts::interest80L, 0},
    {"80D", &Section80Texts::mediclaim80D, 15000},
    {"80E", &Section80Texts::section80E, 25000},
    {"80CCC", &Section80Texts::section80CCC, 10000},
    {"80DD", &Section80Texts::section80DD, 40000},
    {"80DDB", &Section80Texts::section80DDB, 40000},
}};

// Read order of the Section 88 fields, matching Section88Index.
constexpr std::array<std::string_view Section88Texts::*, 6> kSection88Fields{
    &Section88Texts::pfContribution,   &Section88Texts::licPremium, &Section88Texts::ppf,
    &Section88Texts::otherInvestments, &Section88Texts::mutualFund, &Section88Texts::infrastructureBond,
};

constexpr double kSection88FirstFiveCap = 60000;
constexpr double kSection88TotalCap = 70000;

void AssessSection80(const std::optional<Section80Texts>& texts, Assessment& a) {
  for (size_t i = 0; i < kSection80Rules.size(); ++i) {
    const Section80Rule& rule = kSection80Rules[i];
    Section80Amount& amount = a.section80[i];
    amount.name = rule.name;
    amount.cap = rule.cap;
    if (!texts) continue;
    amount.read = ReadAmount((*texts).*rule.field);
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

void AssessSection88(const std::optional<Section88Texts>& texts, Assessment& a) {
  if (!texts) return;
  for (size_t i = 0; i < kSection88Fields.size(); ++i) a.section88[i] = Narrow(ReadAmount((*texts).*kSection88Fields[i]));
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

}  // namespace

Assessment Assess(const AssessmentInput& input) {
  Assessment a;
  a.figures = ComputeSalaryFigures(input.income);
  const float gross = a.figures.grossSalary;

  a.factorApplies = gross > kFactorThreshold;
  a.incomeBase = a.factorApplies ? Narrow(double{gross} * kFactor) : gross;

  AssessSection80(input.section80, a);

  a.tier = StandardDeductionTierFor(gross);
  a.professionTaxCounts = input.standardDeduction.has_value();
  if (a.professionTaxCounts) a.professionTax = ReadAmount(input.standardDeduction->professionTax);
  a.deduction = a.professionTaxCounts ? a.tier.amount + a.professionTax : a.tier.amount;
  a.taxableAmount = double{a.netIncome} - a.deduction;

  a.lowerLine = Narrow((a.taxableAmount - 60000) * 0.2 + 1000);
  a.upperLine = (a.taxableAmount - 150000) * 0.3 + 18000;
  a.upperLineTaken = !(a.upperLine < double{a.lowerLine});
  a.slabTax = a.upperLineTaken ? Narrow(a.upperLine) : a.lowerLine;

  AssessSection88(input.section88, a);

  a.taxBeforeFactor = Narrow(double{a.slabTax} - double{a.section88Amount});
  a.taxPayable = a.factorApplies ? Narrow(double{a.taxBeforeFactor} * kFactor) : a.taxBeforeFactor;
  return a;
}

ResultTexts ResultTextsOf(const Assessment& a) {
  auto clampedAtZero = [](float value) { return value < 0 ? std::string("0.00") : WriteAmount(value); };
  return {
      clampedAtZero(a.figures.taxableHra),
      WriteAmount(a.figures.exactGrossSalary),
      WriteAmount(a.section80Total),
      WriteAmount(a.section88Amount),
      clampedAtZero(a.taxPayable),
  };
}

}  // namespace varnolix
